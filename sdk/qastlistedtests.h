#pragma once

#include "sdk/qasttestresult.h"

#include <QList>
#include <QString>
#include <QStringList>

// One batch of tests that a read for the tests alone hands over as it lists them, before the
// read ends: each test's path with its outcome as far as the listing knows it. A failure's
// message is never in it (QAStReportSession::unlistedTestResults() tells which files need one).
struct QAStListedTests
{
    // What the listing knows of one test.
    struct Outcome
    {
        QAStTestResult::Verdict verdict = QAStTestResult::Passed;
        bool passedAfterRetry = false;
        double seconds = -1; // a counted case's duration when the report gives one
        // A counted case: its suite is the first suiteLength characters of its path; -1 else.
        qsizetype suiteLength = -1;
    };

    QString file;     // the file being read, as load() was given it
    QString document; // the document's name as the file gives it (see unlistedTestResults())
    QStringList paths;
    QList<Outcome> outcomes; // one per path, in the same order
};
