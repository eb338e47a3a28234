#include "rendoc/model/dpopup.h"

DPopup::DPopup(const QString& name, DItemContainer* parent, DItem* next)
    : DItemContainer(DItem::Popup, parent, next), m_name(name)
{
}

DPopup::DPopup(const DPopup& other)
    : DItemContainer(other), m_name(other.m_name)
{
}
