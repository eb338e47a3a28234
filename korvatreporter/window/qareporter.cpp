#include "korvatreporter/window/qareporter.h"

#include "korvatreporter/data/qareporterdata.h"
#include "korvatreporter/data/qareporterdatatree.h"
#include "korvatreporter/data/qareportertotal.h"
#include "korvatreporter/data/qareporterloader.h"
#include "korvatreporter/data/qareporternode.h"
#include "korvatreporter/document/qareporterfilter.h"
#include "korvatreporter/document/qareporterfilteredlist.h"
#include "korvatreporter/document/qareporterheader.h"
#include "korvatreporter/document/qareporterplaintext.h"
#include "korvatreporter/defect/qareporterdefect.h"
#include "korvatreporter/export/qareporterhtmlexport.h"
#include "korvatreporter/export/qareporterlinklocator.h"
#include "korvatreporter/export/qareporterlinktarget.h"
#include "korvatreporter/export/qareportersaveas.h"
#include "korvatreporter/prefs/qareporterpref.h"
#include "korvatreporter/prefs/qareporterprefgeneral.h"
#include "korvatreporter/prefs/qareporterprefstyles.h"
#include "korvatreporter/window/qareporterstate.h"
#include "korvatreporter/window/qarmenu.h"
#include "korvatreporter/window/qarpopupmenu.h"
#include "korvatreporter/window/qartoolbar.h"
#include "korvatreporter/window/qartreemodel.h"
#include "rendoc/model/ddocument.h"
#include "rendoc/html/dexporthtmldialog.h"
#include "rendoc/model/ditems.h"
#include "rendoc/view/drendocview.h"
#include "rendoc/html/qaviewerhtmlwriter.h"
#include "sdk/getpix.h"
#include "sdk/qamodal.h"
#include "sdk/qastoutputwidget.h"
#include "sdk/qastudiointerface.h"
#include "sdk/qaviewerfinddialog.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QDockWidget>
#include <QFileInfo>
#include <QHeaderView>
#include <QIODevice>
#include <QMainWindow>
#include <QMenuBar>
#include <QResizeEvent>
#include <QStatusBar>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

#include "korvatreporter/window/images/reload.xpm"

namespace {

QString reporterText(const char *text, const char *comment = nullptr)
{
    return QCoreApplication::translate("QAReporter", text, comment);
}

// Smallest height of the header dock, which shows the summary table, and
// the largest it takes by itself: it follows the table's height up to that,
// then scrolls, until the user resizes it.
constexpr int HeaderDockHeight = 26;
constexpr int HeaderDockMaxHeight = 180;
// Width of the verdict column of the tree.
constexpr int VerdictColumnWidth = 20;
// Space between the report view's edges and the report text.
constexpr int ReportMargin = 5;

bool autoRaise()
{
    QAReporterPref *pref = QAReporterState::pref();
    return pref && pref->general() && pref->general()->autoRaise();
}

} // namespace

