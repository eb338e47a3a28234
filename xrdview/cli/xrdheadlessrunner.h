#pragma once

#include "history/historycomparison.h"
#include "sdk/qasttestresult.h"
#include "xrdview/cli/xrdcommandline.h"

#include <QByteArray>
#include <QString>

#include <QList>

#include <memory>
#include <optional>

class QAStReportSession;
class QAStViewerPlugin;
class XrdStudio;

// Runs one command-line mode without a display and without any widget:
// loads the files into one report session of the plug-in and prints what
// the mode asks for on standard output, its messages on standard error.
class XrdHeadlessRunner
{
public:
    enum ExitStatus { Passed = 0, Failed = 1, Error = 2 };

    // `plugin` must be initialised with `studio` already.
    XrdHeadlessRunner(QAStViewerPlugin* plugin, XrdStudio* studio);

    ~XrdHeadlessRunner();

    // The process exit status for `line` (whose mode is headless). The
    // report session stays alive with the runner.
    int run(const XrdCommandLine& line);
    // --compare: reads each report for its tests alone into a session of
    // its own, both at once, and prints what changed; status 1 when a test
    // newly fails, 2 when a report cannot be read.
    int compare(const QString& oldFile, const QString& newFile);

    // Flushes standard output and error and ends the process with `status`
    // at once. A large report's model takes seconds to take apart, and once
    // the output is written nothing is gained by it.
    [[noreturn]] static void exitNow(int status);

    // Writes `text` to standard output as UTF-8 and flushes it.
    static void print(const QString& text);
    // Writes UTF-8 `bytes` to standard output and flushes it.
    static void printUtf8(const QByteArray& bytes);
    // Writes `text` to standard error.
    static void printError(const QString& text);

private:
    // The tests of `file` read into `session`, kept in `tests`, sorted for
    // the comparison (the entries view `tests`); null when it cannot be read
    // (its reason went to standard error). Safe on any thread.
    static std::optional<HistoryComparison::Sorted> resultsOf(QAStReportSession* session, const QString& file,
                                                              QList<QAStTestResult>* tests);
    // The report files of `line`'s arguments, folders and patterns expanded,
    // into `files`; an exit status when the run ends here (no file found).
    std::optional<int> expandInputs(const XrdCommandLine& line, QStringList* files);

    QAStViewerPlugin* m_plugin;
    XrdStudio* m_studio;
    // Prints what `line`'s mode asks for and sets `status` accordingly.
    void printMode(const XrdCommandLine& line, bool allRead, int* status);
    // Prints the session's document text as it is handed over, in blocks of
    // UTF-8, a line end after each line that has none.
    void printDocumentText();
    // Prints the session's outline as it is handed over, a line end after each line.
    void printOutline();
    // Streamed text goes out in blocks of about this many bytes of UTF-8.
    static constexpr qsizetype PrintBlockSize = 64 * 1024;
    // Prints `block` and empties it once it holds a block's worth.
    static void printFullBlock(QByteArray& block);

    std::unique_ptr<QAStReportSession> m_session;
    // The two reports of --compare, kept like m_session until the process ends.
    std::unique_ptr<QAStReportSession> m_compared[2];
    // Their tests, which the comparison's entries view.
    QList<QAStTestResult> m_comparedTests[2];
};
