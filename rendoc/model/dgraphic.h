#pragma once

#include "rendoc/model/ditemcontainer.h"
#include <QString>

// A chart with a title; its children are DAxis and DCurve items.
class DGraphic : public DItemContainer
{
public:
    DGraphic(const QString& title, DItemContainer* parent = nullptr, DItem* next = nullptr);
    DGraphic(const DGraphic& other);
    DGraphic& operator=(const DGraphic&) = delete;

    const QString& title() const { return m_title; }
    void setTitle(const QString& title) { m_title = title; }

private:
    QString m_title;
};
