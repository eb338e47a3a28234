#include "rendoc/model/dtagpointer.h"

DTagPointer::DTagPointer(const QString& name, DItemContainer* parent, DItem* next)
    : DItem(DItem::TagPointer, parent, next), m_name(name)
{
}

DTagPointer::DTagPointer(const DTagPointer& other)
    : DItem(other), m_name(other.m_name), m_tag(nullptr)
{
}
