#include "korvatreporter/export/qareporterhtmlexport.h"

#include "korvatreporter/data/qareporterdata.h"
#include "korvatreporter/data/qareporterloader.h"
#include "korvatreporter/export/qareporterexportmonitor.h"
#include "korvatreporter/export/qareporterhtmlwriter.h"
#include "korvatreporter/export/qareporterpagenames.h"
#include "rendoc/model/ddocument.h"
#include "rendoc/html/dexporthtml.h"
#include "sdk/qailogmonitor.h"
#include "sdk/qaiprogressmonitor.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSet>

#include <memory>

QAReporterHTMLExport::QAReporterHTMLExport(const QString& outDir, const QString& configFile,
                                           const QString& pixmapDir)
    : m_outDir(outDir), m_configFile(configFile), m_pixmapDir(pixmapDir)
{
}

void QAReporterHTMLExport::run(const QList<QAReporterData*>& records,
                               const QList<QAReporterData*>* shown, DDocument* header,
                               QAIProgressMonitor* progress, QAILogMonitor* log)
{
    m_canceled = false;
    m_unreadable.clear();
    m_failed.clear();
    m_written.clear();
    const QList<QAReporterData*> shownRecords = shown ? *shown : QList<QAReporterData*>();
    QAReporterHTMLWriter writer(records, shownRecords, progress, log);
    writer.setMode(DHTMLWriter::FileMode);
    writer.setBaseForLink(m_outDir);
    DExportHtml exporter(m_outDir, m_configFile);
    exporter.setPixmapDir(m_pixmapDir);
    exporter.setHTMLWriter(&writer);
    QAReporterExportMonitor monitor(progress, log);
    QAReporterPageNames& pageNames = writer.pageNames();
    if (header) {
        writer.setSummaryPage(exporter.fileNameFor(header));
        pageNames.reserve(DExportHtml::pageBaseName(header->name()));
    }
    // The shown reports are named first, in their order, before any link can name a page.
    for (const QAReporterData* record : shownRecords)
        pageNames.nameFor(record->fileName);
    const QString relativeTo =
        shownRecords.isEmpty() ? QString() : QFileInfo(shownRecords.first()->fileName).absolutePath();
    writer.setLinkFolder(relativeTo);
    // The reports written or being written, by path: a link that reaches one by another
    // path ("./a.xrd") does not read it again.
    QSet<QString> exported;
    // No page or image may replace a report being exported (a report named like its page,
    // exported into its own folder).
    for (const QAReporterData* record : records)
        if (record)
            writer.addInputFile(record->fileName);
    for (const QAReporterData* record : shownRecords)
        if (record)
            writer.addInputFile(record->fileName);

    int pages = 0;
    auto generate = [&](DDocument* document) {
        if (exporter.generate(document, &monitor, &monitor)) {
            if (progress)
                progress->setProgress(++pages);
        } else {
            if (monitor.isCanceled())
                m_canceled = true;
            else
                m_failed << exporter.fileNameFor(document);
        }
    };

    if (shown) {
        QStringList remembered;
        for (QAReporterData* record : shownRecords) {
            if (monitor.isCanceled()) {
                m_canceled = true;
                break;
            }
            if (record->document) {
                const QString kept = record->document->name();
                record->document->setName(pageNames.nameFor(record->fileName));
                writer.setOutlineTree(record->dataTree);
                generate(record->document);
                writer.setOutlineTree(nullptr);
                record->document->setName(kept);
            }
            remembered << QFileInfo(record->fileName).fileName();
            exported.insert(QAReporterPageNames::key(record->fileName));
            if (m_canceled)
                break;
        }
        if (!m_canceled) {
            QStringList linked = writer.xrdLinkedFiles();
            writer.setXrdLinkedFiles(remembered + linked);
            // A report that was just written is not read and written again for a link to it.
            for (const QString& name : std::as_const(remembered))
                linked.removeAll(name);
            // Each pass exports the files the previous one met for the first time.
            while (!linked.isEmpty() && !m_canceled) {
                const QStringList snapshot = writer.xrdLinkedFiles();
                for (const QString& name : std::as_const(linked)) {
                    if (monitor.isCanceled()) {
                        m_canceled = true;
                        break;
                    }
                    const QString path = writer.linkedPath(name);
                    if (exported.contains(QAReporterPageNames::key(path)))
                        continue;
                    exported.insert(QAReporterPageNames::key(path));
                    std::unique_ptr<DDocument> document(QAReporterLoader::loadReportDocument(path, m_context));
                    if (!document) {
                        m_unreadable << path;
                        monitor.message(QCoreApplication::translate(
                                            "QAReporter", "Unable to open the report file '%1'")
                                            .arg(path));
                        continue;
                    }
                    writer.addInputFile(path);
                    document->setName(pageNames.nameFor(path));
                    generate(document.get());
                }
                linked.clear();
                for (const QString& name : writer.xrdLinkedFiles())
                    if (!snapshot.contains(name))
                        linked << name;
            }
        }
    }
    if (header && !m_canceled) {
        writer.setOutlineTree(nullptr);
        generate(header);
    }
    m_written = exporter.writtenFiles();
}
