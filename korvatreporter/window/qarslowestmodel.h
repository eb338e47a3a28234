#pragma once

#include "korvatreporter/data/qareporternode.h"
#include "korvatreporter/data/qtree.h"
#include "korvatreporter/window/qarfailuresmodel.h"

#include <QAbstractTableModel>
#include <QList>
#include <QString>

// The slowest test cases of the loaded reports: at most Limit rows, longest
// first, each with its duration, its path and its file. A test case is a node
// of type TestCase, or a leaf that is not under one, whose file gives it a
// duration. No widget: the failures dock shows it beside the failures.
class QARSlowestModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    using Node = QTree<QAReporterNode>::QTreeNode;
    using File = QARFailuresModel::File;

    enum Column { DurationColumn = 0, TestColumn = 1, FileColumn = 2, ColumnCount = 3 };
    static constexpr int Limit = 50;

    // One timed test case.
    struct Entry
    {
        QString file; // the report's path
        QString id;   // the node's id within its file
        QString path; // names from the top node down, joined by " › "
        double seconds = 0;
    };

    explicit QARSlowestModel(QObject *parent = nullptr);
    ~QARSlowestModel() override;

    // Reads the timed cases of `files` in place of those held so far.
    void setFiles(const QList<File> &files);
    const Entry *entry(const QModelIndex &index) const;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    QList<Entry> m_entries;
};
