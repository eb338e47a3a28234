#include "rendoc/model/dsection.h"

DSection::DSection(const QString& name, DItemContainer* parent, DItem* next)
    : DItemContainer(DItem::Section, parent, next), m_name(name)
{
}

DSection::DSection(const DSection& other)
    : DItemContainer(other), m_name(other.m_name)
{
}
