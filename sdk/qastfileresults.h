#pragma once

#include "sdk/qastresulttotals.h"
#include "sdk/qasttestresult.h"

#include <QList>
#include <QString>

// The counted test cases of one loaded report file with its totals, for
// writers of other result formats (JUnit, CTRF, job summaries). The cases
// are those the totals count, in document order.
struct QAStFileResults
{
    QString file;     // the path the file was loaded from
    QString document; // name of the report's first document, else the file's base name
    QAStResultTotals totals;
    QList<QAStTestResult> tests;
};
