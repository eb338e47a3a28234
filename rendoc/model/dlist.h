#pragma once

#include "rendoc/model/ditemcontainer.h"

// A list; its children are the list entries. Unordered unless setOrdered(true).
class DList : public DItemContainer
{
public:
    explicit DList(DItemContainer* parent = nullptr, DItem* next = nullptr);
    DList(const DList& other);
    DList& operator=(const DList&) = delete;

    bool ordered() const { return m_ordered; }
    void setOrdered(bool ordered) { m_ordered = ordered; }

private:
    bool m_ordered = false;
};
