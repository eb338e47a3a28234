#include "korvatreporter/data/qareporterdatatree.h"

#include "korvatreporter/data/qareporterimages.h"
#include "korvatreporter/data/qarlistview.h"
#include "korvatreporter/data/qarlistviewitem.h"
#include "korvatreporter/prefs/qareporterpref.h"
#include "korvatreporter/prefs/qareporterprefgeneral.h"

#include <QFileInfo>

#include <vector>

QAReporterDataTree::QAReporterDataTree(QAReporterNode *root)
    : QTree<QAReporterNode>(root)
{
    setAutoDelete(true);
}

QAReporterDataTree::~QAReporterDataTree() = default;

void QAReporterDataTree::fill(QARListView *view, const QString &fileName)
{
    QAReporterNode *rootNode = root();
    if (!rootNode || !view)
        return;

    const QAReporterPref *pref = QAReporterPref::instance();
    const int autoDepth = pref ? pref->general()->autoDepth()
                               : QAReporterPrefGeneral::DefaultAutoDepth;
    QAReporterImages icons;

    // The items are built detached and join the view in one insertion, so
    // the view lays itself out once per file instead of once per item.
    const QFileInfo file(fileName);
    auto *top = new QARListViewItem(static_cast<QTreeWidget *>(nullptr));
    top->setText(0, file.fileName());
    top->setIcon(0, icons.icon(QAReporterImages::Reporter));
    top->filePath = fileName;
    top->anchor = rootNode->startItem;

    // A forward walk meets the nodes in document order and goes down one
    // level at a time; children are appended, so the order carries over.
    std::vector<QARListViewItem *> parents;
    std::vector<QARListViewItem *> toOpen;
    QARListViewItem *last = top;
    int previousDepth = 1;
    while (QAReporterNode *node = next(Forward)) {
        const int nodeDepth = depth();
        if (nodeDepth > previousDepth) {
            parents.push_back(last);
            ++previousDepth;
            // The new parent sits at view depth parents.size() - 1; only
            // items with children have anything to open.
            if (last != top && static_cast<int>(parents.size()) - 1 < autoDepth)
                toOpen.push_back(last);
        } else {
            while (previousDepth > nodeDepth) {
                parents.pop_back();
                --previousDepth;
            }
        }
        auto *item = new QARListViewItem(parents.back());
        item->setupFromNode(node, icons);
        last = item;
    }

    // Once the file's item is in the view a full relayout is pending, and
    // opening an item only records its state.
    view->insertTopLevelItem(0, top);
    top->setExpanded(true);
    for (QARListViewItem *item : toOpen)
        item->setExpanded(true);
}
