#include "xrdview/host/xrdpluginloader.h"

#include "sdk/qastviewerplugin.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

QString fakeDir(const char* kind)
{
    return QStringLiteral(XRD_FAKE_PLUGINS "/") + QLatin1String(kind);
}

} // namespace

// Finding, verifying and instantiating plug-in libraries, with stand-in
// libraries that are well-formed or broken in one way each.
class tst_XrdPluginLoader : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir; // "empty/" and "text/" with a text file named like the library

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(QDir(m_dir.path()).mkpath(QStringLiteral("empty")));
        QVERIFY(QDir(m_dir.path()).mkpath(QStringLiteral("text")));
        QFile fake(m_dir.filePath(QStringLiteral("text/korvatreporter.so")));
        QVERIFY(fake.open(QIODevice::WriteOnly));
        fake.write("this is not a shared library\n");
    }

    void refused_data()
    {
        QTest::addColumn<QStringList>("dirs");
        QTest::addColumn<QStringList>("messageHas");
        const QString empty = m_dir.filePath(QStringLiteral("empty"));
        const QString so = QStringLiteral("korvatreporter.so");
        QTest::newRow("wrong verification text") << QStringList{ fakeDir("wrongkey") }
                                                 << QStringList{ "verification data", so };
        QTest::newRow("no entry points") << QStringList{ fakeDir("noentry") }
                                         << QStringList{ "entry points", so };
        QTest::newRow("no plug-in object") << QStringList{ fakeDir("nullplugin") }
                                           << QStringList{ "did not create", so };
        QTest::newRow("not a library") << QStringList{ m_dir.filePath(QStringLiteral("text")) }
                                       << QStringList{ "Cannot load the plug-in" };
        QTest::newRow("not found") << QStringList{ empty, "/nonexistent" }
                                   << QStringList{ empty, "XRDVIEW_PLUGIN_PATH" };
        // A refused plug-in is an error, not a reason to try the next folder.
        QTest::newRow("refused before a good one") << QStringList{ fakeDir("wrongkey"), fakeDir("good") }
                                                   << QStringList{ "verification data" };
    }

    void refused()
    {
        QFETCH(QStringList, dirs);
        QFETCH(QStringList, messageHas);
        XrdPluginLoader loader;
        QVERIFY(!loader.loadFrom(dirs));
        for (const QString& part : messageHas)
            QVERIFY2(loader.errorString().contains(part), qPrintable(loader.errorString()));
        QVERIFY(!loader.plugin());
    }

    void firstFoundWins()
    {
        XrdPluginLoader loader;
        QVERIFY2(loader.loadFrom({ QStringLiteral("/nonexistent"), fakeDir("good") }),
                 qPrintable(loader.errorString()));
        QCOMPARE(loader.plugin()->name(), QStringLiteral("Fake"));
        QCOMPARE(loader.plugin()->pluginName(), QStringLiteral("Fake Viewer"));
        QCOMPARE(loader.fileName(), fakeDir("good") + QStringLiteral("/korvatreporter.so"));
    }
};

QTEST_GUILESS_MAIN(tst_XrdPluginLoader)
#include "tst_xrdpluginloader.moc"
