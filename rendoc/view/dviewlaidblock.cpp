#include "rendoc/view/dviewlaidblock.h"

#include "rendoc/view/dviewcontext.h"
#include "rendoc/view/dviewgraphic.h"
#include "rendoc/view/dviewtable.h"
#include "rendoc/view/dviewtextbuilder.h"
#include "rendoc/model/ditems.h"
#include "rendoc/style/dstyle.h"

#include <QFontMetricsF>
#include <QRegularExpression>
#include <QPainter>

namespace {

constexpr qreal CellPadX = 6;
constexpr qreal CellPadY = 3;
constexpr qreal ListIndent = 26;
constexpr qreal SummaryIndent = 20;
constexpr qreal BackgroundPad = 4;

struct Margins
{
    qreal left = 0;
    qreal top = 0;
    qreal right = 0;
    qreal bottom = 0;
};

// Style margins, with a minimum vertical spacing per kind so unstyled documents still breathe.
Margins marginsFor(const DViewBlock& block, const DItem* root)
{
    Margins m;
    if (const DStyle* style = DViewTextBuilder::effectiveStyle(root)) {
        m.left = style->marginLeft();
        m.top = style->marginTop();
        m.right = style->marginRight();
        m.bottom = style->marginBottom();
    }
    qreal top = 0;
    qreal bottom = 0;
    switch (block.kind) {
    case DViewBlock::Title: {
        const int level = block.item->toTitle()->level();
        top = level <= 1 ? 16 : 12;
        bottom = level <= 1 ? 8 : 5;
        break;
    }
    case DViewBlock::Paragraph:
    case DViewBlock::Inline:
        top = 3;
        bottom = 5;
        break;
    case DViewBlock::ListEntry:
        top = 1;
        bottom = 2;
        break;
    case DViewBlock::SummaryEntry:
    case DViewBlock::IndexEntry:
        top = 1;
        bottom = 1;
        break;
    case DViewBlock::Image:
        top = 4;
        bottom = 4;
        break;
    case DViewBlock::Graphic:
        top = 8;
        bottom = 8;
        break;
    default:
        break;
    }
    m.top = qMax(m.top, top);
    m.bottom = qMax(m.bottom, bottom);
    return m;
}

QSizeF imageSize(const QImage& image, const DImage* item)
{
    QSizeF size = image.isNull() ? QSizeF(120, 22) : QSizeF(image.size());
    if (item->width() > 0 && item->height() > 0)
        size = QSizeF(item->width(), item->height());
    else if (item->width() > 0 && size.width() > 0)
        size = QSizeF(item->width(), size.height() * item->width() / size.width());
    else if (item->height() > 0 && size.height() > 0)
        size = QSizeF(size.width() * item->height() / size.height(), item->height());
    return size.boundedTo(QSizeF(8000, 8000));
}

void drawPicture(QPainter* painter, const QRectF& rect, const QImage& image, const QString& name)
{
    if (!image.isNull()) {
        painter->drawImage(rect, image);
        return;
    }
    painter->save();
    painter->setPen(QColor(0xb0, 0xb0, 0xb0));
    painter->setBrush(QColor(0xf4, 0xf4, 0xf4));
    painter->drawRect(rect.adjusted(0.5, 0.5, -0.5, -0.5));
    if (rect.width() > 40) {
        painter->setPen(QColor(0x80, 0x80, 0x80));
        painter->drawText(rect.adjusted(4, 0, -4, 0), Qt::AlignCenter | Qt::TextSingleLine,
                          QFontMetricsF(painter->font())
                              .elidedText(name, Qt::ElideMiddle, rect.width() - 8));
    }
    painter->restore();
}

} // namespace

