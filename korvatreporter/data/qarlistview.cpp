#include "korvatreporter/data/qarlistview.h"

#include "korvatreporter/data/qarlistviewitem.h"

#include <QMouseEvent>
#include <QTreeWidgetItemIterator>

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

QIcon QARListView::verdictIcon(const QString &state) const
{
    if (!isVerdict(state))
        return QIcon();
    return m_images.icon(QAReporterImages::verdictImage(state));
}

void QARListView::stepToFailed(bool forward)
{
    QTreeWidgetItem *start = currentItem();
    if (!start)
        return;

    // The iterator runs over every item in display order, whether its
    // branch is open or not.
    QTreeWidgetItemIterator it(start);
    QARListViewItem *found = nullptr;
    for (;;) {
        if (forward)
            ++it;
        else
            --it;
        if (!*it)
            return;
        QARListViewItem *item = QARListViewItem::fromItem(*it);
        if (item && item->failedFlag) {
            found = item;
            break;
        }
    }

    start->setSelected(false);
    setCurrentItem(found);
    found->setExpanded(true);
    for (QTreeWidgetItem *up = found->parent(); up; up = up->parent())
        up->setExpanded(true);
    found->setSelected(true);
    scrollToItem(found);
    Q_EMIT doubleClicked(found);
}

void QARListView::mouseDoubleClickEvent(QMouseEvent *event)
{
    // Mouse events reach the view in viewport coordinates. Qt's own handler
    // is not called: it would open or close the item.
    if (QTreeWidgetItem *item = itemAt(event->position().toPoint()))
        Q_EMIT doubleClicked(item);
    event->accept();
}
