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


QAReporterHTMLExport::QAReporterHTMLExport(const QString& outDir, const QString& configFile,
                                           const QString& pixmapDir)
    : m_outDir(outDir), m_configFile(configFile), m_pixmapDir(pixmapDir)
{
}

struct QAReporterHTMLExport::Job
{
    Job(const QList<QAReporterData*>& records, const QList<QAReporterData*>& shownRecords,
        const QString& outDir, const QString& configFile, QAIProgressMonitor* progressMonitor,
        QAILogMonitor* log)
        : records(records),
          shown(shownRecords),
          writer(records, shownRecords, progressMonitor, log),
          exporter(outDir, configFile),
          monitor(progressMonitor, log),
          progress(progressMonitor)
    {
    }

    QList<QAReporterData*> records;
    QList<QAReporterData*> shown;
    QAReporterHTMLWriter writer;
    DExportHtml exporter;
    QAReporterExportMonitor monitor;
    QAIProgressMonitor* progress;
    // The reports written or being written, by file key: a link that reaches one by another
    // spelling ("./a.xrd", "x/../a.xrd", a linked folder) does not read it again.
    QSet<QString> exported;
    int pages = 0;
};

void QAReporterHTMLExport::run(const QList<QAReporterData*>& records,
                               const QList<QAReporterData*>* shown, DDocument* header,
                               QAIProgressMonitor* progress, QAILogMonitor* log)
{
    m_canceled = false;
    m_limitReached = false;
    m_unreadable.clear();
    m_failed.clear();
    m_written.clear();
    const QList<QAReporterData*> shownRecords = shown ? *shown : QList<QAReporterData*>();
    Job job(records, shownRecords, m_outDir, m_configFile, progress, log);
    job.writer.setMode(DHTMLWriter::FileMode);
    job.writer.setBaseForLink(m_outDir);
    job.writer.setOutputLimit(m_limitFactor, m_limitConstant);
    if (m_failedOnly)
        job.writer.setPageNote(QCoreApplication::translate(
            "QAReporter", "Failed tests only: passed tests are left out of these pages."));
    job.exporter.setPixmapDir(m_pixmapDir);
    job.exporter.setHTMLWriter(&job.writer);
    prepare(job, header);
    if (shown) {
        const QStringList linked = exportShown(job);
        if (!stopped())
            exportLinked(job, linked);
    }
    if (header && !stopped()) {
        job.writer.setOutlineTree(nullptr);
        generate(job, header);
    }
    m_written = job.exporter.writtenFiles();
}

void QAReporterHTMLExport::prepare(Job& job, DDocument* header)
{
    QAReporterPageNames& pageNames = job.writer.pageNames();
    if (header) {
        job.writer.setSummaryPage(job.exporter.fileNameFor(header));
        pageNames.reserve(DExportHtml::pageBaseName(header->name()));
    }
    // The shown reports are named first, in their order, before any link can name a page.
    for (const QAReporterData* record : std::as_const(job.shown))
        pageNames.nameFor(record->fileName);
    job.writer.setLinkFolder(job.shown.isEmpty()
                                 ? QString()
                                 : QFileInfo(job.shown.first()->fileName).absolutePath());
    // Images and linked reports are read only from the shown reports' folders, the image
    // folder and the export folder itself, unless the configuration allows any file.
    if (!job.exporter.config().readOutside()) {
        DExportScope scope;
        for (const QAReporterData* record : std::as_const(job.shown))
            if (record)
                scope.addFolder(QFileInfo(record->fileName).absolutePath());
        scope.addFolder(m_pixmapDir);
        scope.addFolder(m_outDir);
        job.writer.setScope(scope);
    }
    // No page or image may replace a report being exported (a report named like its page,
    // exported into its own folder).
    for (const QAReporterData* record : std::as_const(job.records))
        if (record)
            job.writer.addInputFile(record->fileName);
    for (const QAReporterData* record : std::as_const(job.shown))
        if (record)
            job.writer.addInputFile(record->fileName);
}

void QAReporterHTMLExport::generate(Job& job, DDocument* document)
{
    if (job.exporter.generate(document, &job.monitor, &job.monitor)) {
        if (job.progress)
            job.progress->setProgress(++job.pages);
    } else if (job.writer.limitReached()) {
        // Nothing more is written: the export ends here, as a cancel does.
        m_failed << job.exporter.fileNameFor(document);
        m_limitReached = true;
    } else if (job.monitor.isCanceled()) {
        m_canceled = true;
    } else {
        m_failed << job.exporter.fileNameFor(document);
    }
}

QStringList QAReporterHTMLExport::exportShown(Job& job)
{
    QAReporterPageNames& pageNames = job.writer.pageNames();
    QStringList remembered;
    for (QAReporterData* record : std::as_const(job.shown)) {
        if (job.monitor.isCanceled()) {
            m_canceled = true;
            break;
        }
        if (record->document) {
            const QString kept = record->document->name();
            record->document->setName(pageNames.nameFor(record->fileName));
            job.writer.setOutlineTree(record->dataTree);
            generate(job, record->document);
            job.writer.setOutlineTree(nullptr);
            record->document->setName(kept);
        }
        remembered << QFileInfo(record->fileName).fileName();
        job.exported.insert(pageNames.keyOf(record->fileName));
        if (stopped())
            break;
    }
    if (stopped())
        return {};
    const QStringList linked = job.writer.xrdLinkedFiles();
    job.writer.setXrdLinkedFiles(remembered + linked);
    // A report that was just written is not read and written again for a link to it.
    const QSet<QString> written(remembered.cbegin(), remembered.cend());
    QStringList rest;
    for (const QString& name : linked)
        if (!written.contains(name))
            rest << name;
    return rest;
}

void QAReporterHTMLExport::exportLinked(Job& job, QStringList linked)
{
    // Each pass exports the files the previous one met for the first time. The writer only
    // appends to its linked files, so those of a pass are the ones past its starting count.
    while (!linked.isEmpty() && !stopped()) {
        const qsizetype known = job.writer.xrdLinkedFiles().size();
        for (const QString& name : std::as_const(linked)) {
            if (job.monitor.isCanceled()) {
                m_canceled = true;
                break;
            }
            exportLinkedFile(job, name);
        }
        linked = job.writer.xrdLinkedFiles().mid(known);
    }
}

void QAReporterHTMLExport::exportLinkedFile(Job& job, const QString& name)
{
    const QString path = job.writer.linkedPath(name);
    QAReporterPageNames& pageNames = job.writer.pageNames();
    const QString key = pageNames.keyOf(path);
    if (job.exported.contains(key))
        return;
    job.exported.insert(key);
    // Read with its node tree: the page gets the outline, the link back to the summary and
    // the node bases of its source links, as a shown report's page does.
    QAReporterData record;
    record.fileName = path;
    if (QAReporterLoader::readRecord(record, m_context) != QAReporterLoader::Read || !record.document) {
        m_unreadable << path;
        job.monitor.message(
            QCoreApplication::translate("QAReporter", "Unable to open the report file '%1'").arg(path));
        return;
    }
    job.writer.addInputFile(path);
    record.document->setName(pageNames.nameFor(path));
    job.writer.setOutlineTree(record.dataTree);
    generate(job, record.document);
    job.writer.setOutlineTree(nullptr);
}