QAReporter::QAReporter(const QString &title, const QPixmap &icon, QWidget *parent,
                       const char *name, Qt::WindowFlags flags)
    : QAStViewerWindow(parent, name, flags)
{
    QAReporterState::ensureWindows().append(this);

    QMainWindow *host = QAReporterState::hostMainWindow();
    if (host)
        setWindowTitle(title + QStringLiteral(" [")
                       + QString::number(QAReporterState::nextWindowNumber())
                       + QStringLiteral("]"));
    else
        setWindowTitle(title);
    setWindowIcon(QIcon(icon));
    // Tells the host that the HTML export commands work.
    setProperty("exportHtmlAvailable", true);

    // The header dock: resizable by the user, fixed in place, shown and
    // hidden through the Commands menu.
    m_headerDock = new QDockWidget(this);
    m_headerDock->setObjectName(QStringLiteral("headerDock"));
    // The title bar stands on the left so that it takes no height from the
    // table; it holds only the close button.
    m_headerDock->setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetVerticalTitleBar);
    m_headerDock->setTitleBarWidget(makeHeaderTitleBar());
    addDockWidget(Qt::TopDockWidgetArea, m_headerDock);

    const QString searchPath =
        QAReporterState::studio() ? QAReporterState::studio()->searchPath() : QString();
    m_headerView = new DRendocView(m_headerDock);
    if (!searchPath.isEmpty())
        m_headerView->insertSearchPath(searchPath);
    m_headerDock->setWidget(m_headerView);
    m_headerView->setWordWrap(true);

    m_mainView = new DRendocView(this);
    if (!searchPath.isEmpty())
        m_mainView->insertSearchPath(searchPath);
    setCentralWidget(m_mainView);
    if (QAReporterPref *pref = QAReporterState::pref())
        m_mainView->setBackgroundColor(pref->general()->background());

    m_headerDock->setMinimumHeight(HeaderDockHeight);
    m_headerDock->installEventFilter(this);
    m_headerView->installEventFilter(this);
    installEventFilter(this);
    m_mainView->setMargin(ReportMargin);
    // A new window shows no header until it holds more than one report.
    removeDockWidget(m_headerDock);

    m_title = title;

    m_treeView = new QARListView();
    m_treeModel = new QARTreeModel(this);
    m_treeView->setModel(m_treeModel);
    m_treeView->setUniformRowHeights(true);
    QHeaderView *header = m_treeView->header();
    header->setSectionResizeMode(1, QHeaderView::Fixed);
    header->resizeSection(1, VerdictColumnWidth);
    header->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    header->moveSection(1, 0);

    connect(m_treeView, &QAListView::contextMenuRequested, this, &QAReporter::showPopupMenu);
    m_contextMenu = new QARPopupMenu(m_treeView);
    m_gotoContextItem = m_contextMenu->insertItem(reporterText("&Go to"));
    m_defectContextItem = m_contextMenu->insertItem(reporterText("&Submit Merrow Report"));
    m_contextMenu->setItemEnabled(m_defectContextItem, false);
    connect(m_contextMenu, &QARMenu::activated, this, [this](int id) {
        if (id == m_gotoContextItem)
            gotoMenu();
        else if (id == m_defectContextItem)
            submitMerrow();
    });
    connect(m_treeView, &QAListView::rightButtonClicked, this, &QAReporter::contextMenu);
    connect(m_treeView, &QAListView::currentIndexChanged, this, &QAReporter::selItemChanged);

    m_filter = std::make_unique<QAReporterFilter>();

    connect(this, &QAStViewerWindow::reloadFile, this,
            qOverload<const QString &>(&QAReporter::reload));
    connect(m_headerView, &DRendocView::activatedLink, this, &QAReporter::activateHeader);
    connect(m_mainView, &DRendocView::activatedLink, this, &QAReporter::resolveLink);
    connect(this, &QAReporter::viewUpdated, m_mainView, &DRendocView::repaint);
    if (QAReporterPref *pref = QAReporterState::pref())
        connect(pref, &QAReporterPref::preferencesChanged, this, &QAReporter::applyPrefs);
    if (host)
        connect(host, &QObject::destroyed, this, &QAReporter::mainwindowDestroyed);
    connect(m_treeView, &QAListView::currentIndexChanged, this,
            qOverload<const QModelIndex &>(&QAReporter::moveDoc));
    connect(m_treeView, &QAListView::doubleClicked, this, &QAReporter::moveDocRaise);

    if (!host)
        m_ownToolBar = new QARToolBar(title + reporterText(" Toolbar"), this);
}

QAReporter::~QAReporter()
{
    if (QList<QAReporter *> *list = QAReporterState::windows())
        list->removeAll(this);
    // Items and views point into the copies and the records: let go first.
    deleteRetiredItems();
    clearTreeView();
    if (m_mainView)
        m_mainView->clearDocs();
    if (m_headerView)
        m_headerView->clearDocs();
    m_filteredList.reset();
    m_filter.reset();
    m_summary.reset();
    m_records.clear();
    delete m_treeView;
}

bool QAReporter::hostHasMainWindow() const
{
    return QAReporterState::hostMainWindow() != nullptr;
}

bool QAReporter::isTypeShown(const QString &type) const
{
    return m_typeShown.value(type, !m_typesInitialised);
}

// ---------------------------------------------------------------- loading

