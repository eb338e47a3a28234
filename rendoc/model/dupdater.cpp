#include "rendoc/model/dupdater.h"

#include "rendoc/model/ditems.h"
#include "rendoc/style/dstyle.h"

#include <QHash>
#include <QStringList>
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

QString numberText(const int* counters, int level)
{
    QStringList parts;
    for (int l = 1; l <= level; ++l)
        parts.append(QString::number(counters[l]));
    return parts.join(QLatin1Char('.'));
}

DDocument* enclosingDocument(const DItem* item)
{
    for (DItemContainer* p = item ? item->parent() : nullptr; p; p = p->parent()) {
        if (DDocument* document = p->toDocument())
            return document;
    }
    return nullptr;
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
    std::vector<std::unique_ptr<DocumentScope>> scopes;
    std::vector<DocumentScope*> open;
    // Items before the first one's own document start are numbered in the document that
    // encloses the walk, if any.
    scopes.push_back(std::make_unique<DocumentScope>());
    scopes.back()->document = enclosingDocument(first);
    scopes.back()->depth = -1;
    open.push_back(scopes.back().get());

    QHash<QString, DTag*> tagsByName;
    QList<DTag*> namedTags;
    QList<DTagPointer*> pointers;
    QList<DIEntry*> indexEntries;
    QList<DIndex*> indexes;

    int depth = 0;
    for (DItem* item = first; item;) {
        if (isCanceled())
            return;
        while (open.size() > 1 && open.back()->depth >= depth)
            open.pop_back();
        if (DDocument* document = item->toDocument()) {
            scopes.push_back(std::make_unique<DocumentScope>());
            scopes.back()->document = document;
            scopes.back()->depth = depth;
            open.push_back(scopes.back().get());
        }
        DocumentScope* scope = open.back();

        if (!item->style() && !item->styleName().isNull()) {
            DStyle* style = scope->document ? scope->document->findStyle(item->styleName())
                                            : nullptr;
            for (int i = 0; !style && i < m_styles.size(); ++i) {
                if (m_styles.at(i) && m_styles.at(i)->name() == item->styleName())
                    style = m_styles.at(i);
            }
            item->setStyle(style);
        }

        switch (item->kind()) {
        case DItem::Title: {
            DTitle* title = item->toTitle();
            const int level = title->level();
            if (level <= 0) {
                title->setNumberText(QString());
                break;
            }
            ++scope->counters[level];
            for (int l = level + 1; l <= MaxTitleLevel; ++l)
                scope->counters[l] = 0;
            title->setNumberText(numberText(scope->counters, level));
            scope->titles.append(title);
            break;
        }
        case DItem::Tag: {
            DTag* tag = item->toTag();
            if (!tag->name().isEmpty()) {
                namedTags.append(tag);
                if (!tagsByName.contains(tag->name()))
                    tagsByName.insert(tag->name(), tag);
            }
            break;
        }
        case DItem::TagPointer:
            pointers.append(item->toTagPointer());
            break;
        case DItem::IEntry:
            indexEntries.append(item->toIEntry());
            break;
        case DItem::Index:
            indexes.append(item->toIndex());
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

        DIterator::doItem(item);

        int change = 0;
        item = item->nextInDocument(stopAt, &change);
        depth += change;
    }

    for (DTagPointer* pointer : pointers)
        pointer->setTag(tagsByName.value(pointer->name()));
    for (DIEntry* entry : indexEntries) {
        if (!entry->target())
            entry->setTarget(tagsByName.value(entry->text()));
    }
    // Each generated table is written out by the view, the text and the HTML writer, so
    // many tables over many titles would multiply the file's size. The first index of the
    // pass and the first summary of each document are always filled; later ones share a
    // budget of entries and stay empty once it is spent.
    qsizetype budget = DUpdater::MaxRepeatedEntries;
    const auto fill = [&budget](qsizetype entries, bool first) {
        if (first)
            return true;
        if (entries > budget)
            return false;
        budget -= entries;
        return true;
    };
    for (int i = 0; i < indexes.size(); ++i)
        indexes.at(i)->setEntries(fill(namedTags.size(), i == 0) ? namedTags : QList<DTag*>());
    for (const auto& scope : scopes) {
        for (int i = 0; i < scope->summaries.size(); ++i)
            scope->summaries.at(i)->setTitles(fill(scope->titles.size(), i == 0) ? scope->titles
                                                                                 : QList<DTitle*>());
        if (scope->summaryEntries.isEmpty())
            continue;
        QHash<QString, DTitle*> titlesByText;
        for (DTitle* title : scope->titles) {
            if (!titlesByText.contains(title->numberText()))
                titlesByText.insert(title->numberText(), title);
            const QString text = plainText(title);
            if (!titlesByText.contains(text))
                titlesByText.insert(text, title);
        }
        for (DSEntry* entry : scope->summaryEntries) {
            if (!entry->target())
                entry->setTarget(titlesByText.value(entry->text()));
        }
    }
}
