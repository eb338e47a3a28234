#pragma once

#include "rendoc/html/dhtmltotals.h"

class QAReporterData;

// The totals table of one report's page: the row the results summary gives that report (name,
// status, failed, passed, flaky and inconclusive when the summary shows those columns,
// total), counted on the full report whatever the page leaves out.
class QAReporterPageTotals
{
public:
    static DHTMLTotals of(const QAReporterData& record, bool showFlaky, bool showInconclusive);
};
