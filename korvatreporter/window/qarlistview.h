#pragma once

#include "sdk/qalistview.h"

#include <QPointer>

class QMouseEvent;

// The report tree view: one top-level row per report file, one row per
// report node below it, shown from a QARTreeModel (or any model that
// answers QAListView::VerdictRole on column 1). Besides the host list view
// it steps through the failed tests, opens the tree to a depth, and reports
// double clicks without ever opening or closing the row under the pointer.
class QARListView : public QAListView
{
    Q_OBJECT
public:
    explicit QARListView(QWidget *parent = nullptr);
    ~QARListView() override;

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
    // Emits doubleClicked(index) for the row under the pointer, if any, and
    // nothing else: expansion is left as it was.
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    // Makes room for the top widget above the header and the rows.
    void updateGeometries() override;

private:
    void stepToFailed(bool forward);
    bool isFailed(const QModelIndex &index) const;

    QPointer<QWidget> m_topWidget;
};
