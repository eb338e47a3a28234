// The report window's commands: the Commands menu and its node types, the
// tool bar wiring on activation, printing, copying, searching, saving and
// exporting. The window's other parts are in qareporter.cpp.

#include "korvatreporter/window/qareporter.h"

#include "korvatreporter/data/qareporterdata.h"
#include "korvatreporter/export/qareportersaveas.h"
#include "korvatreporter/session/qareportsession.h"
#include "korvatreporter/window/qareporterstate.h"
#include "korvatreporter/window/qarcomparewith.h"
#include "korvatreporter/window/qarhistorydock.h"
#include "korvatreporter/window/qarfailuresdock.h"
#include "korvatreporter/window/qarmenu.h"
#include "korvatreporter/window/qartoolbar.h"
#include "korvatreporter/window/qartreefilterline.h"
#include "korvatreporter/export/qareporterdocumentexport.h"
#include "rendoc/model/ddocument.h"
#include "sdk/qaexporthtmldialog.h"
#include "sdk/getpix.h"
#include "sdk/qamodal.h"
#include "sdk/qastudiointerface.h"
#include "sdk/qaviewerfinddialog.h"

#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QGuiApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QStatusBar>

#include <functional>
#include <utility>

#include "korvatreporter/window/images/reload.xpm"

void QAReporter::createCommandsMenu()
{
    m_commandsMenu = new QARMenu(this);
    createCommandKeys();
    connect(m_commandsMenu, &QMenu::aboutToShow, this, &QAReporter::updateToolMenu);
    connect(m_commandsMenu, &QARMenu::activated, this, [this](int id) {
        switch (id) {
        case AllTestsId:
            alltests();
            return;
        case FailedTestsId:
            failedtests();
            return;
        case ReloadId:
            reload();
            return;
        case GenerateHtmlId:
            exportDoc();
            return;
        default:
            break;
        }
        if (id == m_showHeaderItem)
            showDock(id);
        else if (id == m_printHeaderItem)
            printHeader();
        else if (id == m_compareItem)
            m_compare->chooseAndCompare();
        else if (id == m_newFailuresItem)
            m_compare->setNewFailuresOnly(!m_compare->newFailuresOnly());
        else if (id == m_historyItem)
            m_historyDock->setVisible(!m_historyDock->isVisible());
        else if (id == m_failuresItem)
            toggleFailures();
        else if (id == m_defectCommandsItem)
            submitMerrow();
        else
            typeCheck(id);
    });
}

