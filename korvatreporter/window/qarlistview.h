#pragma once

#include "korvatreporter/window/qartreemodel.h"
#include "sdk/qalistview.h"

#include <QPointer>
#include <QSet>

class QARBranchDelegate;
class QARShownRows;
class QKeyEvent;
class QMouseEvent;

// The report tree view: one top-level row per report file, one row per
// report node below it, shown from a QARTreeModel. The view lays out the
// shown rows as a flat list (QARShownRows, which also keeps which rows are
// open) and draws the indentation and branch arrows itself, so that neither
// opening nor showing a hundred thousand rows costs the view a record per
// row. Its row API speaks
// in the tree model's indexes: currentRow(), setCurrentRow(), isOpen() and
// the index of every signal (current row, double click, context menu).
//
// A click on an arrow, +, -, *, Left and Right open and close rows as a tree
// view does; a double click never opens or closes the row under the pointer.
class QARListView : public QAListView
{
    Q_OBJECT
public:
    explicit QARListView(QWidget *parent = nullptr);
    ~QARListView() override;

    // Shows `model` (not owned); null shows nothing.
    void setTreeModel(QARTreeModel *model);
    QARTreeModel *treeModel() const;
    QARShownRows *shownRows() const { return m_rows; }
    // Width of one level of indentation and of the branch arrow.
    int indentation() const;

    // The tree model, and setCurrentRow().
    QAbstractItemModel *reportedModel() const override;
    void setCurrentReported(const QModelIndex &index) override;

    // The current row as a tree model index; invalid when there is none.
    QModelIndex currentRow() const;
    // Makes `treeIndex` the current and only selected row, opening its
    // ancestors first; an invalid index clears the current row.
    void setCurrentRow(const QModelIndex &treeIndex);
    // Scrolls to `treeIndex` when it is shown.
    void scrollToRow(const QModelIndex &treeIndex);
    // Open state of a tree row; opening a row under a closed one records it.
    // Closing the branch that holds the current row makes the closed row
    // current.
    bool isOpen(const QModelIndex &treeIndex) const;
    void setOpen(const QModelIndex &treeIndex, bool open);
    // Hides the rows of the given nodes with everything below them, in place
    // of the rows hidden before.
    void setHiddenRows(const QSet<const QARTreeModel::Node *> &nodes);
    bool isRowHidden(const QModelIndex &treeIndex) const;
    // The tree row under `viewportPos`, if any.
    QModelIndex rowAt(const QPoint &viewportPos) const;

    // Makes the next (previous) failed row (verdict "ko"), counted from the
    // current row in display order with collapsed branches included, the
    // current and only selected row, opens it and its ancestors, scrolls to
    // it and emits doubleClicked(index). Does nothing without a current row
    // or when no failed row follows (precedes): no wrap.
    void nextFailed();
    void previousFailed();

    // Opens every top-level row, and every row with children whose depth
    // below the top level is less than `depth`; 1 opens the file rows only.
    void openToDepth(int depth);

    // Places `widget` (a child of the view, such as a filter line) across
    // the top of the view, above the header and the rows; null removes it.
    void setTopWidget(QWidget *widget);
    QWidget *topWidget() const { return m_topWidget; }

protected:
    // Signals carry tree model indexes.
    QModelIndex reportedIndex(const QModelIndex &viewIndex) const override;
    // Opens or closes the row whose arrow is under the pointer.
    void mousePressEvent(QMouseEvent *event) override;
    // Emits doubleClicked(index) for the row under the pointer, if any, and
    // nothing else: expansion is left as it was.
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    // +, -, *, Left and Right open, close and move as in a tree.
    void keyPressEvent(QKeyEvent *event) override;
    // Makes room for the top widget above the header and the rows.
    void updateGeometries() override;

private:
    void stepToFailed(bool forward);
    bool isFailed(const QModelIndex &treeIndex) const;
    // Whether `viewIndex` is a name cell whose arrow holds `viewportPos`.
    bool onArrow(const QModelIndex &viewIndex, const QPoint &viewportPos) const;

    QARShownRows *m_rows = nullptr;          // a child of the view
    QARBranchDelegate *m_branches = nullptr; // a child of the view
    QPointer<QWidget> m_topWidget;
};
