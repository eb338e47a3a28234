#pragma once

#include <QString>

class DItem;
class QAReporterDataTree;

// Prints a report node tree as indented text, one node per line, for golden
// files. Each node shows its fields and where its startItem and endItem lie:
// "#n Kind" for the n-th item (from 0, in document order) of `document` and
// the documents chained after it, "null", or "FOREIGN" for an item outside
// them. The walk is iterative.
class NodeTreePrinter
{
public:
    static QString print(QAReporterDataTree *tree, const DItem *document);
    // Number of node pointers of the tree that lead outside `document`.
    static int foreignPointers(QAReporterDataTree *tree, const DItem *document);
};