void QAReporter::setFiles(QStringList *files, QStringList *others, ViewerMode mode)
{
    QAStViewerWindow::setFiles(files, others, mode);
    if (!files)
        return;
    m_files = *files;
    // A summary run wants the totals only: its views wait until something
    // needs them, which a large report would otherwise spend seconds on.
    m_deferViews = mode == ViewerSummary;
    loadFiles();
    m_deferViews = false;

    if (mode != ViewerSummary)
        return;
    const ResultTotals totals = resultTotals().value_or(ResultTotals());
    QByteArray out;
    const QString node = nodeData().text;
    if (!node.isEmpty())
        out += "TestNode: " + node.toLocal8Bit() + "\n";
    out += "\t[" + QByteArray::number(totals.passed) + "] Test Case Passed\n";
    out += "\t[" + QByteArray::number(totals.failed) + "] Test Case Failed\n";
    if (QIODevice *sink = QAReporterState::summarySink()) {
        sink->write(out);
        if (auto *file = qobject_cast<QFileDevice *>(sink))
            file->flush();
    }
}

std::optional<QAStViewerWindow::ResultTotals> QAReporter::resultTotals()
{
    if (m_records.empty())
        return std::nullopt;
    ResultTotals totals;
    for (const auto &record : m_records) {
        totals.passed = QAReporterTotal::add(totals.passed, record->passed);
        totals.failed = QAReporterTotal::add(totals.failed, record->failed);
        if (record->inconclusive >= 0)
            totals.inconclusive = QAReporterTotal::add(qMax<qint64>(totals.inconclusive, 0), record->inconclusive);
    }
    return totals;
}

void QAReporter::loadFiles()
{
    QAReporterLoader::loadFiles(m_files, m_records);
    if (m_records.empty())
        return;
    m_headerShown = m_records.size() > 1;
    // Views that already show these records stay, tree included.
    if (!viewsShowInputs())
        clearTreeView();
    collectTypes();
    if (m_deferViews)
        m_viewsPending = true;
    else
        applyCurrentFilter();
}

void QAReporter::ensureViews()
{
    if (m_viewsPending)
        applyCurrentFilter();
}

void QAReporter::showEvent(QShowEvent *event)
{
    ensureViews();
    QAStViewerWindow::showEvent(event);
}

void QAReporter::collectTypes()
{
    for (const auto &record : m_records) {
        for (const QString &type : record->types) {
            if (!m_types.contains(type))
                m_types.append(type);
        }
    }
}

void QAReporter::reload()
{
    reloadAll();
}

void QAReporter::reload(const QString &)
{
    reloadAll();
}

void QAReporter::reloadAll()
{
    // Retired tree items may point into the records shown as they are.
    deleteRetiredItems();
    dropSummary();
    if (m_mainView)
        m_mainView->clearDocs();
    clearTreeView();
    if (m_filteredList)
        m_filteredList->clear();
    m_shownRecords.clear();
    m_records.clear();
    loadFiles();
}

// ---------------------------------------------------------------- refresh

void QAReporter::applyCurrentFilter()
{
    if (QAReporterState::failedOnly())
        showFailedTests();
    else
        showAllTests();
}

void QAReporter::showAllTests()
{
    m_filter->clear(QAReporterFilter::StateMatch);
    refresh();
}

void QAReporter::showFailedTests()
{
    m_filter->set(QAReporterFilter::StateMatch, QRegularExpression(QStringLiteral("ko")));
    refresh();
}

bool QAReporter::viewsShowInputs() const
{
    // The views are built from the records and the filter: with the same
    // records (the same objects) and an equal filter a rebuild would give
    // the same views.
    if (!m_filteredList || m_shownRecords.size() != m_records.size())
        return false;
    for (size_t i = 0; i < m_records.size(); ++i) {
        if (m_shownRecords[i] != m_records[i].get())
            return false;
    }
    return m_filteredList->filter() == *m_filter;
}

