#pragma once

#include "rendoc/model/ditem.h"

// A forced page break.
class DPageBreak : public DItem
{
public:
    explicit DPageBreak(DItemContainer* parent = nullptr, DItem* next = nullptr);
    DPageBreak(const DPageBreak& other);
    DPageBreak& operator=(const DPageBreak&) = delete;
};
