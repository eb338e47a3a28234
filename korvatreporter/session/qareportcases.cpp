#include "korvatreporter/session/qareportcases.h"

#include "korvatreporter/data/qareporterdata.h"
#include "korvatreporter/data/qareporterdatatree.h"
#include "korvatreporter/data/qareporternode.h"
#include "korvatreporter/data/results/qaresultwords.h"
#include "korvatreporter/link/qareporterlinktarget.h"
#include "rendoc/model/dcelltext.h"
#include "rendoc/model/ddocument.h"
#include "rendoc/model/ditemcontainer.h"
#include "rendoc/model/dlink.h"
#include "rendoc/model/dtext.h"

#include <QFileInfo>
#include <QStringList>

#include <algorithm>
#include <optional>
#include <utility>
#include <vector>

namespace {

using Node = QTree<QAReporterNode>::QTreeNode;

// A node's text walk stops after this many items, so that a node whose end
// is not in its start's document cannot make it scan a whole report.
constexpr int MaxItems = 20000;

// The lines of a node's text without its titles, and its first source link.
struct NodeText
{
    QStringList lines;
    QList<bool> marked; // per line: in a failure's or warning's style
    QList<bool> output; // per line: captured output
    QString sourceFile;
    qint64 sourceLine = -1;
};

bool inTitle(const DItem *item)
{
    for (int up = 0; item && up < 8; ++up, item = item->parent()) {
        if (item->kind() == DItem::Title)
            return true;
    }
    return false;
}

// The label of a popup link (the "show all" of a folded trace, whose popup
// holds the rest of the trace) is no part of the message.
bool inPopupLink(const DItem *item)
{
    for (int up = 0; item && up < 8; ++up, item = item->parent()) {
        if (item->kind() == DItem::PopupLink)
            return true;
    }
    return false;
}

// One line per paragraph, title, list entry or cell, its runs joined as
// they come; white space is collapsed once the line is whole.
void addRun(NodeText &text, const DItem *block, const QString &run, bool newBlock)
{
    if (newBlock || text.lines.isEmpty()) {
        const QString style = block ? block->styleName() : QString();
        text.lines.append(QString());
        text.marked.append(style.contains(QLatin1String("Failed")) || style == QLatin1String("Warning"));
        text.output.append(style == QLatin1String("Output"));
    }
    text.lines.last() += run;
}

// Captured output keeps its layout; report text is laid out by the view,
// which collapses its white space.
void finishLines(NodeText &text)
{
    for (qsizetype i = 0; i < text.lines.size(); ++i) {
        QString &line = text.lines[i];
        line.replace(QChar(0x00a0), QLatin1Char(' '));
        line = text.output.at(i) ? line : line.simplified();
    }
}

NodeText textOf(const QAReporterNode &node)
{
    NodeText text;
    const DItem *block = nullptr;
    bool newBlock = true;
    int seen = 0;
    // The node's end is the last item opened before its end tag, often a
    // paragraph: once there, only that item's own content is left to walk.
    const DItem *stopAt = nullptr;
    for (const DItem *item = node.startItem; item && seen < MaxItems; item = item->nextInDocument(stopAt), ++seen) {
        switch (item->kind()) {
        case DItem::Paragraph:
        case DItem::Title:
        case DItem::Cell:
        case DItem::Row:
            block = item;
            newBlock = true;
            break;
        case DItem::CellText:
            if (!inTitle(item))
                addRun(text, item, static_cast<const DCellText *>(item)->text(), true);
            break;
        case DItem::Text:
            if (!inTitle(item) && !inPopupLink(item)) {
                addRun(text, block, static_cast<const DText *>(item)->text(), newBlock);
                newBlock = false;
            }
            break;
        case DItem::Link:
            if (text.sourceLine < 0) {
                const QAReporterLinkTarget target(static_cast<const DLink *>(item)->target());
                bool ok = false;
                const qint64 line = target.lineText().toLongLong(&ok);
                if (target.kind() == QAReporterLinkTarget::SourceLink && ok && !target.fileText().isEmpty()) {
                    text.sourceFile = target.fileText();
                    text.sourceLine = line;
                }
            }
            break;
        default:
            break;
        }
        if (item == node.endItem)
            stopAt = item;
    }
    finishLines(text);
    return text;
}

// The deepest first descendant of `node` along children with `state`.
const Node *firstCheckWith(const Node *node, const QString &state)
{
    for (;;) {
        const Node *next = nullptr;
        for (const Node *child : node->children()) {
            if (child->data() && child->data()->state == state) {
                next = child;
                break;
            }
        }
        if (!next)
            return node;
        node = next;
    }
}

// The message lines: from the first one in a failure's style when there is
// one (a JUnit case opens with its class and time), else all of them.
QString messageOf(const NodeText &text)
{
    const qsizetype first = std::max<qsizetype>(text.marked.indexOf(true), 0);
    QStringList lines = text.lines.mid(first);
    lines.removeAll(QString());
    QString message = lines.join(QLatin1Char('\n'));
    if (message.size() > QAReportCases::MaxMessage)
        message = message.left(QAReportCases::MaxMessage);
    return message;
}

QAStTestResult caseOf(const QString &document, const QString &suite, const QString &name,
                      QAStTestResult::Verdict verdict)
{
    QAStTestResult test;
    test.document = document;
    test.suite = suite;
    test.name = name;
    test.path = suite.isEmpty() ? name : suite + QLatin1Char('/') + name;
    test.verdict = verdict;
    return test;
}

// The cases a node counting for `count` tests stands for.
void addCounted(QList<QAStTestResult> &tests, const QString &document, const QString &suite, const Node *node,
                QAStTestResult::Verdict verdict, qint64 &copiesLeft)
{
    const QAReporterNode *data = node->data();
    if (data->count == 1) {
        tests.append(caseOf(document, suite, data->name, verdict));
        QAReportCases::describe(tests.last(), node);
        return;
    }
    const QString path = suite.isEmpty() ? data->name : suite + QLatin1Char('/') + data->name;
    std::vector<const Node *> children;
    for (const Node *child : node->children()) {
        const QAReporterNode *c = child->data();
        if (c && c->count == 0 && QAResultWords::verdictOf(c->state))
            children.push_back(child);
    }
    if (qint64(children.size()) == data->count) {
        for (const Node *child : children) {
            tests.append(caseOf(document, path, child->data()->name, *QAResultWords::verdictOf(child->data()->state)));
            QAReportCases::describe(tests.last(), child);
        }
        return;
    }
    const qint64 copies = std::min({qint64(data->count), QAReportCases::MaxCopies, copiesLeft});
    copiesLeft -= copies;
    for (qint64 i = 1; i <= copies; ++i) {
        tests.append(caseOf(document, path, QStringLiteral("%1 #%2").arg(data->name).arg(i), verdict));
        QAReportCases::describe(tests.last(), node);
    }
}

} // namespace

