#pragma once

#include "korvatreporter/data/qareporterdata.h"
#include "korvatreporter/data/qareporterreadcontext.h"

#include <QStringList>

#include <memory>
#include <vector>

class DDocument;
class QAILogMonitor;

// Reads report files (XRD or JUnit, told apart by content) into report
// records and documents, with the report styles and the studio's progress
// display of the read context the caller hands in.
class QAReporterLoader
{
public:
    // Reads every file of `files` that `records` does not hold yet (same
    // fileName) and appends one record per readable file. A document name
    // repeated within this call (a document without a name counts as named
    // "") gets the file's list index appended, then "-2", "-3", ... while
    // still taken, so the documents stay apart in links and exports. Files
    // that are missing or do not parse are reported in one message with
    // each file's reason: to `log` when given, else in the context studio's
    // output pane when there is one, else in a warning box. Returns
    // those file names. When the user cancels the studio's progress display
    // the load stops: the file being read is not loaded and neither are the
    // files after it, and none of them is reported.
    static QStringList loadFiles(const QStringList &files,
                                 std::vector<std::unique_ptr<QAReporterData>> &records,
                                 const QAReporterReadContext &context,
                                 QAILogMonitor *log = nullptr);

    // The document of one file, or null when it is missing or does not
    // parse. The caller owns the document; the node tree is dropped.
    static DDocument *loadReportDocument(const QString &fileName,
                                         const QAReporterReadContext &context);

    // The message listing unreadable files, one per line after a tab, each
    // followed by its reason (when given) on a line of its own after two tabs.
    static QString unreadableMessage(const QStringList &names, const QStringList &reasons = {});

    enum ReadResult { Read, Unreadable, Canceled };
    // Reads one file into `record` (fileName is taken from it). Unless the
    // result is Read the record stays empty: the file is refused or does not
    // parse, or the user canceled the read. A refused file's reason goes to
    // `reason` when given: not a regular file, the open error, or the
    // reader's error with its line and column.
    static ReadResult readRecord(QAReporterData &record, const QAReporterReadContext &context,
                                 QString *reason = nullptr);
};
