#include "rendoc/view/drendocviewprivate.h"

#include "rendoc/model/ditems.h"
#include "rendoc/view/drendocview.h"
#include "rendoc/view/dviewlayout.h"
#include "rendoc/view/dviewtextbuilder.h"

#include <QPalette>
#include <QScrollBar>
#include <QTimer>
#include <QTextCharFormat>
#include <QToolTip>

#include <algorithm>
#include <climits>

namespace {

// Tab and Shift+Tab look this many blocks ahead for the next link before giving up.
constexpr int LinkScanLimit = 20000;
constexpr int LineStep = 20;

// One clickable range of a frame: consecutive spans of the same link.
struct LinkRun
{
    int start;
    int length;
    DItem* link;
};

std::vector<LinkRun> linkRuns(const DViewFrame& frame)
{
    std::vector<LinkRun> runs;
    for (const DViewFrame::Span& span : frame.spans) {
        if (!span.link || span.length == 0)
            continue;
        if (!runs.empty() && runs.back().link == span.link
            && runs.back().start + runs.back().length == span.start) {
            runs.back().length += span.length;
            continue;
        }
        runs.push_back({span.start, span.length, span.link});
    }
    return runs;
}

} // namespace

DRendocViewPrivate::DRendocViewPrivate(DRendocView* view)
    : q(view), layout(std::make_unique<DViewLayout>(&context))
{
}

void DRendocViewPrivate::flattenLater()
{
    if (layout->isComplete())
        return;
    if (!flattenTimer) {
        flattenTimer = new QTimer(q);
        flattenTimer->setInterval(0);
        QObject::connect(flattenTimer, &QTimer::timeout, q, [this] { flattenStep(); });
    }
    flattenTimer->start();
}

void DRendocViewPrivate::flattenStep()
{
    const qint64 flattened = layout->flattenedHeight();
    if (!layout->flattenSome(StepBlocks))
        flattenTimer->stop();
    // The scroll range follows the estimate; blocks that come into sight are painted.
    if (scrollValue() - margins.top() + viewportHeight() >= flattened)
        refresh();
    else
        syncScrollBars();
}

void DRendocViewPrivate::completeLayout()
{
    if (layout->isComplete())
        return;
    layout->complete();
    if (flattenTimer)
        flattenTimer->stop();
    syncScrollBars();
}

int DRendocViewPrivate::viewportHeight() const
{
    return q->viewport()->height();
}

int DRendocViewPrivate::hscroll() const
{
    return q->horizontalScrollBar()->value();
}

qint64 DRendocViewPrivate::blockY(int b) const
{
    return margins.top() + layout->top(b) - scrollValue();
}

qint64 DRendocViewPrivate::scrollValue() const
{
    if (layout->count() == 0)
        return 0;
    return margins.top() + layout->top(topBlock) + topOffset;
}

void DRendocViewPrivate::setScrollValue(qint64 value)
{
    const qint64 y = value - margins.top();
    if (layout->count() == 0 || y < 0) {
        topBlock = 0;
        topOffset = y;
        return;
    }
    // A view reaching past the blocks flattened so far has the rest flattened first.
    if (y + viewportHeight() >= layout->flattenedHeight() && !layout->isComplete()) {
        layout->complete();
        if (flattenTimer)
            flattenTimer->stop();
    }
    topBlock = layout->blockAt(y);
    topOffset = y - layout->top(topBlock);
}

void DRendocViewPrivate::normalize()
{
    const int count = layout->count();
    while (topBlock < count - 1) {
        const int h = layout->height(topBlock);
        if ((h > 0 && topOffset >= h) || (h == 0 && topOffset > 0)) {
            topOffset -= h;
            ++topBlock;
        } else {
            break;
        }
    }
    while (topOffset < 0 && topBlock > 0) {
        --topBlock;
        layout->laid(topBlock);
        topOffset += layout->height(topBlock);
    }
    if (topBlock == 0)
        topOffset = qMax<qint64>(topOffset, -margins.top());
}

