#pragma once

#include "rendoc/view/dviewblock.h"
#include "rendoc/view/dviewframe.h"

#include <QTextCharFormat>
#include <vector>

class DItem;
class DStyle;
class DViewContext;
struct DViewTable;

// Turns the items of one block into text frames: collapses white space, gives each run the
// character format of its style (an item without a style takes its parent's), marks links and
// records which item made which characters. Knows nothing about geometry.
class DViewTextBuilder
{
public:
    // Stands in a frame's text for an inline image; its advance is widened to the image's width.
    static constexpr ushort PictureChar = 0x00A0;

    // With loadImages false, images are left as placeholders of unknown size (text only).
    DViewTextBuilder(const DViewContext& context, bool loadImages);

    // The frames of block: one for a text block, one per cell for a row, none for anchors,
    // page breaks, images and graphics.
    std::vector<DViewFrame> build(const DViewBlock& block) const;

    // The nearest style at item or above it; null when none.
    static const DStyle* effectiveStyle(const DItem* item);
    // The base font of a block kind rooted at item (titles without a style of their own are
    // drawn larger and bold).
    QFont blockFont(const DItem* root, DViewBlock::Kind kind) const;
    // The text of item's DText descendants, white space collapsed.
    static QString plainText(const DItem* item);
    // The item after item's subtree within stopAt, without descending.
    static DItem* afterSubtree(const DItem* item, const DItem* stopAt);
    // Whether an item joins a run of inline siblings (text, links, tags).
    static bool isInline(const DItem* item);
    // The last item of the run of inline siblings that starts at `first`.
    static DItem* inlineRunEnd(DItem* first);
    // The summary or index entry that aux names: its text, level and the item it leads to.
    static bool summaryEntry(const DItem* summary, int index, QString* text, int* level,
                             DItem** target);
    static bool indexEntry(const DItem* index, int entry, QString* text, DItem** target);
    static int summaryEntryCount(const DItem* summary);
    static int indexEntryCount(const DItem* index);

private:
    struct State;

    void beginFrame(DViewFrame& frame, const DItem* root, DViewBlock::Kind kind) const;
    void appendRange(State& state, DItem* first, DItem* last) const;
    void appendText(State& state, const QString& text, const QTextCharFormat& format,
                    DItem* item, DItem* link) const;
    void appendPicture(State& state, DItem* image) const;
    void lineBreak(State& state) const;
    QTextCharFormat formatFor(const State& state, const DItem* item, DItem** link) const;
    QTextCharFormat styleFormat(const DStyle* style) const;
    QFont styleFont(const DStyle* style) const;
    void finishFrame(State& state) const;

    const DViewContext& m_context;
    bool m_loadImages;
};
