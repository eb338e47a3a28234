#include "korvatreporter/data/qareporterdata.h"
#include "korvatreporter/document/qareporterfilter.h"
#include "korvatreporter/document/qareporterfilteredlist.h"
#include "korvatreporter/session/qareportsession.h"
#include "korvatreporter/window/qareporterstate.h"
#include "korvatreporter/window/qarmenu.h"
#include "korvatreporter/window/qarpopupmenu.h"
#include "korvatreporter/window/qartoolbar.h"
#include "korvatreporter/window/qartreemodel.h"
#include "rendoc/model/ddocument.h"
#include "rendoc/model/ditems.h"
#include "sdk/qamodal.h"
#include "sdk/qaviewerfinddialog.h"
#include "tests/support/reporterhost.h"
#include "tests/support/reporttrees.h"
#include "tests/support/fakedefectclient.h"
#include "tests/support/testfiles.h"

#include <QBuffer>
#include <QLineEdit>
#include <QSignalSpy>
#include <QStyle>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

#include <memory>

using ReportTrees::allRows;

namespace {

using TestFiles::example;

// Paths of example reports; absolute names are kept as they are.
QStringList examples(const QStringList& names)
{
    QStringList paths;
    for (const QString& name : names)
        paths << (QDir::isAbsolutePath(name) ? name : example(qPrintable(name)));
    return paths;
}

void answerNothing()
{
    QAModal::setAnswerer([](const QAModalRequest&) { return QVariant(); });
}

bool failedOnly(const std::unique_ptr<QAReporter>& w)
{
    return w->reportSession()->filter().isSet(QAReporterFilter::StateMatch);
}

} // namespace

// Report windows and their tool bar on the example reports, driven through
// their slots with a fake host that has a main window.
class TestReporter : public QObject
{
    Q_OBJECT

    ReporterHost m_host;

    // A window on the given example reports (or files).
    std::unique_ptr<QAReporter> window(const QStringList& names = {}) { return ReporterHost::open(examples(names)); }

private Q_SLOTS:
    void initTestCase()
    {
        m_host.setUp();
        answerNothing(); // unreadable-file messages and dialogs are never shown
    }

    void init()
    {
        QAReporterState::setFailedOnly(false);
        m_host.studio.setMainWindow(&m_host.mainWindow);
        m_host.studio.calls.clear();
    }

    void captionCounts()
    {
        const int before = QAReporterState::windowCounter();
        const QString numbered = QStringLiteral("Test Report [%1]");
        {
            auto a = window();
            auto b = window();
            QCOMPARE(a->windowTitle(), numbered.arg(before + 1));
            QCOMPARE(b->windowTitle(), numbered.arg(before + 2));
            QCOMPARE(QAReporterState::windows()->size(), 2);
        }
        // Closed windows give no number back.
        QCOMPARE(QAReporterState::windows()->size(), 0);
        auto c = window();
        QCOMPARE(c->windowTitle(), numbered.arg(before + 3));
        // Without a host main window: bare title, no count, an own tool bar.
        m_host.studio.setMainWindow(nullptr);
        auto d = window();
        QCOMPARE(d->windowTitle(), QStringLiteral("Test Report"));
        QCOMPARE(QAReporterState::windowCounter(), before + 3);
        QVERIFY(d->ownToolBar());
        QVERIFY(!c->ownToolBar());
    }

    void headerForSeveralFiles_data()
    {
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<bool>("header");
        QTest::addColumn<int>("summaryRows");
        QTest::newRow("none") << QStringList() << false << 0;
        QTest::newRow("one") << QStringList{"smoke.xrd"} << false << 3;
        QTest::newRow("two") << QStringList{"campaign.xrd", "regression.xrd"} << true << 4;
        QTest::newRow("missing and one") << QStringList{"nothere.xrd", "smoke.xrd"} << false << 3;
    }

    void headerForSeveralFiles()
    {
        QFETCH(QStringList, files);
        QFETCH(bool, header);
        auto w = window(files);
        QCOMPARE(w->headerShown(), header);
        QCOMPARE(!w->headerDock()->isHidden(), header);
        QTEST(int(w->plainText(QAStViewerWindow::SummaryText).count('\n')), "summaryRows");
        QCOMPARE(w->treeModel()->rowCount(), int(w->reportSession()->records().size()));
        // Totals over the records (summed in tst_xrdviewcli's "two files"); none without records.
        QCOMPARE(w->resultTotals().has_value(), !w->reportSession()->records().empty());
    }

