#pragma once

#include "rendoc/model/ditem.h"
#include <QString>

class DTag;

// A reference to a DTag by name. DUpdater resolves it to the first DTag of that name (tag() stays
// null when none exists). Copies do not keep the resolved tag.
class DTagPointer : public DItem
{
public:
    DTagPointer(const QString& name, DItemContainer* parent = nullptr, DItem* next = nullptr);
    DTagPointer(const DTagPointer& other);
    DTagPointer& operator=(const DTagPointer&) = delete;

    const QString& name() const { return m_name; }
    void setName(const QString& name) { m_name = name; }
    DTag* tag() const { return m_tag; }
    void setTag(DTag* tag) { m_tag = tag; }

private:
    QString m_name;
    DTag* m_tag = nullptr;
};