std::unique_ptr<DViewLaidBlock> DViewLaidBlock::create(const DViewBlock& block, const DViewTable* table,
                                                       int row, const DViewContext& context, qreal width)
{
    std::unique_ptr<DViewLaidBlock> laid(new DViewLaidBlock);
    laid->m_kind = block.kind;
    width = qMax<qreal>(width, 40);
    const DItem* root = block.kind == DViewBlock::Inline ? block.item->parent() : block.item;
    const Margins m = marginsFor(block, root);
    switch (block.kind) {
    case DViewBlock::Anchor:
    case DViewBlock::PageBreak:
        break;
    case DViewBlock::Title:
    case DViewBlock::Paragraph:
    case DViewBlock::Inline:
    case DViewBlock::ListEntry:
    case DViewBlock::SummaryEntry:
    case DViewBlock::IndexEntry: {
        DViewTextBuilder builder(context, true);
        laid->m_frames = builder.build(block);
        if (laid->m_frames.empty())
            break;
        DViewFrame& frame = laid->m_frames.front();
        if (block.kind == DViewBlock::Inline && frame.text.isEmpty())
            break; // a run of anchors only
        qreal indent = 0;
        if (block.kind == DViewBlock::ListEntry)
            indent = ListIndent;
        else if (block.kind == DViewBlock::SummaryEntry) {
            QString text;
            int level = 1;
            DItem* target = nullptr;
            DViewTextBuilder::summaryEntry(block.item, block.aux, &text, &level, &target);
            indent = SummaryIndent * qMax(0, level - 1);
        }
        const qreal pad = frame.background.isValid() ? BackgroundPad : 0;
        const qreal boxLeft = m.left + indent;
        const qreal boxWidth = qMax<qreal>(20, width - m.left - m.right - indent);
        const qreal h = laid->layoutFrame(frame, boxLeft + pad, m.top + pad, boxWidth - 2 * pad,
                                          context);
        laid->m_height = qCeil(m.top + h + 2 * pad + m.bottom);
        if (frame.background.isValid()) {
            laid->m_background = QRectF(boxLeft, m.top, boxWidth, h + 2 * pad);
            laid->m_backgroundColor = frame.background;
        }
        laid->m_font = frame.font;
        laid->m_color = frame.color;
        if (block.kind == DViewBlock::ListEntry && frame.layout->lineCount() > 0) {
            const DList* list = block.item->parent() ? block.item->parent()->toList() : nullptr;
            laid->m_marker = list && list->ordered() ? QString::number(block.aux) + QLatin1Char('.')
                                                     : QString(QChar(0x2022));
            const QTextLine line = frame.layout->lineAt(0);
            const qreal w = QFontMetricsF(frame.font).horizontalAdvance(laid->m_marker);
            laid->m_markerPos = QPointF(boxLeft - 8 - w, frame.rect.top() + line.y() + line.ascent());
        }
        if (block.kind == DViewBlock::Title && !frame.background.isValid()
            && block.item->toTitle()->level() <= 1) {
            // A hairline under top-level titles separates the report's main parts.
            laid->m_border = 1;
            laid->m_borderColor = QColor(0xd0, 0xd0, 0xd0);
            laid->m_background = QRectF(boxLeft, frame.rect.bottom() + 3, boxWidth, 0);
        }
        break;
    }
    case DViewBlock::Row:
        laid->layoutRow(block, table, row, context, m.left, width - m.left - m.right);
        break;
    case DViewBlock::Image: {
        const DImage* image = block.item->toImage();
        laid->m_image = context.image(image->src());
        laid->m_imageName = image->src();
        QSizeF size = imageSize(laid->m_image, image);
        const qreal avail = qMax<qreal>(16, width - m.left - m.right);
        if (size.width() > avail)
            size = QSizeF(avail, size.height() * avail / size.width());
        const DStyle* style = DViewTextBuilder::effectiveStyle(block.item);
        const Qt::Alignment align = style ? style->alignment() : Qt::AlignLeft;
        qreal x = m.left;
        if (align & Qt::AlignHCenter)
            x += (avail - size.width()) / 2;
        else if (align & Qt::AlignRight)
            x += avail - size.width();
        laid->m_imageRect = QRectF(QPointF(x, m.top), size);
        laid->m_height = qCeil(m.top + size.height() + m.bottom);
        laid->m_naturalWidth = laid->m_imageRect.right();
        break;
    }
    case DViewBlock::Graphic: {
        laid->m_graphic = block.item->toGraphic();
        DViewTextBuilder builder(context, false);
        laid->m_font = builder.blockFont(block.item, block.kind);
        const qreal w = qMin<qreal>(DViewGraphic::DefaultWidth, qMax<qreal>(120, width - m.left - m.right));
        laid->m_graphicRect = QRectF(m.left, m.top, w, DViewGraphic::DefaultHeight);
        laid->m_height = qCeil(m.top + DViewGraphic::DefaultHeight + m.bottom);
        laid->m_naturalWidth = laid->m_graphicRect.right();
        break;
    }
    }
    return laid;
}