    void summaryRunBuildsViewsWhenNeeded_data()
    {
        QTest::addColumn<QString>("need");
        QTest::newRow("shown") << "show";
        QTest::newRow("outline asked for") << "outline";
        QTest::newRow("activated") << "activate";
    }

    void summaryRunBuildsViewsWhenNeeded()
    {
        // A summary run reads the files and prints totals; the copies and
        // views come only when something needs them, and are then the same
        // as those of a normal load.
        QFETCH(QString, need);
        QBuffer sink;
        sink.open(QIODevice::WriteOnly);
        QAReporterState::setSummarySink(&sink);
        QStringList files = examples({"campaign.xrd", "regression.xrd"});
        auto normal = window(files);
        auto w = window();
        QSignalSpy updated(w.get(), &QAReporter::viewUpdated);
        w->setFiles(&files, nullptr, ViewerSummary);
        QAReporterState::setSummarySink(nullptr);
        QVERIFY(!sink.data().isEmpty());
        QCOMPARE(updated.count(), 0);
        QVERIFY(!w->reportSession()->shownList());
        QCOMPARE(w->plainText(QAStViewerWindow::SummaryText), normal->plainText(QAStViewerWindow::SummaryText));
        QCOMPARE(updated.count(), 0);

        if (need == "show")
            w->show();
        else if (need == "outline")
            w->contentOutlineWidget();
        else
            w->activated();
        QCOMPARE(updated.count(), 1);
        QCOMPARE(w->treeModel()->rowCount(), normal->treeModel()->rowCount());
        QCOMPARE(w->plainText(QAStViewerWindow::DocumentText), normal->plainText(QAStViewerWindow::DocumentText));
        QCOMPARE(w->headerShown(), true);
        if (need == "activate")
            w->desactivated();
    }

    void headerDockFitsTheTableUntilResized()
    {
        auto w = window({"campaign.xrd", "regression.xrd"});
        w->resize(700, 500);
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        QTest::qWait(50);
        const int fitted = w->headerDock()->height();
        // The three rows of the table once shown, not the largest height.
        QVERIFY2(fitted > 26 && fitted < 180, qPrintable(QString::number(fitted)));
        QVERIFY(w->headerView()->documentHeight() <= w->headerView()->viewport()->height());

        // The user drags the dock separator; that height stays through rebuilds.
        const int extent = w->style()->pixelMetric(QStyle::PM_DockWidgetSeparatorExtent, nullptr, w.get());
        const QPoint grip(w->width() / 2, w->headerDock()->geometry().bottom() + 1 + extent / 2);
        QTest::mousePress(w.get(), Qt::LeftButton, {}, grip);
        for (int dy : {20, 40}) {
            QTest::mouseMove(w.get(), grip + QPoint(0, dy));
            QTest::qWait(20); // the layout moves the separator on a zero timer: let it run
        }
        QTest::mouseRelease(w.get(), Qt::LeftButton, {}, grip + QPoint(0, 40));
        using Refresh = void (QAReporter::*)();
        for (Refresh refresh :
             std::initializer_list<Refresh>{nullptr, &QAReporter::failedtests, &QAReporter::alltests}) {
            if (refresh)
                (w.get()->*refresh)();
            QTest::qWait(50);
            QCOMPARE(w->headerDock()->height(), fitted + 40);
        }
    }

    // The header hides through the Commands menu or the dock's close button,
    // stays hidden through refreshes and comes back through the menu.
    void headerHidesAndComesBack_data()
    {
        QTest::addColumn<bool>("closeButton");
        QTest::newRow("Show header item") << false;
        QTest::newRow("close button") << true;
    }

