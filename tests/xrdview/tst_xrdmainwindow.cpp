#include "xrdview/gui/xrdmainwindow.h"

#include "sdk/preferenceitem.h"
#include "sdk/qalistview.h"
#include "sdk/qamodal.h"
#include "sdk/qares.h"
#include "sdk/qaresgroup.h"
#include "sdk/qaresint.h"
#include "sdk/qastoutputwidget.h"
#include "sdk/qastviewerplugin.h"
#include "xrdview/gui/xrddefectdialog.h"
#include "xrdview/tracker/xrddefectsettings.h"
#include "xrdview/host/xrdlauncher.h"
#include "xrdview/host/xrdpluginloader.h"
#include "xrdview/gui/xrdpreferencedialog.h"
#include "xrdview/gui/xrdrecentnames.h"
#include "xrdview/cli/xrdreporttext.h"
#include "xrdview/host/xrdresourcestore.h"
#include "xrdview/gui/xrdsourceview.h"
#include "xrdview/host/xrdstudio.h"

#include "tests/support/reporttrees.h"
#include "tests/support/testfiles.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QDockWidget>
#include <QFile>
#include <QMenuBar>
#include <QProgressDialog>
#include <QPushButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QStatusBar>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>
#include <QAbstractItemView>
#include <QUrl>

#include <functional>

// The main window with the real plug-in, offscreen: opening and switching
// report windows, filtering, reloading, the preference dialog with its
// settings file, source links, the progress display and dropped files.
// The plug-in is initialised once per process, so one window serves all and
// the functions run in order on it.
class tst_XrdMainWindow : public QObject
{
    Q_OBJECT

    XrdPluginLoader m_loader;
    std::unique_ptr<XrdStudio> m_studio;
    std::unique_ptr<XrdMainWindow> m_window;
    QString m_resourceFile;
    int m_baseMenus = 0;
    std::function<int(XrdPreferenceDialog*)> m_dialogAnswer;
    QStringList m_messages;

