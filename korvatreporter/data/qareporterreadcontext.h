#pragma once

#include "sdk/qastreportsession.h"

#include <QList>

#include <utility>

class DStyle;
class QAStudioInterface;

// What reading report files takes from the host, handed in by whoever
// reads: the studio (its progress display and output pane) and the report
// styles the documents are built with. Either may be absent. With
// totalsOnly the caller needs each file's totals and types and nothing else:
// readers that can then keep neither node tree nor documents. With testsOnly
// the caller needs the tests (QAReporterData::tests): readers that can then
// list them without keeping a tree or documents, and hand them to
// testsListed (when set) as they list them. With treeOnly the caller needs
// the node tree, totals and types: readers that can then keep no document.
struct QAReporterReadContext
{
    QAReporterReadContext() = default;
    // A context for a full read.
    QAReporterReadContext(QAStudioInterface *studio, QList<DStyle *> styles)
        : studio(studio), styles(std::move(styles))
    {
    }

    QAStudioInterface *studio = nullptr;
    QList<DStyle *> styles;
    bool totalsOnly = false;
    bool testsOnly = false;
    bool treeOnly = false;
    QAStReportSession::TestsListed testsListed;
};
