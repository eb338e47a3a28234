#pragma once

#include "rendoc/model/ditem.h"

// One point of a DCurve.
class DPoint : public DItem
{
public:
    DPoint(double x, double y, DItemContainer* parent = nullptr, DItem* next = nullptr);
    DPoint(const DPoint& other);
    DPoint& operator=(const DPoint&) = delete;

    double x() const { return m_x; }
    double y() const { return m_y; }
    void setCoord(double x, double y);
    // Takes x and y from another point; a null point changes nothing.
    void copyCoord(const DPoint* other);

private:
    double m_x;
    double m_y;
};
