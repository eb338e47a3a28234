// A report (XRD or JUnit, chosen by content) read through the real loader and
// written by the plug-in's HTML writer, with the outline of its node tree, into
// pages of the smallest page size, as the export writes them into a folder, so
// that reports split. No page may carry a script element but the pages' own
// script, nor a link with a scheme that runs code, whatever the report holds:
// every text the writer copies from it is escaped. Nor may the pages add up to
// more than the export's output factor times the input plus a small constant:
// nothing in a report (popups, summaries, indexes, links, nodes) may multiply
// them.
#include "fuzz/fuzzsupport.h"
#include "korvatreporter/data/qareporterdata.h"
#include "korvatreporter/data/qareporterloader.h"
#include "korvatreporter/export/qareporterhtmlexport.h"
#include "korvatreporter/export/qareporterhtmlwriter.h"
#include "rendoc/html/dhtmlpagescript.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
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
    static const QString own = QStringLiteral("<script>") + DHTMLPageScript::text() + QStringLiteral("</script>");
    const qsizetype scripts = page.count(QLatin1String("<script"), Qt::CaseInsensitive);
    if (scripts > 1 || (scripts == 1 && !page.contains(own)))
        FuzzSupport::fail("the page holds a script element of the report");
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
    DHTMLConfig config;
    config.setPageKiB(8);
    writer.setConfig(config);
    writer.setMode(DHTMLWriter::FileMode);
    static QTemporaryDir pages;
    for (const QString& file : QDir(pages.path()).entryList(QDir::Files))
        QFile::remove(pages.filePath(file));
    writer.setOutputDir(pages.path());
    writer.writeFile(record.document, pages.filePath(QStringLiteral("report.html")));
    qint64 total = 0;
    for (const QString& file : QDir(pages.path()).entryList(QDir::Files)) {
        QFile in(pages.filePath(file));
        if (!in.open(QIODevice::ReadOnly))
            continue;
        const QByteArray bytes = in.readAll();
        total += bytes.size();
        checkPage(QString::fromUtf8(bytes));
    }
    const qint64 limit = qint64(QAReporterHTMLExport::OutputFactor) * qint64(size) + 1024 * 1024;
    if (total > limit)
        FuzzSupport::fail(qPrintable(QStringLiteral("the pages are %1 bytes for %2 bytes of report")
                                         .arg(total)
                                         .arg(size)));
    return 0;
}
