#pragma once

#include "rendoc/view/dviewcontext.h"
#include "rendoc/view/dviewlaidblock.h"
#include "rendoc/view/dviewpos.h"

#include <QColor>
#include <QMargins>
#include <QPoint>
#include <QString>

#include <memory>

class DDocument;
class DItem;
class QTimer;
class DPopupLink;
class DRendocView;
class DViewLayout;

// The state of a DRendocView and the steps its event handlers share: the scroll anchor (a block
// and an offset into it, so that scrolling never lays out the blocks above the view), the
// selection, the focused link, hit tests from viewport points to text positions, and the
// activation of links, pointers and table-of-contents entries.
struct DRendocViewPrivate
{
    explicit DRendocViewPrivate(DRendocView* view);

    DRendocView* q;
    DViewContext context;
    std::unique_ptr<DViewLayout> layout;
    // Scroll anchor: the block at the top of the viewport and how far into it the view is.
    // Offsets before block 0 (negative) show the top margin.
    int topBlock = 0;
    qint64 topOffset = 0;
    QMargins margins{4, 4, 4, 4};
    QColor background;
    DViewPos selAnchor;
    DViewPos selCursor;
    DItem* focusLink = nullptr;
    DViewPos focusPos;
    int focusLength = 0;
    DItem* pressedLink = nullptr;
    QPoint pressPoint;
    bool selecting = false;
    bool searchAtEnd = false;
    bool resolveLink = false;
    // Set by moveTo: the anchor stays even when what follows does not fill the viewport, so
    // the moved-to place really is at the top (and getCurrentDoc names its document).
    bool pinned = false;
    // Set by End: the next fill keeps the view on the last line while the blocks near the end
    // get measured and the total height changes.
    bool toEnd = false;
    // Flattens the rest of a large document a part at a time while the event loop is idle;
    // a child of the view, made with the first partly flattened document.
    QTimer* flattenTimer = nullptr;

    // Blocks flattened at once when a document is set, and per idle step after that: the
    // first are enough for the first screens, a step takes a few milliseconds.
    static constexpr int FirstBlocks = 2000;
    static constexpr int StepBlocks = 10000;
    // Starts flattening the rest in idle time when the layout is not complete.
    void flattenLater();
    void flattenStep();
    // Flattens everything now: for whatever walks every block or scrolls past the blocks
    // flattened so far.
    void completeLayout();

    int viewportHeight() const;
    int hscroll() const;
    // The scroll position in pixels from the top of the content, and setting the anchor from one.
    qint64 scrollValue() const;
    void setScrollValue(qint64 value);
    // Moves the anchor to the block its offset falls in, laying out blocks met above it.
    void normalize();

    // Lays out what the viewport shows and keeps the view from scrolling past the end.
    void fill();
    void syncScrollBars();
    void updateWidth();
    void refresh();

    // Viewport y of block b's top.
    qint64 blockY(int b) const;
    // Hit tests: the block under a viewport point (-1 with no blocks), the point in that block's
    // coordinates, and the text position under it.
    int blockAtPoint(const QPoint& p) const;
    QPointF local(const QPoint& p, int b) const;
    DViewPos posAt(const QPoint& p);
    DItem* itemLinkAt(const QPoint& p);

    // Scrolls so the range is visible; when it is not, it goes a third down the viewport.
    void ensureVisible(const DViewPos& pos, int length);
    void select(const DViewPos& from, const DViewPos& to);
    bool hasSelection() const
    {
        return selAnchor.isValid() && selCursor.isValid() && selAnchor != selCursor;
    }

    // The selection and link focus highlights that fall in block b.
    DViewLaidBlock::Selections extraFormats(int b, const DViewLaidBlock* laid) const;

    // The next (or previous) link run from the current link focus, or from the visible area.
    bool findLink(bool forward, DViewPos* pos, int* length, DItem** link);
    DDocument* documentOf(const DItem* item) const;
    // The text of the popup a popup link names, searched in the link's own document.
    QString popupText(const DPopupLink* link) const;
    // Follows a link, tag pointer or table entry: moves the view, shows a popup or emits
    // activatedLink.
    void activate(DItem* link, const QPoint& globalPos);
    QPoint focusGlobalPos();
};
