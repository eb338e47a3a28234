#include "rendoc/model/dgraphic.h"

DGraphic::DGraphic(const QString& title, DItemContainer* parent, DItem* next)
    : DItemContainer(DItem::Graphic, parent, next), m_title(title)
{
}

DGraphic::DGraphic(const DGraphic& other)
    : DItemContainer(other), m_title(other.m_title)
{
}
