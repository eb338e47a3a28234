// A report (XRD or JUnit, chosen by content) read through the real loader and
// written by the plug-in's HTML writer, with the outline of its node tree, to
// a string, as the export writes it into a folder beside the report. The page
// must not carry a script element or a link with a scheme that runs code,
// whatever the report holds: every text the writer copies from it is escaped.
// Nor may it be larger than the export's output factor times the input plus a
// small constant: nothing in a report (popups, summaries, indexes, links) may
// multiply the page.
#include "fuzz/fuzzsupport.h"
#include "korvatreporter/data/qareporterdata.h"
#include "korvatreporter/data/qareporterloader.h"
#include "korvatreporter/export/qareporterhtmlexport.h"
#include "korvatreporter/export/qareporterhtmlwriter.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <QTextStream>

namespace {

// The scheme of an href as a browser reads it (entities decoded, tabs and
// line breaks dropped, leading blanks and controls skipped), or "".
QString hrefScheme(QString href)
{
    href.replace(QLatin1String("&quot;"), QLatin1String("\""));
    href.replace(QLatin1String("&#39;"), QLatin1String("'"));
    href.replace(QLatin1String("&lt;"), QLatin1String("<"));
    href.replace(QLatin1String("&gt;"), QLatin1String(">"));
    href.replace(QLatin1String("&amp;"), QLatin1String("&"));
    href.remove(QRegularExpression(QStringLiteral("[\\t\\n\\r]")));
    qsizetype start = 0;
    while (start < href.size() && href.at(start).unicode() <= 0x20)
        ++start;
    static const QRegularExpression scheme(QStringLiteral("^([A-Za-z][A-Za-z0-9+.-]*):"));
    const QRegularExpressionMatch match = scheme.match(QStringView(href).mid(start));
    return match.hasMatch() ? match.captured(1).toLower() : QString();
}

void checkPage(const QString& page)
{
    if (page.contains(QLatin1String("<script"), Qt::CaseInsensitive))
        FuzzSupport::fail("the page holds a script element");
    static const QRegularExpression href(QStringLiteral("href=\"([^\"]*)\""));
    static const QStringList safe = {QStringLiteral("http"), QStringLiteral("https"),
                                     QStringLiteral("ftp"), QStringLiteral("mailto"),
                                     QStringLiteral("file")};
    for (auto it = href.globalMatch(page); it.hasNext();) {
        const QString value = it.next().captured(1);
        const QString scheme = hrefScheme(value);
        if (!scheme.isEmpty() && !safe.contains(scheme))
            FuzzSupport::fail(qPrintable(QStringLiteral("the page links to an unsafe scheme: ") + value));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    QAReporterData record;
    if (FuzzSupport::readInput(data, size, QStringLiteral(".xrd"), record) != QAReporterLoader::Read
        || !record.document)
        return 0;
    const QList<QAReporterData*> records{&record};
    QAReporterHTMLWriter writer(records, records, nullptr, nullptr);
    writer.setBaseForLink(QFileInfo(record.fileName).absolutePath());
    writer.setOutlineTree(record.dataTree);
    writer.setSummaryPage(QStringLiteral("summary.html"));
    QString page;
    QTextStream stream(&page);
    writer.setStream(&stream);
    writer.doAll(record.document);
    stream.flush();
    checkPage(page);
    const qint64 limit = qint64(QAReporterHTMLExport::OutputFactor) * qint64(size) + 1024 * 1024;
    if (page.toUtf8().size() > limit)
        FuzzSupport::fail(qPrintable(QStringLiteral("the page is %1 bytes for %2 bytes of report")
                                         .arg(page.toUtf8().size())
                                         .arg(size)));
    return 0;
}
