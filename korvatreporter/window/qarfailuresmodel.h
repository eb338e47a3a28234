#pragma once

#include "korvatreporter/data/qareporternode.h"
#include "korvatreporter/data/qtree.h"

#include <QAbstractItemModel>
#include <QList>
#include <QString>

class QAReporterDataTree;

// The failed test cases of the loaded reports, grouped by cause: one group
// row per failure message once numbers, addresses and temporary paths are
// masked (normalise()), largest group first, and under it one row per
// failed case with its path, verdict and file. No widget: the failures
// dock shows it.
//
// A failed case is a "ko" node of type TestCase, or a "ko" leaf that is not
// under one. Its message is the first line of the first paragraph with a
// Failed style in its report text (the check's text in XRD, the failure
// or error in JUnit), else the name of its first failed node.
class QARFailuresModel : public QAbstractItemModel
{
    Q_OBJECT
public:
    using Node = QTree<QAReporterNode>::QTreeNode;

    enum Column { MessageColumn = 0, CountColumn = 1, FileColumn = 2, ColumnCount = 3 };

    // One loaded report file and its full node tree (not owned).
    struct File
    {
        QString path;
        const QAReporterDataTree *tree = nullptr;
    };

    // One failed test case.
    struct Failure
    {
        QString file;    // the report's path
        QString id;      // the node's id within its file
        QString path;    // names from the top node down, joined by " › "
        QString message; // first line of the failure message
    };

    explicit QARFailuresModel(QObject *parent = nullptr);
    ~QARFailuresModel() override;

    // Reads the failed cases of `files` in place of those held so far.
    void setFiles(const QList<File> &files);
    void clear();

    // The failure message of a failed case (see the class comment); empty
    // when it has none.
    static QString messageOf(const Node *node);
    // A message with its run-specific parts masked: hexadecimal addresses,
    // temporary paths and numbers.
    static QString normalise(const QString &message);

    int groupCount() const { return int(m_groups.size()); }
    // The failed case of a case row; null on a group row.
    const Failure *failure(const QModelIndex &index) const;

    QModelIndex index(int row, int column, const QModelIndex &parent = QModelIndex()) const override;
    QModelIndex parent(const QModelIndex &child) const override;
    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    struct Group
    {
        QString key;
        QList<int> failures; // indexes into m_failures, in document order
    };

    void collect(const File &file);
    void group();

    QList<Failure> m_failures;
    QList<Group> m_groups;
};
