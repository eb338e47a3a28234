#include "rendoc/view/dviewtextbuilder.h"

#include "rendoc/view/dviewcontext.h"
#include "rendoc/model/ditems.h"
#include "rendoc/style/dstyle.h"

#include <QFontMetricsF>

namespace {

bool isLinkKind(const DItem* item)
{
    switch (item->kind()) {
    case DItem::Link:
    case DItem::PopupLink:
    case DItem::TagPointer:
        return true;
    default:
        return false;
    }
}

bool isSpace(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\n')
           || c == QLatin1Char('\r') || c == QChar::LineSeparator;
}

} // namespace

// Building state of one frame.
struct DViewTextBuilder::State
{
    DViewFrame* frame = nullptr;
    const DItem* root = nullptr;
    QTextCharFormat base;
    bool pendingSpace = false;
    bool atLineStart = true;
    bool firstCell = true;
};

DViewTextBuilder::DViewTextBuilder(const DViewContext& context, bool loadImages)
    : m_context(context), m_loadImages(loadImages)
{
}

const DStyle* DViewTextBuilder::effectiveStyle(const DItem* item)
{
    for (const DItem* p = item; p; p = p->parent())
        if (p->style())
            return p->style();
    return nullptr;
}

DItem* DViewTextBuilder::afterSubtree(const DItem* item, const DItem* stopAt)
{
    for (const DItem* p = item; p && p != stopAt; p = p->parent()) {
        if (p->next())
            return p->next();
        if (p->parent() == stopAt)
            break;
    }
    return nullptr;
}

QString DViewTextBuilder::plainText(const DItem* item)
{
    QString out;
    bool pending = false;
    for (const DItem* it = item; it; it = it->nextInDocument(item)) {
        const DText* text = it->toText();
        if (!text)
            continue;
        for (QChar c : text->text()) {
            if (isSpace(c)) {
                pending = !out.isEmpty();
                continue;
            }
            if (pending)
                out += QLatin1Char(' ');
            pending = false;
            out += c;
        }
    }
    return out;
}

int DViewTextBuilder::summaryEntryCount(const DItem* summary)
{
    int count = 0;
    for (DItem* c = summary->toContainer()->child(); c; c = c->next())
        if (c->kind() == DItem::SEntry)
            ++count;
    return count ? count : int(summary->toSummary()->titles().size());
}

int DViewTextBuilder::indexEntryCount(const DItem* index)
{
    int count = 0;
    for (DItem* c = index->toContainer()->child(); c; c = c->next())
        if (c->kind() == DItem::IEntry)
            ++count;
    return count ? count : int(index->toIndex()->entries().size());
}

bool DViewTextBuilder::summaryEntry(const DItem* summary, int index, QString* text, int* level,
                                    DItem** target)
{
    int n = 0;
    bool explicitEntries = false;
    for (DItem* c = summary->toContainer()->child(); c; c = c->next()) {
        DSEntry* entry = c->toSEntry();
        if (!entry)
            continue;
        explicitEntries = true;
        if (n++ == index) {
            *text = entry->text();
            *level = entry->level();
            *target = entry->target() ? static_cast<DItem*>(entry) : nullptr;
            return true;
        }
    }
    if (explicitEntries)
        return false;
    const QList<DTitle*>& titles = summary->toSummary()->titles();
    if (index < 0 || index >= titles.size())
        return false;
    DTitle* title = titles.at(index);
    const QString plain = plainText(title);
    *text = title->numberText().isEmpty() ? plain : title->numberText() + QLatin1String("  ") + plain;
    *level = title->level();
    *target = title;
    return true;
}

bool DViewTextBuilder::indexEntry(const DItem* index, int entry, QString* text, DItem** target)
{
    int n = 0;
    bool explicitEntries = false;
    for (DItem* c = index->toContainer()->child(); c; c = c->next()) {
        DIEntry* e = c->toIEntry();
        if (!e)
            continue;
        explicitEntries = true;
        if (n++ == entry) {
            *text = e->text();
            *target = e->target() ? static_cast<DItem*>(e) : nullptr;
            return true;
        }
    }
    if (explicitEntries)
        return false;
    const QList<DTag*>& tags = index->toIndex()->entries();
    if (entry < 0 || entry >= tags.size())
        return false;
    *text = tags.at(entry)->name();
    *target = tags.at(entry);
    return true;
}

