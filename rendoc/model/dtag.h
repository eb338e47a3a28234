#pragma once

#include "rendoc/model/ditem.h"
#include <QString>

// An anchor in the text that links and tag pointers name. The name may be null: copies use unnamed
// tags as plain position markers.
class DTag : public DItem
{
public:
    DTag(const QString& name, DItemContainer* parent = nullptr, DItem* next = nullptr);
    DTag(const DTag& other);
    DTag& operator=(const DTag&) = delete;

    const QString& name() const { return m_name; }
    void setName(const QString& name) { m_name = name; }

private:
    QString m_name;
};
