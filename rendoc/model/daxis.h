#pragma once

#include "rendoc/model/ditem.h"
#include <QString>
#include <Qt>

// One axis of a DGraphic: orientation, label and value range.
class DAxis : public DItem
{
public:
    DAxis(Qt::Orientation orientation, const QString& label, double minimum, double maximum, DItemContainer* parent = nullptr, DItem* next = nullptr);
    DAxis(const DAxis& other);
    DAxis& operator=(const DAxis&) = delete;

    Qt::Orientation orientation() const { return m_orientation; }
    void setOrientation(Qt::Orientation orientation) { m_orientation = orientation; }
    const QString& label() const { return m_label; }
    void setLabel(const QString& label) { m_label = label; }
    double minimum() const { return m_minimum; }
    void setMinimum(double minimum) { m_minimum = minimum; }
    double maximum() const { return m_maximum; }
    void setMaximum(double maximum) { m_maximum = maximum; }

private:
    Qt::Orientation m_orientation;
    QString m_label;
    double m_minimum;
    double m_maximum;
};
