#pragma once

#include <QString>

class QAbstractItemModel;

// Plain-text forms of what a report window shows, for the command line.
class XrdReportText
{
public:
    // One line per row of `tree` in display order, two spaces per depth
    // level. A top-level (file) row gives its column 0 text; a node row
    // gives its verdict ("ok", "ko", "NE", "--" for none or another text,
    // from the verdict role of column 1), two spaces and its column 0 text.
    static QString outline(const QAbstractItemModel* tree);

    // `text` with a final line feed added when it lacks one (empty stays
    // empty).
    static QString withFinalNewline(const QString& text);
};
