#pragma once

#include "rendoc/model/ditemcontainer.h"

// The page footer block of a document.
class DFooter : public DItemContainer
{
public:
    explicit DFooter(DItemContainer* parent = nullptr, DItem* next = nullptr);
    DFooter(const DFooter& other);
    DFooter& operator=(const DFooter&) = delete;
};
