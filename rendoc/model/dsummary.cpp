#include "rendoc/model/dsummary.h"

DSummary::DSummary(DItemContainer* parent, DItem* next)
    : DItemContainer(DItem::Summary, parent, next)
{
}

DSummary::DSummary(const DSummary& other)
    : DItemContainer(other)
{
}
