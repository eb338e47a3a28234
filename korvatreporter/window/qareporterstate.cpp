#include "korvatreporter/window/qareporterstate.h"

#include "korvatreporter/prefs/qareporterpref.h"
#include "korvatreporter/window/qartoolbar.h"
#include "sdk/qastudiointerface.h"
#include "sdk/qaviewerfinddialog.h"

#include <QFile>
#include <QMainWindow>
#include <QPointer>

#include <cstdio>
#include <memory>

namespace {

// Everything lives in one function-local object, built on first use, so
// the order in which static objects of the library are made does not
// matter.
struct SharedState
{
    std::unique_ptr<QList<QAReporter *>> windows;
    QPointer<QARToolBar> sharedToolBar;
    QPointer<QARToolBar> currentToolBar;
    bool failedOnly = false;
    int windowCounter = 0;
    QPointer<QAViewerFindDialog> findDialog;
    bool initialised = false;
    QIODevice *summarySink = nullptr;
    std::unique_ptr<QFile> standardOutput;
};

SharedState &state()
{
    static SharedState s;
    return s;
}

} // namespace

QList<QAReporter *> *QAReporterState::windows()
{
    return state().windows.get();
}

QList<QAReporter *> &QAReporterState::ensureWindows()
{
    SharedState &s = state();
    if (!s.windows)
        s.windows = std::make_unique<QList<QAReporter *>>();
    return *s.windows;
}

QARToolBar *QAReporterState::sharedToolBar()
{
    return state().sharedToolBar;
}

void QAReporterState::setSharedToolBar(QARToolBar *toolBar)
{
    state().sharedToolBar = toolBar;
}

QARToolBar *QAReporterState::currentToolBar()
{
    return state().currentToolBar;
}

void QAReporterState::setCurrentToolBar(QARToolBar *toolBar)
{
    state().currentToolBar = toolBar;
}

bool QAReporterState::failedOnly()
{
    return state().failedOnly;
}

void QAReporterState::setFailedOnly(bool failedOnly)
{
    state().failedOnly = failedOnly;
}

int QAReporterState::windowCounter()
{
    return state().windowCounter;
}

int QAReporterState::nextWindowNumber()
{
    return ++state().windowCounter;
}

QAViewerFindDialog *QAReporterState::findDialog()
{
    return state().findDialog;
}

void QAReporterState::setFindDialog(QAViewerFindDialog *dialog)
{
    state().findDialog = dialog;
}

bool QAReporterState::initialised()
{
    return state().initialised;
}

void QAReporterState::setInitialised(bool initialised)
{
    state().initialised = initialised;
}

QIODevice *QAReporterState::summarySink()
{
    SharedState &s = state();
    if (s.summarySink)
        return s.summarySink;
    if (!s.standardOutput) {
        s.standardOutput = std::make_unique<QFile>();
        s.standardOutput->open(stdout, QIODevice::WriteOnly | QIODevice::Unbuffered);
    }
    return s.standardOutput.get();
}

void QAReporterState::setSummarySink(QIODevice *sink)
{
    state().summarySink = sink;
}

QAReporterPref *QAReporterState::pref()
{
    return QAReporterPref::instance();
}

QAStudioInterface *QAReporterState::studio()
{
    QAReporterPref *p = QAReporterPref::instance();
    return p ? p->studio() : nullptr;
}

QMainWindow *QAReporterState::hostMainWindow()
{
    QAStudioInterface *s = studio();
    return s ? s->mainWindow() : nullptr;
}
