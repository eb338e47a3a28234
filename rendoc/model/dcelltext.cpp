#include "rendoc/model/dcelltext.h"

DCellText::DCellText(const QString& text, int hspan, int vspan, DItemContainer* parent, DItem* next)
    : DItemContainer(DItem::CellText, parent, next), m_text(text), m_hspan(hspan), m_vspan(vspan)
{
}

DCellText::DCellText(const DCellText& other)
    : DItemContainer(other), m_text(other.m_text), m_hspan(other.m_hspan), m_vspan(other.m_vspan)
{
}
