#pragma once

#include "korvatreporter/data/qareporternode.h"
#include "korvatreporter/data/qtree.h"

#include <QObject>

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
};
