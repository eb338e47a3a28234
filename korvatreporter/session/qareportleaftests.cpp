#include "korvatreporter/session/qareportleaftests.h"

#include "korvatreporter/data/qareporterdata.h"
#include "korvatreporter/data/qareporterdatatree.h"
#include "korvatreporter/data/results/qaresultwords.h"
#include "korvatreporter/session/qareportcases.h"
#include "rendoc/model/ddocument.h"

#include <QFileInfo>

#include <optional>
#include <vector>

namespace {

using Node = QTree<QAReporterNode>::QTreeNode;

// Whether the uncounted children of `node` with a verdict are the cases it
// counts for: it counts for more than one test and has exactly that many.
bool childrenAreCases(const Node *node)
{
    const QAReporterNode *data = node->data();
    if (!data || data->count <= 1 || !QAResultWords::verdictOf(data->state))
        return false;
    qint64 cases = 0;
    for (const Node *child : node->children()) {
        const QAReporterNode *c = child->data();
        if (c && c->count == 0 && QAResultWords::verdictOf(c->state))
            ++cases;
    }
    return cases == data->count;
}

// The leaves below `root`: the most tests it can give, so that the list grows once (a list of
// 300,000 tests copied at each doubling costs more than counting).
qsizetype leafCount(const Node *root)
{
    qsizetype leaves = 0;
    std::vector<const Node *> pending{root};
    while (!pending.empty()) {
        const Node *node = pending.back();
        pending.pop_back();
        if (!node->hasChildren())
            ++leaves;
        for (const Node *child : node->children())
            pending.push_back(child);
    }
    return leaves;
}

} // namespace

void QAReportLeafTests::append(const QAReporterData &record, bool detailed, QList<QAStTestResult> *tests)
{
    if (!record.dataTree || !record.dataTree->rootNode())
        return;
    const QString kept = record.document ? record.document->name() : record.documentName;
    const QString document = !kept.isEmpty() ? kept : QFileInfo(record.fileName).completeBaseName();
    // Depth first in document order, without recursion. `path` is the
    // current node's path; each frame knows how long it was before the node.
    struct Frame
    {
        const Node *node;
        qsizetype next;       // index of the next child to visit
        qsizetype pathBefore; // length of the path of the node's parent
        bool casesBelow;      // its verdict-bearing uncounted children are cases
    };
    tests->reserve(tests->size() + leafCount(record.dataTree->rootNode()));
    QString path;
    std::vector<Frame> stack{{record.dataTree->rootNode(), 0, 0, false}};
    while (!stack.empty()) {
        Frame &frame = stack.back();
        const auto &children = frame.node->children();
        if (frame.next == children.size()) {
            path.truncate(frame.pathBefore);
            stack.pop_back();
            continue;
        }
        const Node *node = children.at(frame.next++);
        const QAReporterNode *data = node->data();
        const qsizetype suiteLength = path.size();
        const bool parentCases = frame.casesBelow;
        const QString name = data ? data->name : QString();
        if (!path.isEmpty())
            path += QLatin1Char('/');
        path += name;
        if (node->hasChildren()) {
            stack.push_back({node, 0, suiteLength, detailed && childrenAreCases(node)});
            continue;
        }
        const auto verdict = data ? QAResultWords::verdictOf(data->state) : std::nullopt;
        if (verdict && !path.isEmpty()) {
            QAStTestResult test;
            test.document = document;
            test.path = path;
            test.verdict = *verdict;
            test.passedAfterRetry = data->rerun == QAReporterNode::Flaky;
            if (detailed && (data->count == 1 || (data->count == 0 && parentCases))) {
                test.suite = path.left(suiteLength);
                test.name = name;
                QAReportCases::describe(test, node);
            }
            tests->append(test);
        }
        path.truncate(suiteLength);
    }
}
