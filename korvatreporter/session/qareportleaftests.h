#pragma once

#include "sdk/qasttestresult.h"

#include <QList>

class QAReporterData;

// The tests of one loaded record as the host names them: its leaf nodes
// that carry a verdict, in document order, each with its document and node
// path. One walk over the tree builds each path once, for its leaf only.
class QAReportLeafTests
{
public:
    QAReportLeafTests() = delete;

    // Appends the tests of `record` to `tests`. With `detailed`, a leaf that
    // is itself a counted test case (see QAReportCases: a node counting
    // once, or one of the N verdict-bearing children of a node counting N)
    // also gets its suite, name, duration, message and source, as the cases
    // of QAReportCases::of() have them.
    static void append(const QAReporterData &record, bool detailed, QList<QAStTestResult> *tests);
};