void QAReporter::refresh()
{
    m_viewsPending = false;
    if (viewsShowInputs()) {
        // Nothing to rebuild; the tree still gets a current item.
        if (m_treeView && !m_treeView->currentIndex().isValid()) {
            const QModelIndex first = m_treeModel->index(0, 0);
            if (first.isValid())
                m_treeView->setCurrentIndex(first);
        }
        if (m_headerShown && dockWidgetArea(m_headerDock) == Qt::NoDockWidgetArea)
            showHeaderDock();
        return;
    }

    QString shownName;
    bool wasShowing = false;
    if (DDocument *current = m_mainView ? m_mainView->getCurrentDoc() : nullptr) {
        shownName = current->name();
        wasShowing = true;
    }

    if (m_filteredList) {
        retireTreeItems();
        m_headerView->clearDocs();
        m_mainView->clearDocs();
        // Nothing points into the previous copies any more; they are freed
        // with the retired items, after the new ones are on screen. Records
        // the previous list showed as they are stay with the window.
        m_retiredCopies.push_back(std::move(m_filteredList));
        postRetiredCleanup();
    }
    m_filteredList = std::make_unique<QAReporterFilteredList>();
    m_filteredList->setFilter(*m_filter);
    m_filteredList->buildFilteredReports(m_records);
    m_shownRecords.clear();
    for (const auto &record : m_records)
        m_shownRecords.push_back(record.get());

    fillTreeView();

    std::unique_ptr<DDocument> summary = buildSummary();
    dropSummary();
    m_summary = std::move(summary);
    setDocuments();

    if (m_headerShown && dockWidgetArea(m_headerDock) == Qt::NoDockWidgetArea)
        showHeaderDock();
    if (wasShowing)
        m_mainView->moveTo(QString(), QString(), shownName);
}

std::unique_ptr<DDocument> QAReporter::buildSummary() const
{
    QList<DStyle *> styles;
    if (QAReporterPref *pref = QAReporterState::pref())
        styles = pref->stylesPage()->styles();
    std::unique_ptr<DDocument> summary = buildHeaderDocument(m_records, styles);
    summary->setName(QStringLiteral("index"));
    return summary;
}

void QAReporter::fillTreeView()
{
    if (m_records.empty() || !m_treeView)
        return;
    clearTreeView();
    m_treeView->setHeaderHidden(true);
    m_treeView->setRootIsDecorated(true);
    m_treeView->setAllColumnsShowFocus(false);
    m_treeView->setSortingEnabled(false);
    QList<QARTreeModel::File> files;
    for (const QAReporterData *record : m_filteredList->records()) {
        if (record)
            files.append({record->fileName, record->dataTree});
    }
    m_treeModel->setFiles(files);
    // The model reset left a full relayout pending: opening rows now only
    // records their state.
    const QAReporterPref *pref = QAReporterState::pref();
    m_treeView->openToDepth(pref ? pref->general()->autoDepth()
                                 : QAReporterPrefGeneral::DefaultAutoDepth);
    const QModelIndex first = m_treeModel->index(0, 0);
    if (first.isValid())
        m_treeView->setCurrentIndex(first);
}

void QAReporter::setDocuments()
{
    m_headerView->clearDocs();
    m_headerView->setDocument(m_summary.get(), true);
    measureHeader();
    if (!m_filteredList || m_filteredList->count() == 0)
        return;
    // Every document of every file, in order.
    m_mainView->clearDocs();
    for (const QAReporterData *record : m_filteredList->records()) {
        for (DDocument *document : record->documents())
            m_mainView->setDocument(document, false);
    }
    Q_EMIT viewUpdated();
}

QWidget *QAReporter::makeHeaderTitleBar()
{
    auto *bar = new QWidget(m_headerDock);
    auto *layout = new QVBoxLayout(bar);
    layout->setContentsMargins(1, 1, 1, 1);
    auto *close = new QToolButton(bar);
    close->setObjectName(QStringLiteral("headerClose"));
    close->setAutoRaise(true);
    close->setIcon(style()->standardIcon(QStyle::SP_TitleBarCloseButton, nullptr, close));
    close->setIconSize(QSize(10, 10));
    close->setToolTip(reporterText("Hide the header"));
    connect(close, &QToolButton::clicked, this, &QAReporter::hideHeader);
    layout->addWidget(close);
    layout->addStretch(1);
    return bar;
}

void QAReporter::hideHeader()
{
    if (m_commandsMenu)
        m_commandsMenu->setItemEnabled(m_printHeaderItem, false);
    removeDockWidget(m_headerDock);
    m_headerShown = false;
}

void QAReporter::showHeaderDock()
{
    addDockWidget(Qt::TopDockWidgetArea, m_headerDock);
    m_headerDock->show();
    fitHeaderDock();
}

void QAReporter::measureHeader()
{
    const int wanted = m_headerView->documentHeight() + 2 * m_headerView->frameWidth() + 4;
    m_headerHeight = qBound(HeaderDockHeight, wanted, HeaderDockMaxHeight);
    if (dockWidgetArea(m_headerDock) != Qt::NoDockWidgetArea)
        fitHeaderDock();
}

