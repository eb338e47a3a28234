#pragma once

#include "rendoc/model/ditemcontainer.h"

// A table cell with horizontal and vertical span values; its children are the cell content.
// A span value counts the columns (rows) the cell covers beyond its own: 0 is a plain cell,
// 1 covers two columns (rows). Negative values count as 0.
class DCell : public DItemContainer
{
public:
    DCell(int hspan, int vspan, DItemContainer* parent = nullptr, DItem* next = nullptr);
    DCell(const DCell& other);
    DCell& operator=(const DCell&) = delete;

    int hspan() const { return m_hspan; }
    void setHspan(int hspan) { m_hspan = hspan; }
    int vspan() const { return m_vspan; }
    void setVspan(int vspan) { m_vspan = vspan; }

private:
    int m_hspan;
    int m_vspan;
};