QFont DViewTextBuilder::styleFont(const DStyle* style) const
{
    QFont font = m_context.font;
    if (!style)
        return font;
    if (!style->family().isEmpty())
        font.setFamily(style->family());
    if (style->pointSize() > 0)
        font.setPointSize(style->pointSize());
    font.setBold(style->bold());
    font.setItalic(style->italic());
    font.setUnderline(style->underline());
    return font;
}

QFont DViewTextBuilder::blockFont(const DItem* root, DViewBlock::Kind kind) const
{
    QFont font = styleFont(effectiveStyle(root));
    if (kind == DViewBlock::Title && !root->style()) {
        static const int growth[] = {8, 6, 4, 2, 1, 0, 0};
        const int level = qBound(0, root->toTitle()->level(), 6);
        font.setPointSizeF(font.pointSizeF() + growth[level]);
        font.setBold(true);
    }
    return font;
}

QTextCharFormat DViewTextBuilder::styleFormat(const DStyle* style) const
{
    QTextCharFormat format;
    format.setFont(styleFont(style), QTextCharFormat::FontPropertiesAll);
    format.setForeground(style ? style->foreground() : m_context.textColor);
    if (style && style->background().isValid())
        format.setBackground(style->background());
    return format;
}

void DViewTextBuilder::beginFrame(DViewFrame& frame, const DItem* root, DViewBlock::Kind kind) const
{
    const DStyle* style = effectiveStyle(root);
    frame.font = blockFont(root, kind);
    frame.color = style ? style->foreground() : m_context.textColor;
    if (style && style->background().isValid())
        frame.background = style->background();
    frame.alignment = style ? style->alignment() : Qt::AlignLeft;
}

QTextCharFormat DViewTextBuilder::formatFor(const State& state, const DItem* item, DItem** link) const
{
    *link = nullptr;
    const DItem* styled = nullptr;
    bool styledBelowLink = false;
    for (const DItem* p = item; p && p != state.root; p = p->parent()) {
        if (!*link && isLinkKind(p))
            *link = const_cast<DItem*>(p);
        if (!styled && p->style()) {
            styled = p;
            styledBelowLink = *link != nullptr || isLinkKind(p);
        }
    }
    if (item->kind() == DItem::TagPointer)
        styledBelowLink = item->style() != nullptr;
    QTextCharFormat format = styled ? styleFormat(styled->style()) : state.base;
    if (*link && !styledBelowLink) {
        format.setForeground(m_context.linkColor);
        format.setFontUnderline(true);
    }
    return format;
}

void DViewTextBuilder::appendText(State& state, const QString& text, const QTextCharFormat& format,
                                  DItem* item, DItem* link) const
{
    DViewFrame& frame = *state.frame;
    QString& out = frame.text;
    out.reserve(out.size() + text.size());
    // A space left pending by the previous run stays with it, so a link does not start with
    // an underlined blank.
    if (state.pendingSpace) {
        bool visible = false;
        for (QChar c : text)
            if (!isSpace(c)) {
                visible = true;
                break;
            }
        if (visible) {
            out += QLatin1Char(' ');
            state.pendingSpace = false;
            if (!frame.formats.isEmpty()) {
                QTextLayout::FormatRange& last = frame.formats.last();
                if (last.start + last.length == out.size() - 1)
                    ++last.length;
            }
        }
    }
    const int start = out.size();
    for (QChar c : text) {
        if (isSpace(c)) {
            if (!state.atLineStart && !out.endsWith(QLatin1Char(' ')))
                state.pendingSpace = true;
            continue;
        }
        if (state.pendingSpace)
            out += QLatin1Char(' ');
        state.pendingSpace = false;
        state.atLineStart = false;
        out += c;
    }
    const int length = out.size() - start;
    frame.spans.push_back({start, length, item, link});
    if (length == 0)
        return;
    if (!frame.formats.isEmpty()) {
        QTextLayout::FormatRange& last = frame.formats.last();
        if (last.start + last.length == start && last.format == format) {
            last.length += length;
            return;
        }
    }
    frame.formats.append({start, length, format});
}

