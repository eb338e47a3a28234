#pragma once

#include <tuple>

// A text position in a view: the block, the text frame inside it (a table row has one frame per
// cell) and the character offset inside that frame's text. Ordered in reading order.
struct DViewPos
{
    int block = -1;
    int frame = 0;
    int offset = 0;

    bool isValid() const { return block >= 0; }
    bool operator<(const DViewPos& o) const
    {
        return std::tie(block, frame, offset) < std::tie(o.block, o.frame, o.offset);
    }
    bool operator==(const DViewPos& o) const
    {
        return block == o.block && frame == o.frame && offset == o.offset;
    }
    bool operator!=(const DViewPos& o) const { return !(*this == o); }
    bool operator<=(const DViewPos& o) const { return !(o < *this); }
};
