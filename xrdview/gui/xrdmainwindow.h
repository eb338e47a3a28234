#pragma once

#include "sdk/qastviewerwindow.h"

#include <QMainWindow>
#include <QPointer>
#include <QStringList>

#include <memory>

class QAction;
class QARes;
class QAStOutputWidget;
class QAStViewerPlugin;
class QDockWidget;
class QLabel;
class QMenu;
class QStackedWidget;
class QTabWidget;
class XrdDockMenu;
class XrdSourceView;
class XrdStudio;

// The host's main window: one tab per report window the plug-in creates,
// the active window's outline in a dock, the plug-in's Commands menu and
// tool bar, an output dock, a source dock for source links, and the File,
// Edit, View, Settings and Help menus that drive the active window.
class XrdMainWindow : public QMainWindow
{
    Q_OBJECT
public:
    // Sets itself up as `studio`'s main window and output pane, then
    // initialises `plugin` with the studio and the resources stored in
    // `resourceFile`. Neither the plug-in nor the studio is owned.
    XrdMainWindow(QAStViewerPlugin* plugin, XrdStudio* studio, const QString& resourceFile,
                  QWidget* parent = nullptr);
    ~XrdMainWindow() override;

    // Opens `files` as one report window, or activates the window that
    // already shows them. Returns the window shown, null when nothing
    // could be opened.
    QAStViewerWindow* openFiles(const QStringList& files);

    QAStViewerWindow* activeWindow() const { return m_active; }
    QList<QAStViewerWindow*> viewerWindows() const;
    QTabWidget* tabs() const { return m_tabs; }
    QDockWidget* outputDock() const { return m_outputDock; }
    QDockWidget* sourceDock() const { return m_sourceDock; }
    // The View menu's entries for the active window's docks.
    XrdDockMenu* dockMenu() const { return m_dockMenu; }
    QAStOutputWidget* outputPane() const { return m_output; }
    XrdSourceView* sourceView() const { return m_sourceView; }
    QStringList recentFiles() const { return m_recent; }
    // The plug-in library's path, shown in the plug-in's about box.
    void setPluginFile(const QString& path) { m_pluginFile = path; }

    // Menu actions, by their object names ("open", "reload", "saveAs",
    // "exportHtml", "print", "close", "quit", "copy", "find", "preferences",
    // "about", "aboutPlugin", ...).
    QAction* action(const QString& name) const;

public Q_SLOTS:
    void open();
    void reload();
    void saveAs();
    void exportHtml();
    void print();
    void closeWindow();
    void copy();
    void find();
    void findNext();
    void preferences();
    void about();
    void aboutPlugin();
    // The folder relative source links are resolved against: the active
    // report's folder, else the current one.
    QString linkFolder() const;

    // Opens `target` ("<file> line <n>") in the user's editor or the
    // source dock, or a web address in the browser; a link that is not a
    // plain path or web address is refused with a message.
    void openSource(const QString& target);
    // Shows a message in the output pane and brings it into view.
    void report(const QString& message);
    // Re-reads which commands the active window offers.
    void updateActions();

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private Q_SLOTS:
    void currentTabChanged(int index);
    void tabCloseRequested(int index);
    void captionChanged(QWidget* window);

private:
    void createMenus();
    void createDocks();
    QAction* addCommand(QMenu* menu, const QString& name, const QString& text,
                        const QString& tip, const QKeySequence& key, void (XrdMainWindow::*slot)());
    void addRecent(const QStringList& files);
    // Window geometry and dock layout, kept beside the resource file.
    QString layoutFile() const;
    void restoreLayout();
    void saveLayout() const;
    void showSourceTitle();
    void showSourceOf(QAStViewerWindow* window);
    void rebuildRecentMenu();
    void saveResources();
    bool windowOffers(const char* property) const;

    QAStViewerPlugin* m_plugin;
    XrdStudio* m_studio;
    QString m_resourceFile;
    std::unique_ptr<QARes> m_resources;
    QTabWidget* m_tabs;
    QPointer<QAStViewerWindow> m_active;
    QDockWidget* m_outlineDock = nullptr;
    QStackedWidget* m_outlineStack = nullptr;
    QLabel* m_noOutline = nullptr;
    QDockWidget* m_outputDock = nullptr;
    QAStOutputWidget* m_output = nullptr;
    QDockWidget* m_sourceDock = nullptr;
    XrdSourceView* m_sourceView = nullptr;
    QMenu* m_recentMenu = nullptr;
    QMenu* m_settingsMenu = nullptr;
    XrdDockMenu* m_dockMenu = nullptr; // a child of the View menu
    QStringList m_recent;
    QString m_pluginFile;
};
