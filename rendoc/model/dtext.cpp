#include "rendoc/model/dtext.h"

DText::DText(const QString& text, DItemContainer* parent, DItem* next)
    : DItem(DItem::Text, parent, next), m_text(text)
{
}

DText::DText(DUtf8String text, DItemContainer* parent, DItem* next)
    : DItem(DItem::Text, parent, next), m_text(std::move(text))
{
}

DText::DText(const DText& other)
    : DItem(other), m_text(other.m_text)
{
}
