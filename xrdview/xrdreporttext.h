#pragma once

#include <optional>

#include <QString>

class QTreeWidget;

// Plain-text forms of what a report window shows, for the command line.
class XrdReportText
{
public:
    // One line per item of `tree` in display order, two spaces per depth
    // level. A top-level (file) item gives its column 0 text; a node item
    // gives its verdict ("ok", "ko", "NE", "--" for none, from the verdict
    // role of column 1), two spaces and its column 0 text.
    static QString outline(const QTreeWidget* tree);

    // The failed total of a results table as plainText(SummaryText) gives
    // it (rows of tab-separated cells; the last row "Total", failed,
    // passed, ...); none when the text holds no such row. Totals may be
    // negative and need 64 bits.
    static std::optional<qint64> failedTotal(const QString& summaryTable);

    // `text` with a final line feed added when it lacks one (empty stays
    // empty).
    static QString withFinalNewline(const QString& text);
};
