#pragma once

#include <QColor>
#include <QFont>
#include <QString>
#include <Qt>

// A named presentation style: font, colours, alignment and margins. Items point to a style
// (DItem::style) without owning it; style lists and documents own them.
//
// Defaults: empty family and point size 0 (both mean "the default font"), not bold, italic or
// underlined, black foreground, invalid background (no background is painted), left alignment,
// margins 0. Margins are in pixels.
class DStyle
{
public:
    DStyle() = default;
    explicit DStyle(const QString& name);

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

    const QColor& foreground() const { return m_foreground; }
    void setForeground(const QColor& color) { m_foreground = color; }
    // Invalid when the style paints no background.
    const QColor& background() const { return m_background; }
    void setBackground(const QColor& color) { m_background = color; }

    Qt::Alignment alignment() const { return m_alignment; }
    void setAlignment(Qt::Alignment alignment) { m_alignment = alignment; }

    int marginLeft() const { return m_marginLeft; }
    int marginTop() const { return m_marginTop; }
    int marginRight() const { return m_marginRight; }
    int marginBottom() const { return m_marginBottom; }
    void setMargins(int left, int top, int right, int bottom);
    void setMarginLeft(int px) { m_marginLeft = px; }
    void setMarginTop(int px) { m_marginTop = px; }
    void setMarginRight(int px) { m_marginRight = px; }
    void setMarginBottom(int px) { m_marginBottom = px; }

    // The font as Qt draws it; an empty family or unset size keeps QFont's default.
    QFont font() const;

    // Compares every field, the name included.
    bool operator==(const DStyle& other) const;
    bool operator!=(const DStyle& other) const { return !(*this == other); }

private:
    QString m_name;
    QString m_family;
    int m_pointSize = 0;
    bool m_bold = false;
    bool m_italic = false;
    bool m_underline = false;
    QColor m_foreground = QColor(Qt::black);
    QColor m_background;
    Qt::Alignment m_alignment = Qt::AlignLeft;
    int m_marginLeft = 0;
    int m_marginTop = 0;
    int m_marginRight = 0;
    int m_marginBottom = 0;
};