    // The active window's outline as the command line prints it.
    QString outline() const
    {
        QAStViewerWindow* active = m_window->activeWindow();
        const auto* tree = active ? qobject_cast<QAListView*>(active->contentOutlineWidget()) : nullptr;
        return XrdReportText::outline(tree ? tree->reportedModel() : nullptr);
    }

private Q_SLOTS:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        m_resourceFile = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation)
                         + QStringLiteral("/resources.xml");
        QFile::remove(m_resourceFile);
        QFile::remove(QFileInfo(m_resourceFile).absolutePath() + QStringLiteral("/recent.ini"));
        QAModal::setAnswerer([this](const QAModalRequest& request) -> QVariant {
            if (auto* defect = qobject_cast<XrdDefectDialog*>(request.dialog)) {
                defect->submit();
                return defect->result();
            }
            if (request.kind == QAModalRequest::Dialog) {
                auto* dialog = qobject_cast<XrdPreferenceDialog*>(request.dialog);
                return dialog && m_dialogAnswer ? QVariant(m_dialogAnswer(dialog)) : QVariant();
            }
            m_messages << (request.kind == QAModalRequest::SaveFileName ? "save:" + request.caption : request.text);
            return QVariant();
        });

        QVERIFY2(m_loader.loadFrom({ QStringLiteral(KORVAT_BIN_DIR) }), qPrintable(m_loader.errorString()));
        m_studio = std::make_unique<XrdStudio>(QDir::cleanPath(QStringLiteral(KORVAT_BIN_DIR "/..")));
        m_window = std::make_unique<XrdMainWindow>(m_loader.plugin(), m_studio.get(), m_resourceFile);
        m_window->show();
        QCOMPARE(m_studio->mainWindow(), m_window.get());
        QCOMPARE(m_studio->producers().size(), 1); // the plug-in registered its preferences
        m_baseMenus = m_window->menuBar()->actions().size();
    }

    void cleanupTestCase()
    {
        m_window.reset();
        QAModal::clearAnswerer();
    }

    void openAndSwitch()
    {
        QAStViewerWindow* campaign = m_window->openFiles({ TestFiles::example("campaign.xrd") });
        QVERIFY(campaign && campaign->isActivated());
        QVERIFY(campaign->contentOutlineWidget()->isVisibleTo(m_window.get()));
        QVERIFY(outline().count(QLatin1Char('\n')) > 5);
        // The window's Commands menu sits in the menu bar before Settings.
        QList<QAction*> menus = m_window->menuBar()->actions();
        QCOMPARE(menus.size(), m_baseMenus + 1);
        QCOMPARE(menus.at(menus.size() - 3)->menu()->parent(), campaign);
        QCOMPARE(m_window->recentFiles().value(0), TestFiles::example("campaign.xrd"));

        QAStViewerWindow* smoke = m_window->openFiles({ TestFiles::example("smoke.xrd") });
        QVERIFY(smoke && smoke != campaign);
        QCOMPARE(m_window->tabs()->count(), 2);
        // Tabs carry their files' names, not the report window's numbered title.
        QCOMPARE(m_window->tabs()->tabText(1), QStringLiteral("smoke.xrd"));
        QVERIFY(smoke->isActivated() && !campaign->isActivated());
        // Another spelling of a shown file activates its window.
        const QString other = QStringLiteral(KORVAT_EXAMPLES "/../examples/campaign.xrd");
        QCOMPARE(m_window->openFiles({ other }), campaign);
        QCOMPARE(m_window->tabs()->count(), 2);
        QVERIFY(campaign->isActivated() && !smoke->isActivated());
        QCOMPARE(m_window->menuBar()->actions().size(), m_baseMenus + 1);
        // Switching tabs by hand activates too, and the outline follows.
        m_window->tabs()->setCurrentWidget(smoke);
        QVERIFY(smoke->isActivated() && outline().startsWith(QStringLiteral("smoke.xrd\n")));
        QVERIFY(smoke->contentOutlineWidget()->isVisibleTo(m_window.get()));
        QVERIFY(!campaign->contentOutlineWidget()->isVisibleTo(m_window.get()));
        m_window->tabs()->setCurrentWidget(campaign);
        QVERIFY(campaign->isActivated());

        // An unreadable file opens nothing and is reported in the output pane.
        QVERIFY(!m_window->openFiles({ QStringLiteral("/nonexistent/lost.xrd") }));
        QCOMPARE(m_window->tabs()->count(), 2);
        QCOMPARE(m_window->activeWindow(), campaign);
        QVERIFY(m_window->outputPane()->toPlainText().contains("/nonexistent/lost.xrd"));
        QVERIFY(m_window->outputDock()->isVisibleTo(m_window.get()));
    }

    // Reload keeps the window and what it shows. (The filter's keys: keysReachCommands.)
    void reload()
    {
        QAStViewerWindow* window = m_window->activeWindow();
        const QString all = outline();
        m_window->action(QStringLiteral("reload"))->trigger();
        QCOMPARE(m_window->activeWindow(), window);
        QCOMPARE(outline(), all);
    }

    // The Test Report commands answer their keys in the main window: F8 and
    // Shift+F8 step through failed tests, Ctrl+Shift+F and Ctrl+Shift+A switch
    // the filter, F3 repeats the last search.
    void keysReachCommands()
    {
        QAStViewerWindow* window = m_window->openFiles({ TestFiles::example("campaign.xrd") });
        QVERIFY(window);
        m_window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
        auto* tree = qobject_cast<QAbstractItemView*>(window->contentOutlineWidget());
        QVERIFY(tree);
        const QString all = outline();
        // Keys go through the window system, where shortcuts are matched.

        QTest::keyClick(m_window->windowHandle(), Qt::Key_F8);
        const QModelIndex failed = tree->currentIndex();
        QVERIFY(failed.isValid());
        QCOMPARE(failed.siblingAtColumn(1).data(QAListView::VerdictRole).toString(), QStringLiteral("ko"));
        QTest::keyClick(m_window->windowHandle(), Qt::Key_F8);
        QVERIFY(tree->currentIndex() != failed);
        QTest::keyClick(m_window->windowHandle(), Qt::Key_F8, Qt::ShiftModifier);
        QCOMPARE(tree->currentIndex(), failed);

        QTest::keyClick(m_window->windowHandle(), Qt::Key_F, Qt::ControlModifier | Qt::ShiftModifier);
        QVERIFY(!outline().contains(QStringLiteral("ok  ")) && outline().contains(QStringLiteral("ko  ")));
        QTest::keyClick(m_window->windowHandle(), Qt::Key_A, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(outline(), all);

        m_messages.clear();
        window->find(QStringLiteral("no such text anywhere"));
        m_window->statusBar()->clearMessage();
        QTest::keyClick(m_window->windowHandle(), Qt::Key_F3);
        QVERIFY(m_window->statusBar()->currentMessage().contains(QStringLiteral("no such text anywhere")));
        QVERIFY(m_messages.isEmpty()); // no dialog: the last search ran again
    }

    void commandStates()
    {
        for (const char* name : { "reload", "print", "copy", "find", "close", "preferences", "saveAs" })
            QVERIFY2(m_window->action(QLatin1String(name))->isEnabled(), name);
        // Commands the window does not report as available stay disabled.
        QCOMPARE(m_window->action(QStringLiteral("exportHtml"))->isEnabled(),
                 m_window->activeWindow()->property("exportHtmlAvailable").toBool());
        // Save Report As reaches the window: one save dialog per report.
        m_messages.clear();
        m_window->action(QStringLiteral("saveAs"))->trigger();
        QCOMPARE(m_messages, QStringList{ QStringLiteral("save:Save campaign.xrd Report As") });
        m_messages.clear();
        m_window->action(QStringLiteral("aboutPlugin"))->trigger();
        QCOMPARE(m_messages.size(), 1);
        QVERIFY(m_messages.constFirst().contains(m_loader.plugin()->pluginVersion()));
        QVERIFY(m_messages.constFirst().contains(m_loader.plugin()->pluginCreation().toString(Qt::ISODate)));
    }

    // The plug-in's defect command reaches the host's client: with a folder
    // tracker the submitted defect lands there as a Markdown file. (Without a
    // tracker, see tst_xrddefect and tst_qareporterdefect.)
    void defectSubmission()
    {
        QAStViewerWindow* window = m_window->activeWindow();
        auto* tree = qobject_cast<QAListView*>(window->contentOutlineWidget());
        QVERIFY(tree && tree->reportedModel());
        const QModelIndex failed = ReportTrees::firstFailedLeaf(*tree->reportedModel());
        QVERIFY(failed.isValid());
        tree->setCurrentReported(failed);

        const QString settingsFile = m_studio->defectSettingsFile();
        QCOMPARE(QFileInfo(settingsFile).absolutePath(), QFileInfo(m_resourceFile).absolutePath());
        QTemporaryDir folder;
        XrdDefectSettings settings;
        settings.kind = XrdDefectSettings::Folder;
        settings.folder = folder.path();
        QVERIFY(settings.save(settingsFile));
        m_window->outputPane()->clear();
        QVERIFY(QMetaObject::invokeMethod(window, "submitMerrow"));
        const QStringList files = QDir(folder.path()).entryList({ QStringLiteral("*.md") });
        QCOMPARE(files.size(), 1);
        const QString text = TestFiles::readText(folder.filePath(files.constFirst()));
        QVERIFY2(text.contains(QStringLiteral("Item failed:  ") + failed.data().toString()), qPrintable(text));
        QVERIFY(text.contains(QStringLiteral("campaign.xrd")));
        QVERIFY(m_window->outputPane()->toPlainText().contains(QStringLiteral("Defect submitted: ")));
        QFile::remove(settingsFile);
    }

    void preferences_data()
    {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<int>("storedDepth"); // -1: no settings file
        // Rows build on each other: the plug-in keeps its values for the process.
        QTest::newRow("cancel before any save") << "depth 2, cancel" << -1;
        QTest::newRow("ok stores the edit") << "depth 2, ok" << 2;
        QTest::newRow("cancel keeps the stored value") << "depth 6, cancel" << 2;
        QTest::newRow("defaults then ok") << "depth 5, defaults, ok" << 4;
        QTest::newRow("answered without a button") << "depth 3, answer ok" << 3;
    }

    void preferences()
    {
        QFETCH(QString, steps);
        int pagesSeen = 0;
        QString lastPage;
        m_dialogAnswer = [&](XrdPreferenceDialog* dialog) -> int {
            pagesSeen = int(dialog->pages().size());
            lastPage = dialog->pages().constLast()->title();
            dialog->setCurrentPage(0);
            auto* stack = dialog->findChild<QStackedWidget*>();
            QSpinBox* depth = stack ? stack->widget(0)->findChild<QSpinBox*>() : nullptr;
            auto* buttons = dialog->findChild<QDialogButtonBox*>();
            if (!depth || !buttons)
                return QDialog::Rejected;
            const QMap<QString, QDialogButtonBox::StandardButton> clicks{
                { "ok", QDialogButtonBox::Ok }, { "cancel", QDialogButtonBox::Cancel },
                { "defaults", QDialogButtonBox::RestoreDefaults } };
            for (const QString& step : steps.split(QStringLiteral(", "))) {
                if (step.startsWith(QStringLiteral("depth ")))
                    depth->setValue(step.mid(6).toInt());
                else if (step == QStringLiteral("answer ok"))
                    return QDialog::Accepted;
                else
                    buttons->button(clicks.value(step))->click();
            }
            return dialog->result();
        };
        m_window->action(QStringLiteral("preferences"))->trigger();
        m_dialogAnswer = nullptr;
        QVERIFY(pagesSeen >= 3); // "Report Viewer" with "Styles" beneath it, then the host's
        QCOMPARE(lastPage, QStringLiteral("Defect tracker"));

        // What the next start reads back.
        const std::unique_ptr<QARes> root = XrdResourceStore::load(m_resourceFile);
        const QARes* first = root && root->toResGroup() ? root->toResGroup()->firstChild() : nullptr;
        const QARes* depth = first ? first->search("REPORTER.auto_depth") : nullptr;
        QTEST(depth && depth->toResInt() ? depth->toResInt()->value() : -1, "storedDepth");
    }

    // The page list shows every page's name whole, at its depth in the tree.
    void preferencePagesShownWhole()
    {
        bool checked = false;
        m_dialogAnswer = [&](XrdPreferenceDialog* dialog) -> int {
            dialog->show();
            if (!QTest::qWaitForWindowExposed(dialog))
                return QDialog::Rejected;
            auto* list = dialog->findChild<QTreeView*>();
            for (int row = 0; list && row < list->model()->rowCount(); ++row) {
                const QModelIndex top = list->model()->index(row, 0);
                for (const QModelIndex& index : { top, list->model()->index(0, 0, top) }) {
                    if (!index.isValid())
                        continue;
                    const QRect rect = list->visualRect(index);
                    const int text = list->fontMetrics().horizontalAdvance(index.data().toString());
                    checked = true;
                    if (rect.left() + text > list->viewport()->width()) {
                        qWarning() << index.data().toString() << "is cut";
                        checked = false;
                        return QDialog::Rejected;
                    }
                }
            }
            return QDialog::Rejected;
        };
        m_window->action(QStringLiteral("preferences"))->trigger();
        m_dialogAnswer = nullptr;
        QVERIFY(checked);
    }

    void sourceLink_data()
    {
        QTest::addColumn<QString>("suffix");
        QTest::addColumn<int>("line");
        QTest::newRow("line 3") << " line 3" << 3;
        QTest::newRow("last line") << " line 12" << 12;
        QTest::newRow("line past the end") << " line 99" << 0;
        QTest::newRow("no line") << "" << 0;
    }

    void sourceLink()
    {
        QFETCH(QString, suffix);
        QFETCH(int, line);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("inline 2.c")); // "line" in the name
        QByteArray lines;
        for (int i = 1; i <= 12; ++i)
            lines += "int line" + QByteArray::number(i) + ";\n";
        QVERIFY(TestFiles::writeFile(path, lines));

        m_window->sourceDock()->hide();
        m_studio->openSourceFile(path + suffix, 3, true);
        QVERIFY(m_window->sourceDock()->isVisibleTo(m_window.get()));
        XrdSourceView* view = m_window->sourceView();
        QCOMPARE(view->fileName(), path);
        QCOMPARE(view->highlightedLine(), line);
        QVERIFY(view->isReadOnly());
        if (line > 0)
            QCOMPARE(view->textCursor().blockNumber(), line - 1);
    }

    // The Source dock shows the file of the tab in front: another tab's source
    // does not linger, and coming back shows the tab's own again.
    void sourceFollowsTab()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("step.c"));
        QVERIFY(TestFiles::writeFile(path, "int a;\nint b;\nint c;\n"));
        QAStViewerWindow* campaign = m_window->openFiles({ TestFiles::example("campaign.xrd") });
        QAStViewerWindow* smoke = m_window->openFiles({ TestFiles::example("smoke.xrd") });
        QVERIFY(campaign && smoke && campaign != smoke);
        m_window->tabs()->setCurrentWidget(campaign);
        m_studio->openSourceFile(path + " line 2", 0, true);
        XrdSourceView* view = m_window->sourceView();
        QCOMPARE(view->fileName(), path);

        m_window->tabs()->setCurrentWidget(smoke);
        QVERIFY(view->fileName().isEmpty());
        QVERIFY(view->toPlainText().isEmpty());
        m_window->tabs()->setCurrentWidget(campaign);
        QCOMPARE(view->fileName(), path);
        QCOMPARE(view->highlightedLine(), 2);
    }

    void sourceLinkHandedOn_data()
    {
        // Exactly what reaches the editor or the browser, or what the output pane says; "@"
        // stands for the folder relative links are resolved against. How a target is parsed
        // and made safe: tst_xrdparts.
        QTest::addColumn<QString>("target");
        QTest::addColumn<QStringList>("started");
        QTest::addColumn<QString>("opened");
        QTest::addColumn<QString>("message");
        QTest::newRow("absolute") << "/p/x.c line 7" << QStringList{ "vim", "+7", "/p/x.c" } << "" << "";
        // Names that look like options: tst_xrdparts (editorCommand); the folder "@" is:
        // linkFolderIsTheReportFolder.
        QTest::newRow("short option") << "-c" << QStringList{ "vim", "+1", "@/-c" } << "" << "";
        QTest::newRow("newline") << "a\nb line 3" << QStringList() << ""
                                 << "its file name holds a control character";
        QTest::newRow("javascript") << "javascript:x" << QStringList() << "" << "only files and http";
        QTest::newRow("empty") << " line 3" << QStringList() << "" << "names no file";
        QTest::newRow("web address") << "https://example.org/x?a=1" << QStringList() << "https://example.org/x?a=1"
                                     << "";
    }

    void sourceLinkHandedOn()
    {
        QFETCH(QString, target);
        QFETCH(QStringList, started);
        QFETCH(QString, message);
        QStringList startedNow;
        QString openedNow;
        XrdLauncher::setStartHook([&](const QString& program, const QStringList& arguments) {
            startedNow = QStringList{ program } + arguments;
            return true;
        });
        XrdLauncher::setUrlHook([&](const QUrl& url) {
            openedNow = url.toString();
            return true;
        });
        qputenv("XRDVIEW_EDITOR", "vim +%l %f");
        m_window->outputPane()->clear();
        m_studio->openSourceFile(target, 3, true);
        qunsetenv("XRDVIEW_EDITOR");
        XrdLauncher::setStartHook({});
        XrdLauncher::setUrlHook({});

        const QString folder = m_window->linkFolder();
        QVERIFY(QFileInfo(folder).isAbsolute());
        for (QString& argument : started)
            argument.replace(QLatin1Char('@'), folder == QStringLiteral("/") ? QString() : folder);
        QCOMPARE(startedNow, started);
        QTEST(openedNow, "opened");
        const QString output = m_window->outputPane()->toPlainText();
        if (message.isEmpty())
            QVERIFY2(output.isEmpty(), qPrintable(output));
        else
            QVERIFY2(output.contains(message), qPrintable(output));
    }

    void linkFolderIsTheReportFolder()
    {
        QTemporaryDir dir;
        const QString report = dir.filePath(QStringLiteral("r.xrd"));
        QVERIFY(QFile::copy(QStringLiteral(KORVAT_TEST_DATA "/tiny.xrd"), report));
        QVERIFY(m_window->openFiles({ report }));
        // What the editor is given below this folder: sourceLinkHandedOn.
        QCOMPARE(m_window->linkFolder(), QFileInfo(report).absolutePath());
        m_window->closeWindow();
    }

    void progressCancel()
    {
        m_studio->startProgress(10, QStringLiteral("Analysing"), QStringLiteral("Cancel"), 0, 0);
        QVERIFY(m_studio->progressDialog());
        m_studio->setProgress(3);
        QVERIFY(!m_studio->progressCanceled());
        m_studio->progressDialog()->findChild<QPushButton*>()->click();
        QVERIFY(m_studio->progressCanceled());
        m_studio->endProgress();
        QVERIFY(!m_studio->progressDialog());
        // The next run starts uncancelled.
        m_studio->startProgress(2, QStringLiteral("Again"), QStringLiteral("Cancel"), 0, 0);
        QVERIFY(!m_studio->progressCanceled());
        m_studio->endProgress();
    }

    void closeRemovesWindowAndMenu()
    {
        for (int tabs = m_window->tabs()->count(); tabs > 0; --tabs) {
            QPointer<QAStViewerWindow> closing = m_window->activeWindow();
            m_window->action(QStringLiteral("close"))->trigger();
            QTRY_VERIFY(!closing);
            QCOMPARE(m_window->tabs()->count(), tabs - 1);
            if (tabs > 1)
                QVERIFY(m_window->activeWindow()->isActivated());
            QCOMPARE(m_window->menuBar()->actions().size(), m_baseMenus + (tabs > 1 ? 1 : 0));
        }
        QVERIFY(!m_window->activeWindow());
        for (const char* name : { "reload", "print", "copy", "find", "findNext", "close", "saveAs" })
            QVERIFY2(!m_window->action(QLatin1String(name))->isEnabled(), name);
        QVERIFY(!m_loader.plugin()->openedWindow(TestFiles::example("campaign.xrd")));
    }

    void recentLabels_data()
    {
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QStringList>("labels");
        QTest::newRow("distinct names") << QStringList{ "/a/x.xrd", "/b/y.xrd" } << QStringList{ "x.xrd", "y.xrd" };
        QTest::newRow("same name, other folders")
            << QStringList{ "/r/a/report.xrd", "/r/b/report.xrd", "/r/c.xrd" }
            << QStringList{ "a/report.xrd", "b/report.xrd", "c.xrd" };
        QTest::newRow("same folder name deeper")
            << QStringList{ "/p/ci/report.xrd", "/q/ci/report.xrd" }
            << QStringList{ "p/ci/report.xrd", "q/ci/report.xrd" };
        QTest::newRow("one path inside the other's folder")
            << QStringList{ "/report.xrd", "/a/report.xrd" } << QStringList{ "report.xrd", "a/report.xrd" };
    }

    void recentLabels()
    {
        QFETCH(QStringList, files);
        QFETCH(QStringList, labels);
        QStringList native;
        for (const QString& label : std::as_const(labels))
            native << QDir::toNativeSeparators(label);
        QCOMPARE(XrdRecentNames::labels(files), native);
    }

    // Size, position and dock layout come back in the next window (the next start).
    void layoutRemembered()
    {
        XrdStudio studio(QDir::cleanPath(QStringLiteral(KORVAT_BIN_DIR "/..")));
        {
            XrdMainWindow first(nullptr, &studio, m_resourceFile);
            first.show();
            first.resize(1500, 950);
            first.outputDock()->hide();
            first.sourceDock()->show();
            QVERIFY(first.close());
        }
        XrdMainWindow second(nullptr, &studio, m_resourceFile);
        second.show();
        QCOMPARE(second.size(), QSize(1500, 950));
        QVERIFY(second.outputDock()->isHidden());
        QVERIFY(!second.sourceDock()->isHidden());
    }
};

QTEST_MAIN(tst_XrdMainWindow)
#include "tst_xrdmainwindow.moc"
