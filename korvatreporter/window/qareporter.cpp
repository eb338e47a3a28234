#include "korvatreporter/window/qareporter.h"

#include "korvatreporter/data/qareporterdata.h"
#include "korvatreporter/data/qareporterdatatree.h"
#include "korvatreporter/data/qareporternode.h"
#include "korvatreporter/document/qareporterfilteredlist.h"
#include "korvatreporter/defect/qareporterdefect.h"
#include "korvatreporter/link/qareporterlinktarget.h"
#include "korvatreporter/prefs/qareporterpref.h"
#include "korvatreporter/prefs/qareporterprefgeneral.h"
#include "korvatreporter/session/qareportsession.h"
#include "korvatreporter/window/qareporterstate.h"
#include "korvatreporter/window/qarcomparewith.h"
#include "korvatreporter/window/qarhistorydock.h"
#include "korvatreporter/window/qarfailuresdock.h"
#include "korvatreporter/window/qarpopupmenu.h"
#include "korvatreporter/window/qartoolbar.h"
#include "korvatreporter/window/qartreefilterline.h"
#include "korvatreporter/window/qartreemodel.h"
#include "rendoc/model/ddocument.h"
#include "rendoc/model/ditems.h"
#include "rendoc/view/drendocview.h"
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
#include <QResizeEvent>

#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace {

// Space between the report view's edges and the report text.
constexpr int ReportMargin = 5;

bool autoRaise()
{
    QAReporterPref *pref = QAReporterState::pref();
    return pref && pref->general() && pref->general()->autoRaise();
}

// Hands the heap's free pages back to the system. The views of a large
// report free megabytes in many blocks that the allocator would keep
// resident, while the next shown copy takes fresh pages of its own.
void releaseFreeHeapPages()
{
#ifdef __GLIBC__
    malloc_trim(0);
#endif
}

} // namespace

QAReporter::QAReporter(const QString &title, const QPixmap &icon, QWidget *parent,
                       const char *name, Qt::WindowFlags flags)
    : QAStViewerWindow(parent, name, flags)
{
    QAReporterState::ensureWindows().append(this);
    // Find Next starts with the case option the user last chose in any window.
    m_lastSearch = QAViewerFindDialog::storedOptions();

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

    createDocumentViews();

    m_title = title;

    createTreeView();
    m_treeFilter = new QARTreeFilterLine(m_treeView, m_treeModel);
    createFailuresDock();
    createFileWatch();

    connect(m_treeView, &QAListView::contextMenuRequested, this, &QAReporter::showPopupMenu);
    m_contextMenu = new QARPopupMenu(m_treeView);
    m_gotoContextItem = m_contextMenu->insertItem(tr("&Go to"));
    m_defectContextItem = m_contextMenu->insertItem(tr("&Submit Merrow Report"));
    m_contextMenu->setItemEnabled(m_defectContextItem, false);
    connect(m_contextMenu, &QARMenu::activated, this, [this](int id) {
        if (id == m_gotoContextItem)
            gotoMenu();
        else if (id == m_defectContextItem)
            submitMerrow();
    });
    addCopyCommands();
    connect(m_treeView, &QAListView::rightButtonClicked, this, &QAReporter::contextMenu);
    connect(m_treeView, &QAListView::currentIndexChanged, this, &QAReporter::selItemChanged);

    m_session = std::make_unique<QAReportSession>(QAReporterState::pref());
    connect(m_session.get(), &QAReportSession::recordsAboutToReload, this, &QAReporter::dropViews);
    connect(m_session.get(), &QAReportSession::shownAboutToChange, this, &QAReporter::releaseShown);
    connect(m_session.get(), &QAReportSession::shownChanged, this, &QAReporter::showShown);

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
        m_ownToolBar = new QARToolBar(title + tr(" Toolbar"), this);
    m_historyDock = new QARHistoryDock(this);
    m_compare = new QARCompareWith(this);
}

// The header dock and the report view beside the outline.
void QAReporter::createDocumentViews()
{
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
    m_session->disconnect(this);
    m_session.reset();
    delete m_treeView;
}

bool QAReporter::hostHasMainWindow() const
{
    return QAReporterState::hostMainWindow() != nullptr;
}

QAStReportSession *QAReporter::session()
{
    return m_session.get();
}

// ---------------------------------------------------------------- loading

void QAReporter::setFiles(QStringList *files, QStringList *others, ViewerMode mode)
{
    QAStViewerWindow::setFiles(files, others, mode);
    if (!files)
        return;
    // A summary run wants the totals only: its views wait until something
    // needs them, which a large report would otherwise spend seconds on.
    m_deferViews = mode == ViewerSummary;
    loadFiles(*files);
    m_deferViews = false;

    if (mode != ViewerSummary)
        return;
    const QByteArray out = m_session->totalsText(nodeData().text).toLocal8Bit();
    if (QIODevice *sink = QAReporterState::summarySink()) {
        sink->write(out);
        if (auto *file = qobject_cast<QFileDevice *>(sink))
            file->flush();
    }
}

std::optional<QAStViewerWindow::ResultTotals> QAReporter::resultTotals()
{
    return m_session->resultTotals();
}

