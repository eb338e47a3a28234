#include "korvatreporter/window/qarlistview.h"

#include "korvatreporter/window/qarbranchdelegate.h"
#include "korvatreporter/window/qarshownrows.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyle>

namespace {

// The row after `index` in display order, collapsed branches included:
// its first child, else the next sibling of it or of its nearest ancestor.
QModelIndex nextInOrder(const QAbstractItemModel *model, QModelIndex index)
{
    if (model->rowCount(index) > 0)
        return model->index(0, 0, index);
    while (index.isValid()) {
        const QModelIndex up = index.parent();
        if (index.row() + 1 < model->rowCount(up))
            return model->index(index.row() + 1, 0, up);
        index = up;
    }
    return QModelIndex();
}

// The row before `index` in display order: the last descendant of the
// previous sibling, else the parent.
QModelIndex previousInOrder(const QAbstractItemModel *model, const QModelIndex &index)
{
    if (index.row() == 0)
        return index.parent();
    QModelIndex last = model->index(index.row() - 1, 0, index.parent());
    while (const int rows = model->rowCount(last))
        last = model->index(rows - 1, 0, last);
    return last;
}

} // namespace

QARListView::QARListView(QWidget *parent)
    : QAListView(parent)
{
    // Rows are a flat list: the tree's decoration (indentation, arrows) is
    // drawn by the name column's delegate.
    m_branches = new QARBranchDelegate(indentation(), this);
    setItemDelegateForColumn(QARTreeModel::NameColumn, m_branches);
}

QARListView::~QARListView() = default;

void QARListView::setTreeModel(QARTreeModel *model)
{
    QARShownRows *old = m_rows;
    m_rows = model ? new QARShownRows(model, this) : nullptr;
    m_branches->setIndentation(indentation());
    setModel(m_rows);
    delete old;
}

int QARListView::indentation() const
{
    return style()->pixelMetric(QStyle::PM_TreeViewIndentation, nullptr, this);
}

QARTreeModel *QARListView::treeModel() const
{
    return m_rows ? m_rows->treeModel() : nullptr;
}

QAbstractItemModel *QARListView::reportedModel() const
{
    return treeModel();
}

void QARListView::setCurrentReported(const QModelIndex &index)
{
    setCurrentRow(index);
}

QModelIndex QARListView::reportedIndex(const QModelIndex &viewIndex) const
{
    return m_rows ? m_rows->treeIndex(viewIndex) : QModelIndex();
}

QModelIndex QARListView::currentRow() const
{
    return reportedIndex(currentIndex());
}

void QARListView::setCurrentRow(const QModelIndex &treeIndex)
{
    if (!m_rows)
        return;
    if (treeIndex.isValid())
        m_rows->openTo(treeIndex, false);
    setCurrentIndex(m_rows->rowIndex(treeIndex, treeIndex.isValid() ? treeIndex.column() : 0));
}

void QARListView::scrollToRow(const QModelIndex &treeIndex)
{
    const QModelIndex row = m_rows ? m_rows->rowIndex(treeIndex) : QModelIndex();
    if (row.isValid())
        scrollTo(row);
}

bool QARListView::isOpen(const QModelIndex &treeIndex) const
{
    return m_rows && m_rows->isOpen(treeIndex);
}

void QARListView::setOpen(const QModelIndex &treeIndex, bool open)
{
    if (!m_rows)
        return;
    // A current row inside the closing branch hands its place to the row
    // that closes, rather than to whichever row slides up.
    if (!open && treeIndex.isValid()) {
        const QModelIndex top = treeIndex.siblingAtColumn(0);
        for (QModelIndex up = currentRow().parent(); up.isValid(); up = up.parent()) {
            if (up.siblingAtColumn(0) == top) {
                setCurrentRow(top);
                break;
            }
        }
    }
    m_rows->setOpen(treeIndex, open);
}

void QARListView::setHiddenRows(const QSet<const QARTreeModel::Node *> &nodes)
{
    if (m_rows)
        m_rows->setHiddenNodes(nodes);
}

bool QARListView::isRowHidden(const QModelIndex &treeIndex) const
{
    return m_rows && m_rows->isHidden(treeIndex);
}

QModelIndex QARListView::rowAt(const QPoint &viewportPos) const
{
    return reportedIndex(indexAt(viewportPos));
}

void QARListView::nextFailed()
{
    stepToFailed(true);
}

void QARListView::previousFailed()
{
    stepToFailed(false);
}

bool QARListView::isFailed(const QModelIndex &index) const
{
    return index.parent().isValid()
        && index.siblingAtColumn(1).data(VerdictRole).toString() == QLatin1String("ko");
}

