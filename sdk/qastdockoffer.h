#pragma once

#include <QDockWidget>
#include <QKeySequence>
#include <QPointer>
#include <QString>

// One dock a viewer window offers to the host's View menu. The host lists
// the offers of the active window, checked while the dock is shown, and
// asks the window to show or hide one (QAStViewerWindow::showOfferedDock);
// the window keeps owning the dock.
struct QAStDockOffer
{
    QString id;                   // stable, untranslated: "history", "failures"
    QString name;                 // the menu text, translated
    QPointer<QDockWidget> dock;   // owned by the window
    QKeySequence shortcut;        // the key the window already answers to;
                                  // the host only shows it beside the entry
};