void QAReporter::updateToolMenu()
{
    QARMenu *menu = m_commandsMenu;
    if (!menu)
        return;
    menu->clearItems();
    m_session->settleTypes();

    const bool failedOnly = QAReporterState::failedOnly();
    const bool noRecords = m_session->records().empty();
    menu->insertItem(tr("All Test Results"), AllTestsId);
    menu->setItemChecked(AllTestsId, !failedOnly);
    menu->insertItem(tr("Failed Tests Only"), FailedTestsId);
    menu->setItemChecked(FailedTestsId, failedOnly);
    if (noRecords) {
        menu->setItemEnabled(AllTestsId, false);
        menu->setItemEnabled(FailedTestsId, false);
    }

    menu->insertSeparator();
    for (const QString &type : m_session->types()) {
        const int id = menu->insertItem(type);
        menu->setItemChecked(id, m_session->isTypeShown(type));
    }

    menu->insertSeparator();
    menu->insertItem(QIcon(GETPIX(QStringLiteral("reload_xpm"), reload_xpm)), tr("Reload"),
                     ReloadId);
    menu->insertSeparator();
    m_showHeaderItem = menu->insertItem(tr("Show header"));
    menu->setItemChecked(m_showHeaderItem, m_headerDock && !m_headerDock->isHidden());
    m_printHeaderItem = menu->insertItem(tr("Print Header"));
    menu->setItemEnabled(m_printHeaderItem, m_headerShown);
    // The run history: a comparison's marks and filter, and the History dock.
    menu->insertSeparator();
    m_compareItem = menu->insertItem(tr("Compare With…"));
    menu->setItemEnabled(m_compareItem, !noRecords);
    m_newFailuresItem = menu->insertItem(tr("New Failures Only"));
    menu->setItemChecked(m_newFailuresItem, m_compare->newFailuresOnly());
    menu->setItemEnabled(m_newFailuresItem, m_compare->isActive());
    m_historyItem = menu->insertItem(tr("History"));
    menu->setItemChecked(m_historyItem, m_historyDock && m_historyDock->isVisible());
    m_failuresItem = menu->insertItem(tr("Failures"));
    menu->setItemChecked(m_failuresItem, m_failuresDock && !m_failuresDock->isHidden());
    connect(menu, &QARMenu::highlighted, this, &QAReporter::highlighted, Qt::UniqueConnection);
    menu->insertSeparator();
    m_defectCommandsItem = menu->insertItem(defectLabel(m_selectedItem));
    menu->setItemEnabled(m_defectCommandsItem,
                         !noRecords && m_selectedItem.parent().isValid());
    menu->insertSeparator();
    menu->insertItem(tr("Export Current Document as HTML..."), GenerateHtmlId);

    // The keys work through the window-level actions made with the menu;
    // here they are only shown beside their items.
    const std::pair<int, QKeySequence> shown[] = {
        {AllTestsId, commandKey(AllTestsId)},           {FailedTestsId, commandKey(FailedTestsId)},
        {ReloadId, commandKey(ReloadId)},               {m_showHeaderItem, commandKey(ShowHeaderKey)},
        {m_printHeaderItem, commandKey(PrintHeaderKey)}, {m_defectCommandsItem, commandKey(DefectKey)},
        {m_failuresItem, commandKey(FailuresKey)},
        {GenerateHtmlId, commandKey(GenerateHtmlId)},
    };
    for (const auto &[id, key] : shown) {
        if (QAction *action = menu->action(id)) {
            action->setShortcut(key);
            action->setShortcutContext(Qt::WidgetShortcut);
        }
    }
}

QKeySequence QAReporter::commandKey(int command)
{
    switch (command) {
    case AllTestsId:
        return QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_A);
    case FailedTestsId:
        return QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F);
    case ReloadId:
        return QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_R);
    case ShowHeaderKey:
        return QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_H);
    case PrintHeaderKey:
        return QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_P);
    case DefectKey:
        return QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_D);
    case GenerateHtmlId:
        return QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_G);
    case FilterTreeKey:
        return QKeySequence(Qt::CTRL | Qt::Key_K);
    case FailuresKey:
        return QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_L);
    default:
        return QKeySequence();
    }
}

void QAReporter::createCommandKeys()
{
    // Window-level actions: the menu's items exist only while it is built,
    // and the keys must work without opening it.
    const std::pair<int, std::function<void()>> commands[] = {
        {AllTestsId, [this] { alltests(); }},
        {FailedTestsId, [this] { failedtests(); }},
        {ReloadId, [this] { reload(); }},
        {ShowHeaderKey, [this] { showDock(m_showHeaderItem); }},
        {PrintHeaderKey, [this] { if (m_headerShown) printHeader(); }},
        {DefectKey, [this] { if (m_selectedItem.parent().isValid()) submitMerrow(); }},
        {GenerateHtmlId, [this] { exportDoc(); }},
        {FilterTreeKey, [this] { if (m_treeFilter) m_treeFilter->focusFilter(); }},
        {FailuresKey, [this] { toggleFailures(); }},
    };
    for (const auto &[command, run] : commands) {
        auto *action = new QAction(this);
        action->setShortcut(commandKey(command));
        connect(action, &QAction::triggered, this, run);
        m_commandKeys.push_back(action);
    }
}

void QAReporter::typeCheck(int id)
{
    if (!QAReporterState::studio() || !m_commandsMenu)
        return;
    const QString text = m_commandsMenu->text(id);
    if (text.isNull())
        return;
    m_session->setTypeShown(text, !m_commandsMenu->isItemChecked(id));
    refresh();
}

void QAReporter::hideType(const QString &type)
{
    m_session->hideType(type);
    refresh();
}

void QAReporter::showDock(int)
{
    if (!QAReporterState::studio() || !m_commandsMenu)
        return;
    if (!m_headerDock->isHidden()) {
        hideHeader();
    } else {
        m_commandsMenu->setItemEnabled(m_printHeaderItem, true);
        showHeaderDock();
        m_headerShown = true;
    }
}

