#pragma once

#include <QList>

class QAReporter;
class QAReporterPref;
class QARToolBar;
class QAStudioInterface;
class QAViewerFindDialog;
class QIODevice;
class QMainWindow;

// The objects every report window of the process shares: the list of open
// windows, the shared and the current tool bar, the failed-only switch, the
// caption counter, the one find dialog and the plug-in's initialised flag.
// They live as long as the library; only the GUI thread touches them.
class QAReporterState
{
public:
    QAReporterState() = delete;

    // The open windows in creation order; null until a window or the
    // plug-in's initialisation created the list.
    static QList<QAReporter *> *windows();
    // The window list, created when it does not exist yet.
    static QList<QAReporter *> &ensureWindows();

    // The tool bar docked in the host's main window, or null.
    static QARToolBar *sharedToolBar();
    static void setSharedToolBar(QARToolBar *toolBar);
    // The tool bar wired to the active window, or null.
    static QARToolBar *currentToolBar();
    static void setCurrentToolBar(QARToolBar *toolBar);

    // One switch between all tests and failed tests only, for all windows.
    static bool failedOnly();
    static void setFailedOnly(bool failedOnly);

    // Windows created while the host had a main window, never decremented.
    static int windowCounter();
    // Counts one more window and returns the new count.
    static int nextWindowNumber();

    // The one search dialog; the next search of any window replaces it.
    static QAViewerFindDialog *findDialog();
    static void setFindDialog(QAViewerFindDialog *dialog);

    static bool initialised();
    static void setInitialised(bool initialised);

    // Where the summary of viewer mode ViewerSummary is written; standard
    // output unless another device was installed (null restores it).
    static QIODevice *summarySink();
    static void setSummarySink(QIODevice *sink);

    // Shortcuts through the preference producer: null when there is none.
    static QAReporterPref *pref();
    static QAStudioInterface *studio();
    static QMainWindow *hostMainWindow();
};
