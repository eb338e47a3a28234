#pragma once

#include "korvatreporter/window/qartreemodel.h"

#include <QAbstractTableModel>
#include <QPointer>
#include <QSet>

#include <vector>

// The rows of a QARTreeModel as the report tree shows them: a flat list in
// display order, a row for every node whose ancestors are all open, and the
// open state itself: every row above an open depth is open unless it was
// closed, and rows below it are open when they were opened, so opening a
// large report to a depth records nothing per row. The view lays out a flat
// list and keeps nothing per opened row; indentation and the branch arrow
// come from DepthRole and BranchRole.
//
// Rows are the tree model's rows in its current order (filter, sort); a tree
// model reset forgets every open row, a sort or a filter keeps them. Rows can
// be hidden with their subtree (the comparison's "new failures only").
// Indexes of this model carry the tree node like the tree model's own, and
// treeIndex()/rowIndex() convert between the two.
class QARShownRows : public QAbstractTableModel
{
    Q_OBJECT
public:
    using Node = QARTreeModel::Node;

    // Depth below the file row (0 on a file row), under column 0.
    static constexpr int DepthRole = Qt::UserRole + 40;
    // Branch state under column 0: NoBranch, Closed or Open.
    static constexpr int BranchRole = Qt::UserRole + 41;
    enum Branch { NoBranch = 0, Closed = 1, Open = 2 };

    explicit QARShownRows(QARTreeModel *tree, QObject *parent = nullptr);
    ~QARShownRows() override;

    QARTreeModel *treeModel() const { return m_tree; }

    // The tree model's index for a row of this model, and back: invalid for
    // a row not shown (an ancestor closed or hidden).
    QModelIndex treeIndex(const QModelIndex &row) const;
    QModelIndex rowIndex(const QModelIndex &treeIndex, int column = 0) const;

    // Open state of a tree row (shown or not); opening a row whose ancestors
    // are closed records it, and its rows appear when they open.
    bool isOpen(const QModelIndex &treeIndex) const;
    void setOpen(const QModelIndex &treeIndex, bool open);
    // Opens `treeIndex`'s ancestors (and the row itself when `self`), in one
    // relayout.
    void openTo(const QModelIndex &treeIndex, bool self);
    // Opens every file row and every row with children whose depth below
    // the file row is less than `depth`, closing nothing; 1 opens the file
    // rows only.
    void openToDepth(int depth);
    // Opens every row with children below `treeIndex`, and the row itself.
    void openAllBelow(const QModelIndex &treeIndex);
    // Opens the given nodes of the tree model, in one relayout.
    void openNodes(const QList<const Node *> &nodes);

    // Hides the given nodes with everything below them; replaces the set
    // hidden before. File rows are never hidden.
    void setHiddenNodes(QSet<const Node *> nodes);
    bool isHidden(const QModelIndex &treeIndex) const;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    // Sorts the tree model; open rows and the current row stay.
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

private:
    const Node *nodeAt(int row) const;
    // The row of a shown node, searched outward from the last row found.
    int rowOf(const Node *node) const;
    bool isShownNode(const Node *node) const;
    bool hasShownChildren(const Node *node) const;
    static int depthOf(const Node *node);
    // Whether `node`, `depth` below its file row, is open (children or not).
    bool isOpenAt(const Node *node, int depth) const
    {
        return depth < m_openDepth ? !m_closed.contains(node) : m_open.contains(node);
    }
    // Records `node` open or closed; false when it already was.
    bool setOpenAt(const Node *node, int depth, bool open);
    // The rows below `node` while it is open, in display order.
    void collectBelow(const Node *node, std::vector<const Node *> &out) const;
    // Lays out every row again, keeping the persistent indexes on their nodes.
    void relayout();
    void rebuild();
    void onTreeReset();

    QPointer<QARTreeModel> m_tree;
    std::vector<const Node *> m_rows;
    int m_openDepth = 0; // rows less deep than this are open unless in m_closed
    QSet<const Node *> m_closed;
    QSet<const Node *> m_open; // open rows at m_openDepth and below
    QSet<const Node *> m_hidden;
    mutable int m_lastRow = 0;
};
