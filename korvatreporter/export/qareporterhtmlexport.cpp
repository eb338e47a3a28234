#include "korvatreporter/export/qareporterhtmlexport.h"

#include "korvatreporter/data/qareporterdata.h"
#include "korvatreporter/data/qareporterloader.h"
#include "korvatreporter/document/qareporterfilteredlist.h"
#include "korvatreporter/export/qareporterexportmonitor.h"
#include "korvatreporter/export/qareporterhtmlwriter.h"
#include "korvatreporter/export/qareporterpagenames.h"
#include "korvatreporter/export/qareporterpagetotals.h"
#include "rendoc/model/ddocument.h"
#include "rendoc/html/dexporthtml.h"
#include "sdk/qailogmonitor.h"
#include "sdk/qaiprogressmonitor.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QSet>

#include <map>

QAReporterHTMLExport::QAReporterHTMLExport(const QString& outDir, const QString& configFile,
                                           const QString& pixmapDir)
    : m_outDir(outDir), m_configFile(configFile), m_pixmapDir(pixmapDir)
{
}

struct QAReporterHTMLExport::Linked
{
    std::unique_ptr<QAReporterData> full;   // as read: its totals count the whole report
    QAReporterFilteredList filtered;        // owns the copy when the filter drops anything
    QAReporterData* shown = nullptr;        // what its page shows
    qint64 bytes = 0;                       // the size of its file
};

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
    QSet<QString> shownKeys; // the shown reports' file keys
    // The loaded records by file key: a shown copy's page counts its full record.
    QHash<QString, const QAReporterData*> sources;
    bool showInconclusive = false; // as the summary: when any loaded report counted one
    bool showFlaky = false;        // as the summary: when any loaded report has a flaky case
    // Linked reports read ahead by their first link: whether each could be read, and those
    // kept for their page with the size of their files.
    QHash<QString, bool> checked;
    std::map<QString, std::unique_ptr<Linked>> readAhead;
    // Per report key, where its tags are when it is split (see tagPage()).
    QHash<QString, QHash<QString, QString>> tagPages;
    qint64 readAheadBytes = 0;
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
    if (m_filter.isSet(QAReporterFilter::StateMatch))
        job.writer.setPageNote(QCoreApplication::translate(
            "QAReporter", "Failed tests only: passed tests are left out of these pages."));
    job.exporter.setPixmapDir(m_pixmapDir);
    job.exporter.setHTMLWriter(&job.writer);
    const QStringList imageFolders = missingFolders(job.exporter.config().imageDir());
    prepare(job, header);
    if (shown) {
        const QStringList linked = exportShown(job);
        if (!stopped())
            exportLinked(job, linked);
    }
    if (header && !stopped()) {
        job.writer.setOutlineTree(nullptr);
        job.writer.setPageTotals(DHTMLTotals());
        generate(job, header);
    }
    m_written = job.exporter.writtenFiles();
    removeEmptyFolders(imageFolders);
}

QStringList QAReporterHTMLExport::missingFolders(const QString& imageDir) const
{
    QStringList missing;
    QString part;
    for (const QString& name : imageDir.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        part = part.isEmpty() ? name : part + QLatin1Char('/') + name;
        if (!QFileInfo::exists(QDir(m_outDir).filePath(part)))
            missing << part;
    }
    return missing;
}

void QAReporterHTMLExport::removeEmptyFolders(const QStringList& made) const
{
    // Innermost first; rmdir removes only empty folders, so one that holds anything stays.
    const QDir out(m_outDir);
    for (qsizetype i = made.size() - 1; i >= 0; --i)
        if (!out.rmdir(made.at(i)))
            break;
}

