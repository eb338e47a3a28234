#pragma once

#include "rendoc/model/ditemcontainer.h"

// A table row; its children are cells.
class DRow : public DItemContainer
{
public:
    explicit DRow(DItemContainer* parent = nullptr, DItem* next = nullptr);
    DRow(const DRow& other);
    DRow& operator=(const DRow&) = delete;
};
