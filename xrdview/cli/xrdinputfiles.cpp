#include "xrdview/cli/xrdinputfiles.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QSet>

#include <algorithm>

namespace {

bool hasWildcard(const QString &text)
{
    return text.contains(QLatin1Char('*')) || text.contains(QLatin1Char('?')) || text.contains(QLatin1Char('['));
}

// Every regular file under `folder`, sorted; symbolic links to folders are
// not followed, so a link loop cannot make the walk endless.
QStringList filesUnder(const QString &folder)
{
    QStringList files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext())
        files << it.next();
    std::sort(files.begin(), files.end());
    return files;
}

// The files of `candidates` a format recognises; the others described.
QStringList reports(const QStringList &candidates, const XrdInputFiles::Recognises &recognises,
                    QStringList *messages)
{
    QStringList found;
    for (const QString &file : candidates) {
        const QFileInfo info(file);
        if (!info.isReadable())
            *messages << XrdInputFiles::tr("%1: passed over, it cannot be read").arg(file);
        else if (!recognises(file))
            *messages << XrdInputFiles::tr("%1: passed over, not a report file").arg(file);
        else
            found << file;
    }
    return found;
}

} // namespace

bool XrdInputFiles::isPattern(const QString &argument)
{
    return hasWildcard(argument) && !QFileInfo::exists(argument);
}

QString XrdInputFiles::baseFolder(const QString &pattern)
{
    const QStringList parts = pattern.split(QLatin1Char('/'));
    QStringList base;
    for (qsizetype i = 0; i + 1 < parts.size() && !hasWildcard(parts.at(i)); ++i)
        base << parts.at(i);
    if (base.isEmpty())
        return QStringLiteral(".");
    const QString folder = base.join(QLatin1Char('/'));
    return folder.isEmpty() ? QStringLiteral("/") : folder;
}

QRegularExpression XrdInputFiles::expression(const QString &pattern)
{
    QString re;
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        const QChar c = pattern.at(i);
        if (c == QLatin1Char('*')) {
            if (pattern.mid(i, 3) == QLatin1String("**/")) {
                re += QStringLiteral("(?:[^/]*/)*");
                i += 2;
            } else if (pattern.mid(i, 2) == QLatin1String("**")) {
                re += QStringLiteral(".*");
                ++i;
            } else {
                re += QStringLiteral("[^/]*");
            }
        } else if (c == QLatin1Char('?')) {
            re += QStringLiteral("[^/]");
        } else if (c == QLatin1Char('[')) {
            const qsizetype close = pattern.indexOf(QLatin1Char(']'), i + 2);
            if (close < 0) {
                re += QStringLiteral("\\[");
                continue;
            }
            QString set = pattern.mid(i + 1, close - i - 1);
            if (set.startsWith(QLatin1Char('!')))
                set[0] = QLatin1Char('^');
            set.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
            re += QLatin1Char('[') + set + QLatin1Char(']');
            i = close;
        } else {
            re += QRegularExpression::escape(QString(c));
        }
    }
    return QRegularExpression(QRegularExpression::anchoredPattern(re));
}

QStringList XrdInputFiles::expand(const QStringList &arguments, const Recognises &recognises, QStringList *messages)
{
    QStringList files;
    QSet<QString> seen;
    const auto add = [&](const QStringList &found) {
        for (const QString &file : found) {
            const QString key = QFileInfo(file).absoluteFilePath();
            if (!seen.contains(key)) {
                seen.insert(key);
                files << file;
            }
        }
    };
    for (const QString &argument : arguments) {
        if (QFileInfo(argument).isDir()) {
            add(reports(filesUnder(argument), recognises, messages));
        } else if (isPattern(argument)) {
            const QString base = baseFolder(argument);
            const QRegularExpression re = expression(QDir::cleanPath(argument));
            QStringList matches;
            for (const QString &file : filesUnder(base)) {
                // Files under "." are listed as "./x": the pattern names them "x".
                const QString path = base == QLatin1String(".") ? file.mid(2) : file;
                if (re.match(QDir::cleanPath(path)).hasMatch())
                    matches << path;
            }
            if (matches.isEmpty())
                *messages << tr("%1: no file matches this pattern").arg(argument);
            add(reports(matches, recognises, messages));
        } else {
            add({argument});
        }
    }
    return files;
}
