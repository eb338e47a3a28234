#include "korvatreporter/data/qareporterdata.h"
#include "korvatreporter/data/qarlistview.h"
#include "korvatreporter/document/qareporterfilter.h"
#include "korvatreporter/document/qareporterfilteredlist.h"
#include "korvatreporter/prefs/qareporterpref.h"
#include "korvatreporter/prefs/qareporterprefgeneral.h"
#include "korvatreporter/window/qareporter.h"
#include "korvatreporter/window/qareporterstate.h"
#include "korvatreporter/window/qarmenu.h"
#include "korvatreporter/window/qarpopupmenu.h"
#include "korvatreporter/window/qartoolbar.h"
#include "rendoc/ddocument.h"
#include "rendoc/ditems.h"
#include "sdk/qamodal.h"
#include "sdk/qaviewerfinddialog.h"
#include "tests/support/fakestudio.h"

#include <QBuffer>
#include <QLineEdit>
#include <QMainWindow>
#include <QSignalSpy>
#include <QStatusBar>
#include <QtTest>

#include <memory>

// Report windows on the example reports, driven through their slots with a
// fake host that has a main window.
class TestReporter : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
    void captionCounts();
    void headerForSeveralFiles_data();
    void headerForSeveralFiles();
    void summaryOutput_data();
    void summaryOutput();
    void nodeCaption_data();
    void nodeCaption();
    void allTestsTwiceDoesNothing();
    void failedOnlySharedBetweenWindows();
    void filterButtonSwitchesActiveWindow();
    void menuWithoutRecords();
    void menuItemsAndTips_data();
    void menuItemsAndTips();
    void typeUncheckAndLateType();
    void hideTypeBeforeMenu();
    void reloadKeepsTypes();
    void currentDocumentRestored();
    void findWithoutMainWindow();
    void findWithTextAndDialog();
    void links_data();
    void links();
    void reportLinkLoadsRelative();
    void sourceLinkTakesNodeBase();
    void outlineText();
    void activationAndClose();
    void screenshot();

private:
    std::unique_ptr<QAReporter> window(const QStringList& files = {});
    static QString example(const char* name)
    {
        return QStringLiteral(KORVAT_EXAMPLES "/") + QLatin1String(name);
    }

    FakeStudio m_studio;
    QMainWindow m_host;
    std::unique_ptr<QAReporterPref> m_pref;
};

void TestReporter::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    m_studio.setMainWindow(&m_host);
    m_studio.setInstallDirectory(QStringLiteral(KORVAT_EXAMPLES "/.."));
    m_pref = std::make_unique<QAReporterPref>(&m_studio);
    QAReporterPref::setInstance(m_pref.get());
    QAReporterState::setSharedToolBar(new QARToolBar(QStringLiteral("bar"), &m_host));
    // Unreadable-file messages and dialogs are answered, never shown.
    QAModal::setAnswerer([](const QAModalRequest&) { return QVariant(); });
}

void TestReporter::init()
{
    QAReporterState::setFailedOnly(false);
    m_studio.setMainWindow(&m_host);
    m_studio.calls.clear();
}

void TestReporter::cleanup()
{
    QAReporterState::setFailedOnly(false);
}

std::unique_ptr<QAReporter> TestReporter::window(const QStringList& files)
{
    auto w = std::make_unique<QAReporter>(QStringLiteral("Test Report"), QPixmap());
    if (!files.isEmpty()) {
        QStringList list = files;
        w->setFiles(&list, nullptr, ViewerNormal);
    }
    return w;
}

void TestReporter::captionCounts()
{
    const int before = QAReporterState::windowCounter();
    {
        auto a = window();
        auto b = window();
        QCOMPARE(a->windowTitle(), QStringLiteral("Test Report [%1]").arg(before + 1));
        QCOMPARE(b->windowTitle(), QStringLiteral("Test Report [%1]").arg(before + 2));
        QCOMPARE(QAReporterState::windows()->size(), 2);
    }
    QCOMPARE(QAReporterState::windows()->size(), 0);
    auto c = window();
    QCOMPARE(c->windowTitle(), QStringLiteral("Test Report [%1]").arg(before + 3));

    // Without a host main window the caption is the title alone, the count
    // stays and the window has its own tool bar.
    m_studio.setMainWindow(nullptr);
    auto d = window();
    QCOMPARE(d->windowTitle(), QStringLiteral("Test Report"));
    QCOMPARE(QAReporterState::windowCounter(), before + 3);
    QVERIFY(d->ownToolBar());
    QVERIFY(!c->ownToolBar());
}

