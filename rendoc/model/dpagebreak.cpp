#include "rendoc/model/dpagebreak.h"

DPageBreak::DPageBreak(DItemContainer* parent, DItem* next)
    : DItem(DItem::PageBreak, parent, next)
{
}

DPageBreak::DPageBreak(const DPageBreak& other)
    : DItem(other)
{
}
