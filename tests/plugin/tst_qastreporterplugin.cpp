#include "sdk/qastviewerplugin.h"
#include "sdk/qastviewerwindow.h"
#include "tests/support/fakestudio.h"

#include <QLibrary>
#include <QMainWindow>
#include <QPointer>
#include <QToolBar>
#include <QtTest>

// Loads the built plug-in library, checks it and drives its plug-in object
// through the host's interfaces only.
class TestPlugin : public QObject
{
    Q_OBJECT

    QLibrary m_library;
    QAStViewerPlugin* m_plugin = nullptr;
    FakeStudio m_studio;
    QMainWindow m_mainWindow;

private Q_SLOTS:
    void initTestCase()
    {
        m_library.setFileName(QStringLiteral(KORVAT_BIN_DIR "/korvatreporter.so"));
        QVERIFY2(m_library.load(), qPrintable(m_library.errorString()));
        using Query = const char* (*)();
        auto query = reinterpret_cast<Query>(m_library.resolve("qt_ucm_query_verification_data"));
        QVERIFY(query);
        QCOMPARE(QByteArray(query()), QByteArray("pattern=QT_UCM_VERIFICATION_DATA\nversion=3.3.5\n"
                                                 "flags=11\nbuildkey=unspecified"));
        using Instantiate = QUnknownInterface* (*)();
        auto instantiate = reinterpret_cast<Instantiate>(m_library.resolve("ucm_instantiate"));
        QVERIFY(instantiate);
        m_plugin = QAStViewerPlugin::fromInterface(instantiate());
        QVERIFY(m_plugin);
        QCOMPARE(m_plugin->metaObject()->className(), "QAStReporterPlugin");
    }

    // The file patterns the host offers in its open dialog and the icons of the About box;
    // the About texts themselves are translated texts like any other (tst_translations).
    void describesItself()
    {
        QVERIFY(!m_plugin->pluginIcon().isNull());
        QCOMPARE(m_plugin->pluginCompanyIcon(), QStringLiteral("logo_90x90.xpm"));
        QCOMPARE(m_plugin->accept(), (QStringList{"*.xrd", "*.xml", "*.tap", "*.json"}));
        QCOMPARE(m_plugin->filters(),
                 (QStringList{"Report (*.xrd *.xml *.tap *.json)", "XRD reports (*.xrd)", "JUnit XML results (*.xml)",
                              "Qt Test XML results (*.xml)", "Catch2 XML results (*.xml)", "TAP test results (*.tap)",
                              "GoogleTest JSON results (*.json)", "CTRF JSON reports (*.json)"}));
        QVERIFY(m_plugin->toolbars().isEmpty());
    }

    void initializeOnce()
    {
        // Without a host interface nothing is made and the call does not count.
        m_plugin->initialize(nullptr, nullptr);
        QVERIFY(!m_plugin->preferenceSettings());
        m_studio.setMainWindow(&m_mainWindow);
        for (int i = 0; i < 2; ++i) {
            m_plugin->initialize(&m_studio, nullptr);
            QVERIFY(m_plugin->preferenceSettings());
            QCOMPARE(m_studio.callsTo("registerPreferences").size(), 1);
            QVERIFY(m_studio.registeredProducer());
            // The shared tool bar is docked in the host's main window, once.
            QCOMPARE(m_mainWindow.findChildren<QToolBar*>().size(), 1);
        }
    }

    void createAndFind()
    {
        QStringList none;
        QPointer<QAStViewerWindow> empty = m_plugin->create(none, nullptr, "empty");
        QCOMPARE(empty->windowTitle(), QStringLiteral("Test Report [1]"));
        QVERIFY(empty->testAttribute(Qt::WA_DeleteOnClose));
        QVERIFY(empty->hasContentOutline());

        const QString file = QStringLiteral(KORVAT_EXAMPLES "/smoke.xrd");
        QStringList files{file};
        QPointer<QAStViewerWindow> window = m_plugin->create(files, nullptr, "smoke");
        QCOMPARE(m_plugin->openedWindow(file), window.data());
        QVERIFY(!m_plugin->openedWindow(file.toUpper()));
        QVERIFY(!m_plugin->openedWindow(QStringLiteral(KORVAT_EXAMPLES "/../examples/smoke.xrd")));
        empty->close();
        window->close();
        QTRY_VERIFY(!empty && !window);
        QVERIFY(!m_plugin->openedWindow(file));
    }
};

QTEST_MAIN(TestPlugin)
#include "tst_qastreporterplugin.moc"
