#include "rendoc/html/dexportscope.h"

#include <QDir>
#include <QFileInfo>

void DExportScope::addFolder(const QString& folder)
{
    if (folder.isEmpty())
        return;
    QString canonical = QFileInfo(folder).canonicalFilePath();
    if (canonical.isEmpty())
        return;
    if (!canonical.endsWith(QLatin1Char('/')))
        canonical += QLatin1Char('/');
    if (!m_folders.contains(canonical))
        m_folders << canonical;
}

bool DExportScope::contains(const QString& path) const
{
    if (m_folders.isEmpty())
        return true;
    const QFileInfo info(path);
    QString place = info.canonicalFilePath();
    if (place.isEmpty()) {
        // A file that does not exist: its folder as far as it exists decides.
        const QString folder = QFileInfo(info.absolutePath()).canonicalFilePath();
        place = folder.isEmpty() ? QDir::cleanPath(info.absoluteFilePath())
                                 : folder + QLatin1Char('/') + info.fileName();
    }
    for (const QString& folder : m_folders)
        if (place.startsWith(folder))
            return true;
    return false;
}
