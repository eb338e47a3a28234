#pragma once

#include "rendoc/model/ditemcontainer.h"
#include <QString>

// A named block shown on demand by a DPopupLink.
class DPopup : public DItemContainer
{
public:
    DPopup(const QString& name, DItemContainer* parent = nullptr, DItem* next = nullptr);
    DPopup(const DPopup& other);
    DPopup& operator=(const DPopup&) = delete;

    const QString& name() const { return m_name; }
    void setName(const QString& name) { m_name = name; }

private:
    QString m_name;
};