void QAReporter::loadFiles(const QStringList &files)
{
    m_session->load(files);
    afterLoad();
}

void QAReporter::afterLoad()
{
    watchFiles();
    if (m_session->records().empty())
        return;
    m_historyDock->recordIfWanted();
    m_headerShown = m_session->records().size() > 1;
    // Views that already show these records stay, tree included.
    if (!m_session->showsInputs())
        clearTreeView();
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

void QAReporter::reload()
{
    reloadAll();
}

void QAReporter::reload(const QString &)
{
    reloadAll();
}

void QAReporter::dropViews()
{
    // Retired tree items may point into the records shown as they are.
    deleteRetiredItems();
    if (m_headerView)
        m_headerView->clearDocs();
    if (m_mainView)
        m_mainView->clearDocs();
    clearTreeView();
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
    m_session->setFailedOnly(false);
    refresh();
}

void QAReporter::showFailedTests()
{
    m_session->setFailedOnly(true);
    refresh();
}

void QAReporter::refresh()
{
    m_viewsPending = false;
    if (!m_session->refresh()) {
        // Nothing to rebuild; the tree still gets a current item.
        if (m_treeView && !m_treeView->currentRow().isValid()) {
            const QModelIndex first = m_treeModel->index(0, 0);
            if (first.isValid())
                m_treeView->setCurrentRow(first);
        }
        if (m_headerShown && dockWidgetArea(m_headerDock) == Qt::NoDockWidgetArea)
            showHeaderDock();
    }
}

void QAReporter::releaseShown()
{
    m_wasShowing = false;
    if (DDocument *current = m_mainView ? m_mainView->getCurrentDoc() : nullptr) {
        m_shownName = current->name();
        m_wasShowing = true;
    }
    if (m_session->shownList()) {
        retireTreeItems();
        m_headerView->clearDocs();
        m_mainView->clearDocs();
        releaseFreeHeapPages();
        // Nothing points into the previous copies any more; the session
        // keeps them until the retired items are freed, after the new ones
        // are on screen.
        postRetiredCleanup();
    }
}

void QAReporter::showShown()
{
    fillTreeView();
    setDocuments();
    if (m_failuresDock)
        m_failuresDock->reportsChanged();
    if (m_headerShown && dockWidgetArea(m_headerDock) == Qt::NoDockWidgetArea)
        showHeaderDock();
    if (m_wasShowing)
        m_mainView->moveTo(QString(), QString(), m_shownName);
    m_wasShowing = false;
}

void QAReporter::setDocuments()
{
    m_headerView->clearDocs();
    m_headerView->setDocument(m_session->summary(), true);
    measureHeader();
    const QAReporterFilteredList *shown = m_session->shownList();
    if (!shown || shown->count() == 0)
        return;
    // Every document of every file, in order.
    m_mainView->clearDocs();
    for (const QAReporterData *record : shown->records()) {
        for (DDocument *document : record->documents())
            m_mainView->setDocument(document, false);
    }
    Q_EMIT viewUpdated();
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
    if (m_session)
        m_session->releaseRetired();
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
    watchFiles();
    // The header keeps its colour but is drawn with the report styles too.
    if (m_headerView)
        m_headerView->rebuildDoc();
}

// ---------------------------------------------------------------- tree

QString QAReporter::defectLabel(const QModelIndex &item) const
{
    return m_treeModel && m_treeModel->isFailed(item) ? tr("&Submit Merrow Defect Report")
                                                       : tr("&Submit Merrow Report");
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

void QAReporter::submitMerrow()
{
    std::optional<QAReporterDefect::Subject> selected;
    if (m_treeModel && m_selectedItem.isValid())
        selected = QAReporterDefect::Subject{m_treeModel->filePath(m_selectedItem),
                                             m_treeModel->node(m_selectedItem)};
    QAReporterDefect::submit(QAReporterState::studio(), nodeData(), selected);
}

// ---------------------------------------------------------------- links

void QAReporter::moveDoc(const QModelIndex &item)
{
    if (m_followingHit)
        return;
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
                if (m_session->records().empty())
                    return;
                file = QFileInfo(m_session->records().front()->fileName).path() + QDir::separator()
                    + file;
            }
            m_session->setFileList(QStringList{file});
            reloadAll();
        }
        if (!target.anchor().isEmpty())
            scrollToTag(target.anchor(), -1, -1);
        return;
    }

    QString text = target.target();
    if (target.needsBase()) {
        if (const QAReporterNode *node = m_session->findLinkNode(link))
            text = target.withBase(node->base);
    }
    if (QAStudioInterface *studio = QAReporterState::studio())
        studio->openSourceFile(text, 3, true);
}

// ---------------------------------------------------------------- text

QString QAReporter::plainText(PlainTextPart part)
{
    // The summary table needs the records only, not the views.
    if (part != SummaryText)
        ensureViews();
    switch (part) {
    case SummaryText:
        return m_session->summaryText();
    case DocumentText:
        return m_mainView ? m_mainView->toPlainText() : QString();
    }
    return QString();
}
