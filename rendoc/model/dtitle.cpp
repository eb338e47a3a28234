#include "rendoc/model/dtitle.h"

DTitle::DTitle(int level, DItemContainer* parent, DItem* next)
    : DItemContainer(DItem::Title, parent, next), m_level(qBound(0, level, 6))
{
}

DTitle::DTitle(const DTitle& other)
    : DItemContainer(other), m_level(other.m_level), m_numberText(other.m_numberText)
{
}