void QAReporter::fitHeaderDock()
{
    // The table's height, until the user has set one of their own.
    if (m_headerUserHeight)
        return;
    m_headerFitHeight = m_headerHeight;
    resizeDocks({m_headerDock.data()}, {m_headerHeight}, Qt::Vertical);
}

bool QAReporter::eventFilter(QObject *watched, QEvent *event)
{
    if (m_cleanupAwaitsPaint && event->type() == QEvent::Paint && m_mainView
        && watched == m_mainView->viewport()) {
        watched->removeEventFilter(this);
        m_cleanupAwaitsPaint = false;
        // Low priority: whatever the paint pass posts comes first.
        m_cleanupPosted = true;
        QCoreApplication::postEvent(this, new QEvent(retiredItemsEvent()), Qt::LowEventPriority);
    }
    // The main window's dock separator is dragged with a button held down on
    // the window itself; only a dock resize during such a drag is the user's.
    // Layout passes (the window shown, grown or shrunk) are not.
    if (watched == this) {
        if (event->type() == QEvent::MouseButtonPress)
            m_separatorPressed = true;
        else if (event->type() == QEvent::MouseButtonRelease)
            m_separatorPressed = false;
    }
    if (watched == m_headerDock && event->type() == QEvent::Resize && m_separatorPressed
        && m_headerDock->height() != m_headerFitHeight)
        m_headerUserHeight = true;
    // The table's height depends on the width it is laid out in: measure it
    // again once the header view has its real width.
    if (watched == m_headerView && event->type() == QEvent::Resize
        && static_cast<QResizeEvent *>(event)->oldSize().width() != m_headerView->width())
        QMetaObject::invokeMethod(this, &QAReporter::measureHeader, Qt::QueuedConnection);
    return QAStViewerWindow::eventFilter(watched, event);
}

void QAReporter::dropSummary()
{
    if (m_headerView)
        m_headerView->clearDocs();
    m_summary.reset();
}

void QAReporter::retireTreeItems()
{
    if (m_contextMenu)
        m_contextMenu->setItem(QModelIndex());
    // The model reads the node trees of the copies about to be retired.
    if (m_treeModel)
        m_treeModel->clear();
    m_selectedItem = QModelIndex();
}

void QAReporter::postRetiredCleanup()
{
    if (m_cleanupPosted || m_cleanupAwaitsPaint)
        return;
    // On screen, the cleanup waits for the paint of the rebuilt report view
    // (the platform delivers paints on a timer, after posted events); off
    // screen there is no paint to wait for.
    if (m_mainView && m_mainView->isVisible()) {
        m_cleanupAwaitsPaint = true;
        m_mainView->viewport()->installEventFilter(this);
        return;
    }
    m_cleanupPosted = true;
    QCoreApplication::postEvent(this, new QEvent(retiredItemsEvent()), Qt::LowEventPriority);
}

QEvent::Type QAReporter::retiredItemsEvent()
{
    static const auto type = QEvent::Type(QEvent::registerEventType());
    return type;
}

void QAReporter::deleteRetiredItems()
{
    m_cleanupPosted = false;
    if (m_cleanupAwaitsPaint && m_mainView)
        m_mainView->viewport()->removeEventFilter(this);
    m_cleanupAwaitsPaint = false;
    m_retiredCopies.clear();
}

bool QAReporter::event(QEvent *event)
{
    if (event->type() == retiredItemsEvent()) {
        deleteRetiredItems();
        return true;
    }
    return QAStViewerWindow::event(event);
}

void QAReporter::clearTreeView()
{
    if (m_contextMenu)
        m_contextMenu->setItem(QModelIndex());
    if (m_treeModel)
        m_treeModel->clear();
    m_selectedItem = QModelIndex();
}

