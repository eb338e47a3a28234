#pragma once

#include "korvatreporter/data/qareporternode.h"
#include "korvatreporter/data/qtree.h"
#include "korvatreporter/window/qareporterimages.h"
#include "korvatreporter/window/qartreefilter.h"

#include <QAbstractItemModel>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <functional>

class DItem;
class QAReporterDataTree;

// The report tree as an item model: one top-level row per shown report
// file, below it one row per report node in document order. Column 0 shows
// the name (the file name on a file row) and the node's own icon, column 1
// the verdict image, with the verdict text under QAListView::VerdictRole,
// column 2 the duration: the node's own when its file gives one, else on a
// row with children the sum of the durations below it (a suite's total).
//
// The model reads the node trees directly: an index carries the tree node it
// stands for (a file row carries the root node of its file's tree), and the
// nodes' parent links and rows answer parent() and index() in constant time.
// The trees are not owned; whoever frees one resets the model first.
//
// A filter text narrows the rows to the nodes whose path holds its words
// (QARTreeFilter), their ancestors kept; names holding a word are shown in
// bold.
//
// Rows come in document order until sort() asks for another: the shown
// children of a row are then ordered by name, verdict or duration (rows
// without a duration last either way), each parent's order worked out the
// first time its rows are asked for.
class QARTreeModel : public QAbstractItemModel
{
    Q_OBJECT
public:
    using Node = QTree<QAReporterNode>::QTreeNode;

    enum Column { NameColumn = 0, VerdictColumn = 1, DurationColumn = 2, ColumnCount = 3 };

    // One shown report file: its path as the window was given it and its
    // node tree (not owned). A tree without a root gives no row.
    struct File
    {
        QString path;
        const QAReporterDataTree *tree = nullptr;
    };

    explicit QARTreeModel(QObject *parent = nullptr);
    ~QARTreeModel() override;

    // Shows `files`, in order, in place of the files shown so far.
    void setFiles(const QList<File> &files);
    // Shows nothing.
    void clear();
    // Called first for the name column's data: a valid answer wins (marks
    // laid over the tree, such as a comparison's). Null for none.
    using Marker = std::function<QVariant(const QModelIndex &index, int role)>;
    void setMarker(Marker marker) { m_marker = std::move(marker); }
    // Narrows the rows to the filter's matches (an empty text shows all);
    // resets the model when the words changed. True when they did.
    bool setFilterText(const QString &text);
    const QARTreeFilter &filter() const { return m_filter; }

    // What a row stands for. An invalid index gives null, empty or false.
    bool isFile(const QModelIndex &index) const;
    // The node of a node row; null on a file row.
    QAReporterNode *node(const QModelIndex &index) const;
    // The path of the file the row belongs to.
    QString filePath(const QModelIndex &index) const;
    // Where the document view goes for the row: the node's first document
    // item, or on a file row where the file's document starts.
    DItem *anchor(const QModelIndex &index) const;
    // Whether the row is a failed test: a node whose verdict is "ko".
    bool isFailed(const QModelIndex &index) const;
    // The row's duration in seconds (see the class comment); negative when
    // neither the node nor anything below it has one.
    double seconds(const QModelIndex &index) const;
    // A duration as the Duration column shows it.
    static QString durationText(double seconds);
    // The Duration texts that may be the widest of the column: the file rows'
    // totals (no row below a file has a larger duration) and the widest form
    // of a duration under a minute when any row has one. Measuring these
    // stands for measuring every row.
    QStringList widestDurationTexts() const;
    // The row of `treeNode`, a node of a shown tree, in column 0; invalid
    // for null and for the root of a tree that is not shown.
    QModelIndex indexOf(const Node *treeNode) const;
    // The shown row of the node of file `filePath` whose id is `id`, else
    // of the first whose names from the top joined by " › " give `path`;
    // invalid when no shown row is either. Walks the shown rows.
    QModelIndex findNode(const QString &filePath, const QString &id, const QString &path) const;
    // The shown row whose text holds `item`, an item of a shown document:
    // the last row in document order whose anchor comes at or before it
    // (the deepest when several share an anchor); invalid when none does.
    QModelIndex rowHolding(const DItem *item) const;
    // The tree node of a row, and the shown children of a node in the
    // current order: what the flat list of shown rows is built from.
    const Node *nodeOf(const QModelIndex &index) const;
    int shownChildCount(const Node *parent) const;
    const Node *shownChild(const Node *parent, int row) const { return childAt(parent, row); }

    QModelIndex index(int row, int column, const QModelIndex &parent = QModelIndex()) const override;
    QModelIndex parent(const QModelIndex &child) const override;
    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    bool hasChildren(const QModelIndex &parent = QModelIndex()) const override;
    // A node row without children in its tree never gets any before the next
    // reset: the view then skips its expansion checks when laying rows out.
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    // Orders the shown children of every row by `column`; a negative column
    // gives document order back. Rows keep their persistent indexes.
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;
    int sortColumn() const { return m_sortColumn; }

private:
    // A shown file: its path, its name as the row shows it, its root.
    struct Row
    {
        QString path;
        QString name;
        const Node *root = nullptr;
    };

    const Node *treeNode(const QModelIndex &index) const;
    // The file row a root node stands for; -1 for any other node.
    int fileRow(const Node *treeNode) const;
    QVariant fileData(int row, int column, int role) const;
    QVariant nodeData(const QAReporterNode &reportNode, int column, int role) const;
    QVariant durationData(const Node *treeNode, int role) const;
    // Works out the filter's rows for the shown files.
    void applyFilter();
    // The durations of the rows with children, summed from their leaves in
    // one pass without recursion.
    void sumDurations();
    double secondsOf(const Node *treeNode) const;
    // The shown children of a row and the row of a shown node, in the
    // current order.
    const Node *childAt(const Node *parent, int row) const;
    int rowOf(const Node *treeNode) const;
    // The shown children of `parent` sorted by the sort column, made once.
    const QList<const Node *> &sortedChildren(const Node *parent) const;
    bool sortsBefore(const Node *a, const Node *b) const;

    QARTreeFilter m_filter;
    QList<Row> m_rows;
    Marker m_marker;
    QHash<const Node *, int> m_fileRows; // root node -> file row
    QHash<const Node *, double> m_totals; // rows with children -> summed duration
    int m_sortColumn = -1; // document order
    Qt::SortOrder m_sortOrder = Qt::AscendingOrder;
    // Parent -> its shown children in the sort order, and their rows.
    mutable QHash<const Node *, QList<const Node *>> m_sorted;
    mutable QHash<const Node *, int> m_sortedRows;
    mutable QAReporterImages m_images;   // cached icons, looked up on demand
};
