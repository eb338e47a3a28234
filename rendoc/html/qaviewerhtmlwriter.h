#pragma once

#include "rendoc/html/dhtmlwriter.h"

// The HTML writer of the report viewer's interactive export. Besides the places the base
// writer links, it turns the viewer's own link forms into hrefs:
//
// - report links "xrdlink://<file>[#<anchor>]" point at the page an export of that report
//   gets (the file's base name with the configuration's suffix) and the anchor's tag;
// - source links "<file> line <n>" point at the source file: a relative path as it is, an
//   absolute one behind "file:///"; the line number is not part of a file link.
class QAViewerHTMLWriter : public DHTMLWriter
{
public:
    explicit QAViewerHTMLWriter(DProgressMonitor* monitor = nullptr);

    void doLink(DLink* item) override;

    // The href the writer gives a link target; empty when it writes no anchor for it.
    QString hrefFor(const QString& target) const;
};