// ---------------------------------------------------------------- activation

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

    if (host) {
        if (m_commandsMenu)
            m_commandsMenuId = studio->insertMenu(m_title, m_commandsMenu);
    } else if (m_commandsMenuId == -1 && m_commandsMenu) {
        m_commandsMenu->setTitle(reporterText("&Commands"));
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

void QAReporter::mainwindowDestroyed()
{
    m_mainWindowGone = true;
}

QWidget *QAReporter::contentOutlineWidget()
{
    ensureViews();
    return m_treeView;
}

void QAReporter::setNode(const ::nodeData &node)
{
    QAStViewerWindow::setNode(node);
    if (node.text.isEmpty())
        return;
    const QString last = node.text.mid(node.text.lastIndexOf(QLatin1Char('.')) + 1);
    setWindowTitle(m_title + QStringLiteral(" [") + last + QStringLiteral("]"));
    Q_EMIT captionChanged(this);
}

void QAReporter::applyPrefs()
{
    QAReporterPref *pref = QAReporterState::pref();
    if (!pref || !m_mainView)
        return;
    m_mainView->setBackgroundColor(pref->general()->background());
    m_mainView->rebuildDoc();
    // The header keeps its colour but is drawn with the report styles too.
    if (m_headerView)
        m_headerView->rebuildDoc();
}

// ---------------------------------------------------------------- menus

void QAReporter::createCommandsMenu()
{
    m_commandsMenu = new QARMenu(this);
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
        else if (id == m_defectCommandsItem)
            submitMerrow();
        else
            typeCheck(id);
    });
}

QString QAReporter::defectLabel(const QModelIndex &item) const
{
    return m_treeModel && m_treeModel->isFailed(item) ? reporterText("&Submit Merrow Defect Report") : reporterText("&Submit Merrow Report");
}

void QAReporter::updateToolMenu()
{
    QARMenu *menu = m_commandsMenu;
    if (!menu)
        return;
    menu->clearItems();
    m_filter->clear(QAReporterFilter::TypeExclusion);

    const bool failedOnly = QAReporterState::failedOnly();
    const bool noRecords = m_records.empty();
    menu->insertItem(reporterText("All Test Results"), AllTestsId);
    menu->setItemChecked(AllTestsId, !failedOnly);
    menu->insertItem(reporterText("Failed Tests Only"), FailedTestsId);
    menu->setItemChecked(FailedTestsId, failedOnly);
    if (noRecords) {
        menu->setItemEnabled(AllTestsId, false);
        menu->setItemEnabled(FailedTestsId, false);
    }

    menu->insertSeparator();
    for (const QString &type : std::as_const(m_types)) {
        const int id = menu->insertItem(type);
        // Before the first build every type starts shown, unless it was
        // hidden on purpose; later a new type has no entry and starts hidden.
        if (!m_typesInitialised && !m_typeShown.contains(type))
            m_typeShown.insert(type, true);
        const bool shown = m_typeShown.value(type, false);
        menu->setItemChecked(id, shown);
        if (!shown)
            m_filter->set(QAReporterFilter::TypeExclusion, QRegularExpression(type));
    }
    m_typesInitialised = true;

    menu->insertSeparator();
    menu->insertItem(QIcon(GETPIX(QStringLiteral("reload_xpm"), reload_xpm)), reporterText("Reload"),
                     ReloadId);
    menu->insertSeparator();
    m_showHeaderItem = menu->insertItem(reporterText("Show header"));
    menu->setItemChecked(m_showHeaderItem, m_headerDock && !m_headerDock->isHidden());
    m_printHeaderItem = menu->insertItem(reporterText("Print Header"));
    menu->setItemEnabled(m_printHeaderItem, m_headerShown);
    connect(menu, &QARMenu::highlighted, this, &QAReporter::highlighted, Qt::UniqueConnection);
    menu->insertSeparator();
    m_defectCommandsItem = menu->insertItem(defectLabel(m_selectedItem));
    menu->setItemEnabled(m_defectCommandsItem,
                         !noRecords && m_selectedItem.parent().isValid());
    menu->insertSeparator();
    menu->insertItem(reporterText("Generate HTML"), GenerateHtmlId);
}

void QAReporter::typeCheck(int id)
{
    if (!QAReporterState::studio() || !m_commandsMenu)
        return;
    const QString text = m_commandsMenu->text(id);
    if (text.isNull())
        return;
    const QRegularExpression pattern(text);
    if (m_commandsMenu->isItemChecked(id)) {
        m_typeShown.insert(text, false);
        m_filter->set(QAReporterFilter::TypeExclusion, pattern);
    } else {
        m_typeShown.insert(text, true);
        m_filter->removeTypeExclusion(pattern);
    }
    refresh();
}

