#include "rendoc/view/drendocview.h"

#include "rendoc/model/ditems.h"
#include "rendoc/view/dviewcontext.h"
#include "rendoc/view/dviewlaidblock.h"
#include "rendoc/view/dviewlayout.h"
#include "rendoc/view/dviewprinter.h"
#include "rendoc/view/dviewtextbuilder.h"

#include <QApplication>
#include <QClipboard>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QRegularExpression>
#include <QScrollBar>
#include <QToolTip>
#include <climits>

namespace {

// Tab and Shift+Tab look this many blocks ahead for the next link before giving up.
constexpr int LinkScanLimit = 20000;
constexpr int LineStep = 20;


DRendocView::PrintDialogHook& printDialogHook()
{
    static DRendocView::PrintDialogHook hook;
    return hook;
}

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

struct DRendocView::Private
{
    explicit Private(DRendocView* view) : q(view), layout(std::make_unique<DViewLayout>(&context)) {}

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

    int viewportHeight() const { return q->viewport()->height(); }
    int hscroll() const { return q->horizontalScrollBar()->value(); }

    qint64 scrollValue() const
    {
        if (layout->count() == 0)
            return 0;
        return margins.top() + layout->top(topBlock) + topOffset;
    }

    void setScrollValue(qint64 value)
    {
        const qint64 y = value - margins.top();
        if (layout->count() == 0 || y < 0) {
            topBlock = 0;
            topOffset = y;
            return;
        }
        topBlock = layout->blockAt(y);
        topOffset = y - layout->top(topBlock);
    }

    void normalize()
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

    // Lays out what the viewport shows and keeps the view from scrolling past the end.
    void fill()
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

    void syncScrollBars()
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

    void updateWidth()
    {
        layout->setWidth(q->viewport()->width() - margins.left() - margins.right());
    }

    void refresh()
    {
        fill();
        q->viewport()->update();
    }

    // Viewport y of block b's top.
    qint64 blockY(int b) const { return margins.top() + layout->top(b) - scrollValue(); }

    int blockAtPoint(const QPoint& p) const
    {
        if (layout->count() == 0)
            return -1;
        return layout->blockAt(scrollValue() - margins.top() + p.y());
    }

    QPointF local(const QPoint& p, int b) const
    {
        return QPointF(p.x() + hscroll() - margins.left(), p.y() - blockY(b));
    }

    DViewPos posAt(const QPoint& p)
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

    DItem* itemLinkAt(const QPoint& p)
    {
        const int b = blockAtPoint(p);
        if (b < 0)
            return nullptr;
        return layout->laid(b)->linkAt(local(p, b));
    }

    // Scrolls so the range is visible; when it is not, it goes a third down the viewport.
    void ensureVisible(const DViewPos& pos, int length)
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

    void select(const DViewPos& from, const DViewPos& to)
    {
        selAnchor = from;
        selCursor = to;
    }

    bool hasSelection() const { return selAnchor.isValid() && selCursor.isValid() && selAnchor != selCursor; }

    DViewLaidBlock::Selections extraFormats(int b, const DViewLaidBlock* laid) const
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

