#include "rendoc/view/dviewlayout.h"

#include "rendoc/view/dviewspangrid.h"

#include "rendoc/view/dviewcontext.h"
#include "rendoc/view/dviewlaidblock.h"
#include "rendoc/view/dviewtextbuilder.h"
#include "rendoc/model/ditems.h"

#include <QFontMetricsF>
#include <QtMath>

namespace {

// Laid-out blocks kept at most; the oldest are dropped first (their exact heights stay).
constexpr int MaxLaidBlocks = 4000;

// Characters of text under item, counted without laying anything out.
std::uint32_t textAmount(const DItem* item)
{
    std::uint64_t count = 0;
    for (const DItem* it = item; it; it = it->nextInDocument(item)) {
        if (const DText* text = it->toText())
            count += std::uint64_t(text->utf8Text().utf16Size());
        else if (const DCellText* cell = it->toCellText())
            count += std::uint64_t(cell->text().size());
        else if (const DTagPointer* pointer = it->toTagPointer())
            count += std::uint64_t(pointer->name().size());
    }
    return std::uint32_t(qMin<std::uint64_t>(count, 0x7fffffff));
}

} // namespace

DViewLayout::DViewLayout(const DViewContext* context) : m_context(context)
{
    const QFontMetricsF metrics(context->font);
    m_lineHeight = metrics.lineSpacing();
    m_charWidth = qMax<qreal>(1, metrics.averageCharWidth());
}

DViewLayout::~DViewLayout() = default;

void DViewLayout::clear()
{
    m_documents.clear();
    m_headers.clear();
    m_footers.clear();
    // The block list of a large report is tens of megabytes: it is given back, not kept for
    // the next documents (a failed-only copy is made while the view stands empty).
    m_blocks.clear();
    std::vector<DViewTable>().swap(m_tables);
    m_laid.clear();
    m_laidOrder.clear();
    m_laidCount = 0;
    m_heights = DViewFenwick();
    m_itemBlocks.clear();
    m_pending.clear();
    m_resume = nullptr;
    m_resumeRoot = nullptr;
    m_restEstimate = 0;
    m_tags.clear();
    m_tagsBuilt.clear();
    m_naturalWidth = 0;
}

DHeader* DViewLayout::header(int document) const
{
    return document >= 0 && size_t(document) < m_headers.size() ? m_headers[size_t(document)] : nullptr;
}

DFooter* DViewLayout::footer(int document) const
{
    return document >= 0 && size_t(document) < m_footers.size() ? m_footers[size_t(document)] : nullptr;
}

void DViewLayout::addDocument(DDocument* document, int budget)
{
    if (!document || contains(document))
        return;
    complete();
    const int index = int(m_documents.size());
    m_documents.append(document);
    m_headers.push_back(nullptr);
    m_footers.push_back(nullptr);
    m_tags.emplace_back();
    m_tagsBuilt.push_back(false);
    flatten(document, index);
    flattenSome(budget);
}

void DViewLayout::addContent(DItemContainer* root)
{
    if (m_headers.empty()) {
        m_headers.push_back(nullptr);
        m_footers.push_back(nullptr);
        m_tags.emplace_back();
        m_tagsBuilt.push_back(true);
    }
    flatten(root, 0);
    complete();
}

void DViewLayout::addBlock(std::vector<int>& heights, DViewBlock::Kind kind, DItem* item,
                           int document, int aux)
{
    DViewBlock block;
    block.kind = kind;
    block.item = item;
    block.doc = document;
    block.aux = aux;
    if (kind == DViewBlock::Title || kind == DViewBlock::Paragraph || kind == DViewBlock::ListEntry)
        block.chars = textAmount(item);
    const int index = int(m_blocks.size());
    m_blocks.push_back(block);
    heights.push_back(estimate(block));
    m_itemBlocks.insertFirst(item, index);
    for (const DItem* pending : m_pending)
        m_itemBlocks.insert(pending, index);
    m_pending.clear();
}