void TestReporter::headerForSeveralFiles_data()
{
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<bool>("header");
    QTest::addColumn<int>("summaryRows");
    QTest::newRow("none") << QStringList() << false << 0;
    QTest::newRow("one") << QStringList{example("smoke.xrd")} << false << 3;
    QTest::newRow("two") << QStringList{example("campaign.xrd"), example("regression.xrd")}
                         << true << 4;
    QTest::newRow("missing and one") << QStringList{example("nothere.xrd"), example("smoke.xrd")}
                                     << false << 3;
}

void TestReporter::headerForSeveralFiles()
{
    QFETCH(QStringList, files);
    QFETCH(bool, header);
    QFETCH(int, summaryRows);
    auto w = window(files);
    QCOMPARE(w->headerShown(), header);
    QCOMPARE(!w->headerDock()->isHidden(), header);
    const QString summary = w->plainText(QAStViewerWindow::SummaryText);
    QCOMPARE(int(summary.count(QLatin1Char('\n'))), summaryRows);
    QCOMPARE(w->treeView()->topLevelItemCount(), int(w->records().size()));
}

void TestReporter::summaryOutput_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("node");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("mode 5")
        << 5 << QString() << QByteArray("\t[5] Test Case Passed\n\t[2] Test Case Failed\n");
    QTest::newRow("mode 5 node") << 5 << QStringLiteral("a.b.c")
                                 << QByteArray("TestNode: a.b.c\n\t[5] Test Case Passed\n"
                                               "\t[2] Test Case Failed\n");
    QTest::newRow("mode 0") << 0 << QStringLiteral("a.b.c") << QByteArray();
}

void TestReporter::summaryOutput()
{
    QFETCH(int, mode);
    QFETCH(QString, node);
    QFETCH(QByteArray, expected);
    QBuffer sink;
    sink.open(QIODevice::WriteOnly);
    QAReporterState::setSummarySink(&sink);
    auto w = window();
    if (!node.isNull())
        w->setNode(nodeData{node, nullptr});
    QStringList files{example("campaign.xrd")};
    w->setFiles(&files, nullptr, ViewerMode(mode));
    QAReporterState::setSummarySink(nullptr);
    QCOMPARE(sink.data(), expected);
}

void TestReporter::nodeCaption_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("caption");
    QTest::newRow("dotted") << "a.b.c" << "Test Report [c]";
    QTest::newRow("no dot") << "abc" << "Test Report [abc]";
    QTest::newRow("empty") << "" << "";
}

void TestReporter::nodeCaption()
{
    QFETCH(QString, text);
    QFETCH(QString, caption);
    auto w = window();
    const QString before = w->windowTitle();
    QSignalSpy spy(w.get(), &QAStudioWindow::captionChanged);
    w->setNode(nodeData{text, nullptr});
    QCOMPARE(w->windowTitle(), caption.isEmpty() ? before : caption);
    QCOMPARE(spy.count(), caption.isEmpty() ? 0 : 1);
}

void TestReporter::allTestsTwiceDoesNothing()
{
    auto w = window({example("campaign.xrd")});
    QSignalSpy updated(w.get(), &QAReporter::viewUpdated);
    w->alltests();
    QCOMPARE(updated.count(), 0);
    w->failedtests();
    QCOMPARE(updated.count(), 1);
    QVERIFY(QAReporterState::failedOnly());
    QVERIFY(w->filter()->isSet(QAReporterFilter::StateMatch));
    w->failedtests();
    QCOMPARE(updated.count(), 1);
    w->alltests();
    QCOMPARE(updated.count(), 2);
    QVERIFY(!w->filter()->isSet(QAReporterFilter::StateMatch));
}

void TestReporter::failedOnlySharedBetweenWindows()
{
    auto a = window({example("campaign.xrd")});
    auto b = window({example("campaign.xrd")});
    const int allItems = b->treeView()->topLevelItem(0)->childCount();
    a->failedtests();
    QVERIFY(!b->filter()->isSet(QAReporterFilter::StateMatch));
    b->activated();
    QVERIFY(b->filter()->isSet(QAReporterFilter::StateMatch));
    QVERIFY(b->treeView()->topLevelItem(0)->childCount() <= allItems);
    // A window loading reports while the flag is on shows failed tests only.
    auto c = window({example("smoke.xrd")});
    QVERIFY(c->filter()->isSet(QAReporterFilter::StateMatch));
    QCOMPARE(c->treeView()->topLevelItem(0)->childCount(), 0);
}

