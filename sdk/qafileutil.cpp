#include "sdk/qafileutil.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStringList>

namespace {

#ifdef Q_OS_WIN
constexpr Qt::CaseSensitivity PathCase = Qt::CaseInsensitive;
#else
constexpr Qt::CaseSensitivity PathCase = Qt::CaseSensitive;
#endif

// The root of an absolute path in '/' form ("/", "C:/", "//server/share/"),
// or an empty string for a relative path.
QString rootOf(const QString& path)
{
    if (path.startsWith(QLatin1String("//"))) {
        const int share = path.indexOf(QLatin1Char('/'), 2);
        if (share < 0)
            return path + QLatin1Char('/');
        const int end = path.indexOf(QLatin1Char('/'), share + 1);
        return end < 0 ? path + QLatin1Char('/') : path.left(end + 1);
    }
    if (path.startsWith(QLatin1Char('/')))
        return QStringLiteral("/");
    if (path.size() >= 3 && path.at(0).isLetter() && path.at(1) == QLatin1Char(':')
        && path.at(2) == QLatin1Char('/'))
        return path.left(3);
    return QString();
}

QString normalized(const QString& path)
{
    QString p = QDir::fromNativeSeparators(path);
    p.replace(QLatin1Char('\\'), QLatin1Char('/'));
    // Keep a leading "//" (network share) that cleanPath would fold.
    const bool share = p.startsWith(QLatin1String("//"));
    p = QDir::cleanPath(p);
    if (share && !p.startsWith(QLatin1String("//")))
        p.prepend(QLatin1Char('/'));
    while (p.size() > 1 && p.endsWith(QLatin1Char('/')) && p != rootOf(p))
        p.chop(1);
    return p;
}

} // namespace

QString QAFileUtil::absPathToRelative(const QString& fromDir, const QString& toPath)
{
    // Writers make every link of a page relative to one folder: its parts are kept from the
    // last call.
    struct Folder
    {
        QString dir;
        QString root;
        QStringList parts;
    };
    thread_local Folder last;
    if (last.dir.isNull() || last.dir != fromDir) {
        const QString from = normalized(fromDir);
        last.dir = fromDir.isNull() ? QLatin1String("") : fromDir;
        last.root = rootOf(from);
        last.parts = from.mid(last.root.size()).split(QLatin1Char('/'), Qt::SkipEmptyParts);
    }
    const QString& fromRoot = last.root;
    const QString to = normalized(toPath);
    const QString toRoot = rootOf(to);
    if (fromRoot.isEmpty() || toRoot.isEmpty() || fromRoot.compare(toRoot, Qt::CaseInsensitive) != 0)
        return toPath;

    const QStringList& fromParts = last.parts;
    const QStringList toParts = to.mid(toRoot.size()).split(QLatin1Char('/'), Qt::SkipEmptyParts);
    int common = 0;
    while (common < fromParts.size() && common < toParts.size()
           && fromParts.at(common).compare(toParts.at(common), PathCase) == 0)
        ++common;

    QStringList result;
    for (int i = common; i < fromParts.size(); ++i)
        result << QStringLiteral("..");
    for (int i = common; i < toParts.size(); ++i)
        result << toParts.at(i);
    if (result.isEmpty())
        return QStringLiteral(".");
    return result.join(QLatin1Char('/'));
}

bool QAFileUtil::isRelativePath(const QString& path)
{
#ifdef Q_OS_WIN
    return QDir::isRelativePath(path);
#else
    // An absolute path starts with '/'; one with ':' names a Qt resource, absolute too.
    return !path.startsWith(QLatin1Char('/')) && !path.startsWith(QLatin1Char(':'));
#endif
}

QString QAFileUtil::readRefusal(const QString& path)
{
    const QFileInfo info(path);
    if (path.isEmpty() || !info.exists())
        return QCoreApplication::translate("QAFileUtil", "No such file");
    if (info.isDir())
        return QCoreApplication::translate("QAFileUtil", "Is a folder, not a file");
    if (!info.isFile())
        return QCoreApplication::translate("QAFileUtil",
                                           "Not a regular file (a named pipe, socket or device)");
    return QString();
}
