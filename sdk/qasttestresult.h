#pragma once

#include <QString>

// One test of a loaded report as a plain value, for what a host builds on
// results rather than on windows: comparing two runs, recording history,
// writing other formats. A test is named by its document and its path in
// the report tree, never by the report's file name, so that two runs
// written to different files still name the same tests alike.
struct QAStTestResult
{
    enum Verdict { Passed, Failed, Inconclusive };

    QString document; // name of the report's first document, else the file's base name
    QString path;     // node names from the top of the report tree, joined by '/'
    Verdict verdict = Passed;
    // Passed only when run again after failing (a retried or rerun test).
    bool passedAfterRetry = false;

    // Filled for the counted test cases of QAStReportSession::fileResults();
    // empty (or -1) elsewhere and when the report does not tell.
    QString suite;      // path of the node that holds the case, empty at the top
    QString name;       // the case's own node name
    QString message;    // failed or inconclusive: the text of its first check with that verdict
    QString sourceFile; // the first source link of that text: file as written
    qint64 sourceLine = -1;
    double seconds = -1; // duration when the report gives one
};
