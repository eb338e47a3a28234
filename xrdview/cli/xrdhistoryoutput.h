#pragma once

#include "history/historyclassifier.h"

#include <QList>
#include <QString>
#include <QStringList>

// The history table of --history in the forms other than plain text: a
// Markdown table for job summaries and JSON for scripts. Both name the
// runs oldest first, as the lines' letters are.
class XrdHistoryOutput
{
public:
    // The runs' labels, oldest first.
    static QStringList labels(const QList<HistoryRun>& runs);

    // A table with one column per run:
    //   | test | b1 | b2 | fails | flips | state |
    static QString markdown(const QList<HistoryRun>& runs, const QList<HistoryLine>& lines);

    // {"runs": [{"id", "label", "recorded"}], "tests": [{"path", "verdicts",
    // "fails", "flips", "state", "since"}]}; the states are the untranslated
    // words "new failure", "still failing", "fixed", "flaky", "stable".
    static QString json(const QList<HistoryRun>& runs, const QList<HistoryLine>& lines);
};
