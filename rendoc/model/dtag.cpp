#include "rendoc/model/dtag.h"

DTag::DTag(const QString& name, DItemContainer* parent, DItem* next)
    : DItem(DItem::Tag, parent, next), m_name(name)
{
}

DTag::DTag(const DTag& other)
    : DItem(other), m_name(other.m_name)
{
}
