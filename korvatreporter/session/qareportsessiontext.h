#pragma once

#include "sdk/qastreportsession.h"
#include "sdk/qastresulttotals.h"

#include <QList>
#include <QString>

class QAReporterData;

// The plain-text forms of a session's shown reports, as the command line
// prints them. Each walk is iterative, so reports of any depth print.
class QAReportSessionText
{
public:
    QAReportSessionText() = delete;

    // One line per record (its file name without folder), then one per node
    // in document order, indented two spaces per level; a node line is its
    // verdict ("ok", "ko", "NE", or "--" for anything else), two spaces and
    // its name; handed to `lines` a line at a time.
    static void outline(const QList<QAReporterData *> &records, const QAStReportSession::TextLines &lines);
    // The text of every document of `records` as a view shows it, handed to
    // `lines` a line at a time: one line per non-empty block, table cells
    // separated by tabs.
    static void documents(const QList<QAReporterData *> &records, const QAStReportSession::TextLines &lines);
    // The totals of the summary mode, after a "TestNode:" line when `testNode`
    // is not empty.
    // Flaky cases (passed on a rerun), when there are any, get a line of their own.
    static QString totals(const QAStResultTotals &totals, const QString &testNode, qint64 flaky = 0);
};