    // The next (or previous) link run from the current link focus, or from the visible area.
    bool findLink(bool forward, DViewPos* pos, int* length, DItem** link)
    {
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

    DDocument* documentOf(const DItem* item) const
    {
        for (const DItem* p = item; p; p = p->parent())
            if (p->kind() == DItem::Document)
                return const_cast<DDocument*>(p->toDocument());
        return nullptr;
    }

    QString popupText(const DPopupLink* link) const
    {
        DDocument* doc = documentOf(link);
        if (!doc)
            return QString();
        for (DItem* it = doc; it; it = it->nextInDocument(doc))
            if (const DPopup* popup = it->toPopup(); popup && popup->name() == link->target())
                return DViewTextBuilder::plainText(popup);
        return QString();
    }

    void activate(DItem* link, const QPoint& globalPos)
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

    QPoint focusGlobalPos()
    {
        if (!focusLink)
            return q->viewport()->mapToGlobal(QPoint(0, 0));
        const QRectF r = layout->laid(focusPos.block)->rangeRect(focusPos.frame, focusPos.offset, focusLength);
        const QPoint p(int(r.left()) + margins.left() - hscroll(), int(blockY(focusPos.block) + r.bottom()));
        return q->viewport()->mapToGlobal(p);
    }
};

DRendocView::DRendocView(QWidget* parent, const char* name, Qt::WindowFlags flags)
    : QAbstractScrollArea(parent), d(std::make_unique<Private>(this))
{
    qRegisterMetaType<DLink*>("DLink*");
    if (name)
        setObjectName(QString::fromLatin1(name));
    if (flags)
        setWindowFlags(flags);
    d->context.font.setFamily(font().family());
    d->background = palette().color(QPalette::Active, QPalette::Base);
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setMouseTracking(true);
    viewport()->setCursor(Qt::IBeamCursor);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
}

DRendocView::~DRendocView() = default;

void DRendocView::insertSearchPath(const QString& directory)
{
    if (directory.isEmpty() || d->context.searchPaths.contains(directory))
        return;
    d->context.searchPaths.append(directory);
    d->context.clearImages();
    d->layout->invalidate();
    d->refresh();
}

QStringList DRendocView::searchPaths() const
{
    return d->context.searchPaths;
}

void DRendocView::setMargin(int left, int top, int right, int bottom)
{
    const bool atTop = d->topBlock == 0 && d->topOffset <= 0;
    d->margins = QMargins(qMax(0, left), qMax(0, top), qMax(0, right), qMax(0, bottom));
    if (atTop)
        d->topOffset = -d->margins.top();
    d->updateWidth();
    d->refresh();
}

void DRendocView::setMargin(int margin)
{
    setMargin(margin, margin, margin, margin);
}

void DRendocView::setWordWrap(bool on)
{
    if (d->context.wordWrap == on)
        return;
    d->context.wordWrap = on;
    setHorizontalScrollBarPolicy(on ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAsNeeded);
    d->layout->invalidate();
    d->refresh();
}

bool DRendocView::wordWrap() const
{
    return d->context.wordWrap;
}

void DRendocView::setDocument(DDocument* document, bool replace)
{
    if (replace)
        clearDocs();
    if (!document || d->layout->contains(document))
        return;
    const bool first = d->layout->count() == 0;
    d->updateWidth();
    d->layout->addDocument(document);
    if (first) {
        d->topBlock = 0;
        d->topOffset = -d->margins.top();
    }
    d->searchAtEnd = false;
    d->refresh();
}

void DRendocView::clearDocs()
{
    d->layout->clear();
    d->topBlock = 0;
    d->topOffset = 0;
    d->pinned = false;
    d->selAnchor = d->selCursor = DViewPos();
    d->focusLink = nullptr;
    d->pressedLink = nullptr;
    d->selecting = false;
    d->searchAtEnd = false;
    d->refresh();
}

QList<DDocument*> DRendocView::documents() const
{
    return d->layout->documents();
}

DDocument* DRendocView::getCurrentDoc() const
{
    if (d->layout->count() == 0)
        return nullptr;
    const int b = qBound(0, d->topBlock, d->layout->count() - 1);
    return d->layout->documents().value(d->layout->block(b).doc);
}

bool DRendocView::moveTo(DItem* item)
{
    const int b = d->layout->blockOf(item);
    if (b < 0)
        return false;
    d->updateWidth();
    DViewLaidBlock* laid = d->layout->laid(b);
    const DViewBlock& block = d->layout->block(b);
    qint64 offset = 0;
    if (item == block.item || block.kind == DViewBlock::Row) {
        if (!laid->frames().empty())
            offset = qint64(block.kind == DViewBlock::Row ? laid->frames().front().box.top()
                                                          : laid->frames().front().rect.top());
    }
    if (item != block.item) {
        const std::vector<DViewFrame>& frames = laid->frames();
        for (int f = 0; f < int(frames.size()); ++f) {
            const int pos = frames[size_t(f)].positionOf(item);
            if (pos >= 0) {
                offset = block.kind == DViewBlock::Row ? qint64(frames[size_t(f)].box.top())
                                                       : qint64(laid->lineTop(f, pos));
                break;
            }
        }
    }
    d->topBlock = b;
    d->topOffset = offset;
    d->pinned = true;
    d->refresh();
    return true;
}

bool DRendocView::moveTo(const QString& file, const QString& tag, const QString& document)
{
    Q_UNUSED(file);
    const QList<DDocument*>& docs = d->layout->documents();
    int index = -1;
    if (!document.isEmpty()) {
        for (int i = 0; i < docs.size() && index < 0; ++i)
            if (docs[i]->name() == document)
                index = i;
        if (index < 0)
            return false;
    }
    if (tag.isEmpty())
        return index >= 0 && moveTo(docs[index]);
    DTag* found = nullptr;
    if (index < 0) {
        const int current = docs.indexOf(getCurrentDoc());
        if (current >= 0)
            found = d->layout->findTag(tag, current);
    }
    if (!found)
        found = d->layout->findTag(tag, index);
    return found && moveTo(found);
}

void DRendocView::setResolveLink(bool on)
{
    d->resolveLink = on;
}

bool DRendocView::resolveLink() const
{
    return d->resolveLink;
}

bool DRendocView::search(const QRegularExpression& expression)
{
    const int count = d->layout->count();
    if (!expression.isValid() || expression.pattern().isEmpty() || count == 0)
        return false;
    DViewPos start{d->topBlock, 0, 0};
    if (d->searchAtEnd)
        start = {0, 0, 0};
    else if (d->hasSelection())
        start = qMax(d->selAnchor, d->selCursor);
    for (int b = qMax(0, start.block); b < count; ++b) {
        const std::vector<DViewFrame> frames = d->layout->frames(b);
        for (int f = b == start.block ? start.frame : 0; f < int(frames.size()); ++f) {
            const QString& text = frames[size_t(f)].text;
            int from = (b == start.block && f == start.frame) ? start.offset : 0;
            while (from <= text.size()) {
                const QRegularExpressionMatch match = expression.match(text, from);
                if (!match.hasMatch())
                    break;
                if (match.capturedLength() == 0) {
                    from = match.capturedStart() + 1;
                    continue;
                }
                const DViewPos found{b, f, int(match.capturedStart())};
                d->select(found, {b, f, int(match.capturedEnd())});
                d->searchAtEnd = false;
                d->ensureVisible(found, int(match.capturedLength()));
                viewport()->update();
                return true;
            }
        }
    }
    d->searchAtEnd = true;
    return false;
}

bool DRendocView::print()
{
    QPrinter printer(QPrinter::HighResolution);
    bool accepted = false;
    if (printDialogHook()) {
        accepted = printDialogHook()(&printer);
    } else {
        QPrintDialog dialog(&printer, this);
        accepted = dialog.exec() == QDialog::Accepted;
    }
    if (accepted)
        print(&printer);
    return accepted;
}

void DRendocView::print(QPrinter* printer)
{
    if (!printer)
        return;
    DViewPrinter(d->context).print(printer, d->layout->documents());
}

void DRendocView::setPrintDialogHook(PrintDialogHook hook)
{
    printDialogHook() = std::move(hook);
}

void DRendocView::copy()
{
    const QString text = selectedText();
    if (!text.isEmpty())
        QGuiApplication::clipboard()->setText(text);
}

QString DRendocView::selectedText() const
{
    if (!d->hasSelection())
        return QString();
    return d->layout->text(qMin(d->selAnchor, d->selCursor), qMax(d->selAnchor, d->selCursor));
}

bool DRendocView::hasSelectedText() const
{
    return !selectedText().isEmpty();
}

void DRendocView::selectAll()
{
    if (d->layout->count() == 0)
        return;
    d->select({0, 0, 0}, d->layout->endOf(d->layout->count() - 1));
    if (d->selCursor.frame == 0 && d->selCursor.offset == 0)
        d->selCursor.frame = INT_MAX / 2;
    viewport()->update();
}

void DRendocView::clearSelection()
{
    d->selAnchor = d->selCursor = DViewPos();
    viewport()->update();
}

void DRendocView::setBackgroundColor(const QColor& color)
{
    d->background = color.isValid() ? color : palette().color(QPalette::Active, QPalette::Base);
    viewport()->update();
}

QColor DRendocView::backgroundColor() const
{
    return d->background;
}

void DRendocView::rebuildDoc()
{
    const QList<DDocument*> docs = d->layout->documents();
    const DItem* top = d->layout->count() ? d->layout->block(d->topBlock).item : nullptr;
    const qint64 offset = d->topOffset;
    d->layout->clear();
    d->context.clearImages();
    d->updateWidth();
    for (DDocument* doc : docs)
        d->layout->addDocument(doc);
    const int b = d->layout->blockOf(top);
    d->topBlock = qMax(0, b);
    d->topOffset = b >= 0 ? offset : -d->margins.top();
    d->selAnchor = d->selCursor = DViewPos();
    d->focusLink = nullptr;
    d->refresh();
}

QString DRendocView::toPlainText() const
{
    QStringList lines;
    for (int b = 0; b < d->layout->count(); ++b) {
        const QString text = d->layout->blockText(b);
        if (!text.isEmpty())
            lines << text;
    }
    return lines.join(QLatin1Char('\n'));
}

int DRendocView::documentHeight() const
{
    return int(qMin<qint64>(INT_MAX, d->margins.top() + d->layout->totalHeight() + d->margins.bottom()));
}

QRect DRendocView::itemRect(DItem* item)
{
    const int b = d->layout->blockOf(item);
    if (b < 0)
        return QRect();
    DViewLaidBlock* laid = d->layout->laid(b);
    const DViewBlock& block = d->layout->block(b);
    QRectF r(0, 0, d->layout->width(), laid->height());
    const std::vector<DViewFrame>& frames = laid->frames();
    if (item == block.item && !frames.empty() && block.kind != DViewBlock::Row)
        r = frames.front().rect;
    else if (item != block.item) {
        for (int f = 0; f < int(frames.size()); ++f) {
            const int pos = frames[size_t(f)].positionOf(item);
            if (pos < 0)
                continue;
            int length = 0;
            for (const DViewFrame::Span& span : frames[size_t(f)].spans)
                for (const DItem* p = span.item; p; p = p->parent())
                    if (p == item) {
                        length = qMax(length, span.start + span.length - pos);
                        break;
                    }
            r = laid->rangeRect(f, pos, length);
            break;
        }
    }
    return r.translated(d->margins.left() - d->hscroll(), qreal(d->blockY(b))).toAlignedRect();
}

DLink* DRendocView::linkAt(const QPoint& pos)
{
    DItem* item = d->itemLinkAt(pos);
    return item ? item->toLink() : nullptr;
}

DLink* DRendocView::focusedLink() const
{
    return d->focusLink ? d->focusLink->toLink() : nullptr;
}

int DRendocView::laidOutBlockCount() const
{
    return d->layout->laidOutCount();
}

void DRendocView::repaint()
{
    viewport()->update();
}

void DRendocView::paintEvent(QPaintEvent* event)
{
    QPainter painter(viewport());
    painter.fillRect(event->rect(), d->background);
    const int count = d->layout->count();
    if (count == 0)
        return;
    d->fill();
    const int vh = d->viewportHeight();
    qint64 y = -d->topOffset;
    const qreal x = d->margins.left() - d->hscroll();
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    for (int b = d->topBlock; b < count && y < vh; ++b) {
        DViewLaidBlock* laid = d->layout->laid(b);
        if (y + laid->height() >= event->rect().top() && y <= event->rect().bottom())
            laid->paint(&painter, QPointF(x, qreal(y)), d->extraFormats(b, laid));
        y += laid->height();
    }
}

void DRendocView::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    d->updateWidth();
    d->fill();
}

void DRendocView::scrollContentsBy(int dx, int dy)
{
    if (dy != 0) {
        d->pinned = false;
        d->setScrollValue(verticalScrollBar()->value());
        d->fill();
    }
    Q_UNUSED(dx);
    viewport()->update();
}

void DRendocView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QAbstractScrollArea::mousePressEvent(event);
        return;
    }
    setFocus(Qt::MouseFocusReason);
    const QPoint pos = event->position().toPoint();
    const bool extend = event->modifiers() & Qt::ShiftModifier;
    d->pressPoint = pos;
    d->pressedLink = extend ? nullptr : d->itemLinkAt(pos);
    if (d->pressedLink)
        return;
    const DViewPos p = d->posAt(pos);
    if (extend && d->selAnchor.isValid())
        d->selCursor = p;
    else
        d->select(p, p);
    d->selecting = true;
    viewport()->update();
}

