#include "rendoc/model/dfooter.h"

DFooter::DFooter(DItemContainer* parent, DItem* next)
    : DItemContainer(DItem::Footer, parent, next)
{
}

DFooter::DFooter(const DFooter& other)
    : DItemContainer(other)
{
}