void QAReporter::highlighted(int id)
{
    if (!QAReporterState::studio() || !m_commandsMenu)
        return;
    QString tip;
    switch (id) {
    case AllTestsId:
        tip = tr("Display complete report");
        break;
    case FailedTestsId:
        tip = tr("Display failed tests only");
        break;
    case ReloadId:
        tip = tr("Reload the current report");
        break;
    case GenerateHtmlId:
        tip = tr("Generate the viewer's content to a HTML file");
        break;
    default:
        tip = tr("Show or hide %1", " %1 is the menu item name").arg(m_commandsMenu->text(id));
        break;
    }
    if (QMainWindow *host = QAReporterState::hostMainWindow())
        host->statusBar()->showMessage(tip);
}

void QAReporter::switchFilter()
{
    if (!QAReporterState::failedOnly())
        showFailedTests();
    else
        showAllTests();
}

void QAReporter::alltests()
{
    if (!QAReporterState::failedOnly())
        return;
    QAReporterState::setFailedOnly(false);
    if (QARToolBar *toolBar = QAReporterState::currentToolBar())
        toolBar->setFilterState(false);
    showAllTests();
}

void QAReporter::failedtests()
{
    if (QAReporterState::failedOnly())
        return;
    QAReporterState::setFailedOnly(true);
    if (QARToolBar *toolBar = QAReporterState::currentToolBar())
        toolBar->setFilterState(true);
    showFailedTests();
}

void QAReporter::print()
{
    if (m_mainView)
        m_mainView->print();
}

void QAReporter::printHeader()
{
    if (m_headerShown && m_headerView)
        m_headerView->print();
}

void QAReporter::copy()
{
    if (m_mainView)
        m_mainView->copy();
}

void QAReporter::find()
{
    find(QString());
}

void QAReporter::find(const QString &text)
{
    delete QAReporterState::findDialog();
    QAReporterState::setFindDialog(nullptr);

    if (!text.isNull()) {
        // An empty text repeats the last search (Find Next); with none yet
        // the dialog asks for one.
        if (!text.isEmpty())
            m_lastSearch.setPattern(text);
        if (!m_lastSearch.pattern().isEmpty()) {
            findDialogSearch(m_lastSearch);
            return;
        }
    }

    QMainWindow *host = QAReporterState::hostMainWindow();
    if (!QAReporterState::studio() || !host)
        return;
    // The dialog stays until the next search of any window replaces it.
    QPointer<QAViewerFindDialog> dialog =
        new QAViewerFindDialog(host, "reporter-find-dialog", true);
    QAReporterState::setFindDialog(dialog);
    connect(dialog, &QAViewerFindDialog::search, this, &QAReporter::findDialogSearch);
    // Without a text yet the dialog keeps the options the user last chose.
    if (!m_lastSearch.pattern().isEmpty())
        dialog->setRegExp(m_lastSearch);
    QAModal::exec(dialog);
    if (dialog)
        m_lastSearch = dialog->regExp();
}

void QAReporter::findDialogSearch(const QRegularExpression &expression)
{
    if (!m_mainView)
        return;
    // A search through a large report takes a moment: say so, and say when
    // it found nothing rather than leaving the view as it was in silence.
    QGuiApplication::setOverrideCursor(Qt::BusyCursor);
    const bool found = m_mainView->search(expression);
    QGuiApplication::restoreOverrideCursor();
    if (found)
        followHit();
    if (QMainWindow *host = QAReporterState::hostMainWindow())
        host->statusBar()->showMessage(found ? QString() : tr("Not found: %1").arg(expression.pattern()), 5000);
}

void QAReporter::saveAs()
{
    QStringList sources;
    for (const auto &record : m_session->records())
        sources << record->fileName;
    QAReporterSaveAs(this, QAReporterSaveAs::caption(QAReporterState::studio())).run(sources);
}