void DViewTextBuilder::appendPicture(State& state, DItem* item) const
{
    const DImage* image = item->toImage();
    DItem* link = nullptr;
    QTextCharFormat format = formatFor(state, item, &link);
    DViewFrame& frame = *state.frame;
    if (state.pendingSpace)
        frame.text += QLatin1Char(' ');
    state.pendingSpace = false;
    state.atLineStart = false;
    DViewFrame::Picture picture;
    picture.pos = frame.text.size();
    picture.src = image->src();
    if (m_loadImages) {
        picture.image = m_context.image(image->src());
        QSizeF size = picture.image.isNull() ? QSizeF(16, 16) : QSizeF(picture.image.size());
        if (image->width() > 0 && image->height() > 0)
            size = QSizeF(image->width(), image->height());
        else if (image->width() > 0 && size.width() > 0)
            size = QSizeF(image->width(), size.height() * image->width() / size.width());
        else if (image->height() > 0 && size.height() > 0)
            size = QSizeF(size.width() * image->height() / size.height(), image->height());
        picture.size = size.boundedTo(QSizeF(4000, 4000));
        const qreal advance = QFontMetricsF(format.font()).horizontalAdvance(QChar(PictureChar));
        format.setFontLetterSpacingType(QFont::AbsoluteSpacing);
        format.setFontLetterSpacing(picture.size.width() - advance);
    }
    frame.text += QChar(PictureChar);
    frame.spans.push_back({picture.pos, 1, item, link});
    frame.formats.append({picture.pos, 1, format});
    frame.pictures.push_back(std::move(picture));
}

void DViewTextBuilder::lineBreak(State& state) const
{
    if (state.atLineStart)
        return;
    state.frame->text += QChar::LineSeparator;
    state.pendingSpace = false;
    state.atLineStart = true;
}

void DViewTextBuilder::appendRange(State& state, DItem* first, DItem* last) const
{
    const DItem* stop = first->parent();
    DItem* end = afterSubtree(last, stop);
    for (DItem* it = first; it && it != end;) {
        DItem* link = nullptr;
        switch (it->kind()) {
        case DItem::Text: {
            const QTextCharFormat format = formatFor(state, it, &link);
            appendText(state, it->toText()->text(), format, it, link);
            break;
        }
        case DItem::Tag:
            state.frame->spans.push_back({int(state.frame->text.size()), 0, it, nullptr});
            break;
        case DItem::TagPointer: {
            const QTextCharFormat format = formatFor(state, it, &link);
            appendText(state, it->toTagPointer()->name(), format, it, link);
            break;
        }
        case DItem::Image:
            appendPicture(state, it);
            break;
        case DItem::Title:
        case DItem::Paragraph:
            lineBreak(state);
            if (const DTitle* title = it->toTitle(); title && !title->numberText().isEmpty())
                appendText(state, title->numberText() + QLatin1Char(' '), state.base, it, nullptr);
            break;
        case DItem::Row:
            lineBreak(state);
            state.firstCell = true;
            break;
        case DItem::Cell:
        case DItem::CellText:
            if (!state.firstCell) {
                state.frame->text += QLatin1Char('\t');
                state.pendingSpace = false;
                state.atLineStart = true;
            }
            state.firstCell = false;
            if (const DCellText* cellText = it->toCellText()) {
                const QTextCharFormat format = formatFor(state, it, &link);
                appendText(state, cellText->text(), format, it, link);
            }
            break;
        case DItem::Graphic:
            lineBreak(state);
            appendText(state, it->toGraphic()->title(), state.base, it, nullptr);
            it = afterSubtree(it, stop);
            continue;
        case DItem::Header:
        case DItem::Footer:
        case DItem::Popup:
        case DItem::Summary:
        case DItem::Index:
            it = afterSubtree(it, stop);
            continue;
        default:
            break;
        }
        if (it == last && !it->isContainer())
            break;
        it = it->nextInDocument(stop);
    }
}

