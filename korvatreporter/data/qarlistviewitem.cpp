#include "korvatreporter/data/qarlistviewitem.h"

#include "korvatreporter/data/qareporterimages.h"
#include "korvatreporter/data/qareporternode.h"
#include "korvatreporter/data/qarlistview.h"
#include "sdk/qalistview.h"

#include <QCoreApplication>
#include <QTreeWidget>

#include <vector>

QARListViewItem::QARListViewItem(QTreeWidget *view)
    : QAListViewItem(static_cast<QTreeWidget *>(nullptr), Type)
{
    // A new top-level item goes in front of the others: the report window
    // adds its files from the last to the first.
    if (view) {
        view->insertTopLevelItem(0, this);
        setExpanded(true);
    }
}

QARListViewItem::QARListViewItem(QTreeWidgetItem *parent)
    : QAListViewItem(parent, Type)
{
    if (const QARListViewItem *up = fromItem(parent))
        failedFlag = up->failedFlag;
    if (treeWidget())
        setExpanded(true);
}

QARListViewItem::~QARListViewItem()
{
    if (childCount() == 0)
        return;

    // Qt frees an item's children recursively, one stack frame per level.
    // Take the subtree apart here instead, out of any view first, so that
    // every item reaches its destructor childless and parentless.
    if (QTreeWidget *view = treeWidget()) {
        if (QTreeWidgetItem *up = parent())
            up->removeChild(this);
        else
            view->takeTopLevelItem(view->indexOfTopLevelItem(this));
    }
    // Detaching our direct children also clears the view pointer of every
    // item below them in one pass.
    const QList<QTreeWidgetItem *> top = takeChildren();

    // Pre-order list of the descendants, then taken apart from the end: an
    // item's children have already lost their own children when the item
    // gives them up, so every takeChildren() and delete stays cheap.
    std::vector<QTreeWidgetItem *> order;
    std::vector<QTreeWidgetItem *> pending(top.crbegin(), top.crend());
    while (!pending.empty()) {
        QTreeWidgetItem *item = pending.back();
        pending.pop_back();
        order.push_back(item);
        for (int i = item->childCount() - 1; i >= 0; --i)
            pending.push_back(item->child(i));
    }
    for (auto it = order.rbegin(); it != order.rend(); ++it) {
        const QList<QTreeWidgetItem *> children = (*it)->takeChildren();
        qDeleteAll(children);
    }
    qDeleteAll(top);
}

void QARListViewItem::setupFromNode(QAReporterNode *reportNode, QAReporterImages &icons)
{
    // The name and the verdict image are answered by data() from the node:
    // storing them would cost several allocations on every item.
    if (!reportNode->icone.isNull())
        setIcon(0, icons.fileIcon(reportNode->icone));
    failedFlag = reportNode->state == QLatin1String("ko");
    anchor = reportNode->startItem;
    node = reportNode;
}

QVariant QARListViewItem::data(int column, int role) const
{
    if (!node) {
        if (role == Qt::ToolTipRole && !filePath.isEmpty())
            return filePath;
        return QAListViewItem::data(column, role);
    }

    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        if (column == 0 && !node->name.isNull()) {
            const QVariant own = QAListViewItem::data(column, role);
            return own.isValid() ? own : QVariant(node->name);
        }
        break;
    case Qt::DecorationRole:
        if (column == 1 && QAListView::isVerdict(node->state)) {
            const QVariant own = QAListViewItem::data(column, role);
            if (own.isValid())
                return own;
            if (const auto *view = qobject_cast<const QARListView *>(treeWidget()))
                return view->verdictIcon(node->state);
            return QIcon(QAReporterImages::pixmap(QAReporterImages::verdictImage(node->state)));
        }
        break;
    case Qt::ToolTipRole: {
        const QString verdict = node->state.isNull()
            ? QCoreApplication::translate("QARListView", "none")
            : node->state;
        return QCoreApplication::translate("QARListView", "Type: %1\nVerdict: %2")
            .arg(node->type, verdict);
    }
    default:
        if (role == QAListView::VerdictRole && column == 1 && QAListView::isVerdict(node->state))
            return node->state;
        break;
    }
    return QAListViewItem::data(column, role);
}