void DViewLayout::addTable(std::vector<int>& heights, DItem* item, int document)
{
    DTable* table = item->toTable();
    DViewTable info;
    info.table = table;
    info.border = qBound(0, table->border(), 20);
    // Columns: the widest row, counting spans; vertical spans reserve slots in later rows.
    int rows = 0;
    for (DItem* row = table->child(); row; row = row->next())
        if (row->kind() == DItem::Row)
            ++rows;
    DViewSpanGrid grid(rows);
    std::vector<std::vector<int>> starts;
    starts.reserve(size_t(rows));
    for (DItem* row = table->child(); row; row = row->next()) {
        if (row->kind() != DItem::Row)
            continue;
        grid.startRow();
        std::vector<int> rowStarts;
        for (DItem* cell = row->toContainer()->child(); cell; cell = cell->next()) {
            // Span values count the extra columns and rows a cell covers.
            if (const DCell* c = cell->toCell())
                rowStarts.push_back(grid.place(c->hspan(), c->vspan()));
            else if (const DCellText* c = cell->toCellText())
                rowStarts.push_back(grid.place(c->hspan(), c->vspan()));
        }
        starts.push_back(std::move(rowStarts));
    }
    const int columns = grid.columns();
    const bool hasVSpan = grid.hasVSpan();
    info.columns = qMax(1, columns);
    const QVector<float>& widths = table->widths();
    float sum = 0;
    for (int c = 0; c < info.columns; ++c)
        sum += c < widths.size() && widths[c] > 0 ? widths[c] : 0;
    const float fallback = widths.isEmpty() || sum <= 0 ? 1.0f : sum / float(qMax<qsizetype>(1, widths.size()));
    sum = 0;
    for (int c = 0; c < info.columns; ++c) {
        const float w = c < widths.size() && widths[c] > 0 ? widths[c] : fallback;
        info.widths.append(w);
        sum += w;
    }
    for (float& w : info.widths)
        w /= sum;
    if (hasVSpan)
        info.cellStarts = std::move(starts);
    const int tableIndex = int(m_tables.size());
    info.firstBlock = int(m_blocks.size());
    m_tables.push_back(std::move(info));

    m_pending.push_back(item);
    int rowIndex = 0;
    const int first = int(m_blocks.size());
    for (DItem* row = table->child(); row; row = row->next()) {
        if (row->kind() != DItem::Row)
            continue;
        DViewBlock block;
        block.kind = DViewBlock::Row;
        block.item = row;
        block.doc = document;
        block.aux = tableIndex;
        ++rowIndex;
        std::uint32_t longest = 0;
        for (DItem* cell = row->toContainer()->child(); cell; cell = cell->next())
            longest = qMax(longest, textAmount(cell));
        block.chars = std::uint32_t(qMin<std::uint64_t>(std::uint64_t(longest) * m_tables.back().columns, 0x7fffffff));
        block.firstRow = rowIndex == 1;
        const int index = int(m_blocks.size());
        m_blocks.push_back(block);
        m_itemBlocks.insert(row, index);
        for (const DItem* pending : m_pending)
            m_itemBlocks.insert(pending, index);
        m_pending.clear();
        heights.push_back(0);
    }
    if (int(m_blocks.size()) > first)
        m_blocks.back().lastRow = true;
    for (int i = first; i < int(m_blocks.size()); ++i)
        heights[size_t(i) - m_heightBase] = estimate(m_blocks[size_t(i)]);
}

void DViewLayout::flatten(DItemContainer* root, int document)
{
    complete();
    m_resumeRoot = root;
    m_resumeDoc = document;
    m_resume = root->child();
    m_flowSteps = 0;
    m_flowLeft = 0;
    m_resumeHeight = m_heights.total();
    if (root->kind() == DItem::Document) {
        std::vector<int> heights;
        m_heightBase = m_blocks.size();
        addBlock(heights, DViewBlock::Anchor, root, document);
        m_heights.append(heights.front());
    }
    if (!m_resume)
        m_pending.clear();
}

bool DViewLayout::flattenSome(int budget)
{
    if (!m_resume)
        return false;
    std::vector<int> heights;
    m_heightBase = m_blocks.size();
    const std::size_t stop = m_blocks.size() + std::size_t(qMax(1, budget));
    if (budget == INT_MAX)
        heights.reserve(1024);
    DItem* it = m_resume;
    const std::size_t stepsBefore = m_flowSteps;
    while (it && m_blocks.size() < stop) {
        it = flattenItem(heights, it, m_resumeRoot, m_resumeDoc);
        ++m_flowSteps;
    }
    m_resume = it;
    if (!it)
        m_pending.clear();
    for (const int height : heights)
        m_heights.append(height);
    m_flowLeft -= qMin(m_flowLeft, m_flowSteps - stepsBefore);
    estimateRest();
    return m_resume != nullptr;
}

