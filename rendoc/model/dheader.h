#pragma once

#include "rendoc/model/ditemcontainer.h"

// The page header block of a document.
class DHeader : public DItemContainer
{
public:
    explicit DHeader(DItemContainer* parent = nullptr, DItem* next = nullptr);
    DHeader(const DHeader& other);
    DHeader& operator=(const DHeader&) = delete;
};
