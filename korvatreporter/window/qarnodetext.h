#pragma once

#include <QModelIndex>
#include <QString>

class QARTreeModel;

// The texts a tree row is copied as: its name, its path, its failure
// message, or all of them as a Markdown snippet for a ticket or a chat.
class QARNodeText
{
public:
    enum Kind { Name, Path, FailureMessage, Markdown };

    // The text of `kind` for `row` of `model`; empty for an invalid row.
    static QString text(const QARTreeModel &model, const QModelIndex &row, Kind kind);
    // The names from the file's top node down to the row, joined by "/";
    // a file row gives its file name.
    static QString path(const QARTreeModel &model, const QModelIndex &row);
};
