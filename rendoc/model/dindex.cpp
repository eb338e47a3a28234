#include "rendoc/model/dindex.h"

DIndex::DIndex(DItemContainer* parent, DItem* next)
    : DItemContainer(DItem::Index, parent, next)
{
}

DIndex::DIndex(const DIndex& other)
    : DItemContainer(other)
{
}
