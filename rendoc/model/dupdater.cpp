#include "rendoc/model/dupdater.h"

#include "rendoc/model/ditems.h"
#include "rendoc/style/dstyle.h"

#include <QByteArrayView>
#include <QHash>
#include <QStringList>
#include <charconv>
#include <memory>
#include <vector>

namespace {

constexpr int MaxTitleLevel = 6;

// What the pass gathers inside one document before it resolves references.
struct DocumentScope
{
    DDocument* document = nullptr;
    int depth = 0;
    int counters[MaxTitleLevel + 1] = {};
    QList<DTitle*> titles;
    QList<DSummary*> summaries;
    QList<DSEntry*> summaryEntries;
};

// The text of an item's subtree: its DText and DCellText texts joined in document order.
QString plainText(const DItem* root)
{
    QString text;
    for (const DItem* item = root; item; item = item->nextInDocument(root)) {
        if (const DText* t = item->toText())
            text += t->text();
        else if (const DCellText* cell = item->toCellText())
            text += cell->text();
    }
    return text;
}

// "1.2.3": written as ASCII in place, once for every title of a report.
QByteArrayView numberText(const int* counters, int level, char (&buffer)[MaxTitleLevel * 12])
{
    char* at = buffer;
    for (int l = 1; l <= level; ++l) {
        if (l > 1)
            *at++ = '.';
        at = std::to_chars(at, buffer + sizeof buffer, counters[l]).ptr;
    }
    return QByteArrayView(buffer, at - buffer);
}

DDocument* enclosingDocument(const DItem* item)
{
    for (DItemContainer* p = item ? item->parent() : nullptr; p; p = p->parent()) {
        if (DDocument* document = p->toDocument())
            return document;
    }
    return nullptr;
}

// Everything one pass gathers before it resolves references.
struct Gathered
{
    std::vector<std::unique_ptr<DocumentScope>> scopes;
    QList<DTag*> namedTags; // in document order
    QList<DTagPointer*> pointers;
    QList<DIEntry*> indexEntries;
    QList<DIndex*> indexes;
};

// Gives an item with a style name but no style the style of that name: the document's own
// first, then the given list's.
void resolveStyle(DItem* item, const DocumentScope* scope, const QList<DStyle*>& styles)
{
    if (item->style() || item->styleName().isNull())
        return;
    DStyle* style = scope->document ? scope->document->findStyle(item->styleName()) : nullptr;
    for (int i = 0; !style && i < styles.size(); ++i) {
        if (styles.at(i) && styles.at(i)->name() == item->styleName())
            style = styles.at(i);
    }
    item->setStyle(style);
}

void numberTitle(DTitle* title, DocumentScope* scope)
{
    const int level = title->level();
    if (level <= 0) {
        title->setNumberText(QString());
        return;
    }
    ++scope->counters[level];
    for (int l = level + 1; l <= MaxTitleLevel; ++l)
        scope->counters[l] = 0;
    char buffer[MaxTitleLevel * 12];
    title->setNumberUtf8(numberText(scope->counters, level, buffer));
    scope->titles.append(title);
}

// Numbers a title, or notes an item that a reference or a table is resolved against later.
void gather(DItem* item, DocumentScope* scope, Gathered& g)
{
    switch (item->kind()) {
    case DItem::Title:
        numberTitle(item->toTitle(), scope);
        break;
    case DItem::Tag: {
        DTag* tag = item->toTag();
        if (!tag->name().isEmpty()) {
            g.namedTags.append(tag);
        }
        break;
    }
    case DItem::TagPointer:
        g.pointers.append(item->toTagPointer());
        break;
    case DItem::IEntry:
        g.indexEntries.append(item->toIEntry());
        break;
    case DItem::Index:
        g.indexes.append(item->toIndex());
        break;
    case DItem::Summary:
        scope->summaries.append(item->toSummary());
        break;
    case DItem::SEntry:
        scope->summaryEntries.append(item->toSEntry());
        break;
    default:
        break;
    }
}

// Characters a table of these titles holds: their numbers and texts.
qsizetype tableText(const QList<DTitle*>& titles)
{
    qsizetype characters = 0;
    for (const DTitle* title : titles)
        characters += title->numberText().size() + plainText(title).size();
    return characters;
}

qsizetype tableText(const QList<DTag*>& tags)
{
    qsizetype characters = 0;
    for (const DTag* tag : tags)
        characters += tag->name().size();
    return characters;
}

// Each generated table is written out by the view, the text and the HTML writer, so many
// tables over many (or long) titles would multiply the file's size. The first index of the
// pass and the first summary of each document are always filled; later ones share a budget of
// entries and one of characters, and stay empty once either is spent.
void fillTables(const Gathered& g, qsizetype entryBudget, qsizetype textBudget)
{
    const auto fill = [&](qsizetype entries, qsizetype& text, const auto& measure, bool first) {
        if (first)
            return true;
        if (text < 0)
            text = measure();
        if (entries > entryBudget || text > textBudget)
            return false;
        entryBudget -= entries;
        textBudget -= text;
        return true;
    };
    qsizetype indexText = -1; // measured when a second index needs it
    const auto measureIndex = [&g] { return tableText(g.namedTags); };
    for (int i = 0; i < g.indexes.size(); ++i)
        g.indexes.at(i)->setEntries(fill(g.namedTags.size(), indexText, measureIndex, i == 0)
                                        ? g.namedTags
                                        : QList<DTag*>());
    for (const auto& scope : g.scopes) {
        qsizetype summaryText = -1;
        const auto measureSummary = [&scope] { return tableText(scope->titles); };
        for (int i = 0; i < scope->summaries.size(); ++i)
            scope->summaries.at(i)->setTitles(
                fill(scope->titles.size(), summaryText, measureSummary, i == 0) ? scope->titles
                                                                               : QList<DTitle*>());
    }
}

// Points each summary entry without target to the first title of its document whose number
// text or plain text is the entry's text.
void resolveSummaryEntries(const DocumentScope& scope)
{
    if (scope.summaryEntries.isEmpty())
        return;
    QHash<QString, DTitle*> titlesByText;
    for (DTitle* title : scope.titles) {
        if (!titlesByText.contains(title->numberText()))
            titlesByText.insert(title->numberText(), title);
        const QString text = plainText(title);
        if (!titlesByText.contains(text))
            titlesByText.insert(text, title);
    }
    for (DSEntry* entry : scope.summaryEntries) {
        if (!entry->target())
            entry->setTarget(titlesByText.value(entry->text()));
    }
}

void resolveReferences(const Gathered& g)
{
    // Most documents name a tag per node and refer to none: the table of names is made only
    // when something refers to a tag.
    if (!g.pointers.isEmpty() || !g.indexEntries.isEmpty()) {
        QHash<QString, DTag*> tagsByName;
        tagsByName.reserve(g.namedTags.size());
        for (DTag* tag : g.namedTags) {
            DTag*& first = tagsByName[tag->name()];
            if (!first)
                first = tag;
        }
        for (DTagPointer* pointer : g.pointers)
            pointer->setTag(tagsByName.value(pointer->name()));
        for (DIEntry* entry : g.indexEntries) {
            if (!entry->target())
                entry->setTarget(tagsByName.value(entry->text()));
        }
    }
    fillTables(g, DUpdater::MaxRepeatedEntries, DUpdater::MaxRepeatedText);
    for (const auto& scope : g.scopes)
        resolveSummaryEntries(*scope);
}

} // namespace

