#include "korvatreporter/data/qareporterdatatree.h"

QAReporterDataTree::QAReporterDataTree(QAReporterNode *root)
    : QTree<QAReporterNode>(root)
{
    setAutoDelete(true);
}

QAReporterDataTree::~QAReporterDataTree() = default;
