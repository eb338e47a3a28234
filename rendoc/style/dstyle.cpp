#include "rendoc/style/dstyle.h"

DStyle::DStyle(const QString& name)
    : m_name(name)
{
}

void DStyle::setMargins(int left, int top, int right, int bottom)
{
    m_marginLeft = left;
    m_marginTop = top;
    m_marginRight = right;
    m_marginBottom = bottom;
}

QFont DStyle::font() const
{
    return m_font.toQFont();
}

bool DStyle::operator==(const DStyle& other) const
{
    return m_name == other.m_name && m_font == other.m_font
        && m_foreground == other.m_foreground && m_background == other.m_background
        && m_alignment == other.m_alignment && m_marginLeft == other.m_marginLeft
        && m_marginTop == other.m_marginTop && m_marginRight == other.m_marginRight
        && m_marginBottom == other.m_marginBottom;
}
