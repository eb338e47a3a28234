#include "rendoc/model/dcurve.h"

DCurve::DCurve(const QString& name, DItemContainer* parent, DItem* next)
    : DItemContainer(DItem::Curve, parent, next), m_name(name)
{
}

DCurve::DCurve(const DCurve& other)
    : DItemContainer(other), m_name(other.m_name)
{
}