void QARListView::stepToFailed(bool forward)
{
    const QAbstractItemModel *tree = treeModel();
    const QModelIndex start = currentRow().siblingAtColumn(0);
    if (!tree || !start.isValid())
        return;

    QModelIndex found = start;
    do {
        found = forward ? nextInOrder(tree, found) : previousInOrder(tree, found);
        if (!found.isValid())
            return;
    } while (!isFailed(found));

    // The row and every ancestor are opened in one step.
    m_rows->openTo(found, true);
    // In single selection, the new current row is the only selected one.
    setCurrentRow(found);
    scrollToRow(found);
    Q_EMIT doubleClicked(found);
}

void QARListView::openToDepth(int depth)
{
    if (m_rows)
        m_rows->openToDepth(depth);
}

bool QARListView::onArrow(const QModelIndex &viewIndex, const QPoint &viewportPos) const
{
    if (!viewIndex.isValid() || viewIndex.column() != QARTreeModel::NameColumn
        || viewIndex.data(QARShownRows::BranchRole).toInt() == QARShownRows::NoBranch)
        return false;
    m_branches->setIndentation(indentation());
    return m_branches->branchRect(visualRect(viewIndex), viewIndex).contains(viewportPos);
}

void QARListView::mousePressEvent(QMouseEvent *event)
{
    const QPoint pos = event->position().toPoint();
    const QModelIndex index = indexAt(pos);
    if (event->button() == Qt::LeftButton && onArrow(index, pos)) {
        const QModelIndex row = reportedIndex(index);
        setOpen(row, !isOpen(row));
        event->accept();
        return;
    }
    QAListView::mousePressEvent(event);
}

void QARListView::mouseDoubleClickEvent(QMouseEvent *event)
{
    // Mouse events reach the view in viewport coordinates. Qt's own handler
    // is not called: it would open or close the row.
    const QPoint pos = event->position().toPoint();
    const QModelIndex index = indexAt(pos);
    if (index.isValid() && !onArrow(index, pos))
        Q_EMIT doubleClicked(reportedIndex(index));
    event->accept();
}

void QARListView::keyPressEvent(QKeyEvent *event)
{
    const QModelIndex current = currentIndex();
    const QModelIndex row = reportedIndex(current);
    const int branch = current.isValid()
        ? current.siblingAtColumn(QARTreeModel::NameColumn).data(QARShownRows::BranchRole).toInt()
        : QARShownRows::NoBranch;
    const bool rightToLeft = isRightToLeft();
    int key = event->key();
    if (rightToLeft && key == Qt::Key_Left)
        key = Qt::Key_Right;
    else if (rightToLeft && key == Qt::Key_Right)
        key = Qt::Key_Left;
    if (row.isValid() && !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
        switch (key) {
        case Qt::Key_Plus:
            setOpen(row, true);
            return event->accept();
        case Qt::Key_Minus:
            setOpen(row, false);
            return event->accept();
        case Qt::Key_Asterisk:
            m_rows->openAllBelow(row);
            return event->accept();
        case Qt::Key_Right:
            if (branch == QARShownRows::Closed)
                setOpen(row, true);
            else if (branch == QARShownRows::Open) {
                // The first child is the next row, unless all are hidden.
                const QModelIndex next = model()->index(current.row() + 1, current.column());
                if (reportedIndex(next).parent().siblingAtColumn(0) == row.siblingAtColumn(0))
                    setCurrentIndex(next);
            }
            return event->accept();
        case Qt::Key_Left:
            if (branch == QARShownRows::Open)
                setOpen(row, false);
            else if (row.parent().isValid())
                setCurrentRow(row.parent().siblingAtColumn(current.column()));
            return event->accept();
        default:
            break;
        }
    }
    QAListView::keyPressEvent(event);
}

void QARListView::setTopWidget(QWidget *widget)
{
    m_topWidget = widget;
    if (widget) {
        widget->setParent(this);
        widget->show();
    }
    updateGeometries();
}

void QARListView::updateGeometries()
{
    // The table view sets the top margin to its header's height; the top
    // widget's height goes above it. When the table view's margin resizes the
    // viewport, the nested call puts the larger margin back, and the table
    // view then places its header from the viewport's final place.
    QAListView::updateGeometries();
    if (!m_topWidget)
        return;
    const int lineHeight = m_topWidget->sizeHint().height();
    const int headerHeight = header()->isHidden() ? 0 : header()->height();
    const QMargins wanted(0, lineHeight + headerHeight, 0, 0);
    if (viewportMargins() != wanted)
        setViewportMargins(wanted);
    const QRect rows = viewport()->geometry();
    m_topWidget->setGeometry(rows.left(), rows.top() - lineHeight - headerHeight, rows.width(),
                             lineHeight);
}
