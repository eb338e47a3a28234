#include "rendoc/model/dtable.h"

DTable::DTable(int border, DItemContainer* parent, DItem* next)
    : DItemContainer(DItem::Table, parent, next), m_border(border)
{
}

DTable::DTable(const DTable& other)
    : DItemContainer(other), m_border(other.m_border), m_widths(other.m_widths)
{
}
