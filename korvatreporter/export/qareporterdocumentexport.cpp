#include "korvatreporter/export/qareporterdocumentexport.h"

#include "korvatreporter/export/qareporterexportmonitor.h"
#include "rendoc/html/dexporthtml.h"
#include "rendoc/html/qaviewerhtmlwriter.h"

#include <QCoreApplication>
#include <QDir>

QAReporterDocumentExport::QAReporterDocumentExport(DDocument* document, const QString& configFile,
                                                   const QString& pixmapDir)
    : m_document(document), m_configFile(configFile), m_pixmapDir(pixmapDir)
{
}

QAExportHtmlDialog::Outcome QAReporterDocumentExport::run(const QString& folder,
                                                          QAExportHtmlDialog& monitors) const
{
    QAExportHtmlDialog::Outcome outcome;
    if (!m_document) {
        outcome.error =
            QCoreApplication::translate("QAReporter", "There is no document to export.");
        return outcome;
    }
    QAViewerHTMLWriter writer;
    DExportHtml exporter(folder, m_configFile);
    exporter.setPixmapDir(m_pixmapDir);
    exporter.setHTMLWriter(&writer);
    QAReporterExportMonitor monitor(&monitors, &monitors);
    if (exporter.generate(m_document, &monitor, &monitor)) {
        outcome.page = QDir(folder).filePath(exporter.fileNameFor(m_document));
        outcome.files = int(exporter.writtenFiles().size());
        monitors.setProgress(1);
    } else {
        outcome.canceled = monitors.isCanceled();
        outcome.error = exporter.errorString();
    }
    return outcome;
}
