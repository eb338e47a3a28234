#pragma once

#include <QFont>
#include <QString>

// A named font that a document defines for its own use. A point size of 0 or less means the
// default size.
class DFont
{
public:
    DFont() = default;
    DFont(const QString& name, const QString& family, int pointSize, bool bold = false,
          bool italic = false, bool underline = false);

    const QString& name() const { return m_name; }
    void setName(const QString& name) { m_name = name; }
    const QString& family() const { return m_family; }
    void setFamily(const QString& family) { m_family = family; }
    int pointSize() const { return m_pointSize; }
    void setPointSize(int size) { m_pointSize = size; }
    bool bold() const { return m_bold; }
    void setBold(bool on) { m_bold = on; }
    bool italic() const { return m_italic; }
    void setItalic(bool on) { m_italic = on; }
    bool underline() const { return m_underline; }
    void setUnderline(bool on) { m_underline = on; }

    // The font as Qt draws it; an empty family or unset size keeps QFont's default.
    QFont toQFont() const;

    bool operator==(const DFont& other) const;
    bool operator!=(const DFont& other) const { return !(*this == other); }

private:
    QString m_name;
    QString m_family;
    int m_pointSize = 0;
    bool m_bold = false;
    bool m_italic = false;
    bool m_underline = false;
};
