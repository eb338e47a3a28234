#pragma once

#include "korvatreporter/data/qareporternodeid.h"
#include "korvatreporter/data/qareportertext.h"
#include "rendoc/model/dpool.h"

#include <QString>

class DItem;

// One report node of an XRD file: where its report text lies in the
// document and the attributes of its node element. A missing attribute
// leaves its field null, an empty one leaves it empty; consumers test
// isNull() before using a field. The root node has every string null.
// Nodes are allocated from DPool: a large report has hundreds of thousands,
// so the class has no virtual table and no string it need not have.
class QAReporterNode final
{
public:
    QAReporterNode() = default;
    QAReporterNode(const QAReporterNode &) = default;
    QAReporterNode &operator=(const QAReporterNode &) = default;
    ~QAReporterNode();

    static void *operator new(std::size_t size) { return DPool::allocate(size); }
    static void operator delete(void *block, std::size_t size) noexcept { DPool::release(block, size); }

    DItem *startItem = nullptr; // first document item of the node's text; not owned
    DItem *endItem = nullptr;   // document position when the node ended; not owned
    QAReporterNodeId id;        // decimal sequence number within the file, from "1"
    QString name;
    // The texts repeated over a file's nodes are shared references.
    QAReporterText type;
    QAReporterText state; // "ok", "ko" or "NE" when meaningful
    QAReporterText icone;
    QAReporterText base; // prefix of the file names of source links inside the node
    double seconds = -1; // the node's duration when the file gives one
    // How many tests the node's verdict counts for in the file's totals
    // (XRD "sum", 1 for a JUnit test case); 0 when it counts for none. The
    // readers take it from a 32-bit number; it shares a word with rerun.
    qint32 count = 0;
    // How the case's reruns went, when the file has them: Flaky passed on a
    // rerun after failing, RetriedFailed failed again on its reruns.
    enum Rerun : quint8 { NoRerun = 0, Flaky = 1, RetriedFailed = 2 };
    quint8 rerun = NoRerun;
};
static_assert(sizeof(void *) != 8 || sizeof(QAReporterNode) == 96, "a report node is twelve words");
