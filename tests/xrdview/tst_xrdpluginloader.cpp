#include "xrdview/xrdpluginloader.h"

#include "sdk/qastviewerplugin.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// Finding, verifying and instantiating plug-in libraries, with stand-in
// libraries that are well-formed or broken in one way each.
class tst_XrdPluginLoader : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void refused_data();
    void refused();
    void notFound();
    void notALibrary();
    void firstDirectoryWins();
};

namespace {

QString fakeDir(const char* kind)
{
    return QStringLiteral(XRD_FAKE_PLUGINS "/") + QLatin1String(kind);
}

} // namespace

void tst_XrdPluginLoader::refused_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("message");

    QTest::newRow("wrong verification text") << "wrongkey" << "verification data";
    QTest::newRow("no entry points") << "noentry" << "entry points";
    QTest::newRow("no plug-in object") << "nullplugin" << "did not create";
}

void tst_XrdPluginLoader::refused()
{
    QFETCH(QString, kind);
    QFETCH(QString, message);

    XrdPluginLoader loader;
    QVERIFY(!loader.loadFrom({ fakeDir(qPrintable(kind)) }));
    QVERIFY2(loader.errorString().contains(message), qPrintable(loader.errorString()));
    QVERIFY(loader.errorString().contains(QStringLiteral("korvatreporter.so")));
    QVERIFY(!loader.plugin());
}

void tst_XrdPluginLoader::notFound()
{
    QTemporaryDir empty;
    XrdPluginLoader loader;
    QVERIFY(!loader.loadFrom({ empty.path(), QStringLiteral("/nonexistent") }));
    QVERIFY(loader.errorString().contains(empty.path()));
    QVERIFY(loader.errorString().contains(QStringLiteral("XRDVIEW_PLUGIN_PATH")));
}

void tst_XrdPluginLoader::notALibrary()
{
    QTemporaryDir dir;
    QFile fake(dir.filePath(QStringLiteral("korvatreporter.so")));
    QVERIFY(fake.open(QIODevice::WriteOnly));
    fake.write("this is not a shared library\n");
    fake.close();

    XrdPluginLoader loader;
    QVERIFY(!loader.loadFrom({ dir.path() }));
    QVERIFY(loader.errorString().startsWith(QStringLiteral("Cannot load the plug-in")));
}

void tst_XrdPluginLoader::firstDirectoryWins()
{
    // A refused plug-in is an error, not a reason to try the next folder.
    XrdPluginLoader refused;
    QVERIFY(!refused.loadFrom({ fakeDir("wrongkey"), fakeDir("good") }));

    XrdPluginLoader loader;
    QVERIFY2(loader.loadFrom({ QStringLiteral("/nonexistent"), fakeDir("good") }),
             qPrintable(loader.errorString()));
    QVERIFY(loader.plugin());
    QCOMPARE(loader.plugin()->name(), QStringLiteral("Fake"));
    QCOMPARE(loader.plugin()->pluginName(), QStringLiteral("Fake Viewer"));
    QCOMPARE(loader.fileName(), fakeDir("good") + QStringLiteral("/korvatreporter.so"));
}

QTEST_GUILESS_MAIN(tst_XrdPluginLoader)
#include "tst_xrdpluginloader.moc"
