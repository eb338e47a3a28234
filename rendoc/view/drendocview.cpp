#include "rendoc/view/drendocview.h"

#include "rendoc/model/ditems.h"
#include "rendoc/view/drendocviewprivate.h"
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

DRendocView::PrintDialogHook& printDialogHook()
{
    static DRendocView::PrintDialogHook hook;
    return hook;
}

} // namespace

DRendocView::DRendocView(QWidget* parent, const char* name, Qt::WindowFlags flags)
    : QAbstractScrollArea(parent), d(std::make_unique<DRendocViewPrivate>(this))
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
    d->layout->addDocument(document, DRendocViewPrivate::FirstBlocks);
    d->flattenLater();
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
    d->completeLayout();
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
    d->completeLayout();
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
    d->completeLayout();
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

QRect DRendocView::selectionRect()
{
    if (!d->hasSelection())
        return QRect();
    const DViewPos from = qMin(d->selAnchor, d->selCursor);
    const DViewPos to = qMax(d->selAnchor, d->selCursor);
    DViewLaidBlock* laid = d->layout->laid(from.block);
    const bool oneFrame = to.block == from.block && to.frame == from.frame;
    const int frameLength = from.frame < int(laid->frames().size())
        ? int(laid->frames()[size_t(from.frame)].text.size()) : 0;
    const int length = (oneFrame ? to.offset : frameLength) - from.offset;
    const QRectF r = laid->rangeRect(from.frame, from.offset, qMax(1, length));
    return r.translated(d->margins.left() - d->hscroll(), qreal(d->blockY(from.block))).toAlignedRect();
}

DItem* DRendocView::selectedItem() const
{
    if (!d->hasSelection())
        return nullptr;
    const DViewPos from = qMin(d->selAnchor, d->selCursor);
    const std::vector<DViewFrame> frames = d->layout->frames(from.block);
    if (from.frame < int(frames.size())) {
        for (const DViewFrame::Span& span : frames[size_t(from.frame)].spans)
            if (from.offset >= span.start && from.offset < span.start + span.length && span.item)
                return span.item;
    }
    return d->layout->block(from.block).item;
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

bool DRendocView::hasAllBlocks() const
{
    return d->layout->isComplete();
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
        d->completeLayout();
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
