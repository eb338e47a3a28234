#pragma once

#include <QTreeWidgetItem>

// An item of a QAListView that knows its depth in the tree.
class QAListViewItem : public QTreeWidgetItem
{
public:
    explicit QAListViewItem(QTreeWidget* view, int type = UserType);
    explicit QAListViewItem(QTreeWidgetItem* parent, int type = UserType);
    ~QAListViewItem() override;

    // 0 for a top-level item, 1 for its children, and so on.
    int depth() const;
};
