#pragma once

#include "rendoc/model/ditemcontainer.h"

// A paragraph of inline items.
class DParagraph : public DItemContainer
{
public:
    explicit DParagraph(DItemContainer* parent = nullptr, DItem* next = nullptr);
    DParagraph(const DParagraph& other);
    DParagraph& operator=(const DParagraph&) = delete;
};
