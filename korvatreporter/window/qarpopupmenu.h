#pragma once

#include "korvatreporter/window/qarmenu.h"

class QTreeWidgetItem;

// The context menu of the report tree: remembers the tree item it was last
// opened for, which its commands act on. The item is not owned; the window
// resets it before the tree's items are replaced.
class QARPopupMenu : public QARMenu
{
    Q_OBJECT
public:
    explicit QARPopupMenu(QWidget *parent = nullptr);
    ~QARPopupMenu() override;

    QTreeWidgetItem *item() const { return m_item; }
    void setItem(QTreeWidgetItem *item) { m_item = item; }

private:
    QTreeWidgetItem *m_item = nullptr;
};