void QAReporter::exportDoc()
{
    QAStudioInterface *studio = QAReporterState::studio();
    const QString dir = studio ? studio->exportDirectory() : QStringLiteral(".");
    DDocument* document = m_mainView ? m_mainView->getCurrentDoc() : nullptr;
    const QAReporterDocumentExport documentExport(
        document, dir + QDir::separator() + QStringLiteral("dhtml.cfg"),
        studio ? studio->searchPath() : QString());
    const QString name = document
        ? (document->title().trimmed().isEmpty() ? document->name() : document->title())
        : QString();
    // The dialog is modal: the document it writes cannot change under it.
    QAExportHtmlDialog dialog(
        tr("Exports the current document alone: %1 (no tree outline, no linked reports).")
            .arg(name),
        [&documentExport](const QString& folder, QAExportHtmlDialog& monitors) {
            return documentExport.run(folder, monitors);
        },
        this);
    QAModal::exec(&dialog);
}

void QAReporter::exportHTML(const QString &outDir, const QString &, QAIProgressMonitor *progress,
                            QAILogMonitor *log)
{
    ensureViews();
    m_session->exportHtml(outDir, progress, log);
}

void QAReporter::wireToolBar(bool connectIt)
{
    QARToolBar *toolBar = QAReporterState::currentToolBar();
    if (!toolBar)
        return;
    toolBar->enableButtons(connectIt);
    if (connectIt) {
        connect(toolBar, &QARToolBar::KOsuivClicked, this, &QAReporter::nextKO,
                Qt::UniqueConnection);
        connect(toolBar, &QARToolBar::KOprecClicked, this, &QAReporter::prevKO,
                Qt::UniqueConnection);
        connect(toolBar, &QARToolBar::fltClicked, this, &QAReporter::switchFilter,
                Qt::UniqueConnection);
    } else {
        disconnect(toolBar, &QARToolBar::KOsuivClicked, this, &QAReporter::nextKO);
        disconnect(toolBar, &QARToolBar::KOprecClicked, this, &QAReporter::prevKO);
        disconnect(toolBar, &QARToolBar::fltClicked, this, &QAReporter::switchFilter);
    }
}

void QAReporter::activated()
{
    QAStViewerWindow::activated();
    if (!hasFocus())
        setFocus();

    const bool host = hostHasMainWindow();
    QAReporterState::setCurrentToolBar(host ? QAReporterState::sharedToolBar()
                                            : m_ownToolBar.data());
    wireToolBar(true);

    QAStudioInterface *studio = QAReporterState::studio();
    if (!m_commandsMenu && studio)
        createCommandsMenu();

    QWidget *keysOwner = host ? static_cast<QWidget *>(QAReporterState::hostMainWindow()) : this;
    for (QAction *action : m_commandKeys)
        keysOwner->addAction(action);
    if (host) {
        if (m_commandsMenu)
            m_commandsMenuId = studio->insertMenu(m_title, m_commandsMenu);
    } else if (m_commandsMenuId == -1 && m_commandsMenu) {
        m_commandsMenu->setTitle(tr("&Commands"));
        menuBar()->addMenu(m_commandsMenu);
        m_commandsMenuId = int(menuBar()->actions().size());
    }

    Q_EMIT stateChanged();
    applyCurrentFilter();
}

void QAReporter::desactivated()
{
    QAStViewerWindow::desactivated();
    wireToolBar(false);
    if (QMainWindow *host = QAReporterState::hostMainWindow()) {
        for (QAction *action : m_commandKeys)
            host->removeAction(action);
    }
    if (!hostHasMainWindow())
        QAReporterState::setCurrentToolBar(nullptr);
    QAStudioInterface *studio = QAReporterState::studio();
    if (m_commandsMenuId != -1 && studio)
        studio->removeMenu(m_commandsMenuId);
}

void QAReporter::closeEvent(QCloseEvent *event)
{
    if (QARToolBar *toolBar = QAReporterState::currentToolBar())
        toolBar->enableButtons(false);
    if (isActivated()) {
        QAStudioInterface *studio = QAReporterState::studio();
        if (studio && m_commandsMenuId != -1)
            studio->removeMenu(m_commandsMenuId);
        m_commandsMenuId = -1;
        if (m_commandsMenu)
            m_commandsMenu->clearItems();
    }
    QAStViewerWindow::closeEvent(event);
}
