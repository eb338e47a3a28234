#pragma once

#include <QHash>
#include <QString>

#include <vector>

class DItem;

// The tree of report nodes that a page's outline shows and that a large page is split along.
//
// Nodes are added in pre-order (a parent before its children, siblings in order), so a node's
// subtree is the run of indexes from it to it + subtreeSize() - 1 and every walk over the tree
// is a loop over indexes. Each node names the first document item of its text and the last
// item it holds; the writer finds its text between them.
class DHTMLOutline
{
public:
    enum Verdict { NoVerdict, Passed, Failed, Inconclusive };

    // A node as the outline keeps it: kept small, as a report has hundreds of thousands.
    struct Node
    {
        QString label;  // the name shown
        QString type;   // shown after the name, smaller
        Verdict verdict = NoVerdict;
        int number = -1;               // the node's part of its anchor id (see add())
        qint64 tests = 0;              // how many tests the node's verdict counts for
        const DItem* first = nullptr;  // first item of the node's text; not owned
        const DItem* last = nullptr;   // last item of the node's text; not owned
        int parent = -1;               // -1 for a top-level node
    };

    // Adds node as the last child of node.parent (which must be added already and be the
    // last added node or one of its ancestors); answers its index. id: the node's part of
    // its anchor id when that is a text; "" for node.number (none when that is negative).
    int add(Node node, const QString& id = QString());
    void clear();
    // Makes room for count nodes in all.
    void reserve(int count);

    // What every node's anchor id starts with ("" by default); a node without an id of its
    // own is then told by its number, so no anchor id needs a string made for it.
    void setIdPrefix(const QString& prefix) { m_idPrefix = prefix; }
    const QString& idPrefix() const { return m_idPrefix; }
    // The anchor id written at the node's first item is the prefix and the node's id, else
    // its number; a node without either has none.
    bool hasAnchor(int index) const { return node(index).number >= 0 || m_textIds.contains(index); }
    // The node's part of its anchor id when it is a text, else "".
    QString textId(int index) const { return m_textIds.value(index); }
    // The length of that id (0 for none).
    qsizetype anchorIdSize(int index) const;

    int size() const { return int(m_nodes.size()); }
    bool isEmpty() const { return m_nodes.empty(); }
    const Node& node(int index) const { return m_nodes[size_t(index)]; }
    // How many nodes the subtree of index holds, itself included.
    int subtreeSize(int index) const { return m_subtree[size_t(index)]; }
    bool isAncestor(int ancestor, int node) const
    {
        return ancestor >= 0 && node > ancestor && node < ancestor + subtreeSize(ancestor);
    }
    // Whether the subtree of index holds a failed node.
    bool holdsFailure(int index) const { return m_failing[size_t(index)]; }

private:
    QString m_idPrefix;
    QHash<int, QString> m_textIds; // the few nodes whose ids are texts
    std::vector<Node> m_nodes;
    std::vector<int> m_subtree;
    std::vector<bool> m_failing;
};
