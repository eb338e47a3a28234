#pragma once

#include "korvatreporter/data/qareporternode.h"
#include "korvatreporter/data/qtree.h"
#include "sdk/qastfileresults.h"

#include <optional>

class QAReporterData;

// The counted test cases of one loaded record as plain values, for the
// writers of other result formats. A node whose verdict counts once is a
// case; a node counting for N tests is N cases: its N verdict-bearing
// uncounted children when it has exactly that many, else N numbered copies
// of itself. A failed or inconclusive case takes as message the text of its
// first check with the same verdict (followed down to the deepest one), and
// as source the first source link of that text or, failing that, of its own.
class QAReportCases
{
public:
    QAReportCases() = delete;

    static QAStFileResults of(const QAReporterData &record);

    // Gives the case `test`, read from `node`, its duration and, when it did
    // not pass, its message and source.
    static void describe(QAStTestResult &test, const QTree<QAReporterNode>::QTreeNode *node);

    // A node counting for more tests than this is written as this many
    // cases, and a file gets at most MaxFileCopies such numbered copies in
    // all, so that hostile counts cannot make the output endless.
    static constexpr qint64 MaxCopies = 10000;
    static constexpr qint64 MaxFileCopies = 200000;
    // The message keeps at most this many characters.
    static constexpr int MaxMessage = 16 * 1024;
};