void DViewTextBuilder::finishFrame(State& state) const
{
    // A trailing line separator adds an empty line; drop it.
    QString& text = state.frame->text;
    if (text.endsWith(QChar::LineSeparator))
        text.chop(1);
    for (DViewFrame::Span& span : state.frame->spans) {
        span.start = qMin(span.start, int(text.size()));
        span.length = qMin(span.length, int(text.size()) - span.start);
    }
    for (QTextLayout::FormatRange& range : state.frame->formats)
        range.length = qMax(0, qMin(range.length, int(text.size()) - range.start));
}

std::vector<DViewFrame> DViewTextBuilder::build(const DViewBlock& block) const
{
    std::vector<DViewFrame> frames;
    auto start = [&](const DItem* root, DViewBlock::Kind kind) -> State {
        frames.emplace_back();
        State state;
        state.frame = &frames.back();
        state.root = root;
        beginFrame(frames.back(), root, kind);
        state.base.setFont(state.frame->font, QTextCharFormat::FontPropertiesAll);
        state.base.setForeground(state.frame->color);
        return state;
    };
    DItemContainer* container = block.item->toContainer();
    switch (block.kind) {
    case DViewBlock::Title: {
        State state = start(block.item, block.kind);
        const DTitle* title = block.item->toTitle();
        if (!title->numberText().isEmpty())
            appendText(state, title->numberText() + QLatin1String("  "), state.base, block.item,
                       nullptr);
        if (container->child())
            appendRange(state, container->child(), container->lastChild());
        finishFrame(state);
        break;
    }
    case DViewBlock::Paragraph:
    case DViewBlock::ListEntry: {
        State state = start(block.item, block.kind);
        if (container && container->child())
            appendRange(state, container->child(), container->lastChild());
        finishFrame(state);
        break;
    }
    case DViewBlock::Inline: {
        State state = start(block.item->parent(), block.kind);
        appendRange(state, block.item, inlineRunEnd(block.item));
        finishFrame(state);
        break;
    }
    case DViewBlock::Row:
        for (DItem* cell = container->child(); cell; cell = cell->next()) {
            if (cell->kind() != DItem::Cell && cell->kind() != DItem::CellText)
                continue;
            State state = start(cell, block.kind);
            if (const DCellText* cellText = cell->toCellText())
                appendText(state, cellText->text(), state.base, cell, nullptr);
            if (DItem* child = cell->toContainer()->child())
                appendRange(state, child, cell->toContainer()->lastChild());
            finishFrame(state);
        }
        break;
    case DViewBlock::SummaryEntry:
    case DViewBlock::IndexEntry: {
        State state = start(block.item, block.kind);
        QString text;
        int level = 1;
        DItem* target = nullptr;
        const bool ok = block.kind == DViewBlock::SummaryEntry
                            ? summaryEntry(block.item, block.aux, &text, &level, &target)
                            : indexEntry(block.item, block.aux, &text, &target);
        if (ok) {
            QTextCharFormat format = state.base;
            if (target)
                format.setForeground(m_context.linkColor);
            appendText(state, text, format, block.item, target);
        }
        finishFrame(state);
        break;
    }
    default:
        break;
    }
    return frames;
}

bool DViewTextBuilder::isInline(const DItem* item)
{
    switch (item->kind()) {
    case DItem::Text:
    case DItem::Link:
    case DItem::PopupLink:
    case DItem::TagPointer:
    case DItem::Tag:
        return true;
    default:
        return false;
    }
}

DItem* DViewTextBuilder::inlineRunEnd(DItem* first)
{
    DItem* last = first;
    while (last->next() && isInline(last->next()))
        last = last->next();
    return last;
}
