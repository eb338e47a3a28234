#pragma once

#include "rendoc/model/ditemcontainer.h"
#include <QString>

// A link whose target opens a DPopup rather than moving the view.
class DPopupLink : public DItemContainer
{
public:
    DPopupLink(const QString& target, DItemContainer* parent = nullptr, DItem* next = nullptr);
    DPopupLink(const DPopupLink& other);
    DPopupLink& operator=(const DPopupLink&) = delete;

    const QString& target() const { return m_target; }
    void setTarget(const QString& target) { m_target = target; }

private:
    QString m_target;
};