DUpdater::DUpdater(DProgressMonitor* monitor)
    : DIterator(monitor)
{
}

void DUpdater::doItem(DItem* item)
{
    if (item)
        update(item, item);
}

void DUpdater::doItemList(DItem* item)
{
    if (item)
        update(item, item->parent());
}

void DUpdater::doItemChildren(DItemContainer* container)
{
    if (container && container->child())
        update(container->child(), container);
}

void DUpdater::update(DItem* first, const DItem* stopAt)
{
    Gathered g;
    std::vector<DocumentScope*> open;
    // Items before the first one's own document start are numbered in the document that
    // encloses the walk, if any.
    g.scopes.push_back(std::make_unique<DocumentScope>());
    g.scopes.back()->document = enclosingDocument(first);
    g.scopes.back()->depth = -1;
    open.push_back(g.scopes.back().get());

    int depth = 0;
    for (DItem* item = first; item;) {
        if (isCanceled())
            return;
        while (open.size() > 1 && open.back()->depth >= depth)
            open.pop_back();
        if (DDocument* document = item->toDocument()) {
            g.scopes.push_back(std::make_unique<DocumentScope>());
            g.scopes.back()->document = document;
            g.scopes.back()->depth = depth;
            open.push_back(g.scopes.back().get());
        }
        DocumentScope* scope = open.back();
        resolveStyle(item, scope, m_styles);
        gather(item, scope, g);

        DIterator::doItem(item);

        int change = 0;
        item = item->nextInDocument(stopAt, &change);
        depth += change;
    }
    resolveReferences(g);
}
