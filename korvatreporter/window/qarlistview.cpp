#include "korvatreporter/window/qarlistview.h"

#include <QHeaderView>
#include <QMouseEvent>

#include <utility>
#include <vector>

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
}

QARListView::~QARListView() = default;

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
    const QAbstractItemModel *tree = model();
    const QModelIndex start = currentIndex().siblingAtColumn(0);
    if (!tree || !start.isValid())
        return;

    QModelIndex found = start;
    do {
        found = forward ? nextInOrder(tree, found) : previousInOrder(tree, found);
        if (!found.isValid())
            return;
    } while (!isFailed(found));

    // The row and every ancestor are opened, outermost last as before.
    std::vector<QModelIndex> toOpen{found};
    for (QModelIndex up = found.parent(); up.isValid(); up = up.parent())
        toOpen.push_back(up);
    for (const QModelIndex &index : toOpen)
        expand(index);
    // In single selection, the new current row is the only selected one.
    setCurrentIndex(found);
    scrollTo(found);
    Q_EMIT doubleClicked(found);
}

void QARListView::openToDepth(int depth)
{
    const QAbstractItemModel *tree = model();
    if (!tree)
        return;
    // An explicit work list of (row, depth below the top level): no
    // recursion, and nothing below the depth is visited.
    std::vector<std::pair<QModelIndex, int>> pending;
    for (int row = tree->rowCount() - 1; row >= 0; --row)
        pending.emplace_back(tree->index(row, 0), 0);
    while (!pending.empty()) {
        const auto [index, level] = pending.back();
        pending.pop_back();
        const int rows = tree->rowCount(index);
        if (rows == 0 || (level > 0 && level >= depth))
            continue;
        expand(index);
        // Children at the depth are never opened: they are not visited.
        if (level + 1 >= depth)
            continue;
        for (int row = rows - 1; row >= 0; --row)
            pending.emplace_back(tree->index(row, 0, index), level + 1);
    }
}

void QARListView::mouseDoubleClickEvent(QMouseEvent *event)
{
    // Mouse events reach the view in viewport coordinates. Qt's own handler
    // is not called: it would open or close the row.
    const QModelIndex index = indexAt(event->position().toPoint());
    if (index.isValid())
        Q_EMIT doubleClicked(index);
    event->accept();
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
    // The tree view sets the top margin to its header's height; the top
    // widget's height goes above it. When the tree view's margin resizes the
    // viewport, the nested call puts the larger margin back, and the tree
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
