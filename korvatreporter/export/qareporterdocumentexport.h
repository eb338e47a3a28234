#pragma once

#include "sdk/qaexporthtmldialog.h"

#include <QString>

class DDocument;

// The export of the document a report view shows, alone, as one page with the viewer's writer
// (no outline of the node tree, no linked reports): what "Export Current Document as HTML"
// runs in the export dialog.
class QAReporterDocumentExport
{
public:
    // configFile: the "dhtml.cfg" to use; pixmapDir: where images are looked for.
    QAReporterDocumentExport(DDocument* document, const QString& configFile,
                             const QString& pixmapDir);

    // Writes the page into folder, reporting through the dialog's monitors.
    QAExportHtmlDialog::Outcome run(const QString& folder, QAExportHtmlDialog& monitors) const;

private:
    DDocument* m_document;
    QString m_configFile;
    QString m_pixmapDir;
};
