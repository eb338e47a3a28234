#pragma once

#include "rendoc/model/ditemcontainer.h"

#include <QVector>

// A table with a border width in pixels (0 = none); its children are DRows. The column widths
// are fractions of the table width, one per column; empty means equal columns.
class DTable : public DItemContainer
{
public:
    explicit DTable(int border, DItemContainer* parent = nullptr, DItem* next = nullptr);
    DTable(const DTable& other);
    DTable& operator=(const DTable&) = delete;

    int border() const { return m_border; }
    void setBorder(int border) { m_border = border; }
    const QVector<float>& widths() const { return m_widths; }
    void setWidth(const QVector<float>& widths) { m_widths = widths; }

private:
    int m_border;
    QVector<float> m_widths;
};
