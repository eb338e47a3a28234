#pragma once

#include <QList>
#include <QObject>
#include <QPointer>

class QAction;
class QAStViewerWindow;
class QMenu;

// The part of the View menu that lists the docks the active report window
// offers (QAStViewerWindow::offeredDocks): one checkable entry per dock,
// checked while it is shown, with the window's own key beside it. The
// entries are rebuilt when another window becomes active and their checks
// follow the docks however they are shown or hidden.
class XrdDockMenu : public QObject
{
    Q_OBJECT
public:
    // Adds its entries at the end of `menu` (not owned; the entries are
    // its children).
    explicit XrdDockMenu(QMenu* menu);

    // Lists the offers of `window` (none when null).
    void setWindow(QAStViewerWindow* window);

    // The entries listed now, in menu order; their object names are
    // "viewDock_" and the offer's id.
    QList<QAction*> actions() const { return m_actions; }

private:
    void rebuild();
    void updateChecks();

    QMenu* m_menu;
    QPointer<QAStViewerWindow> m_window;
    QAction* m_separator = nullptr;
    QList<QAction*> m_actions;
};