void DRendocViewPrivate::fill()
{
    const int count = layout->count();
    if (count == 0) {
        topBlock = 0;
        topOffset = 0;
        return;
    }
    topBlock = qBound(0, topBlock, count - 1);
    const int vh = viewportHeight();
    for (int pass = 0; pass < 8; ++pass) {
        normalize();
        layout->laid(topBlock);
        normalize();
        qint64 y = -topOffset;
        for (int b = topBlock; b < count && y < vh; ++b) {
            layout->laid(b);
            y += layout->height(b);
        }
        const qint64 total = margins.top() + layout->totalHeight() + margins.bottom();
        const qint64 maxValue = qMax<qint64>(0, total - vh);
        if (pinned || (toEnd ? scrollValue() == maxValue : scrollValue() <= maxValue))
            break;
        setScrollValue(maxValue);
    }
    toEnd = false;
    syncScrollBars();
}

void DRendocViewPrivate::syncScrollBars()
{
    QScrollBar* v = q->verticalScrollBar();
    const int vh = viewportHeight();
    const qint64 total = margins.top() + layout->totalHeight() + margins.bottom();
    const QSignalBlocker blockV(v);
    const qint64 maxValue = qMax<qint64>(total - vh, pinned ? scrollValue() : 0);
    v->setRange(0, int(qBound<qint64>(0, maxValue, qint64(INT_MAX))));
    v->setPageStep(qMax(1, vh - LineStep));
    v->setSingleStep(LineStep);
    v->setValue(int(qBound<qint64>(0, scrollValue(), qint64(INT_MAX))));
    QScrollBar* h = q->horizontalScrollBar();
    const QSignalBlocker blockH(h);
    const int vw = q->viewport()->width();
    const qreal natural = layout->naturalWidth() + margins.left() + margins.right();
    h->setRange(0, context.wordWrap ? 0 : qMax(0, qCeil(natural) - vw));
    h->setPageStep(qMax(1, vw));
    h->setSingleStep(LineStep);
}

void DRendocViewPrivate::updateWidth()
{
    layout->setWidth(q->viewport()->width() - margins.left() - margins.right());
}

void DRendocViewPrivate::refresh()
{
    fill();
    q->viewport()->update();
}

int DRendocViewPrivate::blockAtPoint(const QPoint& p) const
{
    if (layout->count() == 0)
        return -1;
    return layout->blockAt(scrollValue() - margins.top() + p.y());
}

QPointF DRendocViewPrivate::local(const QPoint& p, int b) const
{
    return QPointF(p.x() + hscroll() - margins.left(), p.y() - blockY(b));
}

DViewPos DRendocViewPrivate::posAt(const QPoint& p)
{
    const int b = blockAtPoint(p);
    if (b < 0)
        return DViewPos();
    DViewLaidBlock* laid = layout->laid(b);
    DViewPos pos{b, 0, 0};
    if (!laid->hit(local(p, b), &pos.frame, &pos.offset) && p.y() > blockY(b))
        pos.frame = INT_MAX / 2; // past a block without text
    return pos;
}

DItem* DRendocViewPrivate::itemLinkAt(const QPoint& p)
{
    const int b = blockAtPoint(p);
    if (b < 0)
        return nullptr;
    return layout->laid(b)->linkAt(local(p, b));
}

void DRendocViewPrivate::ensureVisible(const DViewPos& pos, int length)
{
    DViewLaidBlock* laid = layout->laid(pos.block);
    const QRectF r = laid->rangeRect(pos.frame, pos.offset, length);
    const qint64 y = blockY(pos.block) + qint64(r.top());
    if (y >= 0 && y + r.height() <= viewportHeight())
        return;
    topBlock = pos.block;
    topOffset = qint64(r.top()) - viewportHeight() / 3;
    pinned = false;
    fill();
}

void DRendocViewPrivate::select(const DViewPos& from, const DViewPos& to)
{
    selAnchor = from;
    selCursor = to;
}

DViewLaidBlock::Selections DRendocViewPrivate::extraFormats(int b, const DViewLaidBlock* laid) const
{
    DViewLaidBlock::Selections result;
    const int frames = int(laid->frames().size());
    if (frames == 0)
        return result;
    if (hasSelection()) {
        const DViewPos s = qMin(selAnchor, selCursor);
        const DViewPos e = qMax(selAnchor, selCursor);
        if (s.block <= b && b <= e.block) {
            result.resize(size_t(frames));
            QTextCharFormat format;
            const QPalette& palette = q->palette();
            format.setBackground(palette.brush(QPalette::Active, QPalette::Highlight));
            format.setForeground(palette.brush(QPalette::Active, QPalette::HighlightedText));
            for (int f = 0; f < frames; ++f) {
                const DViewPos frameStart{b, f, 0};
                const DViewPos frameEnd{b, f, INT_MAX};
                if (frameEnd < s || e < frameStart)
                    continue;
                const int len = int(laid->frames()[size_t(f)].text.size());
                const int start = (b == s.block && f == s.frame) ? qMin(s.offset, len) : 0;
                const int end = (b == e.block && f == e.frame) ? qMin(e.offset, len) : len;
                if (end > start)
                    result[size_t(f)].append({start, end - start, format});
            }
        }
    }
    if (focusLink && focusPos.block == b && focusPos.frame < frames) {
        result.resize(size_t(frames));
        QTextCharFormat format;
        format.setBackground(QColor(0xd6, 0xe6, 0xfa));
        result[size_t(focusPos.frame)].append({focusPos.offset, focusLength, format});
    }
    return result;
}