void DViewLayout::estimateRest()
{
    m_restEstimate = 0;
    if (!m_resume) {
        m_flowLeft = 0;
        return;
    }
    if (m_flowLeft == 0) {
        // The flow items left: the resume item, its following siblings and those of its
        // containers up to the root. Counted once; later parts only take from it.
        for (const DItem* level = m_resume; level && level != m_resumeRoot; level = level->parent()) {
            for (const DItem* it = level; it; it = it->next())
                ++m_flowLeft;
        }
    }
    const qint64 done = m_heights.total() - m_resumeHeight;
    if (m_flowSteps > 0 && done > 0)
        m_restEstimate = qint64(double(done) / double(m_flowSteps) * double(m_flowLeft));
}

DItem* DViewLayout::flattenItem(
    std::vector<int>& heights, DItem* it, DItemContainer* root, int document)
{
    const bool isDocument = root->kind() == DItem::Document;
    DItem* last = it;
    switch (it->kind()) {
    case DItem::Title:
        addBlock(heights, DViewBlock::Title, it, document);
        break;
    case DItem::Paragraph:
        addBlock(heights, DViewBlock::Paragraph, it, document);
        break;
    case DItem::List:
        addListEntries(heights, it, document);
        break;
    case DItem::Table:
        addTable(heights, it, document);
        break;
    case DItem::Image:
        addBlock(heights, DViewBlock::Image, it, document);
        break;
    case DItem::Graphic:
        addBlock(heights, DViewBlock::Graphic, it, document);
        break;
    case DItem::Summary:
    case DItem::Index:
        addGeneratedEntries(heights, it, document);
        break;
    case DItem::PageBreak:
        addBlock(heights, DViewBlock::PageBreak, it, document);
        break;
    case DItem::Header:
        if (isDocument && !m_headers[size_t(document)])
            m_headers[size_t(document)] = it->toHeader();
        break;
    case DItem::Footer:
        if (isDocument && !m_footers[size_t(document)])
            m_footers[size_t(document)] = it->toFooter();
        break;
    case DItem::Text:
    case DItem::Link:
    case DItem::PopupLink:
    case DItem::TagPointer:
    case DItem::Tag:
        last = addInlineRun(heights, it, document);
        break;
    case DItem::Section:
    case DItem::Cell:
        // Flow containers: their content joins the flow.
        m_pending.push_back(it);
        return it->nextInDocument(root);
    default:
        // Popups and anything misplaced are not part of the flow.
        break;
    }
    return DViewTextBuilder::afterSubtree(last, root);
}

void DViewLayout::addListEntries(std::vector<int>& heights, DItem* list, int document)
{
    m_pending.push_back(list);
    int ordinal = 1;
    for (DItem* entry = list->toContainer()->child(); entry; entry = entry->next())
        if (entry->kind() == DItem::Paragraph)
            addBlock(heights, DViewBlock::ListEntry, entry, document, ordinal++);
}

void DViewLayout::addGeneratedEntries(std::vector<int>& heights, DItem* table, int document)
{
    const bool summary = table->kind() == DItem::Summary;
    const int n = summary ? DViewTextBuilder::summaryEntryCount(table)
                          : DViewTextBuilder::indexEntryCount(table);
    if (n == 0)
        m_pending.push_back(table);
    for (int k = 0; k < n; ++k)
        addBlock(heights, summary ? DViewBlock::SummaryEntry : DViewBlock::IndexEntry, table,
                 document, k);
}

DItem* DViewLayout::addInlineRun(std::vector<int>& heights, DItem* first, int document)
{
    DItem* last = DViewTextBuilder::inlineRunEnd(first);
    const int index = int(m_blocks.size());
    addBlock(heights, DViewBlock::Inline, first, document);
    DViewBlock& block = m_blocks.back();
    std::uint64_t chars = 0;
    for (DItem* member = first;; member = member->next()) {
        chars += textAmount(member);
        m_itemBlocks.insert(member, index);
        if (member == last)
            break;
    }
    block.chars = std::uint32_t(qMin<std::uint64_t>(chars, 0x7fffffff));
    heights.back() = estimate(block);
    return last;
}

