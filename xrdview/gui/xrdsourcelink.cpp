#include "xrdview/gui/xrdsourcelink.h"

#include <QProcess>
#include <QRegularExpression>
#include <QUrl>

XrdSourceLink XrdSourceLink::parse(const QString& target)
{
    XrdSourceLink link;
    static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]+://"));
    if (scheme.match(target).hasMatch()) {
        const QUrl url(target.trimmed());
        if (!url.isLocalFile()) {
            link.file = target.trimmed();
            link.url = true;
            return link;
        }
    }
    // Greedy: the last " line <digits>" wins.
    static const QRegularExpression lineRef(QStringLiteral("^(.*) line (\\d+)"));
    const QRegularExpressionMatch match = lineRef.match(target);
    QString file = target;
    if (match.hasMatch()) {
        file = match.captured(1);
        bool ok = false;
        const int line = match.captured(2).toInt(&ok);
        link.line = ok ? line : 0;
    }
    file = file.trimmed();
    if (file.startsWith(QLatin1String("file://")))
        file = QUrl(file).toLocalFile();
    link.file = file;
    return link;
}

QStringList XrdSourceLink::editorCommand(const QString& commandTemplate) const
{
    QStringList args = QProcess::splitCommand(commandTemplate);
    const QString lineText = QString::number(line > 0 ? line : 1);
    bool fileUsed = false;
    for (QString& arg : args) {
        // One pass, so that a file name holding "%l" stays as it is.
        QString out;
        for (int i = 0; i < arg.size(); ++i) {
            const QChar next = i + 1 < arg.size() ? arg.at(i + 1) : QChar();
            if (arg.at(i) == QLatin1Char('%') && next == QLatin1Char('f')) {
                out += file;
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
        args << file;
    return args;
}
