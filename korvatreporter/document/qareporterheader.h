#pragma once

#include <QList>

#include <memory>
#include <vector>

class DDocument;
class DStyle;
class QAReporterData;

// The results summary shown above the reports: one table with a row per
// loaded file (name linked to its document, status, failed, passed,
// inconclusive when any file counted one, total) and a row of totals.
// Styles are looked up by name in `styles` ("Array", "Array Failed",
// "Array Passed"); a name not found leaves the item without a style. The
// records are only read. The caller owns the returned document, which has
// had its update pass.
std::unique_ptr<DDocument> buildHeaderDocument(
    const std::vector<std::unique_ptr<QAReporterData>> &records, const QList<DStyle *> &styles);
std::unique_ptr<DDocument> buildHeaderDocument(const QList<QAReporterData *> &records,
                                               const QList<DStyle *> &styles);
