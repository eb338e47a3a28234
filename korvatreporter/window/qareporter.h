#pragma once

#include "korvatreporter/window/qarlistview.h"
#include "korvatreporter/window/qarpopupmenu.h"
#include "korvatreporter/window/qartoolbar.h"
#include "korvatreporter/window/qartreefilterline.h"
#include "rendoc/view/drendocview.h"
#include "sdk/qastviewerwindow.h"

#include <QDockWidget>

#include <QEvent>
#include <QHash>
#include <QKeySequence>
#include <QPersistentModelIndex>
#include <QPointer>
#include <QRegularExpression>
#include <QStringList>

#include <memory>
#include <optional>
#include <vector>

class DDocument;
class DLink;
class QAStReportSession;
class DRendocView;
class QAReportSession;
class QARCompareWith;
class QARHistoryDock;
class QARListView;
class QARMenu;
class QARPopupMenu;
class QARToolBar;
class QAction;
class QARTreeModel;
class QARFailuresDock;
class QARFileWatch;
class QDockWidget;

// The report viewer window: widgets over a report session. It shows the
// session's shown list in the report view, its summary in a header view
// docked above it, and a tree of the shown report nodes that the host places
// in its outline pane; its menus and tool bar drive the session's filter.
// Every filter change, activation and load rebuilds the three views.
class QAReporter : public QAStViewerWindow
{
    Q_OBJECT
public:
    // Fixed ids of the Commands menu.
    enum CommandId { AllTestsId = 100, FailedTestsId = 101, ReloadId = 102, GenerateHtmlId = 105 };
    // Commands whose menu ids change with each build of the menu, as keys.
    enum CommandKey {
        ShowHeaderKey = 200,
        PrintHeaderKey = 201,
        DefectKey = 202,
        FilterTreeKey = 203,
        FailuresKey = 204
    };
    // The key of a command (a CommandId or a CommandKey).
    static QKeySequence commandKey(int command);

    QAReporter(const QString &title, const QPixmap &icon, QWidget *parent = nullptr,
               const char *name = nullptr, Qt::WindowFlags flags = {});
    ~QAReporter() override;

    void setFiles(QStringList *files, QStringList *others, ViewerMode mode) override;
    QWidget *contentOutlineWidget() override;
    void scrollToTag(const QString &tag, int line, int column) override;
    void setNode(const ::nodeData &node) override;
    void exportHTML(const QString &outDir, const QString &extra, QAIProgressMonitor *progress,
                    QAILogMonitor *log) override;
    // Summary: the header table (QAReporterPlainText::table). Document: the
    // report view's text, every document of every file.
    QString plainText(PlainTextPart part) override;
    // The sums of the records' totals; none without a record.
    std::optional<ResultTotals> resultTotals() override;

    bool hasContentOutline() override { return true; }
    bool canSaveAs() override { return true; }
    bool canPrint() override { return true; }
    bool canCopy() override { return true; }
    bool canFind() override { return true; }
    bool canReload() override { return true; }
    bool canExportHTML() override { return true; }

    // The reports the window shows: records, filter, shown list, summary.
    QAReportSession *reportSession() const { return m_session.get(); }
    QAStReportSession *session() override;
    QList<QAStDockOffer> offeredDocks() override;
    void showOfferedDock(const QString &id, bool shown) override;
    bool headerShown() const { return m_headerShown; }
    QString title() const { return m_title; }
    const QRegularExpression &lastSearch() const { return m_lastSearch; }
    // The tree row last made current (invalid when none).
    QModelIndex selectedItem() const { return m_selectedItem; }

