#include "rendoc/model/dpopuplink.h"

DPopupLink::DPopupLink(const QString& target, DItemContainer* parent, DItem* next)
    : DItemContainer(DItem::PopupLink, parent, next), m_target(target)
{
}

DPopupLink::DPopupLink(const DPopupLink& other)
    : DItemContainer(other), m_target(other.m_target)
{
}
