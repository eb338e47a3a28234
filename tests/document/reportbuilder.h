#pragma once

#include <QString>

#include <memory>
#include <vector>

class DDocument;
class DItem;
class DItemContainer;
class QAReporterData;
class QAReporterDataTree;
class QAReporterNode;

// Builds a report (node tree plus document) in memory the way the XRD reader
// does: a node opened with beginNode() waits for the next item added with
// add() or open() and takes it as its startItem; endNode() sets endItem to
// the last item linked into the innermost open container (the container
// itself while it is empty). Text added with text() anchors nothing, like
// character data. Nodes are numbered "1", "2"... in order of beginNode().
class ReportBuilder
{
public:
    explicit ReportBuilder(const QString &documentName = QStringLiteral("doc"));
    ~ReportBuilder();

    // Links item into the innermost open container and anchors waiting nodes.
    DItem *add(DItem *item);
    // add() and make the container the innermost open one.
    DItemContainer *open(DItemContainer *container);
    void close();
    // A DText that anchors nothing.
    DItem *text(const QString &text);

    // A node under the innermost open node; a null QString leaves the field
    // null.
    QAReporterNode *beginNode(const QString &name, const QString &type,
                              const QString &state = QString());
    void endNode();

    DDocument *document() const { return m_document; }
    QAReporterDataTree *tree() const { return m_tree; }
    // The record; the builder keeps pointers for further inspection only.
    std::unique_ptr<QAReporterData> take(const QString &fileName = QStringLiteral("report.xrd"));

private:
    DItem *endPosition() const;

    std::unique_ptr<QAReporterData> m_record;
    DDocument *m_document;
    QAReporterDataTree *m_tree;
    std::vector<DItemContainer *> m_open;
    std::vector<DItem *> m_last; // last item linked into each open container
    std::vector<QAReporterNode *> m_waiting;
    std::vector<QAReporterNode *> m_nodes; // open nodes, innermost last
    int m_counter = 0;
};