void QAReporterHTMLExport::prepare(Job& job, DDocument* header)
{
    QAReporterPageNames& pageNames = job.writer.pageNames();
    if (header) {
        job.writer.setSummaryPage(job.exporter.fileNameFor(header));
        pageNames.reserve(DExportHtml::pageBaseName(header->name()));
    }
    // The shown reports are named first, in their order, before any link can name a page.
    for (const QAReporterData* record : std::as_const(job.shown)) {
        pageNames.nameFor(record->fileName);
        job.shownKeys.insert(pageNames.keyOf(record->fileName));
    }
    job.writer.setReportCheck([this, &job](const QString& path) { return checkLinked(job, path); });
    job.writer.setTagPage(
        [this, &job](const QString& path, const QString& tag) { return tagPage(job, path, tag); });
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
    for (const QAReporterData* record : std::as_const(job.records)) {
        if (!record)
            continue;
        job.writer.addInputFile(record->fileName);
        job.sources.insert(pageNames.keyOf(record->fileName), record);
        job.showInconclusive = job.showInconclusive || record->inconclusive >= 0;
        job.showFlaky = job.showFlaky || record->flaky > 0;
    }
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
            const QAReporterData* source =
                job.sources.value(pageNames.keyOf(record->fileName), record);
            job.writer.setPageTotals(QAReporterPageTotals::of(*source, job.showFlaky, job.showInconclusive));
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
    if (job.exported.contains(key) || job.shownKeys.contains(key))
        return;
    job.exported.insert(key);
    // Read with its node tree: the page gets the outline, the link back to the summary and
    // the node bases of its source links, as a shown report's page does.
    std::unique_ptr<Linked> linked;
    if (const auto ahead = job.readAhead.find(key); ahead != job.readAhead.end()) {
        linked = std::move(ahead->second);
        job.readAheadBytes -= linked->bytes;
        job.readAhead.erase(ahead);
    } else if (job.checked.value(key, true)) {
        linked = readLinked(job, path);
        job.checked.insert(key, linked != nullptr);
    }
    if (!linked)
        return;
    job.writer.addInputFile(path);
    QAReporterData& shown = *linked->shown;
    shown.document->setName(pageNames.nameFor(path));
    job.writer.setOutlineTree(shown.dataTree.data());
    const QAReporterData& full = *linked->full;
    job.writer.setPageTotals(QAReporterPageTotals::of(full, job.showFlaky || full.flaky > 0,
                                                      job.showInconclusive || full.inconclusive >= 0));
    generate(job, shown.document);
    job.writer.setOutlineTree(nullptr);
}

bool QAReporterHTMLExport::checkLinked(Job& job, const QString& path)
{
    const QString key = job.writer.pageNames().keyOf(path);
    if (const auto known = job.checked.constFind(key); known != job.checked.cend())
        return *known;
    if (job.shownKeys.contains(key) || job.exported.contains(key))
        return true;
    std::unique_ptr<Linked> linked = readLinked(job, path);
    job.checked.insert(key, linked != nullptr);
    if (!linked)
        return false;
    if (job.readAheadBytes + linked->bytes <= ReadAheadBytes) {
        job.readAheadBytes += linked->bytes;
        job.readAhead.emplace(key, std::move(linked));
    }
    return true;
}

std::unique_ptr<QAReporterHTMLExport::Linked> QAReporterHTMLExport::readLinked(Job& job, const QString& path)
{
    auto linked = std::make_unique<Linked>();
    linked->full = std::make_unique<QAReporterData>();
    linked->full->fileName = path;
    if (QAReporterLoader::readRecord(*linked->full, m_context) != QAReporterLoader::Read
        || !linked->full->document) {
        m_unreadable << path;
        job.monitor.message(
            QCoreApplication::translate("QAReporter", "Unable to open the report file '%1'").arg(path));
        return nullptr;
    }
    linked->bytes = QFileInfo(path).size();
    linked->shown = linked->full.get();
    if (m_filter.flags() != 0) {
        // Its page shows what the shown reports' pages show (and say they show).
        linked->filtered.setFilter(m_filter);
        linked->filtered.buildFilteredReports(QList<QAReporterData*>{linked->full.get()});
        QAReporterData* copy = linked->filtered.at(0);
        if (copy && copy->document)
            linked->shown = copy;
    }
    // Its pages are planned as they will be written, for links to its tags; the plan is the
    // same when a report too large to keep is read again for its page.
    job.tagPages.insert(job.writer.pageNames().keyOf(path),
                        QAReporterHTMLWriter::tagPageNames(*linked->shown, job.exporter.config().pageBytes()));
    return linked;
}

std::optional<QString> QAReporterHTMLExport::tagPage(Job& job, const QString& path, const QString& tag)
{
    const QString key = job.writer.pageNames().keyOf(path);
    auto known = job.tagPages.constFind(key);
    if (known == job.tagPages.cend()) {
        // A shown report: planned from its shown copy, as its page was or will be written.
        QHash<QString, QString> names;
        for (const QAReporterData* record : std::as_const(job.shown)) {
            if (record && job.writer.pageNames().keyOf(record->fileName) == key) {
                names = QAReporterHTMLWriter::tagPageNames(*record, job.exporter.config().pageBytes());
                break;
            }
        }
        known = job.tagPages.insert(key, names);
    }
    const auto page = known->constFind(tag);
    if (page == known->cend())
        return std::nullopt;
    return *page;
}
