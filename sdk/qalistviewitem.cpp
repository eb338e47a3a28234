#include "sdk/qalistviewitem.h"

QAListViewItem::QAListViewItem(QTreeWidget* view, int type)
    : QTreeWidgetItem(view, type)
{
}

QAListViewItem::QAListViewItem(QTreeWidgetItem* parent, int type)
    : QTreeWidgetItem(parent, type)
{
}

QAListViewItem::~QAListViewItem() = default;

int QAListViewItem::depth() const
{
    int depth = 0;
    for (const QTreeWidgetItem* p = parent(); p; p = p->parent())
        ++depth;
    return depth;
}