void QAReporter::hideType(const QString &type)
{
    const QRegularExpression pattern(type);
    m_typeShown.insert(type, false);
    m_filter->removeTypeExclusion(pattern);
    m_filter->set(QAReporterFilter::TypeExclusion, pattern);
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
        tip = reporterText("Display complete report");
        break;
    case FailedTestsId:
        tip = reporterText("Display failed tests only");
        break;
    case ReloadId:
        tip = reporterText("Reload the current report");
        break;
    case GenerateHtmlId:
        tip = reporterText("Generate the viewer's content to a HTML file");
        break;
    default:
        tip = reporterText("Show or hide %1", " %1 is the menu item name").arg(m_commandsMenu->text(id));
        break;
    }
    if (QMainWindow *host = QAReporterState::hostMainWindow())
        host->statusBar()->showMessage(tip);
}

void QAReporter::showPopupMenu(const QModelIndex &item, const QPoint &point, int)
{
    if (!m_contextMenu)
        return;
    m_contextMenu->setItem(item);
    m_contextMenu->popup(point);
}

void QAReporter::contextMenu(const QModelIndex &item, const QPoint &point, int)
{
    if (!m_contextMenu)
        return;
    m_contextMenu->setItem(QModelIndex());
    if (!item.isValid())
        return;
    m_contextMenu->changeItem(m_defectContextItem, defectLabel(item));
    m_contextMenu->setItemEnabled(m_defectContextItem, item.parent().isValid());
    m_contextMenu->setItem(item);
    m_contextMenu->popup(point);
}

void QAReporter::gotoMenu()
{
    if (m_contextMenu && m_contextMenu->item().isValid())
        moveDoc(m_contextMenu->item());
}

void QAReporter::selItemChanged(const QModelIndex &item)
{
    if (!QAReporterState::studio())
        return;
    m_selectedItem = item.siblingAtColumn(QARTreeModel::NameColumn);
    if (!m_contextMenu)
        return;
    if (item.isValid())
        m_contextMenu->setItemEnabled(m_defectContextItem, true);
    m_contextMenu->changeItem(m_defectContextItem, defectLabel(item));
    m_contextMenu->setItemEnabled(m_defectContextItem, item.parent().isValid());
}

// ---------------------------------------------------------------- commands

void QAReporter::nextKO()
{
    if (m_treeView)
        m_treeView->nextFailed();
}

void QAReporter::prevKO()
{
    if (m_treeView)
        m_treeView->previousFailed();
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
        m_lastSearch.setPattern(text);
        findDialogSearch(m_lastSearch);
        return;
    }

    QMainWindow *host = QAReporterState::hostMainWindow();
    if (!QAReporterState::studio() || !host)
        return;
    // The dialog stays until the next search of any window replaces it.
    QPointer<QAViewerFindDialog> dialog =
        new QAViewerFindDialog(host, "reporter-find-dialog", true);
    QAReporterState::setFindDialog(dialog);
    connect(dialog, &QAViewerFindDialog::search, this, &QAReporter::findDialogSearch);
    dialog->setRegExp(m_lastSearch);
    QAModal::exec(dialog);
    if (dialog)
        m_lastSearch = dialog->regExp();
}

void QAReporter::findDialogSearch(const QRegularExpression &expression)
{
    if (m_mainView)
        m_mainView->search(expression);
}

void QAReporter::saveAs()
{
    QStringList sources;
    for (const auto &record : m_records)
        sources << record->fileName;
    QAReporterSaveAs(this, QAReporterSaveAs::caption(QAReporterState::studio())).run(sources);
}

void QAReporter::exportDoc()
{
    QAStudioInterface *studio = QAReporterState::studio();
    const QString dir = studio ? studio->exportDirectory() : QStringLiteral(".");
    auto *dialog = new DExportHtmlDialog(m_mainView ? m_mainView->getCurrentDoc() : nullptr,
                                         dir + QDir::separator() + QStringLiteral("dhtml.cfg"),
                                         this, nullptr);
    if (studio)
        dialog->setPixmapDir(studio->searchPath());
    dialog->setHTMLWriter(new QAViewerHTMLWriter, true);
    dialog->show();
}

