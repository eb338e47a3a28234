#pragma once

#include "korvatreporter/data/qareporterdatatree.h"
#include "korvatreporter/data/qareporternode.h"
#include "sdk/qalistview.h"

#include <QAbstractItemModel>
#include <QModelIndexList>
#include <QRegularExpression>
#include <QStringList>

#include <memory>
#include <vector>

// Report trees and tree-model walks shared by the tests of the report tree.
namespace ReportTrees {

// A node tree from "name:state" lines (the state may be left out), the
// depth below the root's children given as leading dots.
inline std::unique_ptr<QAReporterDataTree> buildTree(const QStringList &nodes)
{
    auto tree = std::make_unique<QAReporterDataTree>(new QAReporterNode);
    for (const QString &line : nodes) {
        const int level = int(line.indexOf(QRegularExpression("[^.]")));
        while (tree->depth() > level + 1)
            tree->toParent();
        const QStringList fields = line.mid(level).split(':');
        auto *node = new QAReporterNode;
        node->name = fields.at(0);
        node->state = fields.value(1);
        node->type = "TestCase";
        tree->insert(node);
        tree->toLastChild();
    }
    return tree;
}

// Every row of a tree model in display order, walked without recursion.
inline QModelIndexList allRows(const QAbstractItemModel &model)
{
    QModelIndexList rows;
    std::vector<QModelIndex> pending{QModelIndex()};
    while (!pending.empty()) {
        const QModelIndex parent = pending.back();
        pending.pop_back();
        if (parent.isValid())
            rows << parent;
        for (int row = model.rowCount(parent) - 1; row >= 0; --row)
            pending.push_back(model.index(row, 0, parent));
    }
    return rows;
}

// The row reached from the first file row through the rows named `names`; invalid when one
// of them is missing.
inline QModelIndex rowAt(const QAbstractItemModel *model, const QStringList &names)
{
    QModelIndex row = model->index(0, 0);
    for (const QString &name : names) {
        QModelIndex found;
        for (int i = 0; i < model->rowCount(row) && !found.isValid(); ++i) {
            if (model->index(i, 0, row).data().toString() == name)
                found = model->index(i, 0, row);
        }
        row = found;
    }
    return row;
}

// The first leaf below a file row whose verdict is "ko", in display order; invalid when none.
inline QModelIndex firstFailedLeaf(const QAbstractItemModel &model)
{
    for (const QModelIndex &row : allRows(model)) {
        if (row.parent().isValid() && model.rowCount(row) == 0
            && row.siblingAtColumn(1).data(QAListView::VerdictRole).toString() == QLatin1String("ko"))
            return row;
    }
    return QModelIndex();
}

} // namespace ReportTrees
