#pragma once

#include "korvatreporter/window/qarlistview.h"
#include "korvatreporter/window/qarpopupmenu.h"
#include "korvatreporter/window/qartoolbar.h"
#include "rendoc/view/drendocview.h"
#include "sdk/qastviewerwindow.h"

#include <QDockWidget>

#include <QEvent>
#include <QMap>
#include <QPersistentModelIndex>
#include <QPointer>
#include <QRegularExpression>
#include <QStringList>

#include <memory>
#include <optional>
#include <vector>

class DDocument;
class DLink;
class DRendocView;
class QAReporterData;
class QAReporterFilter;
class QAReporterFilteredList;
class QAReporterNode;
class QARListView;
class QARMenu;
class QARPopupMenu;
class QARToolBar;
class QARTreeModel;
class QDockWidget;

// The report viewer window: holds the records of the report files it was
// given, shows them in the report view (each record itself when the filter
// keeps all of it, else a filtered copy), a summary of all
// files in a header view docked above it, and a tree of the report nodes
// that the host places in its outline pane. Every filter change, activation
// and load rebuilds the three views.
class QAReporter : public QAStViewerWindow
{
    Q_OBJECT
public:
    using Records = std::vector<std::unique_ptr<QAReporterData>>;

    // Fixed ids of the Commands menu.
    enum CommandId { AllTestsId = 100, FailedTestsId = 101, ReloadId = 102, GenerateHtmlId = 105 };

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
    bool canSave() override { return false; }
    bool canSaveAs() override { return true; }
    bool canPrint() override { return true; }
    bool canCopy() override { return true; }
    bool canPaste() override { return false; }
    bool canCut() override { return false; }
    bool canUndo() override { return false; }
    bool canRedo() override { return false; }
    bool canDelete() override { return false; }
    bool canSelectAll() override { return false; }
    bool canFind() override { return true; }
    bool canReplace() override { return false; }
    bool canGoTo() override { return false; }
    bool canReload() override { return true; }
    bool canZoom() override { return false; }
    bool canExportHTML() override { return true; }
    bool isModified() override { return false; }
    bool isEditable() override { return false; }

    // What the window holds and shows.
    const QStringList &fileList() const { return m_files; }
    const Records &records() const { return m_records; }
    QAReporterFilteredList *filteredList() const { return m_filteredList.get(); }
    QAReporterFilter *filter() const { return m_filter.get(); }
    const QStringList &types() const { return m_types; }
    // Whether nodes of `type` are shown: until the Commands menu is first
    // built every type not hidden on purpose is; after that only the types
    // marked shown are.
    bool isTypeShown(const QString &type) const;
    bool headerShown() const { return m_headerShown; }
    QString title() const { return m_title; }
    const QRegularExpression &lastSearch() const { return m_lastSearch; }
    // The tree row last made current (invalid when none).
    QModelIndex selectedItem() const { return m_selectedItem; }
    DDocument *summaryDocument() const { return m_summary.get(); }

    // The widgets and menus.
    QARListView *treeView() const { return m_treeView; }
    QARTreeModel *treeModel() const { return m_treeModel; }
    DRendocView *mainView() const { return m_mainView; }
    DRendocView *headerView() const { return m_headerView; }
    QDockWidget *headerDock() const { return m_headerDock; }
    QARMenu *commandsMenu() const { return m_commandsMenu; }
    QARPopupMenu *contextPopup() const { return m_contextMenu; }
    QARToolBar *ownToolBar() const { return m_ownToolBar; }
    int commandsMenuId() const { return m_commandsMenuId; }
    int showHeaderItem() const { return m_showHeaderItem; }
    int printHeaderItem() const { return m_printHeaderItem; }
    int defectCommandsItem() const { return m_defectCommandsItem; }
    int defectContextItem() const { return m_defectContextItem; }
    int gotoContextItem() const { return m_gotoContextItem; }