void QAReporter::exportHTML(const QString &outDir, const QString &, QAIProgressMonitor *progress,
                            QAILogMonitor *log)
{
    QAStudioInterface *studio = QAReporterState::studio();
    const QString configDir = studio ? studio->exportDirectory() : QStringLiteral(".");
    QAReporterHTMLExport exporter(outDir, configDir + QDir::separator() + QStringLiteral("dhtml.cfg"),
                                  studio ? studio->searchPath() : QString());
    QList<QAReporterData *> records;
    for (const auto &record : m_records)
        records << record.get();
    QList<QAReporterData *> shown;
    if (m_filteredList)
        shown = m_filteredList->records();
    exporter.run(records, m_filteredList ? &shown : nullptr,
                 m_headerView ? m_headerView->getCurrentDoc() : nullptr, progress, log);
}

void QAReporter::submitMerrow()
{
    std::optional<QAReporterDefect::Subject> selected;
    if (m_treeModel && m_selectedItem.isValid())
        selected = QAReporterDefect::Subject{m_treeModel->filePath(m_selectedItem),
                                             m_treeModel->node(m_selectedItem)};
    QAReporterDefect::submit(QAReporterState::studio(), nodeData(), selected);
}

// The host's commands that a report viewer does not support.
void QAReporter::save() {}
void QAReporter::paste() {}
void QAReporter::cut() {}
void QAReporter::undo() {}
void QAReporter::redo() {}
void QAReporter::del() {}
void QAReporter::selectAll() {}
void QAReporter::replace() {}
void QAReporter::goTo() {}
void QAReporter::zoomIn() {}
void QAReporter::zoomOut() {}
void QAReporter::zoom(int) {}
void QAReporter::mnFilter() {}

// ---------------------------------------------------------------- links

void QAReporter::moveDoc(const QModelIndex &item)
{
    if (DItem *anchor = m_treeModel ? m_treeModel->anchor(item) : nullptr)
        m_mainView->moveTo(anchor);
    if (autoRaise())
        m_mainView->setFocus();
}

void QAReporter::moveDocRaise(const QModelIndex &item)
{
    moveDoc(item);
}

void QAReporter::moveDoc(const QString &tag)
{
    if (tag.isEmpty())
        return;
    const DLink link(tag, nullptr, nullptr, nullptr);
    QString file, place, document;
    link.split(file, place, document);
    m_mainView->moveTo(file, place, document);
    if (autoRaise())
        m_mainView->setFocus();
}

void QAReporter::scrollToTag(const QString &tag, int, int)
{
    moveDoc(tag);
}

void QAReporter::activateHeader(DLink *link)
{
    if (!link || link->target().isEmpty())
        return;
    QString file, place, document;
    link->split(file, place, document);
    m_mainView->moveTo(file, place, document);
    m_mainView->setFocus();
}

void QAReporter::resolveLink(DLink *link)
{
    if (!link)
        return;
    // The link belongs to a shown copy, which a reload frees: keep its text.
    const QAReporterLinkTarget target(link->target());

    if (target.kind() == QAReporterLinkTarget::ReportLink) {
        QString file = target.filePart();
        if (!file.isEmpty()) {
            if (QFileInfo(file).isRelative()) {
                if (m_records.empty())
                    return;
                file = QFileInfo(m_records.front()->fileName).path() + QDir::separator() + file;
            }
            m_files = QStringList{file};
            reloadAll();
        }
        if (!target.anchor().isEmpty())
            scrollToTag(target.anchor(), -1, -1);
        return;
    }

    QString text = target.target();
    if (target.needsBase()) {
        if (const QAReporterNode *node = findLinkNode(link))
            text = target.withBase(node->base);
    }
    if (QAStudioInterface *studio = QAReporterState::studio())
        studio->openSourceFile(text, 3, true);
}

QAReporterNode *QAReporter::findLinkNode(DLink *link) const
{
    if (!link || !m_filteredList)
        return nullptr;
    for (const QAReporterData *record : m_filteredList->records()) {
        if (!record->dataTree)
            continue;
        if (QAReporterNode *node = QAReporterLinkLocator::findNode(*record->dataTree, link))
            return node;
    }
    return nullptr;
}

// ---------------------------------------------------------------- text

QString QAReporter::plainText(PlainTextPart part)
{
    // The summary table needs the records only, not the views.
    if (part != SummaryText)
        ensureViews();
    switch (part) {
    case SummaryText:
        if (m_viewsPending)
            return QAReporterPlainText::table(*buildSummary());
        return m_summary ? QAReporterPlainText::table(*m_summary) : QString();
    case DocumentText:
        return m_mainView ? m_mainView->toPlainText() : QString();
    }
    return QString();
}
