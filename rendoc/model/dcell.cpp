#include "rendoc/model/dcell.h"

DCell::DCell(int hspan, int vspan, DItemContainer* parent, DItem* next)
    : DItemContainer(DItem::Cell, parent, next), m_hspan(hspan), m_vspan(vspan)
{
}

DCell::DCell(const DCell& other)
    : DItemContainer(other), m_hspan(other.m_hspan), m_vspan(other.m_vspan)
{
}
