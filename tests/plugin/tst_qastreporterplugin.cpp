#include "sdk/qastviewerplugin.h"
#include "sdk/qastviewerwindow.h"
#include "tests/support/fakestudio.h"

#include <QLibrary>
#include <QMainWindow>
#include <QToolBar>
#include <QPointer>
#include <QtTest>

// Loads the built plug-in library, checks it and drives its plug-in object
// through the host's interfaces only.
class TestPlugin : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void verificationText();
    void names_data();
    void names();
    void filtersAndPatterns();
    void initializeWithoutHost();
    void initializeOnce();
    void createAndFind();

private:
    QLibrary m_library;
    QAStViewerPlugin* m_plugin = nullptr;
    FakeStudio m_studio;
    QMainWindow m_mainWindow;
};

void TestPlugin::initTestCase()
{
    m_library.setFileName(QStringLiteral(KORVAT_BIN_DIR "/korvatreporter.so"));
    QVERIFY2(m_library.load(), qPrintable(m_library.errorString()));
    using Instantiate = QUnknownInterface* (*)();
    auto instantiate = reinterpret_cast<Instantiate>(m_library.resolve("ucm_instantiate"));
    QVERIFY(instantiate);
    QUnknownInterface* iface = instantiate();
    QVERIFY(iface);
    m_plugin = QAStViewerPlugin::fromInterface(iface);
    QVERIFY(m_plugin);
    QCOMPARE(m_plugin->metaObject()->className(), "QAStReporterPlugin");
}

void TestPlugin::verificationText()
{
    using Query = const char* (*)();
    auto query = reinterpret_cast<Query>(m_library.resolve("qt_ucm_query_verification_data"));
    QVERIFY(query);
    QCOMPARE(QByteArray(query()),
             QByteArray("pattern=QT_UCM_VERIFICATION_DATA\nversion=3.3.5\nflags=11\n"
                        "buildkey=unspecified"));
}

void TestPlugin::names_data()
{
    QTest::addColumn<QString>("operation");
    QTest::addColumn<QString>("expected");
    QTest::newRow("name") << "name" << "Reporter";
    QTest::newRow("version") << "version" << "Version 1.0.0";
    QTest::newRow("pluginVersion") << "pluginVersion" << "Version 1.1.0";
    QTest::newRow("author") << "author" << "Ostrand Software";
    QTest::newRow("company") << "pluginCompanyName" << "Ostrand Software";
    QTest::newRow("pluginName") << "pluginName" << "Ostrand Korvat Report Viewer";
    QTest::newRow("icon") << "pluginIcon" << "";
    QTest::newRow("companyIcon") << "pluginCompanyIcon" << "logo_90x90.xpm";
}

void TestPlugin::names()
{
    QFETCH(QString, operation);
    QFETCH(QString, expected);
    QString value;
    if (operation == "name") value = m_plugin->name();
    else if (operation == "version") value = m_plugin->version();
    else if (operation == "pluginVersion") value = m_plugin->pluginVersion();
    else if (operation == "author") value = m_plugin->author();
    else if (operation == "pluginCompanyName") value = m_plugin->pluginCompanyName();
    else if (operation == "pluginName") value = m_plugin->pluginName();
    else if (operation == "pluginIcon") value = m_plugin->pluginIcon();
    else if (operation == "pluginCompanyIcon") value = m_plugin->pluginCompanyIcon();
    QCOMPARE(value, expected);
    QVERIFY(!value.isNull());
}

void TestPlugin::filtersAndPatterns()
{
    QCOMPARE(m_plugin->accept(), QStringList{"*.xrd"});
    QCOMPARE(m_plugin->filters(), QStringList{"Report (*.xrd)"});
    QCOMPARE(m_plugin->pluginCreation(), QDate::currentDate());
    QVERIFY(m_plugin->toolbars().isEmpty());
}

void TestPlugin::initializeWithoutHost()
{
    m_plugin->initialize(nullptr, nullptr);
    QVERIFY(!m_plugin->preferenceSettings());
    QVERIFY(m_studio.calls.isEmpty());
}

void TestPlugin::initializeOnce()
{
    m_studio.setMainWindow(&m_mainWindow);
    m_plugin->initialize(&m_studio, nullptr);
    QVERIFY(m_plugin->preferenceSettings());
    QCOMPARE(m_studio.callsTo("registerPreferences").size(), 1);
    QVERIFY(m_studio.registeredProducer());
    // The shared tool bar is docked in the host's main window.
    QCOMPARE(m_mainWindow.findChildren<QToolBar*>().size(), 1);

    m_plugin->initialize(&m_studio, nullptr);
    QCOMPARE(m_studio.callsTo("registerPreferences").size(), 1);
    QCOMPARE(m_mainWindow.findChildren<QToolBar*>().size(), 1);
}

void TestPlugin::createAndFind()
{
    QStringList none;
    QPointer<QAStViewerWindow> empty = m_plugin->create(none, nullptr, "empty");
    QVERIFY(empty);
    QCOMPARE(empty->windowTitle(), QStringLiteral("Test Report [1]"));
    QVERIFY(empty->testAttribute(Qt::WA_DeleteOnClose));
    QVERIFY(empty->hasContentOutline());

    const QString file = QStringLiteral(KORVAT_EXAMPLES "/smoke.xrd");
    QStringList files{file};
    QPointer<QAStViewerWindow> window = m_plugin->create(files, nullptr, "smoke");
    QCOMPARE(window->windowTitle(), QStringLiteral("Test Report [2]"));
    QCOMPARE(m_plugin->openedWindow(file), window.data());
    QVERIFY(!m_plugin->openedWindow(file.toUpper()));
    QVERIFY(!m_plugin->openedWindow(QStringLiteral(KORVAT_EXAMPLES "/../examples/smoke.xrd")));

    empty->close();
    QTRY_VERIFY(!empty);
    window->close();
    QTRY_VERIFY(!window);
    QVERIFY(!m_plugin->openedWindow(file));

    // The count goes on after every window was closed.
    QPointer<QAStViewerWindow> third = m_plugin->create(none, nullptr, "third");
    QCOMPARE(third->windowTitle(), QStringLiteral("Test Report [3]"));
    delete third;
}

QTEST_MAIN(TestPlugin)
#include "tst_qastreporterplugin.moc"
