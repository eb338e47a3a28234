#pragma once

#include "history/historylistedtests.h"
#include "history/historyresult.h"
#include "sdk/qastlistedtests.h"
#include "sdk/qasttestresult.h"
#include "xrdview/cli/xrdcommandline.h"

#include <QList>
#include <QString>

#include <functional>
#include <future>
#include <memory>

class HistoryRecorder;
class HistoryStore;
class QAStReportSession;

// The history modes of the command line: --record stores the tests of a
// loaded report session as one run, --history prints each test over the
// last runs, --compare-runs compares two recorded runs. Each returns the
// process exit status (XrdHeadlessRunner::ExitStatus) and prints its
// messages on standard error.
class XrdHistoryCommands
{
public:
    // The content hash of the reports to record, or the reason it could not be taken.
    struct ContentHash
    {
        QString hash;
        QString error;
        // The files' SHA-256, for a store that holds runs recorded with that alone.
        std::function<QString()> sha256;
    };
    // Hashes `files` on a thread of its own, so that it overlaps their reading.
    static std::future<ContentHash> hashInBackground(const QStringList& files);

    // Opens the store on a thread of its own and hands it the tests `session`
    // lists while it reads, so that storing them overlaps the reading.
    static std::unique_ptr<HistoryRecorder> startRecorder(const XrdCommandLine& line, QAStReportSession* session);
    // Records the tests of `session`, whose files hash to `content`, as one run
    // through `recorder` (from startRecorder()). Status as --summary: 1 when a
    // test failed, 2 when nothing was recorded.
    static int record(const XrdCommandLine& line, const ContentHash& content, QAStReportSession* session,
                      HistoryRecorder* recorder);
    // Prints the history table in the form --to asks for; 2 when the store
    // cannot be read.
    static int history(const XrdCommandLine& line);
    // Prints what changed between two recorded runs; 1 on a new failure.
    static int compareRuns(const XrdCommandLine& line);

    // A session's verdict as the history library names it.
    static HistoryResult::Verdict verdictOf(QAStTestResult::Verdict verdict);
    // The tests of a report session as the history library names them.
    static QList<HistoryResult> historyResults(const QList<QAStTestResult>& tests);
    // A batch of tests listed while reading, as the history library takes them.
    static HistoryListedTests historyListed(const QAStListedTests& tests);

    // The address of the store: --db, else KORVAT_DB, else empty for the
    // default SQLite file.
    static QString storeUrl(const XrdCommandLine& line);

private:
    // The store at storeUrl(line), or null with the reason on standard error.
    static std::unique_ptr<HistoryStore> openStore(const XrdCommandLine& line);
};
