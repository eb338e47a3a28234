#pragma once

#include "korvatreporter/data/qareporternode.h"
#include "korvatreporter/data/qtree.h"

#include <QObject>
#include <QString>

class QARListView;

// The report node tree of one file. It owns every node inserted into it
// (auto-delete is set), and being a QObject it can be watched through a
// QPointer by whoever does not own it.
class QAReporterDataTree : public QObject, public QTree<QAReporterNode>
{
    Q_OBJECT

public:
    // Takes ownership of root.
    explicit QAReporterDataTree(QAReporterNode *root);
    ~QAReporterDataTree() override;

    // Puts the file's top-level item, with one item per node below it in
    // document order, in front of the view's other top-level items, and
    // opens the items above the "auto_depth" preference level. Moves the
    // cursor; does nothing for a tree without a root.
    void fill(QARListView *view, const QString &fileName);
};
