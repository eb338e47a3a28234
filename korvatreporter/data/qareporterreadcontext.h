#pragma once

#include <QList>

class DStyle;
class QAStudioInterface;

// What reading report files takes from the host, handed in by whoever
// reads: the studio (its progress display and output pane) and the report
// styles the documents are built with. Either may be absent.
struct QAReporterReadContext
{
    QAStudioInterface *studio = nullptr;
    QList<DStyle *> styles;
};
