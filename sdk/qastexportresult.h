#pragma once

#include <QString>
#include <QStringList>

// What one HTML export did, as a value: the files it wrote (absolute paths,
// in the order written), the linked reports it could not read, the pages it
// refused or could not write, and whether it was cancelled. Only the files
// listed in `written` are the export's; a host that undoes a failed export
// removes those and nothing else.
struct QAStExportResult
{
    QStringList written;
    QStringList unreadable;
    QStringList failedPages;
    bool canceled = false;

    // True when every page was written and every linked report read.
    bool ok() const { return !canceled && unreadable.isEmpty() && failedPages.isEmpty(); }
};
