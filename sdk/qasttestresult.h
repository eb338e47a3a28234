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
};
