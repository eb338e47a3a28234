#pragma once

#include <QColor>
#include <QString>

// A named colour that a document defines for its own use.
class DColor
{
public:
    DColor() = default;
    DColor(const QString& name, const QColor& color);

    const QString& name() const { return m_name; }
    void setName(const QString& name) { m_name = name; }
    const QColor& color() const { return m_color; }
    void setColor(const QColor& color) { m_color = color; }

    bool operator==(const DColor& other) const;
    bool operator!=(const DColor& other) const { return !(*this == other); }

private:
    QString m_name;
    QColor m_color;
};