void TestReporter::filterButtonSwitchesActiveWindow()
{
    auto w = window({example("campaign.xrd")});
    w->activated();
    QARToolBar* bar = QAReporterState::currentToolBar();
    QVERIFY(bar);
    QVERIFY(bar->filterButton()->isEnabled());
    bar->filterButton()->click();
    QVERIFY(QAReporterState::failedOnly());
    QVERIFY(w->filter()->isSet(QAReporterFilter::StateMatch));
    QVERIFY(bar->filterButton()->isChecked());
    bar->filterButton()->click();
    QVERIFY(!QAReporterState::failedOnly());
    QVERIFY(!w->filter()->isSet(QAReporterFilter::StateMatch));
    QVERIFY(!bar->filterButton()->isChecked());
    w->desactivated();
    QVERIFY(!bar->filterButton()->isEnabled());
    bar->filterButton()->click(); // disabled: nothing reaches the window
    QVERIFY(!QAReporterState::failedOnly());
}

void TestReporter::menuWithoutRecords()
{
    auto w = window();
    w->activated();
    QARMenu* menu = w->commandsMenu();
    QVERIFY(menu);
    w->updateToolMenu();
    QVERIFY(!menu->isItemEnabled(QAReporter::AllTestsId));
    QVERIFY(!menu->isItemEnabled(QAReporter::FailedTestsId));
    QVERIFY(!menu->isItemEnabled(w->defectCommandsItem()));
    QVERIFY(menu->isItemEnabled(QAReporter::ReloadId));
    QVERIFY(menu->isItemEnabled(w->showHeaderItem()));
    QVERIFY(menu->isItemEnabled(QAReporter::GenerateHtmlId));
    QVERIFY(!menu->isItemEnabled(w->printHeaderItem()));
    w->desactivated();
}

void TestReporter::menuItemsAndTips_data()
{
    QTest::addColumn<int>("which"); // fixed id, or -1 for the first type, -2 print header
    QTest::addColumn<QString>("tip");
    QTest::newRow("all") << 100 << "Display complete report";
    QTest::newRow("failed") << 101 << "Display failed tests only";
    QTest::newRow("reload") << 102 << "Reload the current report";
    QTest::newRow("html") << 105 << "Generate the viewer's content to a HTML file";
    QTest::newRow("type") << -1 << "Show or hide %1";
    QTest::newRow("print header") << -2 << "Show or hide Print Header";
}

void TestReporter::menuItemsAndTips()
{
    QFETCH(int, which);
    QFETCH(QString, tip);
    auto w = window({example("campaign.xrd"), example("regression.xrd")});
    w->activated();
    QCOMPARE(m_studio.callsTo("insertMenu"), QStringList{"insertMenu(Test Report)"});
    w->updateToolMenu();
    QARMenu* menu = w->commandsMenu();
    QVERIFY(menu->isItemChecked(QAReporter::AllTestsId));
    QVERIFY(!menu->isItemChecked(QAReporter::FailedTestsId));
    QVERIFY(menu->isItemChecked(w->showHeaderItem()));
    QVERIFY(menu->isItemEnabled(w->printHeaderItem()));
    int id = which;
    if (which == -1) {
        id = menu->itemIds().at(2);
        tip = tip.arg(w->types().first());
        QCOMPARE(menu->text(id), w->types().first());
    } else if (which == -2) {
        id = w->printHeaderItem();
    }
    Q_EMIT menu->action(id)->hovered();
    QCOMPARE(m_host.statusBar()->currentMessage(), tip);
    w->desactivated();
}

void TestReporter::typeUncheckAndLateType()
{
    auto w = window({example("campaign.xrd")});
    w->activated();
    w->updateToolMenu();
    QARMenu* menu = w->commandsMenu();
    const QString type = w->types().first();
    const int id = menu->itemIds().at(2);
    QSignalSpy updated(w.get(), &QAReporter::viewUpdated);
    menu->action(id)->trigger();
    QCOMPARE(updated.count(), 1);
    QVERIFY(!w->isTypeShown(type));
    QCOMPARE(w->filter()->typePatterns().size(), 1);
    // The mark changes only when the menu is built again.
    QVERIFY(menu->isItemChecked(id));
    w->updateToolMenu();
    const int again = menu->itemIds().at(2);
    QVERIFY(!menu->isItemChecked(again));
    menu->action(again)->trigger();
    QVERIFY(w->isTypeShown(type));
    QCOMPARE(w->filter()->typePatterns().size(), 0);

    // A report with types not seen at the first build: they start hidden.
    const QStringList known = w->types();
    QStringList more{example("campaign.xrd"), example("inconclusive.xrd")};
    w->setFiles(&more, nullptr, ViewerNormal);
    w->updateToolMenu();
    for (const QString& t : w->types())
        QCOMPARE(w->isTypeShown(t), known.contains(t));
    w->desactivated();
}

