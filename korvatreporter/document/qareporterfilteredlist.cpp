#include "korvatreporter/document/qareporterfilteredlist.h"

#include "korvatreporter/data/qareporterdata.h"
#include "korvatreporter/document/qareporterfilterwriter.h"
#include "rendoc/model/ddocument.h"
#include "rendoc/model/dupdater.h"

#include <QHash>

#include <utility>
#include <vector>

#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace {

using TreeNode = QTree<QAReporterNode>::QTreeNode;

// Hands the heap's free pages back to the system.
void releaseFreeHeapPages()
{
#ifdef __GLIBC__
    malloc_trim(0);
#endif
}

// Makes the filtered record of one source record.
std::unique_ptr<QAReporterData> filteredRecord(const QAReporterData &source,
                                               const QAReporterFilter &filter, DUpdater &updater)
{
    auto record = std::make_unique<QAReporterData>();
    std::unique_ptr<DDocument> document;
    {
        QAReporterFilterWriter writer(&filter);
        writer.run(source.dataTree.data(), source.document);
        record->dataTree = writer.takeNewTree();
        document = writer.takeDocument();
    }
    // The writer's lists and table of a large report took megabytes of heap,
    // free now: hand those pages back before the update pass takes more.
    releaseFreeHeapPages();
    // The copies of a file holding several documents are chained to the
    // first one: update them all.
    if (document)
        updater.doItemList(document.get());
    record->document = std::move(document);
    record->fileName = source.fileName;
    return record;
}

// Completes a record that is shown as it is, as a complete copy would be:
// one update pass over its documents, and the first node (in pre-order)
// anchored on a document takes the document's name as its id, which is how
// links and exported anchors name it.
void completeForShowing(QAReporterData &record, DUpdater &updater)
{
    if (record.documentsCompleted)
        return;
    record.documentsCompleted = true;
    if (!record.document)
        return;
    updater.doItemList(record.document);
    if (!record.dataTree || !record.dataTree->rootNode())
        return;
    QHash<const DItem *, bool> named;
    std::vector<TreeNode *> pending{record.dataTree->rootNode()};
    while (!pending.empty()) {
        TreeNode *node = pending.back();
        pending.pop_back();
        if (QAReporterNode *data = node->data()) {
            const DItem *start = data->startItem;
            if (const DDocument *document = start ? start->toDocument() : nullptr) {
                bool &done = named[document];
                if (!done) {
                    data->id = document->name();
                    done = true;
                }
            }
        }
        pending.insert(pending.end(), node->children().crbegin(), node->children().crend());
    }
}

} // namespace

QAReporterFilteredList::QAReporterFilteredList() = default;

QAReporterFilteredList::~QAReporterFilteredList() = default;

void QAReporterFilteredList::setFilter(const QAReporterFilter &filter)
{
    m_filter = filter;
}

void QAReporterFilteredList::clear()
{
    m_shown.clear();
    m_copies.clear();
}

bool QAReporterFilteredList::keepsAll(const QAReporterFilter &filter, const QAReporterData &source)
{
    if (filter.flags() == 0)
        return true;
    const TreeNode *root = source.dataTree ? source.dataTree->rootNode() : nullptr;
    if (!root)
        return true; // nothing to drop: a copy would be the whole document
    if (root->data() && filter.match(*root->data()) != QAReporterFilter::Accepted)
        return false;
    // Pre-order with a stack of open levels, each its node and next child: a
    // root with a hundred thousand children takes no list of them all, which
    // would grow the heap just before a filtered copy is made.
    std::vector<std::pair<const TreeNode *, qsizetype>> levels{{root, 0}};
    while (!levels.empty()) {
        auto &[node, next] = levels.back();
        if (next == node->children().size()) {
            levels.pop_back();
            continue;
        }
        const TreeNode *child = node->children().at(next++);
        if (child->data() && filter.match(*child->data()) != QAReporterFilter::Accepted)
            return false;
        if (child->hasChildren())
            levels.emplace_back(child, 0);
    }
    return true;
}

bool QAReporterFilteredList::buildFilteredReports(const Records &sources)
{
    QList<QAReporterData *> list;
    list.reserve(qsizetype(sources.size()));
    for (const auto &record : sources)
        list.append(record.get());
    return buildFilteredReports(list);
}

bool QAReporterFilteredList::buildFilteredReports(const QList<QAReporterData *> &sources)
{
    DUpdater updater;
    for (QAReporterData *source : sources) {
        if (!source)
            continue;
        if (keepsAll(m_filter, *source)) {
            completeForShowing(*source, updater);
            m_shown.append(source);
        } else {
            m_copies.push_back(filteredRecord(*source, m_filter, updater));
            m_shown.append(m_copies.back().get());
        }
    }
    return true;
}

QAReporterData *QAReporterFilteredList::at(int index) const
{
    if (index < 0 || index >= count())
        return nullptr;
    return m_shown.at(index);
}

bool QAReporterFilteredList::isShared(int index) const
{
    QAReporterData *record = at(index);
    if (!record)
        return false;
    for (const auto &copy : m_copies) {
        if (copy.get() == record)
            return false;
    }
    return true;
}