bool DRendocViewPrivate::findLink(bool forward, DViewPos* pos, int* length, DItem** link)
{
    completeLayout();
    const int count = layout->count();
    if (count == 0)
        return false;
    DViewPos from = focusLink ? focusPos : DViewPos{topBlock, 0, -1};
    if (!focusLink && !forward) {
        const int bottom = blockAtPoint(QPoint(0, viewportHeight() - 1));
        from = {bottom >= 0 ? bottom : topBlock, INT_MAX, INT_MAX};
    }
    const int step = forward ? 1 : -1;
    int scanned = 0;
    for (int b = from.block; b >= 0 && b < count && scanned < LinkScanLimit; b += step, ++scanned) {
        const std::vector<DViewFrame> frames = layout->frames(b);
        const int n = int(frames.size());
        for (int i = 0; i < n; ++i) {
            const int f = forward ? i : n - 1 - i;
            std::vector<LinkRun> runs = linkRuns(frames[size_t(f)]);
            if (!forward)
                std::reverse(runs.begin(), runs.end());
            for (const LinkRun& run : runs) {
                const DViewPos here{b, f, run.start};
                if (forward ? !(from < here) : !(here < from))
                    continue;
                *pos = here;
                *length = run.length;
                *link = run.link;
                return true;
            }
        }
    }
    return false;
}

DDocument* DRendocViewPrivate::documentOf(const DItem* item) const
{
    for (const DItem* p = item; p; p = p->parent())
        if (p->kind() == DItem::Document)
            return const_cast<DDocument*>(p->toDocument());
    return nullptr;
}

QString DRendocViewPrivate::popupText(const DPopupLink* link) const
{
    DDocument* doc = documentOf(link);
    if (!doc)
        return QString();
    for (DItem* it = doc; it; it = it->nextInDocument(doc))
        if (const DPopup* popup = it->toPopup(); popup && popup->name() == link->target())
            return DViewTextBuilder::plainText(popup);
    return QString();
}

void DRendocViewPrivate::activate(DItem* link, const QPoint& globalPos)
{
    switch (link->kind()) {
    case DItem::Link: {
        DLink* l = link->toLink();
        if (resolveLink && !l->target().contains(QLatin1String("://"))) {
            QString file;
            QString tag;
            QString document;
            l->split(file, tag, document);
            if (file.isEmpty() && !(tag.isEmpty() && document.isEmpty()))
                q->moveTo(file, tag, document);
        }
        Q_EMIT q->activatedLink(l);
        break;
    }
    case DItem::PopupLink: {
        const QString text = popupText(link->toPopupLink());
        if (!text.isEmpty())
            QToolTip::showText(globalPos, text, q->viewport());
        break;
    }
    case DItem::TagPointer:
        if (DTag* tag = link->toTagPointer()->tag())
            q->moveTo(tag);
        break;
    case DItem::SEntry:
        if (DTitle* title = link->toSEntry()->target())
            q->moveTo(title);
        break;
    case DItem::IEntry:
        if (DTag* tag = link->toIEntry()->target())
            q->moveTo(tag);
        break;
    default:
        q->moveTo(link);
        break;
    }
}

QPoint DRendocViewPrivate::focusGlobalPos()
{
    if (!focusLink)
        return q->viewport()->mapToGlobal(QPoint(0, 0));
    const QRectF r =
        layout->laid(focusPos.block)->rangeRect(focusPos.frame, focusPos.offset, focusLength);
    const QPoint p(int(r.left()) + margins.left() - hscroll(),
                   int(blockY(focusPos.block) + r.bottom()));
    return q->viewport()->mapToGlobal(p);
}
