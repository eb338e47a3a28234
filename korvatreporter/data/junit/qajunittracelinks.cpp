#include "korvatreporter/data/junit/qajunittracelinks.h"

#include "korvatreporter/data/junit/qajunitframescanner.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>

#include <algorithm>
#include <utility>
#include <vector>

bool QAJUnitTraceLinks::mayNameFrame(QStringView line)
{
    // Every frame has a digit right after a ':' or '(', or Python's words.
    for (qsizetype i = 0; i + 1 < line.size(); ++i) {
        const char16_t c = line[i].unicode();
        const char16_t after = line[i + 1].unicode();
        if ((c == u':' || c == u'(') && after >= u'0' && after <= u'9')
            return true;
    }
    return line.contains(QLatin1String("File \""));
}

QAJUnitTraceLinks::QAJUnitTraceLinks(const QString &folder, int maxEntries)
    : m_folder(folder.isEmpty() ? QString() : QDir(folder).absolutePath()), m_maxEntries(maxEntries)
{
}

QAJUnitTraceLinks::Frame QAJUnitTraceLinks::frame(QStringView line)
{
    // The first frame, left to right, whose file is under the folder.
    Frame found;
    if (m_folder.isEmpty() || line.size() > 4000 || !mayNameFrame(line))
        return found;
    QAJUnitFrameScanner::Match match;
    for (qsizetype from = 0; QAJUnitFrameScanner::next(line, from, &match); from = match.end) {
        const QString path = find(match.name.toString());
        if (path.isNull())
            continue;
        found.start = match.start;
        found.length = match.length;
        found.target = path + QStringLiteral(" line ") + match.number.toString();
        return found;
    }
    return found;
}

QString QAJUnitTraceLinks::find(const QString &named)
{
    auto cached = m_found.constFind(named);
    if (cached != m_found.cend())
        return cached.value();
    QString path;
    const QString clean = QDir::cleanPath(QDir::fromNativeSeparators(named));
    const QString absolute = QDir::isAbsolutePath(clean) ? clean : m_folder + QLatin1Char('/') + clean;
    const QString relative = QDir(m_folder).relativeFilePath(absolute);
    // A path that names the file from the folder (or, absolute, inside it).
    if (!relative.startsWith(QLatin1String("..")) && !QDir::isAbsolutePath(relative)
        && QFileInfo(absolute).isFile())
        path = relative;
    if (path.isNull()) {
        // Else the first file of that name whose path ends as the frame's does.
        listFiles();
        const QStringList candidates = m_byName.value(QFileInfo(clean).fileName());
        const QString suffix = QLatin1Char('/') + clean;
        for (const QString &candidate : candidates) {
            if (!clean.contains(QLatin1Char('/')) || (QLatin1Char('/') + candidate).endsWith(suffix)) {
                path = candidate;
                break;
            }
        }
    }
    m_found.insert(named, path);
    return path;
}

void QAJUnitTraceLinks::listFiles()
{
    if (m_listed)
        return;
    m_listed = true;
    // Breadth first, without recursion. Every entry counts against the budget, and a folder
    // is read entry by entry, so that neither a huge folder nor a tree of empty folders
    // makes the walk long; a folder's entries are then taken in name order.
    std::vector<std::pair<QString, int>> pending{{QString(), 0}};
    int entries = 0;
    for (size_t next = 0; next < pending.size() && entries < m_maxEntries; ++next) {
        const auto [folder, depth] = pending[next];
        QDirIterator it(folder.isEmpty() ? m_folder : m_folder + QLatin1Char('/') + folder,
                        QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot);
        QFileInfoList found;
        while (entries < m_maxEntries && it.hasNext()) {
            it.next();
            found.append(it.fileInfo());
            ++entries;
        }
        std::sort(found.begin(), found.end(),
                  [](const QFileInfo &a, const QFileInfo &b) { return a.fileName() < b.fileName(); });
        for (const QFileInfo &entry : std::as_const(found)) {
            const QString relative = folder.isEmpty() ? entry.fileName() : folder + QLatin1Char('/') + entry.fileName();
            if (entry.isDir()) {
                if (depth + 1 < MaxDepth && !entry.isSymLink())
                    pending.emplace_back(relative, depth + 1);
            } else {
                m_byName[entry.fileName()].append(relative);
            }
        }
    }
}
