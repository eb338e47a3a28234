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

QString DExportHtml::pageBaseName(const QString& name)
{
    QString base = name;
    for (QChar& c : base)
        if (c.unicode() < 0x20 || QStringLiteral("/\\:*?\"<>|").contains(c))
            c = QLatin1Char('_');
    if (base.startsWith(QLatin1Char('.')))
        base.replace(0, 1, QLatin1Char('_'));
    if (base.trimmed().isEmpty())
        base = QStringLiteral("document");
    return base.left(200);
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