    // The widgets and menus.
    QARListView *treeView() const { return m_treeView; }
    QARTreeModel *treeModel() const { return m_treeModel; }
    // The filter line above the tree (Ctrl+K).
    QARTreeFilterLine *treeFilter() const { return m_treeFilter; }
    // The Failures dock (Commands > Failures), hidden until asked for.
    QARFailuresDock *failuresDock() const;
    // Watches the shown files and reloads when they change (preference
    // "Reload reports when their files change").
    QARFileWatch *fileWatch() const { return m_fileWatch; }
    DRendocView *mainView() const { return m_mainView; }
    DRendocView *headerView() const { return m_headerView; }
    QDockWidget *headerDock() const { return m_headerDock; }
    QARHistoryDock *historyDock() const { return m_historyDock; }
    QARCompareWith *compareWith() const { return m_compare; }
    QARMenu *commandsMenu() const { return m_commandsMenu; }
    QARPopupMenu *contextPopup() const { return m_contextMenu; }
    QARToolBar *ownToolBar() const { return m_ownToolBar; }
    int commandsMenuId() const { return m_commandsMenuId; }
    int showHeaderItem() const { return m_showHeaderItem; }
    int printHeaderItem() const { return m_printHeaderItem; }
    int historyItem() const { return m_historyItem; }
    int compareItem() const { return m_compareItem; }
    int newFailuresItem() const { return m_newFailuresItem; }
    int defectCommandsItem() const { return m_defectCommandsItem; }
    int defectContextItem() const { return m_defectContextItem; }
    int gotoContextItem() const { return m_gotoContextItem; }

public Q_SLOTS:
    void updateToolMenu();
    void activated() override;
    void desactivated() override;
    void saveAs() override;
    void print() override;
    void printHeader();
    void copy() override;
    void find();
    void find(const QString &text) override;
    void reload() override;
    void reload(const QString &file);
    void showPopupMenu(const QModelIndex &item, const QPoint &point, int column);
    void nextKO();
    void prevKO();
    void switchFilter();
    void typeCheck(int id);
    void showDock(int id);
    void alltests();
    void failedtests();
    void highlighted(int id);
    void mainwindowDestroyed();
    void moveDoc(const QModelIndex &item);
    void moveDocRaise(const QModelIndex &item);
    void moveDoc(const QString &tag);
    void resolveLink(DLink *link);
    void activateHeader(DLink *link);
    void contextMenu(const QModelIndex &item, const QPoint &point, int column);
    void gotoMenu();
    void selItemChanged(const QModelIndex &item);
    void submitMerrow();
    void exportDoc() override;
    // Reads every file of the list again and rebuilds the views, keeping the
    // current tree row and the scroll positions when the row's node (same
    // file, same path) is still there.
    void reloadAll() override;
    // Hides the nodes of `type` as unchecking it in the Commands menu does,
    // and refreshes; usable before the menu was ever built.
    void hideType(const QString &type);
    // Shows or hides the Failures dock.
    void toggleFailures();
    // Makes the node `id` of report `file` (else the node at `path`, names
    // joined by " › ") the tree's current row, which scrolls the report to
    // it; clears the tree filter when it hides the node. False when the
    // shown tree does not hold it.
    bool showFailure(const QString &file, const QString &id, const QString &path);
    // Puts the text of `kind` (a QARNodeText::Kind) for a tree row on the
    // clipboard; false when the row has no such text.
    bool copyTreeRow(const QModelIndex &row, int kind);
    // After a hit: makes the tree row holding it current and moves the find
    // dialog off it when it covers it.
    void followHit();
    void moveDialogOffHit(QWidget *dialog);

Q_SIGNALS:
    void viewUpdated();

private Q_SLOTS:
    void findDialogSearch(const QRegularExpression &expression);
    // A shown file disappeared: the output pane says so, the views stay.
    void fileVanished(const QString &file);
    void applyPrefs();

protected:
    void closeEvent(QCloseEvent *event) override;
    bool event(QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Smallest height of the header dock, which shows the summary table, and
    // the largest it takes by itself: it follows the table's height up to
    // that, then scrolls, until the user resizes it.
    static constexpr int HeaderDockHeight = 26;
    static constexpr int HeaderDockMaxHeight = 180;

    void loadFiles(const QStringList &files);
    // Shows what a load or reload read, unless it read nothing.
    void afterLoad();
    void applyCurrentFilter();
    void showAllTests();
    void showFailedTests();
    // Has the session rebuild its shown list when the records or the filter
    // changed; the views follow its signals.
    void refresh();
    // Before the session replaces what the views show: they let go of it.
    void releaseShown();
    // After it did: the views show the new list and summary.
    void showShown();
    // Before a reload drops the records: nothing may point into them.
    void dropViews();
    // Builds the views now when a summary run left them for later.
    void ensureViews();
    void fillTreeView();
    // Gives the Duration column the width of its widest texts.
    void fitDurationColumn();
    void setDocuments();
    void showHeaderDock();
    // The header dock's title bar: a close button that hides the header as
    // Commands > Show header does.
    QWidget *makeHeaderTitleBar();
    void hideHeader();
    void measureHeader();
    void fitHeaderDock();
    void clearTreeView();
    // Empties the tree view before the node trees it shows are retired.
    void retireTreeItems();
    void postRetiredCleanup();
    // Deletes the retired filtered copies.
    void deleteRetiredItems();
    static QEvent::Type retiredItemsEvent();
    void wireToolBar(bool connectIt);
    void createCommandsMenu();
    void createCommandKeys();
    bool hostHasMainWindow() const;
    void createDocumentViews();
    void createTreeView();
    void createFailuresDock();
    void createFileWatch();
    // Watches the files of the session's list, or none when the preference
    // is off.
    void watchFiles();
    // Where the user stands: the current row (file, node id, path of names
    // joined by " › ") and the tree's and report's scroll positions.
    struct ViewPlace
    {
        QString file;
        QString id;
        QString path;
        int treeScroll = 0;
        int reportScroll = 0;
    };
    ViewPlace viewPlace() const;
    void restoreViewPlace(const ViewPlace &place);
    // The names from the file's top node down to `row`, joined by " › ".
    QString rowPath(const QModelIndex &row) const;
    void addCopyCommands();
    QString defectLabel(const QModelIndex &item) const;

    std::unique_ptr<QAReportSession> m_session;
    QPersistentModelIndex m_selectedItem;
    QPointer<QDockWidget> m_headerDock;
    QPointer<DRendocView> m_headerView;
    QPointer<DRendocView> m_mainView;
    QARHistoryDock *m_historyDock = nullptr; // a child of the window
    QARCompareWith *m_compare = nullptr;     // a child of the window
    bool m_headerShown = false;
    int m_headerHeight = 0;      // the summary table's height, bounded
    int m_headerFitHeight = 0;   // the height last given to the header dock
    bool m_headerUserHeight = false; // the user resized the header dock
    bool m_separatorPressed = false; // a mouse button is down on the window's dock separator
    int m_showHeaderItem = 0;
    int m_printHeaderItem = 0;
    int m_historyItem = 0;
    int m_compareItem = 0;
    int m_newFailuresItem = 0;
    int m_commandsMenuId = -1;
    std::vector<QAction *> m_commandKeys; // children of the window, with the command keys
    QPointer<QARMenu> m_commandsMenu;
    QPointer<QARPopupMenu> m_contextMenu;
    QPointer<QARListView> m_treeView;
    QARTreeModel *m_treeModel = nullptr; // a child of the window
    QPointer<QARTreeFilterLine> m_treeFilter; // a child of the tree view
    QPointer<QARFailuresDock> m_failuresDock;
    QARFileWatch *m_fileWatch = nullptr; // a child of the window
    int m_failuresItem = 0;
    QHash<int, int> m_copyItems; // context menu id -> QARNodeText::Kind
    int m_allItem = AllTestsId;
    int m_failedItem = FailedTestsId;
    int m_gotoContextItem = 0;
    int m_defectContextItem = 0;
    int m_defectCommandsItem = 0;
    QString m_title;
    QRegularExpression m_lastSearch;
    bool m_followingHit = false; // the tree follows a hit: the view stays on it
    QPointer<QARToolBar> m_ownToolBar;
    bool m_mainWindowGone = false;
    // The document the report view showed before a rebuild, shown again after it.
    QString m_shownName;
    bool m_wasShowing = false;
    bool m_cleanupPosted = false;
    bool m_cleanupAwaitsPaint = false;
    bool m_deferViews = false;   // loading for a summary run
    bool m_viewsPending = false; // loaded, views not built yet
};
