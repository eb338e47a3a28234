#include "rendoc/model/ditemcontainer.h"

DItemContainer::DItemContainer(Kind kind, DItemContainer* parent, DItem* next)
    : DItem(kind, parent, next)
{
}

DItemContainer::DItemContainer(const DItemContainer& other)
    : DItem(other)
{
}

DItemContainer::~DItemContainer()
{
    DItem* first = m_child;
    m_child = nullptr;
    deleteChain(first);
}

DItem* DItemContainer::lastChild() const
{
    DItem* last = m_child;
    while (last && last->next())
        last = last->next();
    return last;
}

void DItemContainer::appendChild(DItem* item)
{
    if (!item)
        return;
    item->setParent(this);
    if (DItem* last = lastChild())
        last->setNext(item);
    else
        m_child = item;
}
