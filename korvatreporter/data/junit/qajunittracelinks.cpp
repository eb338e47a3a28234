#include "korvatreporter/data/junit/qajunittracelinks.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QRegularExpression>

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
    // A file name with an extension and a line: "name.ext:12", "name.ext(12)"
    // or Python's `File "name.ext", line 12` (the file part only is linked).
    // A file name is only looked for where a run of path characters begins
    // (or where the previous frame ended): a name that matches from inside
    // the run also matches from its start, which is tried first, and trying
    // every start in a long dotted Java frame cost more than the rest of the
    // trace's reading.
    static const QRegularExpression frames(QStringLiteral(
        "(?:File \"(?<py>[^\"]+\\.\\w+)\", line (?<pyline>\\d+))"
        "|(?:(?<![\\w.$/\\\\-])|\\G)(?<file>[\\w.$/\\\\-]*\\w\\.\\w+)(?::(?<line>\\d+)|\\((?<cline>\\d+)\\))"));
    Frame found;
    if (m_folder.isEmpty() || line.size() > 4000 || !mayNameFrame(line))
        return found;
    auto it = frames.globalMatch(line);
    while (it.hasNext()) {
        const QRegularExpressionMatch match = it.next();
        const bool python = match.hasCaptured(QStringLiteral("py"));
        const QString group = python ? QStringLiteral("py") : QStringLiteral("file");
        const QString named = match.captured(group);
        const QString number = python ? match.captured(QStringLiteral("pyline"))
                               : match.hasCaptured(QStringLiteral("line")) ? match.captured(QStringLiteral("line"))
                                                                            : match.captured(QStringLiteral("cline"));
        const QString path = find(named);
        if (path.isNull())
            continue;
        found.start = python ? match.capturedStart(group) : match.capturedStart();
        found.length = python ? match.capturedLength(group) : match.capturedLength();
        found.target = path + QStringLiteral(" line ") + number;
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
