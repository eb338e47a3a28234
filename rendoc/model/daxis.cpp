#include "rendoc/model/daxis.h"

DAxis::DAxis(Qt::Orientation orientation, const QString& label, double minimum, double maximum, DItemContainer* parent, DItem* next)
    : DItem(DItem::Axis, parent, next), m_orientation(orientation), m_label(label), m_minimum(minimum), m_maximum(maximum)
{
}

DAxis::DAxis(const DAxis& other)
    : DItem(other), m_orientation(other.m_orientation), m_label(other.m_label), m_minimum(other.m_minimum), m_maximum(other.m_maximum)
{
}
