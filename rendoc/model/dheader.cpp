#include "rendoc/model/dheader.h"

DHeader::DHeader(DItemContainer* parent, DItem* next)
    : DItemContainer(DItem::Header, parent, next)
{
}

DHeader::DHeader(const DHeader& other)
    : DItemContainer(other)
{
}
