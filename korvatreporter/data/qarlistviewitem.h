#pragma once

#include "sdk/qalistviewitem.h"

#include <QFileInfo>
#include <QString>

class DItem;
class QAReporterNode;
class QAReporterImages;

// One item of the report tree view. A top-level item stands for a report
// file (filePath set, no node); every other item shows one report node:
// its name and icon in column 0, its verdict image in column 1.
//
// A node item stores no texts or images of its own unless given them: it
// answers from its node the name (column 0), the verdict image and the
// verdict text ("ok", "ko" or "NE", under QAListView::VerdictRole) of
// column 1, and a tooltip with the node's type and verdict. A view holds
// hundreds of thousands of them, and each stored value costs allocations.
class QARListViewItem : public QAListViewItem
{
public:
    // QTreeWidgetItem::type() of every QARListViewItem.
    static constexpr int Type = QTreeWidgetItem::UserType + 1;

    // A top-level item put in front of the view's other top-level items and
    // opened. With a null view the item is built detached, to be inserted by
    // the caller (insertTopLevelItem) once its children are in place.
    explicit QARListViewItem(QTreeWidget *view);
    // An item appended under parent, taking over the parent's failedFlag.
    // It is opened when the parent already belongs to a view.
    explicit QARListViewItem(QTreeWidgetItem *parent);
    // Frees the whole subtree without recursion, however deep.
    ~QARListViewItem() override;

    // Shows node: its name and verdict image, and the icon of its "icone"
    // file from icons (the unknown-verdict image when the file is not
    // found); sets failedFlag, anchor and node.
    void setupFromNode(QAReporterNode *node, QAReporterImages &icons);

    QVariant data(int column, int role) const override;

    // This item as a QARListViewItem, or null for any other item.
    static QARListViewItem *fromItem(QTreeWidgetItem *item)
    {
        return item && item->type() == Type ? static_cast<QARListViewItem *>(item) : nullptr;
    }

    // The report file of a top-level item; empty on node items.
    QFileInfo fileInfo() const { return QFileInfo(filePath); }

    bool failedFlag = false;        // the node's verdict is "ko"
    // The report file's path; top-level items only. Kept as a string: a
    // QFileInfo costs an allocation on every one of many node items.
    QString filePath;
    DItem *anchor = nullptr;        // where the document view goes; not owned
    QAReporterNode *node = nullptr; // the node shown; null on a top-level item; not owned
};
