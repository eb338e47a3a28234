#include "xrdview/gui/xrddockmenu.h"

#include "sdk/qamodal.h"
#include "sdk/qastviewerwindow.h"
#include "xrdview/gui/xrdmainwindow.h"
#include "xrdview/host/xrdpluginloader.h"
#include "xrdview/host/xrdstudio.h"

#include "tests/support/testfiles.h"

#include <QAction>
#include <QDir>
#include <QDockWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

// The host's View menu lists the docks the active report window offers, through the real
// plug-in in the real main window: each entry shows and hides its dock, its check follows
// the dock however it is shown or hidden, and the entries follow the active window.
class tst_XrdDockMenu : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    XrdPluginLoader m_loader;
    std::unique_ptr<XrdStudio> m_studio;
    std::unique_ptr<XrdMainWindow> m_window;
    QAStViewerWindow* m_first = nullptr;
    QAStViewerWindow* m_second = nullptr;

    QAction* entry(const QString& id) const
    {
        return m_window->findChild<QAction*>(QStringLiteral("viewDock_") + id);
    }

    static QDockWidget* dockOf(QAStViewerWindow* window, const QString& id)
    {
        const QList<QAStDockOffer> offers = window->offeredDocks();
        for (const QAStDockOffer& offer : offers) {
            if (offer.id == id)
                return offer.dock;
        }
        return nullptr;
    }

private Q_SLOTS:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        QVERIFY(m_dir.isValid());
        qputenv("KORVAT_DB", "sqlite:" + m_dir.filePath(QStringLiteral("history.sqlite")).toUtf8());
        QAModal::setAnswerer([](const QAModalRequest&) { return QVariant(); });
        QVERIFY2(m_loader.loadFrom({ QStringLiteral(KORVAT_BIN_DIR) }), qPrintable(m_loader.errorString()));
        m_studio = std::make_unique<XrdStudio>(QDir::cleanPath(QStringLiteral(KORVAT_BIN_DIR "/..")));
        m_window = std::make_unique<XrdMainWindow>(m_loader.plugin(), m_studio.get(),
                                                   m_dir.filePath(QStringLiteral("resources.xml")));
        m_window->show();
        QVERIFY(m_window->dockMenu()->actions().isEmpty());
        m_first = m_window->openFiles({ TestFiles::example("campaign.xrd"), TestFiles::example("smoke.xrd") });
        m_second = m_window->openFiles({ TestFiles::example("regression.xrd") });
        QVERIFY(m_first && m_second && m_window->activeWindow() == m_second);
    }

    void cleanupTestCase()
    {
        m_window.reset();
        QAModal::clearAnswerer();
    }

    // The entries sit in the View menu, in the window's order, its keys beside them.
    void listed()
    {
        QStringList names;
        for (QAction* action : m_window->dockMenu()->actions())
            names << action->objectName();
        QCOMPARE(names, QStringList({ "viewDock_header", "viewDock_history", "viewDock_failures" }));
        auto* view = qobject_cast<QMenu*>(entry(QStringLiteral("history"))->parent());
        QVERIFY(view && view->actions().contains(m_window->findChild<QAction*>(QStringLiteral("viewOutline"))));
        QVERIFY(view->actions().contains(entry(QStringLiteral("history"))));
        QVERIFY2(entry(QStringLiteral("failures"))->text().endsWith(QStringLiteral("\tCtrl+Shift+L")),
                 qPrintable(entry(QStringLiteral("failures"))->text()));
        QVERIFY(!entry(QStringLiteral("history"))->text().contains(QLatin1Char('\t')));
    }

    void toggles_data()
    {
        QTest::addColumn<QString>("id");
        QTest::newRow("history") << "history";
        QTest::newRow("failures") << "failures";
        QTest::newRow("header") << "header";
    }
    // The entry shows and hides the dock; the dock hidden by itself unchecks the entry.
    void toggles()
    {
        QFETCH(QString, id);
        m_window->tabs()->setCurrentWidget(m_first);
        QDockWidget* dock = dockOf(m_first, id);
        QVERIFY(dock);
        m_first->showOfferedDock(id, false);
        QVERIFY(dock->isHidden());
        QAction* action = entry(id);
        QVERIFY(action && action->isCheckable() && !action->isChecked());
        action->trigger();
        QVERIFY(!dock->isHidden());
        QVERIFY(action->isChecked());
        dock->close(); // its own close button
        QVERIFY(!action->isChecked());
        action->trigger();

        // Another window: the entries are that window's.
        m_window->tabs()->setCurrentWidget(m_second);
        QVERIFY(dockOf(m_second, id)->isHidden());
        QVERIFY(!entry(id)->isChecked());
        entry(id)->trigger();
        QVERIFY(!dockOf(m_second, id)->isHidden());
        QVERIFY(!dock->isHidden());
        m_second->showOfferedDock(id, false);
        QVERIFY(!entry(id)->isChecked());
        m_window->tabs()->setCurrentWidget(m_first);
        QVERIFY(entry(id)->isChecked());
    }

    // Closing the last window empties the list.
    void noWindow()
    {
        for (int tabs = m_window->tabs()->count(); tabs > 0; --tabs) {
            QPointer<QAStViewerWindow> closing = m_window->activeWindow();
            m_window->action(QStringLiteral("close"))->trigger();
            QTRY_VERIFY(!closing);
        }
        QVERIFY(m_window->dockMenu()->actions().isEmpty());
    }
};

QTEST_MAIN(tst_XrdDockMenu)
#include "tst_xrddockmenu.moc"
