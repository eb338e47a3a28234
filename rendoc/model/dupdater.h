#pragma once

#include "rendoc/model/diterator.h"

#include <QList>

// Completes a document built or copied in memory before it is shown. Over the walked items:
//
// - numbers titles per document: levels 1 to 6 count "1", "1.2", "1.2.1"... (a skipped level
//   counts as 0, "0.1"); level 0 gets an empty number text; counters restart at each DDocument;
// - fills each DSummary with the numbered titles of its document, and each DIndex with the
//   named DTags of the walked tree, in document order; beyond the first summary of a document
//   and the first index of the pass, tables are filled only while their entries fit in
//   MaxRepeatedEntries and their text (numbers, title texts, tag names) in MaxRepeatedText
//   characters for the whole pass, and left empty after;
// - resolves each DTagPointer, and each DIEntry without target, to the first DTag of that name;
//   each DSEntry without target to the first title of its document whose number text or plain
//   text (its DText children joined) equals the entry text; unresolved ones are set to null;
// - gives each item that has a style name but no style the style of that name: first from the
//   enclosing document's local styles, then from the style list given with setStyles.
//
// doItem(x) updates x and its subtree, doItemList(x) updates x, its following siblings and
// their subtrees, doAll(d) updates d and the documents chained after it. The walk is
// iterative, so deep documents need no stack; the per-kind operations are called for each item
// and may be overridden to extend the pass.
class DUpdater : public DIterator
{
public:
    // Entries that repeated tables of contents and indexes may hold together in one pass.
    static constexpr qsizetype MaxRepeatedEntries = 100000;
    // Characters of entry text those tables may hold together in one pass: a few long titles
    // repeated in thousands of tables must not grow into gigabytes either.
    static constexpr qsizetype MaxRepeatedText = 4 * 1024 * 1024;

    explicit DUpdater(DProgressMonitor* monitor = nullptr);

    // Styles to resolve style names against after a document's own; not owned.
    void setStyles(const QList<DStyle*>& styles) { m_styles = styles; }
    const QList<DStyle*>& styles() const { return m_styles; }

    void doItem(DItem* item) override;
    void doItemList(DItem* item) override;
    void doItemChildren(DItemContainer* container) override;

private:
    // Updates from first up to (not including) whatever lies beyond stopAt.
    void update(DItem* first, const DItem* stopAt);

    QList<DStyle*> m_styles;
};