    void headerHidesAndComesBack()
    {
        QFETCH(bool, closeButton);
        auto w = window({"campaign.xrd", "regression.xrd"});
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        w->activated();
        w->updateToolMenu();
        QARMenu* menu = w->commandsMenu();
        auto* close = w->headerDock()->findChild<QToolButton*>(QStringLiteral("headerClose"));
        QVERIFY(close && close->isVisible());
        if (closeButton)
            QTest::mouseClick(close, Qt::LeftButton);
        else
            menu->action(w->showHeaderItem())->trigger();
        w->failedtests();
        w->updateToolMenu();
        QVERIFY(w->headerDock()->isHidden());
        QVERIFY(!w->headerShown());
        QVERIFY(!menu->isItemChecked(w->showHeaderItem()));
        QVERIFY(!menu->isItemEnabled(w->printHeaderItem()));

        menu->action(w->showHeaderItem())->trigger();
        w->updateToolMenu();
        QVERIFY(!w->headerDock()->isHidden());
        QVERIFY(w->headerShown());
        QVERIFY(menu->isItemChecked(w->showHeaderItem()));
        QVERIFY(menu->isItemEnabled(w->printHeaderItem()));
        w->desactivated();
    }

    void setNode_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("node");
        QTest::addColumn<QString>("caption"); // empty: unchanged, no signal
        QTest::addColumn<QByteArray>("printed");
        const QByteArray lines("\t[5] Test Case Passed\n\t[2] Test Case Failed\n");
        QTest::newRow("mode 5") << 5 << QString() << "" << lines;
        QTest::newRow("mode 5, dotted node") << 5 << "a.b.c" << "Test Report [c]" << "TestNode: a.b.c\n" + lines;
        QTest::newRow("mode 0, no dot") << 0 << "abc" << "Test Report [abc]" << QByteArray();
        QTest::newRow("mode 0, empty node") << 0 << "" << "" << QByteArray();
    }

    void setNode()
    {
        QFETCH(int, mode);
        QFETCH(QString, node);
        QFETCH(QString, caption);
        QBuffer sink;
        sink.open(QIODevice::WriteOnly);
        QAReporterState::setSummarySink(&sink);
        auto w = window();
        const QString before = w->windowTitle();
        QSignalSpy captionChanged(w.get(), &QAStudioWindow::captionChanged);
        if (!node.isNull())
            w->setNode(nodeData{node, nullptr});
        QStringList files = examples({"campaign.xrd"});
        w->setFiles(&files, nullptr, ViewerMode(mode));
        QAReporterState::setSummarySink(nullptr);
        QTEST(sink.data(), "printed");
        QCOMPARE(w->windowTitle(), caption.isEmpty() ? before : caption);
        QCOMPARE(captionChanged.count(), caption.isEmpty() ? 0 : 1);
    }

    void refreshes_data()
    {
        QTest::addColumn<QStringList>("before"); // steps before the views are noted
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<int>("rebuilds");
        QTest::addColumn<bool>("shared"); // the views show the records themselves
        const QStringList none;
        QTest::newRow("after the load") << none << none << 0 << true;
        QTest::newRow("activation") << none << QStringList{"activate"} << 0 << true;
        QTest::newRow("same file list again") << none << QStringList{"setFiles"} << 0 << true;
        QTest::newRow("all tests while all are shown") << none << QStringList{"all"} << 0 << true;
        QTest::newRow("activation after failed only and back")
            << QStringList{"failed", "all"} << QStringList{"activate"} << 0 << true;
        QTest::newRow("failed only") << none << QStringList{"failed"} << 1 << false;
        QTest::newRow("failed only twice") << none << QStringList{"failed", "failed"} << 1 << false;
        QTest::newRow("failed only and back") << none << QStringList{"failed", "all"} << 2 << true;
        QTest::newRow("back and forth twice") << none << QStringList{"failed", "all", "failed", "all"} << 4 << true;
        QTest::newRow("a type both files hold hidden") << none << QStringList{"hide"} << 1 << false;
        QTest::newRow("reload") << none << QStringList{"reload"} << 1 << true;
    }

    void refreshes()
    {
        // The views are built once by the load; a refresh whose records and
        // filter are those of the views leaves the copies, the view and the
        // tree selection as they are, and a filter change brings the current
        // document back. With nothing filtered out the views
        // show the records' own documents and trees; after any step every
        // tree anchor leads into a shown document, selecting an item moves
        // the view, and the text shown is that of the first load.
        QFETCH(QStringList, before);
        QFETCH(QStringList, steps);
        QFETCH(int, rebuilds);
        QFETCH(bool, shared);
        auto w = window({"campaign.xrd", "regression.xrd"});
        w->resize(600, 400);
        const QString loadedText = w->plainText(QAStViewerWindow::DocumentText);
        const auto run = [&](const QStringList& todo) {
            for (const QString& step : todo) {
                if (step == "activate") {
                    w->activated();
                    w->desactivated();
                } else if (step == "setFiles") {
                    QStringList same = examples({"campaign.xrd", "regression.xrd"});
                    w->setFiles(&same, nullptr, ViewerNormal);
                } else if (step == "failed") {
                    w->failedtests();
                } else if (step == "all") {
                    w->alltests();
                } else if (step == "hide") {
                    w->hideType(QStringLiteral("Check"));
                } else {
                    w->reload();
                }
            }
        };
        run(before);
        const QAReporterData* copy = w->reportSession()->shownList()->at(1);
        const DDocument* shown = copy->document;
        const QPersistentModelIndex chosen = w->treeModel()->index(0, 0, w->treeModel()->index(1, 0));
        w->treeView()->setCurrentRow(chosen);
        QCOMPARE(w->mainView()->getCurrentDoc(), shown);
        QSignalSpy updated(w.get(), &QAReporter::viewUpdated);
        run(steps);
        QCOMPARE(updated.count(), rebuilds);
        if (rebuilds == 0) {
            QCOMPARE(w->reportSession()->shownList()->at(1), copy);
            QCOMPARE(w->mainView()->getCurrentDoc(), shown);
            QCOMPARE(w->treeView()->currentRow(), QModelIndex(chosen));
        } else {
            // A freed copy's address may be reused by the new one, so only the
            // signal count above tells a rebuild; the view must show the new copy,
            // a reload included (it keeps the current row, in the second file).
            QCOMPARE(w->mainView()->getCurrentDoc(), w->reportSession()->shownList()->at(1)->document);
        }

        const QAReporterFilteredList* list = w->reportSession()->shownList();
        QCOMPARE(list->count(), int(w->reportSession()->records().size()));
        for (int i = 0; i < list->count(); ++i) {
            QCOMPARE(list->isShared(i), shared);
            QCOMPARE(list->at(i) == w->reportSession()->records()[size_t(i)].get(), shared);
            QCOMPARE(w->mainView()->documents().contains(w->reportSession()->records()[size_t(i)]->document), shared);
        }
        if (shared)
            QCOMPARE(w->plainText(QAStViewerWindow::DocumentText), loadedText);

        const QARTreeModel* model = w->treeModel();
        QModelIndexList anchored;
        for (const QModelIndex& row : allRows(*model)) {
            if (DItem* anchor = model->anchor(row)) {
                QVERIFY(w->mainView()->moveTo(anchor));
                anchored << row;
            }
        }
        // Selecting a node of either file brings that file's document.
        QVERIFY(anchored.size() > 1);
        w->treeView()->setCurrentRow(anchored.last());
        QCOMPARE(w->mainView()->getCurrentDoc(), list->at(1)->document);
        w->treeView()->setCurrentRow(anchored.first());
        QCOMPARE(w->mainView()->getCurrentDoc(), list->at(0)->document);
        // Next failure walks the failed rows of the shown tree.
        w->treeView()->setCurrentRow(model->index(0, 0));
        w->nextKO();
        QVERIFY(model->isFailed(w->treeView()->currentRow()));
    }

    // The failed-only flag is shared by every window, and the tool bar's
    // filter button drives it through the active window only.
    void failedOnlyFlag()
    {
        auto a = window({"campaign.xrd"});
        auto b = window({"campaign.xrd"});
        const int allItems = b->treeModel()->rowCount(b->treeModel()->index(0, 0));
        a->failedtests();
        QVERIFY(!failedOnly(b));
        b->activated();
        QVERIFY(failedOnly(b));
        QVERIFY(b->treeModel()->rowCount(b->treeModel()->index(0, 0)) <= allItems);
        b->desactivated();
        // A window loading reports while the flag is on shows failed tests only.
        auto c = window({"smoke.xrd"});
        QVERIFY(failedOnly(c));
        QCOMPARE(c->treeModel()->rowCount(c->treeModel()->index(0, 0)), 0);
        a->alltests();

        auto& w = b;
        w->activated();
        QARToolBar* bar = QAReporterState::currentToolBar();
        QSignalSpy clicked(bar, &QARToolBar::fltClicked);
        // The signal goes out before the shared flag flips.
        bool flagSeen = true;
        connect(bar, &QARToolBar::fltClicked, w.get(), [&] { flagSeen = QAReporterState::failedOnly(); });
        bar->filterButton()->click();
        QCOMPARE(flagSeen, false);
        QVERIFY(QAReporterState::failedOnly() && bar->filterButton()->isChecked() && failedOnly(w));
        bar->filterButton()->click();
        QCOMPARE(flagSeen, true);
        QVERIFY(!QAReporterState::failedOnly() && !bar->filterButton()->isChecked() && !failedOnly(w));
        w->desactivated();
        QVERIFY(!bar->filterButton()->isEnabled());
        bar->filterButton()->click(); // disabled: nothing reaches the window
        QCOMPARE(clicked.count(), 2);
        QVERIFY(!QAReporterState::failedOnly());
    }

    void menuStates_data()
    {
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<bool>("loaded"); // all, failed and print header items enabled
        QTest::newRow("no records") << QStringList() << false;
        QTest::newRow("two files") << QStringList{"campaign.xrd", "regression.xrd"} << true;
    }

    void menuStates()
    {
        QFETCH(QStringList, files);
        QFETCH(bool, loaded);
        auto w = window(files);
        w->activated();
        QCOMPARE(m_host.studio.callsTo("insertMenu"), QStringList{"insertMenu(Test Report)"});
        w->updateToolMenu();
        QARMenu* menu = w->commandsMenu();
        for (int id : {int(QAReporter::AllTestsId), int(QAReporter::FailedTestsId), w->printHeaderItem()})
            QVERIFY2(menu->isItemEnabled(id) == loaded, qPrintable(menu->text(id)));
        if (!loaded)
            QVERIFY(!menu->isItemEnabled(w->defectCommandsItem()));
        for (int id : {int(QAReporter::ReloadId), w->showHeaderItem(), int(QAReporter::GenerateHtmlId)})
            QVERIFY2(menu->isItemEnabled(id), qPrintable(menu->text(id)));
        QVERIFY(menu->isItemChecked(QAReporter::AllTestsId));
        QVERIFY(!menu->isItemChecked(QAReporter::FailedTestsId));
        QCOMPARE(menu->isItemChecked(w->showHeaderItem()), loaded);
        w->desactivated();
    }

    void typeItems()
    {
        auto w = window({"campaign.xrd"});
        const QString type = w->reportSession()->types().first();
        const qsizetype allRowCount = allRows(*w->treeModel()).size();
        QSignalSpy updated(w.get(), &QAReporter::viewUpdated);
        w->hideType(type);
        QCOMPARE(updated.count(), 1);
        QVERIFY(!w->reportSession()->isTypeShown(type));
        // The tree shows no node of the hidden type.
        const QModelIndexList rows = allRows(*w->treeModel());
        QVERIFY(!rows.isEmpty() && rows.size() < allRowCount);
        for (const QModelIndex& row : rows) {
            const QAReporterNode* node = w->treeModel()->node(row);
            QVERIFY(!node || node->type != type);
        }
        // A type hidden before the first menu build stays hidden, the others shown.
        w->activated();
        w->updateToolMenu();
        QARMenu* menu = w->commandsMenu();
        const int id = menu->itemIds().at(2);
        QVERIFY(!menu->isItemChecked(id));
        QVERIFY(w->reportSession()->isTypeShown(w->reportSession()->types().last()));
        updated.clear();
        menu->action(id)->trigger();
        QCOMPARE(updated.count(), 1);
        QVERIFY(w->reportSession()->isTypeShown(type));
        QCOMPARE(allRows(*w->treeModel()).size(), allRowCount);
        // The mark changes only when the menu is built again.
        QVERIFY(!menu->isItemChecked(id));
        w->updateToolMenu();
        const int again = menu->itemIds().at(2);
        QVERIFY(menu->isItemChecked(again));
        menu->action(again)->trigger();
        QVERIFY(!w->reportSession()->isTypeShown(type));
        // Types not seen at the first build start hidden.
        const QStringList known = w->reportSession()->types();
        QStringList more = examples({"campaign.xrd", "inconclusive.xrd"});
        w->setFiles(&more, nullptr, ViewerNormal);
        w->updateToolMenu();
        for (const QString& t : w->reportSession()->types())
            QCOMPARE(w->reportSession()->isTypeShown(t), known.contains(t) && t != type);
        w->desactivated();
    }

    void reloadKeepsTypes()
    {
        auto w = window({"campaign.xrd"});
        const QStringList types = w->reportSession()->types();
        QVERIFY(!types.isEmpty());
        // Replace the file list through a report link, then reload.
        DLink link(QStringLiteral("xrdlink://smoke.xrd"));
        w->resolveLink(&link);
        QVERIFY(w->reportSession()->records().front()->fileName.endsWith(QLatin1String("smoke.xrd")));
        w->reload();
        QCOMPARE(w->reportSession()->fileList().size(), 1);
        QCOMPARE(w->reportSession()->records().size(), size_t(1));
        for (const QString& t : types)
            QVERIFY(w->reportSession()->types().contains(t));
    }

    void find()
    {
        auto w = window({"campaign.xrd"});
        w->find(QStringLiteral("parser"));
        QCOMPARE(w->lastSearch().pattern(), QStringLiteral("parser"));
        QVERIFY(w->mainView()->hasSelectedText());

        QPointer<QAViewerFindDialog> seen;
        int dialogs = 0;
        QAModal::setAnswerer([&](const QAModalRequest& r) {
            if (r.kind == QAModalRequest::Dialog) {
                ++dialogs;
                seen = qobject_cast<QAViewerFindDialog*>(r.dialog);
                seen->lineEdit()->setText(QStringLiteral("check"));
            }
            return QVariant(int(QDialog::Rejected));
        });
        w->find();
        QVERIFY(seen);
        QCOMPARE(seen->objectName(), QStringLiteral("reporter-find-dialog"));
        QCOMPARE(seen->parent(), &m_host.mainWindow);
        QCOMPARE(QAReporterState::findDialog(), seen.data());
        QCOMPARE(w->lastSearch().pattern(), QStringLiteral("check"));
        // The next search of any window replaces the one dialog.
        window()->find(QStringLiteral("x"));
        QVERIFY(!seen);
        // Without a host main window no dialog is made.
        m_host.studio.setMainWindow(nullptr);
        w->find();
        QCOMPARE(dialogs, 1);
        QVERIFY(!QAReporterState::findDialog());
        answerNothing();
    }

    void links_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<QStringList>("opened");
        QTest::addColumn<QString>("loaded"); // file list afterwards; empty: unchanged
        const auto open = [](const QString& t) { return QStringList{"openSourceFile(" + t + ",3,true)"}; };
        QTest::newRow("web") << "http://example.org/a" << open("http://example.org/a") << "";
        QTest::newRow("source outside any node") << "src/nowhere.c line 42" << open("src/nowhere.c line 42") << "";
        // A link of the report: its script node gives the base.
        QTest::newRow("source in a node with a base")
            << "src/parser.c line 42" << open("/home/ci/libtext/src/parser.c line 42") << "";
        QTest::newRow("empty") << "" << open("") << "";
        QTest::newRow("bare prefix") << "xrdlink://" << QStringList() << "";
        QTest::newRow("anchor only") << "xrdlink://#T12" << QStringList() << "";
        QTest::newRow("report, relative to the first record") << "xrdlink://regression.xrd#T12" << QStringList()
                                                              << QStringLiteral(KORVAT_EXAMPLES "/regression.xrd");
    }

    void links()
    {
        QFETCH(QString, target);
        QFETCH(QString, loaded);
        auto w = window({"campaign.xrd"});
        const QStringList files = w->reportSession()->fileList();
        DLink* link = nullptr; // the report's own link when it holds this target
        for (DItem* i = w->reportSession()->shownList()->at(0)->document; i && !link; i = i->nextInDocument(nullptr)) {
            if (DLink* l = i->toLink(); l && l->target() == target)
                link = l;
        }
        DLink own(target);
        m_host.studio.calls.clear();
        w->resolveLink(link ? link : &own);
        QTEST(m_host.studio.callsTo("openSourceFile"), "opened");
        QCOMPARE(w->reportSession()->fileList(), loaded.isEmpty() ? files : QStringList{loaded});
        // With nothing loaded there is no first record: no link loads a report.
        auto empty = window();
        empty->resolveLink(&own);
        QVERIFY(empty->reportSession()->fileList().isEmpty());
    }

    void everyDocumentOfAFileShown()
    {
        // Two documents one after the other, the first long enough to scroll.
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("twodocs.xrd"));
        QVERIFY(TestFiles::writeFile(file, "<?xml version=\"1.0\"?>\n<XROD><DOCUMENT name=\"first\">"
                                           "<XROD:NODE name=\"one\" type=\"TestCase\" state=\"ok\" sum=\"1\">"
                                           + QByteArray("<P>First document.</P>").repeated(80)
                                           + "</XROD:NODE></DOCUMENT><DOCUMENT name=\"second\">"
                                             "<XROD:NODE name=\"two\" type=\"TestCase\" state=\"ko\" sum=\"1\">"
                                             "<P>Second document.</P></XROD:NODE></DOCUMENT></XROD>\n"));

        auto w = window({file});
        w->resize(400, 300);
        QCOMPARE(w->mainView()->documents().size(), 2);
        const QString text = w->plainText(QAStViewerWindow::DocumentText);
        QVERIFY(text.contains(QStringLiteral("First document.")));
        QVERIFY(text.endsWith(QStringLiteral("Second document.")));
        QCOMPARE(w->mainView()->getCurrentDoc()->name(), QStringLiteral("first"));

        // Selecting a node of the second document moves the view to it.
        const QModelIndexList two = w->treeModel()->match(w->treeModel()->index(0, 0), Qt::DisplayRole,
                                                          QStringLiteral("two"), -1,
                                                          Qt::MatchExactly | Qt::MatchRecursive);
        QCOMPARE(two.size(), 1);
        w->treeView()->setCurrentRow(two.front());
        QCOMPARE(w->mainView()->getCurrentDoc()->name(), QStringLiteral("second"));
        // The failed-only copy shows the second document as well.
        w->failedtests();
        QVERIFY(w->plainText(QAStViewerWindow::DocumentText).contains(QStringLiteral("Second document.")));
    }

    void activationAndClose()
    {
        auto w = window({"campaign.xrd"});
        QSignalSpy state(w.get(), &QAStudioWindow::stateChanged);
        w->activated();
        QCOMPARE(state.count(), 1);
        QVERIFY(w->isActivated());
        const int id = w->commandsMenuId();
        QVERIFY(id != -1);
        QCOMPARE(m_host.studio.insertedMenu(id), w->commandsMenu());
        w->close();
        QCOMPARE(m_host.studio.callsTo("removeMenu"), QStringList{QStringLiteral("removeMenu(%1)").arg(id)});
        QCOMPARE(w->commandsMenuId(), -1);
        QVERIFY(w->commandsMenu()->actions().isEmpty());
        QVERIFY(!QAReporterState::currentToolBar()->nextButton()->isEnabled());
    }

    // Save-as offers every record, in load order, and leaves the window as it was.
    void saveAsOffersEveryRecord()
    {
        QTemporaryDir dir;
        auto w = window({"campaign.xrd", "smoke.xrd"});
        const QString shown = w->plainText(QAStViewerWindow::DocumentText);
        QStringList captions;
        QAModal::setAnswerer([&](const QAModalRequest& request) -> QVariant {
            captions << request.caption;
            return dir.filePath(QString::number(captions.size()));
        });
        w->saveAs();
        answerNothing();
        QCOMPARE(captions, (QStringList{"Save campaign.xrd Report As", "Save smoke.xrd Report As"}));
        QVERIFY(QFile::exists(dir.filePath("2"))); // what is copied: tst_qareportersaveas
        QCOMPARE(w->reportSession()->fileList(), examples({"campaign.xrd", "smoke.xrd"}));
        QCOMPARE(w->plainText(QAStViewerWindow::DocumentText), shown);
    }

    // Both defect entries reach the submission with the selected item.
    // The tree's context menu names the defect entry after the row's verdict,
    // offers it on node rows only, and "Go to" moves the report view to the
    // row's text.
    void contextMenuEntries_data()
    {
        QTest::addColumn<QString>("row"); // file, passed or failed (all in the second file)
        QTest::addColumn<QString>("label");
        QTest::addColumn<bool>("defect");
        QTest::newRow("file row") << "file" << "&Submit Merrow Report" << false;
        QTest::newRow("passed node") << "passed" << "&Submit Merrow Report" << true;
        QTest::newRow("failed node") << "failed" << "&Submit Merrow Defect Report" << true;
    }

    void contextMenuEntries()
    {
        QFETCH(QString, row);
        auto w = window({"smoke.xrd", "campaign.xrd"});
        const QARTreeModel* model = w->treeModel();
        const QModelIndex file = model->index(1, 0);
        QModelIndex chosen = row == "file" ? file : QModelIndex();
        for (const QModelIndex& index : allRows(*model)) {
            if (chosen.isValid())
                break;
            if (index.parent().isValid() && model->filePath(index) == file.data(Qt::ToolTipRole).toString()
                && model->node(index)->state == (row == "failed" ? "ko" : "ok") && model->anchor(index))
                chosen = index;
        }
        QVERIFY(chosen.isValid());
        const QString firstDocument = w->mainView()->getCurrentDoc()->name();

        QARPopupMenu* menu = w->contextPopup();
        w->contextMenu(chosen, QPoint(10, 10), 0);
        QCOMPARE(menu->item(), chosen);
        QTEST(menu->text(w->defectContextItem()), "label");
        QTEST(menu->isItemEnabled(w->defectContextItem()), "defect");
        menu->hide();
        menu->action(w->gotoContextItem())->trigger();
        QCOMPARE(w->mainView()->getCurrentDoc(), w->reportSession()->shownList()->at(1)->document);
        QVERIFY(w->mainView()->getCurrentDoc()->name() != firstDocument);

        // Over empty space no menu opens and the remembered row is dropped.
        w->contextMenu(QModelIndex(), QPoint(10, 10), 0);
        QVERIFY(!menu->item().isValid());
        QVERIFY(!menu->isVisible());
    }

    void defectEntriesSubmit_data()
    {
        QTest::addColumn<bool>("contextMenu");
        QTest::newRow("commands menu") << false;
        QTest::newRow("context menu") << true;
    }

    void defectEntriesSubmit()
    {
        QFETCH(bool, contextMenu);
        FakeDefectClient client;
        m_host.studio.setDefectClient(&client);
        m_host.studio.setProductName(QStringLiteral("Studio"));
        auto w = window({"campaign.xrd"});
        w->setNode(nodeData{QStringLiteral("suite.case"), nullptr});
        w->activated();
        const QModelIndex failed = ReportTrees::firstFailedLeaf(*w->treeModel());
        QVERIFY(failed.isValid());
        w->treeView()->setCurrentRow(failed);
        QCOMPARE(w->selectedItem(), failed);
        if (contextMenu) {
            QVERIFY(w->contextPopup()->isItemEnabled(w->defectContextItem()));
            w->contextPopup()->action(w->defectContextItem())->trigger();
        } else {
            w->updateToolMenu();
            QCOMPARE(w->commandsMenu()->text(w->defectCommandsItem()), QStringLiteral("&Submit Merrow Defect Report"));
            w->commandsMenu()->action(w->defectCommandsItem())->trigger();
        }
        w->desactivated();
        m_host.studio.setDefectClient(nullptr);
        QCOMPARE(client.calls.size(), 5);
        QCOMPARE(client.calls.at(1),
                 "setHeadLine(Studio:suite.case:campaign.xrd:" + failed.data().toString().toLocal8Bit() + ')');
        QCOMPARE(client.calls.at(3), "addFileAttachment(" + example("campaign.xrd").toLocal8Bit() + ",Report File)");
    }
};

QTEST_MAIN(TestReporter)
#include "tst_qareporter.moc"
