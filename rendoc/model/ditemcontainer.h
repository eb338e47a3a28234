#pragma once

#include "rendoc/model/ditem.h"

// An item that holds children: child() is the first one, the others follow through next.
// The container owns its child chain and frees it without recursion when destroyed.
class DItemContainer : public DItem
{
public:
    ~DItemContainer() override;

    DItem* child() const { return m_child; }
    // Sets the first child; the previous chain is neither freed nor unlinked.
    void setChild(DItem* child) { m_child = child; }

    // The last item of the child chain (walks the chain), null when empty.
    DItem* lastChild() const;
    // Links item at the end of the child chain and sets its parent. Linear in the number of
    // children: builders that append many items keep their own last sibling instead.
    void appendChild(DItem* item);

protected:
    DItemContainer(Kind kind, DItemContainer* parent, DItem* next);
    DItemContainer(const DItemContainer& other);

private:
    DItem* m_child = nullptr;
};