int DViewLayout::estimate(const DViewBlock& block) const
{
    const qreal width = qMax<qreal>(100, m_width);
    auto lines = [&](qreal avail) {
        return qMax<qreal>(1, qCeil(block.chars * m_charWidth / qMax<qreal>(40, avail)));
    };
    switch (block.kind) {
    case DViewBlock::Anchor:
    case DViewBlock::PageBreak:
        return 0;
    case DViewBlock::Title:
        return qRound(lines(width) * m_lineHeight * 1.4 + 22);
    case DViewBlock::Paragraph:
        return qRound(lines(width) * m_lineHeight + 8);
    case DViewBlock::Inline:
        return block.chars == 0 ? 0 : qRound(lines(width) * m_lineHeight + 8);
    case DViewBlock::ListEntry:
        return qRound(lines(width - 26) * m_lineHeight + 3);
    case DViewBlock::Row:
        return qRound(lines(width * 0.85) * m_lineHeight + 7 + (block.firstRow ? 6 : 0)
                      + (block.lastRow ? 10 : 0));
    case DViewBlock::Image:
        return 30;
    case DViewBlock::Graphic:
        return 316;
    case DViewBlock::SummaryEntry:
    case DViewBlock::IndexEntry:
        return qRound(m_lineHeight + 2);
    }
    return 0;
}

void DViewLayout::setWidth(qreal width)
{
    width = qMax<qreal>(40, width);
    if (qFuzzyCompare(width, m_width))
        return;
    m_width = width;
    invalidate();
}

void DViewLayout::invalidate()
{
    m_laid.clear();
    for (std::size_t i = 0; i < m_blocks.size(); ++i)
        m_blocks[i].measured = false;
    m_laidOrder.clear();
    m_naturalWidth = 0;
}

DViewLaidBlock* DViewLayout::laid(int index)
{
    std::unique_ptr<DViewLaidBlock>& slot = m_laid[index];
    if (slot)
        return slot.get();
    DViewBlock& block = m_blocks[size_t(index)];
    const DViewTable* table = block.kind == DViewBlock::Row ? &m_tables[size_t(block.aux)] : nullptr;
    slot = DViewLaidBlock::create(block, table, table ? index - table->firstBlock : -1, *m_context,
                                  m_width);
    ++m_laidCount;
    m_laidOrder.push_back(index);
    block.measured = true;
    m_heights.set(index, slot->height());
    m_naturalWidth = qMax(m_naturalWidth, slot->naturalWidth());
    DViewLaidBlock* result = slot.get();
    evict();
    return result;
}

void DViewLayout::evict()
{
    while (int(m_laid.size()) > MaxLaidBlocks && !m_laidOrder.empty()) {
        m_laid.erase(m_laidOrder.front());
        m_laidOrder.pop_front();
    }
}

int DViewLayout::blockOf(const DItem* item)
{
    int block = findBlock(item);
    if (block < 0 && m_resume && item) {
        complete();
        block = findBlock(item);
    }
    return block;
}

int DViewLayout::findBlock(const DItem* item) const
{
    if (!item)
        return -1;
    const DItem* document = nullptr;
    for (const DItem* p = item; p; p = p->parent()) {
        switch (p->kind()) {
        case DItem::Header:
        case DItem::Footer:
        case DItem::Popup:
            return -1; // not part of the screen flow
        case DItem::Document:
            document = p;
            break;
        default:
            break;
        }
        if (document)
            break;
        const int block = m_itemBlocks.value(p);
        if (block >= 0)
            return block;
    }
    if (!document || !m_documents.contains(const_cast<DItem*>(document)->toDocument()))
        return -1;
    if (item == document)
        return m_itemBlocks.value(document, -1);
    // A container without a block of its own (a section, an empty list) shows where the first
    // block inside or after it starts.
    if (item->isContainer()) {
        for (const DItem* it = item; it; it = it->nextInDocument(document)) {
            const int block = m_itemBlocks.value(it);
            if (block >= 0)
                return block;
        }
    }
    return -1;
}

