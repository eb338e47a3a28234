#include "rendoc/html/qaviewerhtmlwriter.h"

#include "rendoc/model/dlink.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QUrl>

QAViewerHTMLWriter::QAViewerHTMLWriter(DProgressMonitor* monitor) : DHTMLWriter(monitor) {}

QString QAViewerHTMLWriter::hrefFor(const QString& target) const
{
    static const QString reportPrefix = QStringLiteral("xrdlink://");
    if (target.startsWith(reportPrefix)) {
        const QString rest = target.mid(reportPrefix.size());
        const int hash = rest.indexOf(QLatin1Char('#'));
        const QString file = hash < 0 ? rest : rest.left(hash);
        const QString anchor = hash < 0 ? QString() : rest.mid(hash + 1);
        if (file.isEmpty())
            return anchor.isEmpty() ? QString()
                                    : QLatin1Char('#')
                                          + QString::fromLatin1(QUrl::toPercentEncoding(tagId(anchor)));
        QString href = QString::fromLatin1(QUrl::toPercentEncoding(QFileInfo(file).baseName()))
                       + config().suffix();
        if (!anchor.isEmpty())
            href += QLatin1Char('#') + QString::fromLatin1(QUrl::toPercentEncoding(tagId(anchor)));
        return href;
    }
    static const QRegularExpression sourceLink(QStringLiteral("(.*)line (\\d+)"));
    const QRegularExpressionMatch match = sourceLink.match(target);
    if (match.hasMatch()) {
        const QString file = QDir::cleanPath(match.captured(1).trimmed());
        if (file.isEmpty() || file == QLatin1String("."))
            return QString();
        if (QDir::isRelativePath(file))
            return QString::fromLatin1(QUrl::toPercentEncoding(file, "/"));
        QString path = QString::fromLatin1(QUrl::toPercentEncoding(file, "/:"));
        while (path.startsWith(QLatin1Char('/')))
            path.remove(0, 1);
        return QStringLiteral("file:///") + path;
    }
    return QString();
}

void QAViewerHTMLWriter::doLink(DLink* item)
{
    if (!item)
        return;
    const QString href = hrefFor(item->target());
    if (href.isEmpty()) {
        DHTMLWriter::doLink(item);
        return;
    }
    const bool linked = writeLinkStart(href);
    doItemChildren(item);
    if (linked)
        write(QLatin1String("</a>"));
}
