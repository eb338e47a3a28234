#pragma once

#include "rendoc/model/ditemcontainer.h"
#include <QString>

// A named section of a document.
class DSection : public DItemContainer
{
public:
    DSection(const QString& name, DItemContainer* parent = nullptr, DItem* next = nullptr);
    DSection(const DSection& other);
    DSection& operator=(const DSection&) = delete;

    const QString& name() const { return m_name; }
    void setName(const QString& name) { m_name = name; }

private:
    QString m_name;
};
