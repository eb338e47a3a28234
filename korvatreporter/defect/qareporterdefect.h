#pragma once

#include "sdk/nodedata.h"

#include <QString>

#include <optional>

class QAReporterNode;
class QAStudioInterface;

// Submits a defect report about one item of the report tree through the
// studio's defect-tracker client: fills a new form with a headline, a
// five-line description and the report file as an attachment, then asks
// the client to show it. Progress and failures go to the studio's output
// pane when it has one.
class QAReporterDefect
{
public:
    QAReporterDefect() = delete;

    // A row of the report tree: a report node, or the row of its file.
    struct Subject
    {
        QString filePath;                     // the report file, as given to the window
        const QAReporterNode *node = nullptr; // null on the file's own row; not owned
    };

    // `node` is the window's host node, `selected` the row the tree view
    // last reported as selected (none when nothing is). Only a node with
    // report text can be described. Without a studio nothing happens.
    static void submit(QAStudioInterface *studio, const nodeData &node,
                       const std::optional<Subject> &selected);
};