qreal DViewLaidBlock::layoutFrame(DViewFrame& frame, qreal x, qreal y, qreal width,
                                  const DViewContext& context)
{
    width = qMax<qreal>(width, 8);
    frame.layout = std::make_unique<QTextLayout>(frame.text, frame.font);
    frame.layout->setFormats(frame.formats);
    QTextOption option(frame.alignment & Qt::AlignHorizontal_Mask);
    option.setWrapMode(context.wordWrap ? QTextOption::WrapAtWordBoundaryOrAnywhere
                                        : QTextOption::NoWrap);
    frame.layout->setTextOption(option);
    frame.layout->setCacheEnabled(true);
    qreal ly = 0;
    frame.layout->beginLayout();
    for (;;) {
        QTextLine line = frame.layout->createLine();
        if (!line.isValid())
            break;
        line.setLineWidth(width);
        qreal extra = 0;
        for (const DViewFrame::Picture& picture : frame.pictures)
            if (picture.pos >= line.textStart()
                && picture.pos < line.textStart() + line.textLength())
                extra = qMax(extra, picture.size.height() - line.ascent());
        line.setPosition(QPointF(0, ly + extra));
        ly += extra + line.height();
        m_naturalWidth = qMax(m_naturalWidth, x + line.naturalTextWidth());
    }
    frame.layout->endLayout();
    frame.rect = QRectF(x, y, width, ly);
    if (!frame.box.isValid())
        frame.box = frame.rect;
    return ly;
}

// The room each cell of a table's first row needs for its longest word, by column; cells
// that span columns ask for nothing.
static std::vector<double> headingWidths(const DViewTable& table, int columns, const DViewContext& context)
{
    std::vector<double> widths(static_cast<size_t>(columns), 0.0);
    DItem* first = table.table ? table.table->child() : nullptr;
    while (first && first->kind() != DItem::Row)
        first = first->next();
    if (!first)
        return widths;
    DViewBlock block;
    block.kind = DViewBlock::Row;
    block.item = first;
    const std::vector<DViewFrame> frames = DViewTextBuilder(context, false).build(block);
    const qreal inset = 2 * (CellPadX + qBound(0, table.border, 20)) + 1;
    size_t index = 0;
    int column = 0;
    for (DItem* cell = first->toContainer()->child(); cell && index < frames.size() && column < columns;
         cell = cell->next()) {
        int span = 0;
        if (const DCell* c = cell->toCell())
            span = c->hspan();
        else if (const DCellText* c = cell->toCellText())
            span = c->hspan();
        else
            continue;
        const DViewFrame& frame = frames[index++];
        if (span == 0) {
            // Runs may carry a bolder or larger font than the frame's own: measure with each.
            QList<QFont> fonts{frame.font};
            for (const QTextLayout::FormatRange& range : frame.formats)
                if (range.format.hasProperty(QTextFormat::FontFamilies) || range.format.hasProperty(QTextFormat::FontWeight)
                    || range.format.hasProperty(QTextFormat::FontPointSize))
                    fonts.append(range.format.font().resolve(frame.font));
            double longest = 0;
            for (const QString& word : frame.text.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts))
                for (const QFont& font : fonts)
                    longest = qMax(longest, QFontMetricsF(font).horizontalAdvance(word));
            widths[size_t(column)] = longest > 0 ? longest + inset : 0;
        }
        column += 1 + qBound(0, span, 1000);
    }
    return widths;
}

std::vector<qreal> DViewLaidBlock::columnWidths(const DViewTable* table, int columns, const DViewContext& context,
                                                qreal width)
{
    std::vector<qreal> widths(static_cast<size_t>(columns));
    for (int c = 0; c < columns; ++c)
        widths[size_t(c)] = (table && c < table->widths.size() ? table->widths[c] : 1.0 / columns) * width;
    if (!table)
        return widths;
    if (!table->minWidthsKnown) {
        table->minWidths = headingWidths(*table, columns, context);
        table->minWidthsKnown = true;
    }
    const std::vector<double>& least = table->minWidths;
    double needed = 0;
    for (double w : least)
        needed += w;
    if (least.size() != widths.size() || needed > width)
        return widths; // too narrow for every heading: keep the fractions
    // Columns short of their heading get what it needs; the others share what is left in
    // their proportions. Each round fixes at least one column, so this ends.
    std::vector<bool> fixed(widths.size(), false);
    for (bool changed = true; changed;) {
        changed = false;
        double freeFraction = 0;
        double freeWidth = width;
        for (size_t c = 0; c < widths.size(); ++c) {
            if (fixed[c])
                freeWidth -= least[c];
            else
                freeFraction += table->widths.value(int(c), 1.0f / columns);
        }
        for (size_t c = 0; c < widths.size(); ++c) {
            if (fixed[c]) {
                widths[c] = least[c];
                continue;
            }
            const double share = freeFraction > 0 ? table->widths.value(int(c), 1.0f / columns) / freeFraction : 0;
            widths[c] = share * freeWidth;
            if (widths[c] < least[c]) {
                fixed[c] = true;
                changed = true;
            }
        }
    }
    return widths;
}

