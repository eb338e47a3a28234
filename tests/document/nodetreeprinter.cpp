#include "nodetreeprinter.h"

#include "korvatreporter/data/qareporterdatatree.h"
#include "rendoc/ditem.h"

#include <QHash>

#include <vector>

namespace {

using TreeNode = QTree<QAReporterNode>::QTreeNode;

QHash<const DItem *, int> indexItems(const DItem *document)
{
    QHash<const DItem *, int> index;
    int n = 0;
    for (const DItem *item = document; item; item = item->nextInDocument(nullptr))
        index.insert(item, n++);
    return index;
}

QString field(const char *name, const QString &value)
{
    if (value.isNull())
        return QString();
    return QStringLiteral(" %1=\"%2\"").arg(QLatin1String(name), value);
}

QString where(const DItem *item, const QHash<const DItem *, int> &index)
{
    if (!item)
        return QStringLiteral("null");
    const auto it = index.constFind(item);
    if (it == index.cend())
        return QStringLiteral("FOREIGN");
    return QStringLiteral("#%1 %2").arg(*it).arg(QLatin1String(DItem::kindName(item->kind())));
}

// Calls f(node, depth) in pre-order.
template <class F>
void walk(QAReporterDataTree *tree, F f)
{
    std::vector<std::pair<TreeNode *, int>> pending;
    if (tree && tree->rootNode())
        pending.emplace_back(tree->rootNode(), 0);
    while (!pending.empty()) {
        const auto [node, depth] = pending.back();
        pending.pop_back();
        f(*node->data(), depth);
        const auto &children = node->children();
        for (auto it = children.crbegin(); it != children.crend(); ++it)
            pending.emplace_back(*it, depth + 1);
    }
}

} // namespace

QString NodeTreePrinter::print(QAReporterDataTree *tree, const DItem *document)
{
    const QHash<const DItem *, int> index = indexItems(document);
    QString out;
    walk(tree, [&](const QAReporterNode &node, int depth) {
        out += QString(depth * 2, QLatin1Char(' ')) + QStringLiteral("Node")
            + field("id", node.id) + field("name", node.name) + field("type", node.type)
            + field("state", node.state) + QStringLiteral(" start=") + where(node.startItem, index)
            + QStringLiteral(" end=") + where(node.endItem, index) + QLatin1Char('\n');
    });
    return out;
}

int NodeTreePrinter::foreignPointers(QAReporterDataTree *tree, const DItem *document)
{
    const QHash<const DItem *, int> index = indexItems(document);
    int foreign = 0;
    walk(tree, [&](const QAReporterNode &node, int) {
        if (node.startItem && !index.contains(node.startItem))
            ++foreign;
        if (node.endItem && !index.contains(node.endItem))
            ++foreign;
    });
    return foreign;
}
