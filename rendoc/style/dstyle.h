#pragma once

#include "rendoc/style/dfont.h"

#include <QColor>
#include <QFont>
#include <QString>
#include <Qt>

// A named presentation style: font, colours, alignment and margins. Items point to a style
// (DItem::style) without owning it; style lists and documents own them. The font fields are
// held in an unnamed DFont; the accessors below reach into it.
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

    const QString& family() const { return m_font.family(); }
    void setFamily(const QString& family) { m_font.setFamily(family); }
    int pointSize() const { return m_font.pointSize(); }
    void setPointSize(int size) { m_font.setPointSize(size); }
    bool bold() const { return m_font.bold(); }
    void setBold(bool on) { m_font.setBold(on); }
    bool italic() const { return m_font.italic(); }
    void setItalic(bool on) { m_font.setItalic(on); }
    bool underline() const { return m_font.underline(); }
    void setUnderline(bool on) { m_font.setUnderline(on); }

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
    DFont m_font;
    QColor m_foreground = QColor(Qt::black);
    QColor m_background;
    Qt::Alignment m_alignment = Qt::AlignLeft;
    int m_marginLeft = 0;
    int m_marginTop = 0;
    int m_marginRight = 0;
    int m_marginBottom = 0;
};
