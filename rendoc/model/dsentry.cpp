#include "rendoc/model/dsentry.h"

DSEntry::DSEntry(const QString& text, int level, DTitle* target, DItemContainer* parent, DItem* next)
    : DItem(DItem::SEntry, parent, next), m_text(text), m_level(level), m_target(target)
{
}

DSEntry::DSEntry(const DSEntry& other)
    : DItem(other), m_text(other.m_text), m_level(other.m_level), m_target(nullptr)
{
}