void DRendocView::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint pos = event->position().toPoint();
    if (!(event->buttons() & Qt::LeftButton)) {
        viewport()->setCursor(d->itemLinkAt(pos) ? Qt::PointingHandCursor : Qt::IBeamCursor);
        return;
    }
    if (d->pressedLink) {
        if ((pos - d->pressPoint).manhattanLength() < QApplication::startDragDistance())
            return;
        // Dragging from a link selects text instead.
        d->pressedLink = nullptr;
        const DViewPos p = d->posAt(d->pressPoint);
        d->select(p, p);
        d->selecting = true;
    }
    if (!d->selecting)
        return;
    if (pos.y() < 0 || pos.y() > d->viewportHeight()) {
        const int delta = pos.y() < 0 ? pos.y() : pos.y() - d->viewportHeight();
        d->setScrollValue(qMax<qint64>(0, d->scrollValue() + delta));
        d->fill();
    }
    d->selCursor = d->posAt(QPoint(pos.x(), qBound(0, pos.y(), d->viewportHeight() - 1)));
    viewport()->update();
}

void DRendocView::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QAbstractScrollArea::mouseReleaseEvent(event);
        return;
    }
    DItem* pressed = d->pressedLink;
    d->pressedLink = nullptr;
    d->selecting = false;
    if (pressed && d->itemLinkAt(event->position().toPoint()) == pressed) {
        d->activate(pressed, event->globalPosition().toPoint());
        return;
    }
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (d->hasSelection() && clipboard->supportsSelection())
        clipboard->setText(selectedText(), QClipboard::Selection);
}