QAStFileResults QAReportCases::of(const QAReporterData &record)
{
    QAStFileResults results;
    results.file = record.fileName;
    results.document = record.document && !record.document->name().isEmpty()
                           ? record.document->name()
                           : QFileInfo(record.fileName).completeBaseName();
    results.totals.passed = record.passed;
    results.totals.failed = record.failed;
    results.totals.inconclusive = record.inconclusive;
    if (!record.dataTree || !record.dataTree->rootNode())
        return results;
    // Depth first in document order, without recursion. The path of the
    // current node's parent is kept as a stack of names and joined only for
    // a case: a large report has several uncounted checks per case.
    struct Frame
    {
        const Node *node;
        qsizetype next; // index of the next child to visit
    };
    std::vector<Frame> stack{{record.dataTree->rootNode(), 0}};
    qint64 copiesLeft = MaxFileCopies;
    QStringList names;
    while (!stack.empty()) {
        Frame &frame = stack.back();
        const auto &children = frame.node->children();
        if (frame.next == children.size()) {
            stack.pop_back();
            if (!names.isEmpty() && !stack.empty())
                names.removeLast();
            continue;
        }
        const Node *node = children.at(frame.next++);
        const QAReporterNode *data = node->data();
        if (!data)
            continue;
        if (data->count > 0) {
            if (const auto verdict = QAResultWords::verdictOf(data->state))
                addCounted(results.tests, results.document, names.join(QLatin1Char('/')), node, *verdict,
                           copiesLeft);
        }
        if (node->hasChildren()) {
            names.append(data->name);
            stack.push_back({node, 0});
        }
    }
    return results;
}

void QAReportCases::describe(QAStTestResult &test, const Node *node)
{
    const QAReporterNode *data = node->data();
    test.seconds = data->seconds;
    if (test.verdict == QAStTestResult::Passed)
        return;
    const Node *check = firstCheckWith(node, data->state);
    NodeText text = textOf(*check->data());
    if (check != node && text.sourceLine < 0) {
        const NodeText own = textOf(*data);
        text.sourceFile = own.sourceFile;
        text.sourceLine = own.sourceLine;
    }
    test.message = messageOf(text);
    test.sourceFile = text.sourceFile;
    test.sourceLine = text.sourceLine;
}
