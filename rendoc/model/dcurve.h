#pragma once

#include "rendoc/model/ditemcontainer.h"
#include <QString>

// A named curve of a DGraphic; its children are DPoints.
class DCurve : public DItemContainer
{
public:
    DCurve(const QString& name, DItemContainer* parent = nullptr, DItem* next = nullptr);
    DCurve(const DCurve& other);
    DCurve& operator=(const DCurve&) = delete;

    const QString& name() const { return m_name; }
    void setName(const QString& name) { m_name = name; }

private:
    QString m_name;
};