void DViewLaidBlock::layoutRow(const DViewBlock& block, const DViewTable* table, int row,
                               const DViewContext& context, qreal left, qreal width)
{
    DViewTextBuilder builder(context, true);
    m_frames = builder.build(block);
    const int columns = table ? qMax(1, table->columns) : qMax<int>(1, int(m_frames.size()));
    m_border = table ? table->border : 0;
    const std::vector<qreal> widths = columnWidths(table, columns, context, width);
    std::vector<qreal> x(size_t(columns) + 1, left);
    for (int c = 0; c < columns; ++c)
        x[size_t(c) + 1] = x[size_t(c)] + widths[size_t(c)];
    m_borderColor = context.borderColor;
    const qreal top = block.firstRow ? 6 : 0;
    const qreal bottom = block.lastRow ? 10 : 0;
    m_lastRow = block.lastRow;
    const std::vector<int>* starts = table && row >= 0 && size_t(row) < table->cellStarts.size()
                                         ? &table->cellStarts[size_t(row)]
                                         : nullptr;
    qreal rowHeight = 0;
    int column = 0;
    size_t index = 0;
    for (DItem* cell = block.item->toContainer()->child(); cell && index < m_frames.size();
         cell = cell->next()) {
        int span = 0;
        if (const DCell* c = cell->toCell())
            span = c->hspan();
        else if (const DCellText* c = cell->toCellText())
            span = c->hspan();
        else
            continue;
        if (starts && index < starts->size())
            column = (*starts)[index];
        const int first = qMin(column, columns);
        const int covered = 1 + qBound(0, span, 1000);
        const int end = qMin(columns, first + covered);
        const qreal x0 = x[size_t(first)];
        const qreal x1 = qMax(x[size_t(end)], x0);
        DViewFrame& frame = m_frames[index];
        const qreal inset = CellPadX + m_border;
        const qreal h = layoutFrame(frame, x0 + inset, top + CellPadY + m_border,
                                    qMax<qreal>(8, x1 - x0 - 2 * inset), context);
        frame.box = QRectF(x0, top, x1 - x0, 0);
        rowHeight = qMax(rowHeight, h + 2 * CellPadY + m_border * (block.lastRow ? 2 : 1));
        column = first + covered;
        ++index;
    }
    for (DViewFrame& frame : m_frames)
        frame.box.setHeight(rowHeight);
    m_height = qCeil(top + rowHeight + bottom);
    m_naturalWidth = qMax(m_naturalWidth, x.back());
}

void DViewLaidBlock::paint(QPainter* painter, const QPointF& origin, const Selections& extra) const
{
    if (m_backgroundColor.isValid())
        painter->fillRect(m_background.translated(origin), m_backgroundColor);
    else if (m_kind == DViewBlock::Title && m_border > 0) {
        painter->setPen(QPen(m_borderColor, m_border));
        painter->drawLine(m_background.topLeft() + origin, m_background.topRight() + origin);
    }
    static const QVector<QTextLayout::FormatRange> none;
    for (size_t i = 0; i < m_frames.size(); ++i) {
        const DViewFrame& frame = m_frames[i];
        if (!frame.layout)
            continue;
        if (m_kind == DViewBlock::Row && frame.background.isValid())
            painter->fillRect(frame.box.translated(origin), frame.background);
        painter->setPen(frame.color);
        const QPointF at = origin + frame.rect.topLeft();
        frame.layout->draw(painter, at, i < extra.size() ? extra[i] : none);
        for (const DViewFrame::Picture& picture : frame.pictures) {
            const QTextLine line = frame.layout->lineForTextPosition(picture.pos);
            if (!line.isValid())
                continue;
            const QPointF topLeft(line.cursorToX(picture.pos),
                                  line.y() + line.ascent() - picture.size.height());
            drawPicture(painter, QRectF(at + topLeft, picture.size), picture.image, picture.src);
        }
    }
    if (m_kind == DViewBlock::Row && m_border > 0) {
        painter->setPen(QPen(m_borderColor, m_border));
        painter->setBrush(Qt::NoBrush);
        // Each cell draws its top and left edges; the last cell closes the right side and the
        // last row the bottom, so shared edges are drawn once.
        const qreal half = m_border / 2.0;
        for (size_t i = 0; i < m_frames.size(); ++i) {
            const QRectF r = m_frames[i].box.translated(origin);
            painter->drawLine(QPointF(r.left(), r.top() + half), QPointF(r.right(), r.top() + half));
            painter->drawLine(QPointF(r.left() + half, r.top()), QPointF(r.left() + half, r.bottom()));
            if (i + 1 == m_frames.size())
                painter->drawLine(QPointF(r.right() - half, r.top()),
                                  QPointF(r.right() - half, r.bottom()));
            if (m_lastRow)
                painter->drawLine(QPointF(r.left(), r.bottom() - half),
                                  QPointF(r.right(), r.bottom() - half));
        }
    }
    if (!m_marker.isEmpty()) {
        painter->setFont(m_font);
        painter->setPen(m_color);
        painter->drawText(origin + m_markerPos, m_marker);
    }
    if (!m_imageRect.isEmpty())
        drawPicture(painter, m_imageRect.translated(origin), m_image, m_imageName);
    if (m_graphic)
        DViewGraphic::paint(painter, m_graphicRect.translated(origin), m_graphic, m_font);
}

