#pragma once

#include "korvatreporter/data/qaowned.h"
#include "korvatreporter/data/qareporterdatatree.h"
#include "rendoc/model/ddocument.h"
#include "sdk/qastlistedtests.h"
#include "sdk/qasttestresult.h"

#include <QList>
#include <QString>
#include <QStringList>

// One loaded report file: its node tree, its documents and the totals of
// its verdicts. The record owns the tree and the documents (the first one,
// which owns the ones chained after it); readers and the filter hand them
// over as std::unique_ptr.
class QAReporterData
{
public:
    QAReporterData();
    virtual ~QAReporterData();

    QAReporterData(const QAReporterData &) = delete;
    QAReporterData &operator=(const QAReporterData &) = delete;

    QString fileName; // the path as the window was given it
    QAOwned<QAReporterDataTree> dataTree;
    QAOwned<DDocument> document; // the first document; later ones follow it
    // The first document's name when the file was read without its documents.
    QString documentName;
    // A file read for its tests alone (no tree, no documents): its tests as
    // QAReportLeafTests lists them (detailed, without messages), in `tests`,
    // or in `listed` as handed to a TestsListed receiver (under the document
    // name the file gives), and whether one is a counted case that did not
    // pass, whose message needs a full read.
    bool testsListed = false;
    QList<QAStTestResult> tests;
    QList<QAStListedTests> listed;
    bool hasFailedCase = false;
    QStringList types; // distinct node types in order of first appearance
    // Totals of "sum" values, counted in 64 bits and saturated at its limits.
    qint64 failed = 0;
    qint64 passed = 0;
    qint64 inconclusive = -1; // -1 while no "NE" node was counted
    qint64 flaky = 0; // passed cases that failed before passing on a rerun
    // The documents had the update pass that showing them needs (title
    // numbers, summaries, tag pointers); set when a window first shows the
    // record as it is rather than through a filtered copy.
    bool documentsCompleted = false;

    // Every document of the file, in file order: the first one and the
    // documents chained after it. Views and exports show them all.
    QList<DDocument *> documents() const;
};