DTag* DViewLayout::findTag(const QString& name, int document)
{
    const int first = document < 0 ? 0 : document;
    const int last = document < 0 ? int(m_documents.size()) - 1 : document;
    for (int d = first; d <= last && d < int(m_documents.size()); ++d) {
        if (!m_tagsBuilt[size_t(d)]) {
            QHash<QString, DTag*>& tags = m_tags[size_t(d)];
            DDocument* doc = m_documents[d];
            for (DItem* it = doc; it; it = it->nextInDocument(doc))
                if (DTag* tag = it->toTag(); tag && !tag->name().isNull() && !tags.contains(tag->name()))
                    tags.insert(tag->name(), tag);
            m_tagsBuilt[size_t(d)] = true;
        }
        if (DTag* tag = m_tags[size_t(d)].value(name))
            return tag;
    }
    return nullptr;
}

std::vector<DViewFrame> DViewLayout::frames(int index) const
{
    return DViewTextBuilder(*m_context, false).build(m_blocks[size_t(index)]);
}

QString DViewLayout::cleanText(const DViewFrame& frame, int start, int end, QChar separator)
{
    QString out;
    start = qBound(0, start, int(frame.text.size()));
    end = qBound(start, end, int(frame.text.size()));
    out.reserve(end - start);
    size_t picture = 0;
    bool dropped = false;
    for (int i = start; i < end; ++i) {
        while (picture < frame.pictures.size() && frame.pictures[picture].pos < i)
            ++picture;
        if (picture < frame.pictures.size() && frame.pictures[picture].pos == i
            && frame.text.at(i) == QChar(DViewTextBuilder::PictureChar)) {
            dropped = true;
            continue;
        }
        const QChar c = frame.text.at(i);
        // Without the image between them, two blanks collapse into one.
        if (dropped && c == QLatin1Char(' ') && out.endsWith(QLatin1Char(' ')))
            continue;
        dropped = false;
        out += c == QChar::LineSeparator ? separator : c;
    }
    return out;
}

QString DViewLayout::blockText(int index) const
{
    const DViewBlock& block = m_blocks[size_t(index)];
    const std::vector<DViewFrame> list = frames(index);
    if (list.empty())
        return QString();
    if (block.kind == DViewBlock::Row) {
        QStringList cells;
        for (const DViewFrame& frame : list)
            cells << cleanText(frame, 0, int(frame.text.size()), QLatin1Char(' '));
        return cells.join(QLatin1Char('\t'));
    }
    QString text = cleanText(list.front(), 0, int(list.front().text.size()), QLatin1Char('\n'));
    if (block.kind == DViewBlock::ListEntry) {
        const DList* list = block.item->parent() ? block.item->parent()->toList() : nullptr;
        text.prepend(list && list->ordered() ? QString::number(block.aux) + QLatin1String(". ")
                                             : QStringLiteral("\u2022 "));
    }
    return text;
}

DViewPos DViewLayout::endOf(int index) const
{
    const std::vector<DViewFrame> list = frames(index);
    if (list.empty())
        return {index, 0, 0};
    return {index, int(list.size()) - 1, int(list.back().text.size())};
}

QString DViewLayout::text(const DViewPos& from, const DViewPos& to) const
{
    QString out;
    bool firstBlock = true;
    for (int b = qMax(0, from.block); b <= to.block && b < count(); ++b) {
        const std::vector<DViewFrame> list = frames(b);
        if (list.empty())
            continue;
        const bool row = m_blocks[size_t(b)].kind == DViewBlock::Row;
        QString piece;
        bool any = false;
        for (int f = 0; f < int(list.size()); ++f) {
            const DViewPos here{b, f, 0};
            if (DViewPos{b, f, INT_MAX} < DViewPos{from.block, from.frame, 0})
                continue;
            if (DViewPos{to.block, to.frame, 0} < here)
                break;
            const int start = (b == from.block && f == from.frame) ? from.offset : 0;
            const int end = (b == to.block && f == to.frame) ? to.offset : int(list[size_t(f)].text.size());
            if (any)
                piece += QLatin1Char('\t');
            piece += cleanText(list[size_t(f)], start, end, row ? QLatin1Char(' ') : QLatin1Char('\n'));
            any = true;
        }
        if (!any)
            continue;
        bool blank = true;
        for (const DViewFrame& frame : list)
            blank = blank && frame.text.isEmpty();
        if (blank && !row)
            continue; // anchors only
        if (!firstBlock)
            out += QLatin1Char('\n');
        out += piece;
        firstBlock = false;
    }
    return out;
}