namespace {

int frameAt(const std::vector<DViewFrame>& frames, DViewBlock::Kind kind, qreal x)
{
    if (frames.empty())
        return -1;
    if (kind != DViewBlock::Row)
        return 0;
    for (size_t i = 0; i < frames.size(); ++i)
        if (x < frames[i].box.right())
            return int(i);
    return int(frames.size()) - 1;
}

} // namespace

bool DViewLaidBlock::hit(const QPointF& p, int* frame, int* offset) const
{
    const int f = frameAt(m_frames, m_kind, p.x());
    if (f < 0 || !m_frames[size_t(f)].layout)
        return false;
    const DViewFrame& fr = m_frames[size_t(f)];
    const QPointF local = p - fr.rect.topLeft();
    *frame = f;
    *offset = int(fr.text.size());
    for (int i = 0; i < fr.layout->lineCount(); ++i) {
        const QTextLine line = fr.layout->lineAt(i);
        if (local.y() < line.y() + line.height()) {
            *offset = line.xToCursor(local.x());
            return true;
        }
    }
    return true;
}

DItem* DViewLaidBlock::linkAt(const QPointF& p) const
{
    const int f = frameAt(m_frames, m_kind, p.x());
    if (f < 0 || !m_frames[size_t(f)].layout)
        return nullptr;
    const DViewFrame& fr = m_frames[size_t(f)];
    const QPointF local = p - fr.rect.topLeft();
    for (int i = 0; i < fr.layout->lineCount(); ++i) {
        const QTextLine line = fr.layout->lineAt(i);
        if (local.y() < line.y() || local.y() >= line.y() + line.height())
            continue;
        const QRectF natural = line.naturalTextRect();
        if (local.x() < natural.left() || local.x() > natural.right())
            return nullptr;
        const int pos = line.xToCursor(local.x(), QTextLine::CursorOnCharacter);
        return fr.linkAt(pos);
    }
    return nullptr;
}

qreal DViewLaidBlock::lineTop(int frame, int offset) const
{
    if (frame < 0 || size_t(frame) >= m_frames.size() || !m_frames[size_t(frame)].layout)
        return 0;
    const DViewFrame& fr = m_frames[size_t(frame)];
    const QTextLine line = fr.layout->lineForTextPosition(qMin(offset, int(fr.text.size())));
    return fr.rect.top() + (line.isValid() ? line.y() : 0);
}

QRectF DViewLaidBlock::rangeRect(int frame, int start, int length) const
{
    if (frame < 0 || size_t(frame) >= m_frames.size() || !m_frames[size_t(frame)].layout)
        return QRectF(0, 0, 1, m_height);
    const DViewFrame& fr = m_frames[size_t(frame)];
    const int end = start + length;
    QRectF result;
    for (int i = 0; i < fr.layout->lineCount(); ++i) {
        const QTextLine line = fr.layout->lineAt(i);
        const int ls = line.textStart();
        const int le = ls + line.textLength();
        if (le < start || ls > end || (length > 0 && le == start && ls != le))
            continue;
        const qreal x1 = line.cursorToX(qMax(start, ls));
        const qreal x2 = line.cursorToX(qMin(end, le));
        const QRectF r(qMin(x1, x2), line.y(), qMax<qreal>(1, qAbs(x2 - x1)), line.height());
        result = result.isNull() ? r : result.united(r);
        if (length == 0)
            break;
    }
    if (result.isNull())
        return QRectF(fr.rect.topLeft(), QSizeF(1, fr.rect.height()));
    return result.translated(fr.rect.topLeft());
}
