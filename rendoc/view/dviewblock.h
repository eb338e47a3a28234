#pragma once

#include <cstdint>

class DItem;

// One record of the flattened view: the unit that is laid out, measured and painted as a whole.
// Only cheap data lives here (24 bytes: a report flattens into hundreds of thousands of
// blocks); the laid-out form is built on demand (DViewLaidBlock). An Inline run's last item is
// found again from its first (DViewTextBuilder::inlineRunEnd), a row's index in its table from
// the table's first block.
struct DViewBlock
{
    enum Kind : std::uint8_t {
        Anchor,       // zero height: a document start or a tag standing between blocks
        Title,        // a DTitle
        Paragraph,    // a DParagraph
        Inline,       // a run of inline siblings (text, links, tags) outside any paragraph
        ListEntry,    // one entry (DParagraph) of a DList; aux is its ordinal, from 1
        Row,          // a DRow; aux is the index of its table record
        Image,        // a DImage standing on its own
        Graphic,      // a DGraphic
        SummaryEntry, // entry aux of a DSummary
        IndexEntry,   // entry aux of a DIndex
        PageBreak     // zero height on screen, a new page when printing
    };

    DItem* item = nullptr; // first item of the block
    int doc = 0;           // index of the shown document
    int aux = 0;
    std::uint32_t chars = 0; // rough amount of text, for the height estimate
    Kind kind = Anchor;
    bool measured = false;   // height is exact for the current width
    bool firstRow = false;   // first row of its table
    bool lastRow = false;    // last row of its table
};