void DRendocView::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const DViewPos p = d->posAt(event->position().toPoint());
    if (!p.isValid())
        return;
    const std::vector<DViewFrame> frames = d->layout->frames(p.block);
    if (p.frame >= int(frames.size()))
        return;
    const QString& text = frames[size_t(p.frame)].text;
    int start = qBound(0, p.offset, int(text.size()));
    int end = start;
    while (start > 0 && text.at(start - 1).isLetterOrNumber())
        --start;
    while (end < text.size() && text.at(end).isLetterOrNumber())
        ++end;
    d->select({p.block, p.frame, start}, {p.block, p.frame, end});
    viewport()->update();
}

void DRendocView::keyPressEvent(QKeyEvent* event)
{
    if (event == QKeySequence::Copy) {
        copy();
        return;
    }
    if (event == QKeySequence::SelectAll) {
        selectAll();
        return;
    }
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (d->focusLink) {
            d->activate(d->focusLink, d->focusGlobalPos());
            return;
        }
        break;
    case Qt::Key_Home:
        d->pinned = false;
        d->setScrollValue(0);
        d->refresh();
        return;
    case Qt::Key_End:
        if (d->layout->count()) {
            d->topBlock = d->layout->count() - 1;
            d->topOffset = 0;
            d->pinned = false;
            d->toEnd = true;
            d->refresh();
        }
        return;
    case Qt::Key_Escape:
        if (d->hasSelection() || d->focusLink) {
            d->focusLink = nullptr;
            clearSelection();
            return;
        }
        break;
    default:
        break;
    }
    QAbstractScrollArea::keyPressEvent(event);
}

bool DRendocView::focusNextPrevChild(bool next)
{
    DViewPos pos;
    int length = 0;
    DItem* link = nullptr;
    if (d->findLink(next, &pos, &length, &link)) {
        d->focusLink = link;
        d->focusPos = pos;
        d->focusLength = length;
        d->ensureVisible(pos, length);
        viewport()->update();
        return true;
    }
    d->focusLink = nullptr;
    viewport()->update();
    return QAbstractScrollArea::focusNextPrevChild(next);
}

bool DRendocView::viewportEvent(QEvent* event)
{
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        DItem* link = d->itemLinkAt(help->pos());
        QString text;
        if (link && link->kind() == DItem::PopupLink)
            text = d->popupText(link->toPopupLink());
        else if (link && link->kind() == DItem::Link)
            text = link->toLink()->target();
        if (text.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(help->globalPos(), text, viewport());
        return true;
    }
    return QAbstractScrollArea::viewportEvent(event);
}

void DRendocView::changeEvent(QEvent* event)
{
    QAbstractScrollArea::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        d->context.font.setFamily(font().family());
        d->layout->invalidate();
        d->refresh();
    }
}