void TestReporter::hideTypeBeforeMenu()
{
    auto w = window({example("campaign.xrd")});
    const QString type = w->types().first();
    QSignalSpy updated(w.get(), &QAReporter::viewUpdated);
    w->hideType(type);
    QCOMPARE(updated.count(), 1);
    QVERIFY(!w->isTypeShown(type));
    QCOMPARE(w->filter()->typePatterns().size(), 1);
    // The first menu build keeps it hidden and the others shown.
    w->activated();
    w->updateToolMenu();
    QVERIFY(!w->commandsMenu()->isItemChecked(w->commandsMenu()->itemIds().at(2)));
    QVERIFY(w->isTypeShown(w->types().last()));
    w->desactivated();
}

void TestReporter::reloadKeepsTypes()
{
    auto w = window({example("campaign.xrd")});
    const QStringList types = w->types();
    QVERIFY(!types.isEmpty());
    // Replace the file list through a report link, then reload.
    DLink link(QStringLiteral("xrdlink://smoke.xrd"));
    w->resolveLink(&link);
    QCOMPARE(w->records().size(), size_t(1));
    QVERIFY(w->records().front()->fileName.endsWith(QLatin1String("smoke.xrd")));
    for (const QString& t : types)
        QVERIFY(w->types().contains(t));
    w->reload();
    QCOMPARE(w->fileList().size(), 1);
    QCOMPARE(w->records().size(), size_t(1));
    for (const QString& t : types)
        QVERIFY(w->types().contains(t));
}

void TestReporter::currentDocumentRestored()
{
    auto w = window({example("campaign.xrd"), example("regression.xrd")});
    w->resize(600, 400);
    const QString second = w->filteredList()->at(1)->document->name();
    QVERIFY(w->mainView()->moveTo(QString(), QString(), second));
    QCOMPARE(w->mainView()->getCurrentDoc()->name(), second);
    w->failedtests();
    QCOMPARE(w->mainView()->getCurrentDoc()->name(), second);
    w->alltests();
    QCOMPARE(w->mainView()->getCurrentDoc()->name(), second);
}

void TestReporter::findWithoutMainWindow()
{
    auto w = window({example("campaign.xrd")});
    m_studio.setMainWindow(nullptr);
    int asked = 0;
    QAModal::setAnswerer([&](const QAModalRequest& r) {
        asked += r.kind == QAModalRequest::Dialog;
        return QVariant();
    });
    w->find();
    QCOMPARE(asked, 0);
    QVERIFY(!QAReporterState::findDialog());
    QAModal::setAnswerer([](const QAModalRequest&) { return QVariant(); });
}

void TestReporter::findWithTextAndDialog()
{
    auto w = window({example("campaign.xrd")});
    w->find(QStringLiteral("parser"));
    QCOMPARE(w->lastSearch().pattern(), QStringLiteral("parser"));
    QVERIFY(w->mainView()->hasSelectedText());

    QPointer<QAViewerFindDialog> seen;
    QAModal::setAnswerer([&](const QAModalRequest& r) {
        if (r.kind == QAModalRequest::Dialog) {
            seen = qobject_cast<QAViewerFindDialog*>(r.dialog);
            seen->lineEdit()->setText(QStringLiteral("check"));
        }
        return QVariant(int(QDialog::Rejected));
    });
    w->find();
    QVERIFY(seen);
    QCOMPARE(seen->objectName(), QStringLiteral("reporter-find-dialog"));
    QCOMPARE(seen->parent(), &m_host);
    QCOMPARE(QAReporterState::findDialog(), seen.data());
    QCOMPARE(w->lastSearch().pattern(), QStringLiteral("check"));
    // The next search of any window replaces the dialog.
    auto other = window();
    other->find(QStringLiteral("x"));
    QVERIFY(!seen);
    QAModal::setAnswerer([](const QAModalRequest&) { return QVariant(); });
}

