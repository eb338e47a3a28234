#include "xrdview/gui/xrdsourcelink.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QUrl>

namespace {

bool hasControlCharacter(const QString& text)
{
    for (const QChar c : text) {
        const QChar::Category category = c.category();
        if (category == QChar::Other_Control || category == QChar::Separator_Line
            || category == QChar::Separator_Paragraph)
            return true;
    }
    return false;
}

// The schemes handed to the desktop's browser or mail program. Others
// (javascript:, data:, custom handlers of installed programs) could run
// something on a click in a report.
bool isWebScheme(const QString& scheme)
{
    static const QStringList web{ QStringLiteral("http"), QStringLiteral("https"),
                                  QStringLiteral("ftp"), QStringLiteral("mailto") };
    return web.contains(scheme);
}

} // namespace

XrdSourceLink XrdSourceLink::parse(const QString& target)
{
    XrdSourceLink link;
    const QString trimmed = target.trimmed();
    if (hasControlCharacter(trimmed)) {
        link.problem = ControlCharacter;
        return link;
    }
    // Two characters at least, so that a drive letter ("C:/x.c") is a path.
    static const QRegularExpression scheme(QStringLiteral("^([A-Za-z][A-Za-z0-9+.-]+):"));
    const QRegularExpressionMatch schemeMatch = scheme.match(trimmed);
    if (schemeMatch.hasMatch()) {
        const QString name = schemeMatch.captured(1).toLower();
        if (isWebScheme(name)) {
            link.file = trimmed;
            link.url = QUrl(trimmed).isValid();
            if (!link.url)
                link.problem = UnsafeScheme;
            return link;
        }
        if (name != QLatin1String("file")) {
            link.problem = UnsafeScheme;
            return link;
        }
    }
    // Greedy: the last " line <digits>" wins. ASCII digits only, so that the
    // line is always a plain decimal number.
    static const QRegularExpression lineRef(QStringLiteral("^(.*) line ([0-9]+)"));
    const QRegularExpressionMatch match = lineRef.match(target);
    QString file = target;
    if (match.hasMatch()) {
        file = match.captured(1);
        bool ok = false;
        const int line = match.captured(2).toInt(&ok);
        link.line = ok ? line : 0;
    }
    file = file.trimmed();
    if (file.startsWith(QLatin1String("file:"), Qt::CaseInsensitive))
        file = QUrl(file).toLocalFile();
    link.file = file;
    if (file.isEmpty())
        link.problem = NoFile;
    return link;
}

QString XrdSourceLink::absoluteFile(const QString& baseFolder) const
{
    if (url || problem != NoProblem)
        return QString();
    const QDir base(QFileInfo(baseFolder.isEmpty() ? QDir::currentPath() : baseFolder).absoluteFilePath());
    QString path = QDir::cleanPath(base.absoluteFilePath(file));
    // Above the root is the root: "/../x" is "/x".
    while (path.startsWith(QLatin1String("/../")))
        path.remove(0, 3);
    if (path == QLatin1String("/.."))
        path = QStringLiteral("/");
    return path;
}

QStringList XrdSourceLink::editorCommand(const QString& commandTemplate, const QString& baseFolder) const
{
    const QString path = absoluteFile(baseFolder);
    if (path.isEmpty())
        return {};
    QStringList args = QProcess::splitCommand(commandTemplate);
    const QString lineText = QString::number(line > 0 ? line : 1);
    bool fileUsed = false;
    for (QString& arg : args) {
        // One pass, so that a file name holding "%l" stays as it is.
        QString out;
        for (int i = 0; i < arg.size(); ++i) {
            const QChar next = i + 1 < arg.size() ? arg.at(i + 1) : QChar();
            if (arg.at(i) == QLatin1Char('%') && next == QLatin1Char('f')) {
                out += path;
                fileUsed = true;
                ++i;
            } else if (arg.at(i) == QLatin1Char('%') && next == QLatin1Char('l')) {
                out += lineText;
                ++i;
            } else {
                out += arg.at(i);
            }
        }
        arg = out;
    }
    if (!fileUsed && !args.isEmpty())
        args << path;
    return args;
}
