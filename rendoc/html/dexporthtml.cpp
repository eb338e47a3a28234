#include "rendoc/html/dexporthtml.h"

#include "rendoc/model/ddocument.h"
#include "rendoc/html/dhtmlwriter.h"
#include "rendoc/html/dlogmonitor.h"
#include "rendoc/model/dprogressmonitor.h"

#include <QCoreApplication>
#include <QDir>

DExportHtml::DExportHtml(const QString& outDir, const QString& configFile) : m_outDir(outDir)
{
    if (!m_config.read(configFile))
        m_configErrors = m_config.errors();
}

DExportHtml::~DExportHtml()
{
    if (m_ownsWriter)
        delete m_writer;
}

void DExportHtml::setHTMLWriter(DHTMLWriter* writer, bool owned)
{
    if (m_ownsWriter && m_writer != writer)
        delete m_writer;
    m_writer = writer;
    m_ownsWriter = owned && writer;
    if (m_writer)
        m_writer->setConfig(m_config);
}

QString DExportHtml::fileNameFor(const DDocument* document) const
{
    return pageBaseName(document ? document->name() : QString()) + m_config.suffix();
}

QString DExportHtml::pageBaseName(const QString& name, int reserve)
{
    static const QString unsafe = QStringLiteral("/\\:*?\"<>|");
    const int limit = qMax(16, MaxPageNameBytes - reserve);
    QString base;
    int bytes = 0;
    for (qsizetype i = 0; i < name.size(); ++i) {
        const QChar c = name.at(i);
        const bool pair = c.isHighSurrogate() && i + 1 < name.size() && name.at(i + 1).isLowSurrogate();
        // Control characters, characters that could leave the folder and broken surrogates
        // become '_'; a name is cut between characters, never inside one.
        const bool replace = !pair
            && (c.unicode() < 0x20 || (c.unicode() >= 0x7f && c.unicode() < 0xa0) || c.isSurrogate()
                || unsafe.contains(c));
        const int size = pair ? 4 : replace || c.unicode() < 0x80 ? 1 : c.unicode() < 0x800 ? 2 : 3;
        if (bytes + size > limit)
            break;
        bytes += size;
        if (replace) {
            base += QLatin1Char('_');
        } else {
            base += c;
            if (pair)
                base += name.at(++i);
        }
    }
    if (base.trimmed().isEmpty())
        return QStringLiteral("document");
    // No hidden page, and no blank at either end that a copy or a shell could lose.
    if (base.front().isSpace() || base.front() == QLatin1Char('.'))
        base.front() = QLatin1Char('_');
    if (base.back().isSpace())
        base.back() = QLatin1Char('_');
    return base;
}

QStringList DExportHtml::writtenFiles() const
{
    return m_writer ? m_writer->writtenFiles() : QStringList();
}

bool DExportHtml::generate(DDocument* document, DProgressMonitor* progress, DLogMonitor* log)
{
    m_error.clear();
    if (log) {
        for (const QString& error : std::as_const(m_configErrors))
            log->message(QCoreApplication::translate("DExportHtml", "Export settings ignored: %1")
                             .arg(error));
    }
    m_configErrors.clear();
    if (!document || !m_writer)
        return false;
    if (!QDir().mkpath(m_outDir)) {
        m_error = QCoreApplication::translate("DExportHtml", "Cannot create the folder %1")
                      .arg(QDir::toNativeSeparators(m_outDir));
        if (log)
            log->message(m_error);
        return false;
    }
    m_writer->setConfig(m_config);
    m_writer->setMode(DHTMLWriter::FileMode);
    m_writer->setOutputDir(m_outDir);
    m_writer->setPixmapDir(m_pixmapDir);
    m_writer->setLogMonitor(log);
    m_writer->setMonitor(progress);
    const bool ok = m_writer->writeFile(document, QDir(m_outDir).filePath(fileNameFor(document)));
    const bool canceled = m_writer->isCanceled();
    m_writer->setMonitor(nullptr);
    m_writer->setLogMonitor(nullptr);
    if (!ok) {
        m_error = m_writer->errorString();
        if (log && !canceled)
            log->message(m_error);
    }
    return ok;
}
