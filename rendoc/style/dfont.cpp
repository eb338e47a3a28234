#include "rendoc/style/dfont.h"

DFont::DFont(const QString& name, const QString& family, int pointSize, bool bold, bool italic,
             bool underline)
    : m_name(name), m_family(family), m_pointSize(pointSize), m_bold(bold), m_italic(italic),
      m_underline(underline)
{
}

QFont DFont::toQFont() const
{
    QFont font;
    if (!m_family.isEmpty())
        font.setFamily(m_family);
    if (m_pointSize > 0)
        font.setPointSize(m_pointSize);
    font.setBold(m_bold);
    font.setItalic(m_italic);
    font.setUnderline(m_underline);
    return font;
}

bool DFont::operator==(const DFont& other) const
{
    return m_name == other.m_name && m_family == other.m_family
        && m_pointSize == other.m_pointSize && m_bold == other.m_bold
        && m_italic == other.m_italic && m_underline == other.m_underline;
}
