#include "rendoc/model/dlist.h"

DList::DList(DItemContainer* parent, DItem* next)
    : DItemContainer(DItem::List, parent, next)
{
}

DList::DList(const DList& other)
    : DItemContainer(other), m_ordered(other.m_ordered)
{
}
