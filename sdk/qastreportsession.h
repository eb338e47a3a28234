#pragma once

#include "sdk/qastexportresult.h"
#include "sdk/qastfileresults.h"
#include "sdk/qastlistedtests.h"
#include "sdk/qastresulttotals.h"
#include "sdk/qasttestresult.h"

#include <QList>

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

class QAILogMonitor;
class QAIProgressMonitor;

// The loaded reports of a viewer plug-in without any window: what a host
// running without a screen drives. A session reads files, filters what it
// shows (failed tests only, hidden node types), and answers with totals,
// text and HTML exports. It creates no widget, so it works under a core
// application (text that needs fonts under a GUI application).
class QAStReportSession
{
public:
    virtual ~QAStReportSession();

    // Shows the failed tests only (true) or every test.
    virtual void setFailedOnly(bool failedOnly) = 0;
    // Hides the nodes of `type` and everything below them.
    virtual void hideType(const QString& type) = 0;

    // Reads `files` after those already held (a file held already is not
    // read again). Returns the files that could not be read; the reason for
    // each goes to `log` (not owned) when given, else to the host's output.
    virtual QStringList load(const QStringList& files, QAILogMonitor* log) = 0;
    // Tells the session that the host will ask for totals only (resultTotals(),
    // totalsText()) of the files loaded from now on, so that it may read them
    // without keeping their content. Ignored by default.
    virtual void setTotalsOnly(bool totalsOnly);
    // Tells the session that the host will ask for testResults() and
    // detailedTestResults() only of the files loaded from now on: it may
    // read them without their documents (reading a file again when a case's
    // message is asked for), and shows no progress for them, so that
    // sessions told so may each load on a thread of their own. Ignored by
    // default.
    virtual void setTestsOnly(bool testsOnly);
    // Tells the session that the host will ask for the node tree only
    // (outlineText(), and the totals) of the files loaded from now on, so
    // that it may read them without their documents. Ignored by default.
    virtual void setTreeOnly(bool treeOnly);
    // Receives tests of a document as a read for the tests alone lists them,
    // in batches in document order, on the reading thread and before load()
    // returns: their paths and outcomes. A host can so do its work on them
    // during the read. What the batches do not give (a failure's message, a
    // document's final name) unlistedTestResults() gives after the read.
    using TestsListed = std::function<void(const QAStListedTests& tests)>;
    // Sets the receiver of the tests listed from now on (none: an empty
    // function). Ignored by default: no test is handed over early.
    virtual void setTestsListed(TestsListed listener);

    // The sums of the held files' totals; none while no file is held.
    virtual std::optional<QAStResultTotals> resultTotals() const = 0;
    // The totals as the summary mode prints them, after a "TestNode:" line
    // when `testNode` is not empty.
    virtual QString totalsText(const QString& testNode) const = 0;
    // The results table, one line per file and a line of totals.
    virtual QString summaryText() = 0;
    // Receives shown text one line at a time, without its line end.
    using TextLines = std::function<void(QStringView line)>;
    // Hands over the shown text of every shown document, in order, a line
    // as it is made: a host prints a report of any size without holding its
    // whole text.
    virtual void documentText(const TextLines& lines) = 0;
    // Hands over the shown node tree a line at a time: one line per file,
    // then per node in document order, two spaces per level; a node line
    // starts with its verdict ("ok", "ko", "NE", or "--") and two spaces.
    virtual void outlineText(const TextLines& lines) = 0;

    // Every test of every held report (the leaf nodes that carry a
    // verdict), in load and document order, whatever is shown. None by
    // default: a plug-in without results.
    virtual QList<QAStTestResult> testResults() const;
    // Per held file, its totals and the test cases they count (a node with
    // a count of one; the verdict-bearing children of a node counting as
    // many as it has of them), with message, source and duration where the
    // report gives them. None by default.
    virtual QList<QAStFileResults> fileResults() const;
    // testResults(), each test with the message and duration of the counted
    // case of fileResults() that has its document and path (a test case that
    // is itself a leaf); tests inside a case keep them empty. By default
    // built from the two above; a plug-in may give the same in one pass.
    virtual QList<QAStTestResult> detailedTestResults() const;
    // detailedTestResults() of the held files whose tests were not all
    // handed over complete to the TestsListed receiver: files read in full,
    // files with a case that did not pass (whose message the batches lack),
    // files whose document was named otherwise once read. `superseded` gets
    // the files among them that were handed over in part or whole: their
    // batches are to be disregarded. By default every test, none superseded.
    virtual QList<QAStTestResult> unlistedTestResults(QStringList* superseded) const;
    // True when `file` is a report some format of the plug-in recognises by
    // its content, as a host searching a folder asks. True by default.
    virtual bool recognises(const QString& file) const;

    // Writes every shown report, the reports they link to and the summary
    // into `dir` as HTML pages. The monitors are not owned and may be null.
    virtual QAStExportResult exportHtml(const QString& dir, QAIProgressMonitor* progress,
                                        QAILogMonitor* log) = 0;
};
