#include "rendoc/model/drow.h"

DRow::DRow(DItemContainer* parent, DItem* next)
    : DItemContainer(DItem::Row, parent, next)
{
}

DRow::DRow(const DRow& other)
    : DItemContainer(other)
{
}
