#include "rendoc/html/dhtmlwriter.h"

#include "rendoc/html/dexportfile.h"
#include "rendoc/html/dhtmloutput.h"

#include <QDir>
#include <QFileInfo>

// The file part of the writer: pages written into files, the inputs no page may replace,
// and the output limit.

namespace {

// Where a name is in the file system: its folder with every link resolved, and the name
// itself unresolved. Replacing the name replaces what is at that place.
QString placeOf(const QString& path)
{
    const QFileInfo info(path);
    const QString folder = QFileInfo(info.absolutePath()).canonicalFilePath();
    return (folder.isEmpty() ? info.absolutePath() : folder) + QLatin1Char('/') + info.fileName();
}

} // namespace

void DHTMLWriter::addInputFile(const QString& path)
{
    const QString place = placeOf(path);
    if (m_inputs.contains(place))
        return;
    m_inputs.insert(place);
    m_inputBytes += qMax<qint64>(0, QFileInfo(path).size());
    const QString canonical = QFileInfo(path).canonicalFilePath();
    if (!canonical.isEmpty())
        m_inputs.insert(canonical);
}

void DHTMLWriter::setOutputLimit(int factor, qint64 constant)
{
    m_limitFactor = qMax(0, factor);
    m_limitConstant = qMax<qint64>(0, constant);
}

qint64 DHTMLWriter::outputLimit() const
{
    return m_limitFactor > 0 ? m_limitConstant + m_limitFactor * m_inputBytes : -1;
}

bool DHTMLWriter::stopWriting()
{
    if (m_stopped)
        return true;
    if ((++m_itemCount & 0xff) != 0)
        return false;
    if (isCanceled()) {
        m_stopped = true;
    } else if (m_limitFactor > 0 && m_out) {
        m_limitReached = m_pagesBytes + m_out->size() > outputLimit();
        m_stopped = m_limitReached;
    }
    return m_stopped;
}

bool DHTMLWriter::isInputFile(const QString& path) const
{
    return !m_inputs.isEmpty() && m_inputs.contains(placeOf(path));
}

bool DHTMLWriter::writeFile(DDocument* document, const QString& path)
{
    m_error.clear();
    if (!document)
        return false;
    // The pages of a split report are named after its report page, in the same folder.
    const QFileInfo info(path);
    m_pageBase = info.fileName();
    if (m_pageBase.endsWith(m_config.suffix()))
        m_pageBase.chop(m_config.suffix().size());
    planPages(document, m_config.pageBytes());
    for (int page = 0; page < m_plan.pageCount(); ++page) {
        const QString file = page == 0 ? path
                                        : QDir(info.path()).filePath(m_plan.pageName(m_pageBase, page)
                                                                     + m_config.suffix());
        if (!writeOneFile(document, file, page))
            return false;
    }
    return true;
}

bool DHTMLWriter::writeOneFile(DDocument* document, const QString& path, int page)
{
    if (isInputFile(path)) {
        m_error = tr("Not written: %1 is an exported report; choose another folder")
                      .arg(QDir::toNativeSeparators(path));
        return false;
    }
    DExportFile file(path);
    if (!file.open()) {
        m_error = tr("Cannot write %1: %2").arg(QDir::toNativeSeparators(path),
                                                          file.errorString());
        return false;
    }
    DHTMLOutput out(file.device());
    DHTMLOutput* previous = m_out;
    m_out = &out;
    writePage(document, page);
    out.flush();
    m_out = previous;
    if (m_limitReached) {
        file.cancel();
        m_error = tr("The export stopped: its pages would pass %1 MB, %2 times the size of the "
                     "reports read plus %3 MB")
                      .arg(outputLimit() / (1024 * 1024))
                      .arg(m_limitFactor)
                      .arg(m_limitConstant / (1024 * 1024));
        return false;
    }
    if (isCanceled()) {
        file.cancel();
        m_error = tr("Cancelled");
        return false;
    }
    if (out.failed() || !file.commit()) {
        m_error = tr("Cannot write %1: %2").arg(QDir::toNativeSeparators(path),
                                                          file.errorString());
        return false;
    }
    m_pagesBytes += qMax<qint64>(0, QFileInfo(path).size());
    m_written << path;
    return true;
}
