#include "rendoc/style/dcolor.h"

DColor::DColor(const QString& name, const QColor& color)
    : m_name(name), m_color(color)
{
}

bool DColor::operator==(const DColor& other) const
{
    return m_name == other.m_name && m_color == other.m_color;
}