    // The report node whose text holds `link`, searched in the shown
    // copies, first file first; null when none holds it.
    QAReporterNode *findLinkNode(DLink *link) const;

public Q_SLOTS:
    void updateToolMenu();
    void activated() override;
    void desactivated() override;
    void save() override;
    void saveAs() override;
    void print() override;
    void printHeader();
    void copy() override;
    void paste() override;
    void cut() override;
    void undo() override;
    void redo() override;
    void del() override;
    void selectAll() override;
    void find();
    void find(const QString &text) override;
    void replace() override;
    void goTo() override;
    void reload() override;
    void reload(const QString &file);
    void showPopupMenu(const QModelIndex &item, const QPoint &point, int column);
    void zoomIn() override;
    void zoomOut() override;
    void zoom(int percent) override;
    void mnFilter() override;
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
    // Reads every file of the list again and rebuilds the views.
    void reloadAll() override;
    // Hides the nodes of `type` as unchecking it in the Commands menu does;
    // usable before the menu was ever built.
    void hideType(const QString &type);

Q_SIGNALS:
    void viewUpdated();

private Q_SLOTS:
    void findDialogSearch(const QRegularExpression &expression);
    void applyPrefs();

protected:
    void closeEvent(QCloseEvent *event) override;
    bool event(QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void loadFiles();
    void collectTypes();
    void applyCurrentFilter();
    void showAllTests();
    void showFailedTests();
    // Rebuilds the filtered copies and the views from the records and the
    // filter, unless the views already show exactly those.
    void refresh();
    bool viewsShowInputs() const;
    // Builds the views now when a summary run left them for later.
    void ensureViews();
    std::unique_ptr<DDocument> buildSummary() const;
    void fillTreeView();
    void setDocuments();
    void dropSummary();
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
    bool hostHasMainWindow() const;
    QString defectLabel(const QModelIndex &item) const;

    QStringList m_files;
    QPersistentModelIndex m_selectedItem;
    QPointer<QDockWidget> m_headerDock;
    QPointer<DRendocView> m_headerView;
    QPointer<DRendocView> m_mainView;
    bool m_headerShown = false;
    int m_headerHeight = 0;      // the summary table's height, bounded
    int m_headerFitHeight = 0;   // the height last given to the header dock
    bool m_headerUserHeight = false; // the user resized the header dock
    bool m_separatorPressed = false; // a mouse button is down on the window's dock separator
    int m_showHeaderItem = 0;
    int m_printHeaderItem = 0;
    int m_commandsMenuId = -1;
    QPointer<QARMenu> m_commandsMenu;
    QPointer<QARPopupMenu> m_contextMenu;
    QPointer<QARListView> m_treeView;
    QARTreeModel *m_treeModel = nullptr; // a child of the window
    int m_allItem = AllTestsId;
    int m_failedItem = FailedTestsId;
    int m_gotoContextItem = 0;
    int m_defectContextItem = 0;
    int m_defectCommandsItem = 0;
    Records m_records;
    // The records the current views were built from, in order.
    std::vector<const QAReporterData *> m_shownRecords;
    std::unique_ptr<QAReporterFilteredList> m_filteredList;
    std::unique_ptr<QAReporterFilter> m_filter;
    QStringList m_types;
    QString m_title;
    QRegularExpression m_lastSearch;
    bool m_typesInitialised = false;
    QMap<QString, bool> m_typeShown;
    QPointer<QARToolBar> m_ownToolBar;
    std::unique_ptr<DDocument> m_summary;
    bool m_mainWindowGone = false;
    // Filtered copies replaced by a rebuild, deleted after its paint.
    std::vector<std::unique_ptr<QAReporterFilteredList>> m_retiredCopies;
    bool m_cleanupPosted = false;
    bool m_cleanupAwaitsPaint = false;
    bool m_deferViews = false;   // loading for a summary run
    bool m_viewsPending = false; // loaded, views not built yet
};
