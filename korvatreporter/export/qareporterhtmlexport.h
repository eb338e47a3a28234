#pragma once

#include "korvatreporter/data/qareporterreadcontext.h"
#include "korvatreporter/document/qareporterfilter.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

class DDocument;
class QAILogMonitor;
class QAIProgressMonitor;
class QAReporterData;

// The full HTML export of a report window: every shown report, every report reachable from
// them through report links, and the results summary, into one folder.
//
// Each shown record's documents are written as one page named after the record's file, made
// unique against the summary page and every other report (the documents' name is changed
// only while the page is written). Report links met while writing are then exported pass by
// pass, each file at most once and never a report already written, whatever path reaches
// it, relative to the folder of the first shown report; a file that cannot be read is
// logged and the export goes on. The summary page comes last. A cancel, asked before each
// report and each linked file, stops the export at once and skips the summary. Pages and
// images replace a symbolic link at their name rather than write through it, and a page that
// would replace one of the reports read is refused (listed in failedPages()). Images and
// linked reports are read only from below the shown reports' folders, the image folder and
// the export folder (DExportScope), unless the configuration says "outside = yes"; others
// are shown as missing and logged.
//
// The pages of one export may add up to at most OutputFactor times the size of the reports it
// reads plus OutputConstant bytes; past that the page being written is dropped, the export
// stops and limitReached() tells why (a hostile report must not fill the disk).
class QAReporterHTMLExport
{
public:
    static constexpr int OutputFactor = 50;
    static constexpr qint64 OutputConstant = 16 * 1024 * 1024;
    // Linked reports read ahead are kept for their page up to this many bytes of files; past
    // that they are read again when their page is written.
    static constexpr qint64 ReadAheadBytes = 64 * 1024 * 1024;

    // outDir: the output folder; configFile: the "dhtml.cfg" to use; pixmapDir: where images
    // are looked for.
    QAReporterHTMLExport(const QString& outDir, const QString& configFile, const QString& pixmapDir);

    // The output limit (see OutputFactor); tests and tools may set another.
    void setOutputLimit(int factor, qint64 constant)
    {
        m_limitFactor = factor;
        m_limitConstant = constant;
    }

    // The filter the shown copies were made with: linked reports are written through it too,
    // and when it keeps failed tests only every page says so.
    void setFilter(const QAReporterFilter& filter) { m_filter = filter; }

    // What linked reports are read with; none (no studio, no styles) until set.
    void setReadContext(const QAReporterReadContext& context) { m_context = context; }

    // records: the window's records; shown: its shown copies, or null when it has none yet;
    // header: the summary document, or null. The monitors are not owned and may be null.
    void run(const QList<QAReporterData*>& records, const QList<QAReporterData*>* shown,
             DDocument* header, QAIProgressMonitor* progress, QAILogMonitor* log);

    bool canceled() const { return m_canceled; }
    // Whether the export stopped at its output limit (the page is among failedPages()).
    bool limitReached() const { return m_limitReached; }
    // Linked report files that could not be read, and pages that could not be written.
    const QStringList& unreadable() const { return m_unreadable; }
    const QStringList& failedPages() const { return m_failed; }
    // Every file written (pages and images), in order.
    const QStringList& writtenFiles() const { return m_written; }

private:
    struct Job; // one run's writer, exporter, monitor and bookkeeping
    struct Linked; // a linked report read, and its copy through the filter

    // Sets up page names, the link folder and the inputs no page may replace.
    void prepare(Job& job, DDocument* header);
    // Writes the shown reports; answers the linked files they met that are not shown.
    QStringList exportShown(Job& job);
    // Writes the linked reports pass by pass, starting with `linked`.
    void exportLinked(Job& job, QStringList linked);
    // Reads and writes one linked report, unless its file was written already.
    void exportLinkedFile(Job& job, const QString& name);
    // Whether the linked report at path can be read: a shown report, or one read now (and
    // kept for its page when it fits the read-ahead budget). Each file is read once here.
    bool checkLinked(Job& job, const QString& path);
    // Reads a linked report and makes its filtered copy; null, logged and listed as
    // unreadable, when it cannot be read. Its tag pages are noted for the links to it.
    std::unique_ptr<Linked> readLinked(Job& job, const QString& path);
    // The page part of the page that holds tag in the report at path (see
    // QAReporterHTMLWriter::TagPage), from the tag pages noted for it.
    std::optional<QString> tagPage(Job& job, const QString& path, const QString& tag);
    // The parts of the image folder (relative to the export folder) that do not exist yet,
    // outermost first; removeEmptyFolders() removes those the export made and left empty.
    QStringList missingFolders(const QString& imageDir) const;
    void removeEmptyFolders(const QStringList& made) const;
    void generate(Job& job, DDocument* document);
    bool stopped() const { return m_canceled || m_limitReached; }

    QString m_outDir;
    QString m_configFile;
    QString m_pixmapDir;
    QAReporterReadContext m_context;
    bool m_canceled = false;
    bool m_limitReached = false;
    QAReporterFilter m_filter;
    int m_limitFactor = OutputFactor;
    qint64 m_limitConstant = OutputConstant;
    QStringList m_unreadable;
    QStringList m_failed;
    QStringList m_written;
};
