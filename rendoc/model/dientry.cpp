#include "rendoc/model/dientry.h"

DIEntry::DIEntry(const QString& text, DTag* target, DItemContainer* parent, DItem* next)
    : DItem(DItem::IEntry, parent, next), m_text(text), m_target(target)
{
}

DIEntry::DIEntry(const DIEntry& other)
    : DItem(other), m_text(other.m_text), m_target(nullptr)
{
}
