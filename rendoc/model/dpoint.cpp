#include "rendoc/model/dpoint.h"

DPoint::DPoint(double x, double y, DItemContainer* parent, DItem* next)
    : DItem(DItem::Point, parent, next), m_x(x), m_y(y)
{
}

DPoint::DPoint(const DPoint& other)
    : DItem(other), m_x(other.m_x), m_y(other.m_y)
{
}

void DPoint::setCoord(double x, double y)
{
    m_x = x;
    m_y = y;
}

void DPoint::copyCoord(const DPoint* other)
{
    if (other)
        setCoord(other->m_x, other->m_y);
}
