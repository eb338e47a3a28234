#pragma once

#include "xrdview/cli/xrdcommandline.h"

#include <QString>

#include <memory>

class QAStViewerPlugin;
class QAStViewerWindow;
class XrdStudio;

// Runs one command-line mode without a display: loads the files into one
// report window through the plug-in, as the GUI does, and prints what the
// mode asks for on standard output.
class XrdHeadlessRunner
{
public:
    enum ExitStatus { Passed = 0, Failed = 1, Error = 2 };

    // `plugin` must be initialised with `studio` already.
    XrdHeadlessRunner(QAStViewerPlugin* plugin, XrdStudio* studio);

    ~XrdHeadlessRunner();

    // The process exit status for `line` (whose mode is headless). The
    // report window stays alive with the runner.
    int run(const XrdCommandLine& line);

    // Flushes standard output and error and ends the process with `status`
    // at once. A large report's model takes seconds to take apart, and once
    // the output is written nothing is gained by it.
    [[noreturn]] static void exitNow(int status);

    // Writes `text` to standard output as UTF-8 and flushes it.
    static void print(const QString& text);
    // Writes `text` to standard error.
    static void printError(const QString& text);

private:
    QAStViewerPlugin* m_plugin;
    XrdStudio* m_studio;
    std::unique_ptr<QAStViewerWindow> m_window;
};