void TestReporter::links_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<QStringList>("opened");
    QTest::newRow("web") << "http://example.org/a" << QStringList{"openSourceFile(http://example.org/a,3,true)"};
    QTest::newRow("source without node")
        << "src/nowhere.c line 42" << QStringList{"openSourceFile(src/nowhere.c line 42,3,true)"};
    QTest::newRow("empty") << "" << QStringList{"openSourceFile(,3,true)"};
    QTest::newRow("bare prefix") << "xrdlink://" << QStringList();
    QTest::newRow("anchor only") << "xrdlink://#T12" << QStringList();
}

void TestReporter::links()
{
    QFETCH(QString, target);
    QFETCH(QStringList, opened);
    auto w = window({example("campaign.xrd")});
    const QStringList files = w->fileList();
    m_studio.calls.clear();
    DLink link(target);
    w->resolveLink(&link);
    QCOMPARE(m_studio.callsTo("openSourceFile"), opened);
    QCOMPARE(w->fileList(), files);
}

void TestReporter::reportLinkLoadsRelative()
{
    auto w = window({example("campaign.xrd")});
    DLink link(QStringLiteral("xrdlink://regression.xrd#T12"));
    w->resolveLink(&link);
    QCOMPARE(w->fileList(), QStringList{QStringLiteral(KORVAT_EXAMPLES) + QDir::separator()
                                        + "regression.xrd"});
    QCOMPARE(w->records().size(), size_t(1));

    // Relative link with nothing loaded: nothing happens.
    auto empty = window();
    DLink relative(QStringLiteral("xrdlink://regression.xrd"));
    empty->resolveLink(&relative);
    QVERIFY(empty->fileList().isEmpty());

}

void TestReporter::sourceLinkTakesNodeBase()
{
    auto w = window({example("campaign.xrd")});
    DLink* link = nullptr;
    DDocument* doc = w->filteredList()->at(0)->document;
    for (DItem* i = doc; i && !link; i = i->nextInDocument(nullptr)) {
        if (DLink* l = i->toLink(); l && l->target() == QLatin1String("src/parser.c line 42"))
            link = l;
    }
    QVERIFY(link);
    QVERIFY(w->findLinkNode(link));
    m_studio.calls.clear();
    w->resolveLink(link);
    QCOMPARE(m_studio.callsTo("openSourceFile"),
             QStringList{"openSourceFile(/home/ci/libtext/src/parser.c line 42,3,true)"});
}

void TestReporter::outlineText()
{
    auto w = window({example("smoke.xrd")});
    const QStringList lines = w->plainText(QAStViewerWindow::OutlineText).split('\n', Qt::SkipEmptyParts);
    QVERIFY(lines.size() > 1);
    QCOMPARE(lines.first(), QStringLiteral("smoke.xrd"));
    QVERIFY2(lines.at(1).startsWith(QLatin1String("  ok  "))
                 || lines.at(1).startsWith(QLatin1String("  --  ")),
             qPrintable(lines.at(1)));
}

void TestReporter::activationAndClose()
{
    auto w = window({example("campaign.xrd")});
    QSignalSpy state(w.get(), &QAStudioWindow::stateChanged);
    w->activated();
    QCOMPARE(state.count(), 1);
    QVERIFY(w->isActivated());
    const int id = w->commandsMenuId();
    QVERIFY(id != -1);
    QCOMPARE(m_studio.insertedMenu(id), w->commandsMenu());
    w->close();
    QCOMPARE(m_studio.callsTo("removeMenu"), QStringList{QStringLiteral("removeMenu(%1)").arg(id)});
    QCOMPARE(w->commandsMenuId(), -1);
    QVERIFY(w->commandsMenu()->actions().isEmpty());
    QVERIFY(!QAReporterState::currentToolBar()->nextButton()->isEnabled());
}

void TestReporter::screenshot()
{
    auto w = window({example("campaign.xrd"), example("regression.xrd")});
    auto* outline = w->contentOutlineWidget();
    w->resize(800, 600);
    w->show();
    outline->resize(300, 600);
    outline->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    QVERIFY(w->grab().save(QStringLiteral("/tmp/window-report.png")));
    QVERIFY(outline->grab().save(QStringLiteral("/tmp/window-outline.png")));
}

QTEST_MAIN(TestReporter)
#include "tst_qareporter.moc"
