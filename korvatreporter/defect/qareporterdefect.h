#pragma once

#include "sdk/nodedata.h"

class QAStudioInterface;
class QTreeWidgetItem;

// Submits a defect report about one item of the report tree through the
// studio's defect-tracker client: fills a new form with a headline, a
// five-line description and the report file as an attachment, then asks
// the client to show it. Progress and failures go to the studio's output
// pane when it has one.
class QAReporterDefect
{
public:
    QAReporterDefect() = delete;

    // `node` is the window's host node, `selected` the item the tree view
    // last reported as selected (may be null). Without a studio nothing
    // happens.
    static void submit(QAStudioInterface *studio, const nodeData &node,
                       QTreeWidgetItem *selected);
};
