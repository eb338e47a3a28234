#include "korvatreporter/link/qareporterlinklocator.h"

#include "korvatreporter/data/qareporterdatatree.h"
#include "rendoc/model/ditemcontainer.h"

#include <vector>

bool QAReporterLinkLocator::inSpan(const DItem *link, const DItem *first, const DItem *last)
{
    if (!link)
        return false;
    if (link == first || link == last)
        return true;

    // Each entry is an item whose children are being walked; when the walk
    // of those children runs off their chain, it goes on after that item.
    std::vector<const DItem *> parents;
    const DItem *item = first;
    for (;;) {
        if (!item) {
            if (parents.empty())
                return false;
            const DItem *parent = parents.back();
            parents.pop_back();
            // The last item's children have been searched: the span ends.
            if (parent == last)
                return false;
            item = parent->next();
            continue;
        }
        if (item == link)
            return true;
        const DItemContainer *container = item->toContainer();
        if (container && container->child()) {
            parents.push_back(item);
            item = container->child();
            continue;
        }
        if (item == last)
            return false;
        item = item->next();
    }
}

QAReporterNode *QAReporterLinkLocator::findNode(const QAReporterDataTree &tree,
                                                const DItem *link)
{
    using TreeNode = QTree<QAReporterNode>::QTreeNode;
    const TreeNode *root = tree.rootNode();
    if (!root)
        return nullptr;

    // Depth-first, children before their parent: a parent's answer depends
    // on the first child whose search found a node.
    struct Frame
    {
        const TreeNode *node;
        qsizetype nextChild;
    };
    std::vector<Frame> stack;
    stack.push_back({root, 0});
    QAReporterNode *returned = nullptr;
    bool childReturned = false;

    while (!stack.empty()) {
        Frame &frame = stack.back();
        if (childReturned) {
            childReturned = false;
            if (returned) {
                QAReporterNode *result =
                    returned->base.isEmpty() ? frame.node->data() : returned;
                stack.pop_back();
                returned = result;
                childReturned = true;
                continue;
            }
        }
        const auto &children = frame.node->children();
        if (frame.nextChild < children.size()) {
            const TreeNode *child = children.at(frame.nextChild);
            ++frame.nextChild;
            stack.push_back({child, 0});
            continue;
        }
        QAReporterNode *own = frame.node->data();
        returned = (own && inSpan(link, own->startItem, own->endItem)) ? own : nullptr;
        stack.pop_back();
        childReturned = true;
    }
    return returned;
}
