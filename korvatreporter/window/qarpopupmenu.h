#pragma once

#include "korvatreporter/window/qarmenu.h"

#include <QPersistentModelIndex>

// The context menu of the report tree: remembers the tree row it was last
// opened for, which its commands act on. The row is held as a persistent
// index, which turns invalid when the tree's model is reset.
class QARPopupMenu : public QARMenu
{
    Q_OBJECT
public:
    explicit QARPopupMenu(QWidget *parent = nullptr);
    ~QARPopupMenu() override;

    QModelIndex item() const { return m_item; }
    void setItem(const QModelIndex &item) { m_item = item; }

private:
    QPersistentModelIndex m_item;
};
