// A large report and a wide one (a node of 1,000 small cases) exported by `xrdview
// --export-html` as split pages, beside the examples,
// their linked report and a report of hostile HTML: no link of any page is dead (checked on
// the written files), no report text becomes markup, the split is the same from run to run,
// every page stays near the page size, and the summary, the report page, a linked page and
// split pages open in headless Chromium with the page script running (and no script of a
// report), followed from one to the next through their links.

#include "tests/support/testfiles.h"
#include "tests/support/xrdviewrun.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include <utility>

namespace {

// A campaign of scripts of test cases; script 2 is large enough to split below it. Cases link
// to tags of other cases, to source files, and the top holds a summary and an index.
QByteArray generatedReport()
{
    QByteArray xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<XROD>\n"
                     "<DOCUMENT name=\"suite\" title=\"Generated suite\">\n"
                     "<TITLE level=\"0\">Generated suite</TITLE>\n<SUMMARY/>\n"
                     "<P>First failure <TAGPOINTER name=\"T3\"/>, <LINK target=\"xrdlink://#T3\">case 3</LINK>, "
                     "<LINK target=\"T70\">case 70</LINK>, <LINK target=\"::suite\">top</LINK>.</P>\n"
                     "<XROD:NODE name=\"campaign\" type=\"Campaign\" state=\"ko\">\n";
    int tag = 0;
    for (int script = 1; script <= 5; ++script) {
        xml += "<XROD:NODE name=\"script " + QByteArray::number(script)
               + "\" type=\"Script\" state=\"ko\" base=\"/src/\">\n<TITLE level=\"1\">Script "
               + QByteArray::number(script) + "</TITLE>\n";
        for (int c = 0; c < (script == 2 ? 60 : 12); ++c) {
            const QByteArray n = QByteArray::number(++tag);
            const bool failed = tag % 7 == 3;
            xml += "<XROD:NODE name=\"case " + n + "\" type=\"TestCase\" state=\"" + (failed ? "ko" : "ok")
                   + "\" sum=\"1\"><TAG name=\"T" + n + "\"/><TITLE level=\"2\">Case " + n + "</TITLE>\n<P>"
                   + QByteArray("Step and expectation text. ").repeated(12) + "See <LINK target=\"src/f" + n
                   + ".c line 4\">f" + n + ".c</LINK>, <TAGPOINTER name=\"T" + QByteArray::number(tag % 50 + 1)
                   + "\"/>.</P>\n<XROD:NODE name=\"check\" type=\"Check\" state=\"" + (failed ? "ko" : "ok")
                   + "\"><P>Expected and actual.</P></XROD:NODE></XROD:NODE>\n";
        }
        xml += "</XROD:NODE>\n";
    }
    return xml + "</XROD:NODE>\n<TITLE level=\"1\">Index</TITLE>\n<INDEX/>\n</DOCUMENT>\n</XROD>\n";
}

// A suite of 1,000 small test cases, all direct children of one node, each with a tag; the
// top points at the last one. Too many for one page, too small for a page each.
QByteArray wideReport()
{
    QByteArray xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<XROD>\n<DOCUMENT name=\"wide\">\n"
                     "<P>Last case: <TAGPOINTER name=\"W1000\"/></P>\n"
                     "<XROD:NODE name=\"wide suite\" type=\"Suite\" state=\"ko\">\n";
    for (int c = 1; c <= 1000; ++c) {
        const QByteArray n = QByteArray::number(c);
        xml += "<XROD:NODE name=\"leaf " + n + "\" type=\"TestCase\" state=\"" + (c % 250 == 7 ? "ko" : "ok")
               + "\" sum=\"1\"><P><TAG name=\"W" + n + "\"/>" + QByteArray("Checked. ").repeated(20) + "</P></XROD:NODE>\n";
    }
    return xml + "</XROD:NODE>\n</DOCUMENT>\n</XROD>\n";
}

// The first group of every match of `pattern`, its character references back to text.
QStringList matches(const QString& text, const char* pattern)
{
    QStringList values;
    for (auto it = QRegularExpression(QLatin1String(pattern)).globalMatch(text); it.hasNext();) {
        QString value = it.next().captured(1);
        for (const auto& [reference, character] : {std::pair{"&quot;", "\""}, {"&lt;", "<"}, {"&gt;", ">"},
                                                   {"&#39;", "'"}, {"&amp;", "&"}})
            value.replace(QLatin1String(reference), QLatin1String(character));
        values << value;
    }
    return values;
}

} // namespace

class tst_XrdHtmlBrowser : public QObject
{
    Q_OBJECT

    QTemporaryDir m_work;
    QString m_site;
    QHash<QString, QString> m_pages; // file name -> text, as written

    // Exports the examples and the generated report into `out`; the sorted page names.
    QStringList exportInto(const QString& out)
    {
        QStringList files{m_work.filePath(QStringLiteral("suite.xrd"))};
        for (const QString& name : QDir(QStringLiteral(KORVAT_EXAMPLES)).entryList({"*.xrd"}, QDir::Files, QDir::Name))
            files << QStringLiteral(KORVAT_EXAMPLES "/") + name;
        files << m_work.filePath(QStringLiteral("wide.xrd"));
        files << QStringLiteral(KORVAT_TEST_DATA "/hostile-html.xrd");
        const XrdviewRun run = runXrdview(QStringList{"--export-html", out} + files, m_work.filePath("config"));
        if (run.status != 1) // the examples hold failed tests
            qWarning("%s", qPrintable(run.describe()));
        return QDir(out).entryList({"*.html"}, QDir::Files, QDir::Name);
    }

    // The DOM of a page after Chromium has loaded it and run its script.
    QString dom(const QString& chromium, const QString& page)
    {
        QProcess browser;
        browser.start(chromium, {"--headless", "--no-sandbox", "--disable-gpu",
                                 "--user-data-dir=" + m_work.filePath("profile"), "--dump-dom",
                                 QUrl::fromLocalFile(QDir(m_site).filePath(page)).toString()});
        if (!browser.waitForFinished(120000))
            return QString();
        return QString::fromUtf8(browser.readAllStandardOutput());
    }

private Q_SLOTS:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        QVERIFY(TestFiles::writeFile(m_work.filePath("suite.xrd"), generatedReport()));
        QVERIFY(TestFiles::writeFile(m_work.filePath("wide.xrd"), wideReport()));
        QVERIFY(QDir().mkpath(m_work.filePath("config/xrdview")));
        QVERIFY(TestFiles::writeFile(m_work.filePath("config/xrdview/dhtml.cfg"), "pagesize = 24\n"));
        m_site = m_work.filePath("site");
        const QStringList pages = exportInto(m_site);
        for (const QString& page : pages)
            m_pages.insert(page, TestFiles::readText(QDir(m_site).filePath(page)));
        QVERIFY(m_pages.contains("suite.html") && m_pages.contains("regression.html"));
    }

    // The report is split below its campaign node, and its large script's cases share pages;
    // the same input gives the same pages, none far over the page size.
    void split()
    {
        QStringList parts = m_pages.keys().filter(QRegularExpression("^suite\\.n\\d+(-\\d+)?\\.html$"));
        QVERIFY2(parts.size() >= 6, qPrintable(parts.join(' ')));
        QVERIFY(m_pages.value("suite.html").contains("<section class=\"failures\">"));
        QStringList names = m_pages.keys();
        names.sort();
        QCOMPARE(exportInto(m_work.filePath("again")), names);
        for (auto page = m_pages.cbegin(); page != m_pages.cend(); ++page)
            QVERIFY2(page.value().toUtf8().size() < 36 * 1024, qPrintable(page.key()));
        // Every node page has the outline, the way up and the way back to the summary.
        for (const QString& part : std::as_const(parts)) {
            const QString& text = m_pages.value(part);
            QVERIFY2(text.contains("<ol class=\"path\">") && text.contains("<a href=\"index.html\">"),
                     qPrintable(part));
        }
    }

    // The wide node's cases share pages, in their order: each case's text is on exactly one
    // page, the node's page links every shared page once, and its outline lists the runs,
    // not the cases. (Page sizes and links: split() and noDeadLink().)
    void wideNode()
    {
        const QStringList shared = m_pages.keys().filter(QRegularExpression("^wide\\.n\\d+-\\d+\\.html$"));
        QVERIFY2(shared.size() >= 10, qPrintable(m_pages.keys().filter("wide").join(' ')));
        QStringList holders;
        for (int c = 1; c <= 1000; ++c) {
            const QString id = QStringLiteral("id=\"tag-W%1\"").arg(c);
            QStringList pages;
            for (auto page = m_pages.cbegin(); page != m_pages.cend(); ++page)
                if (page.key().startsWith("wide") && page.value().contains(id))
                    pages << page.key();
            QVERIFY2(pages.size() == 1, qPrintable(id + ": " + pages.join(' ')));
            if (holders.isEmpty() || holders.last() != pages.first())
                holders << pages.first();
        }
        // Consecutive cases, one run per page.
        QCOMPARE(QSet<QString>(holders.cbegin(), holders.cend()).size(), holders.size());
        // The page that holds the wide node's text links each shared page from one line.
        QString node;
        for (auto page = m_pages.cbegin(); page != m_pages.cend(); ++page)
            if (page.key().startsWith("wide") && page.value().contains("<a href=\"" + shared.first() + "\">"))
                node = page.key();
        QVERIFY(!node.isEmpty());
        const QString& text = m_pages.value(node);
        for (const QString& page : shared)
            QCOMPARE(matches(text, "<p class=\"split[^\"]*\"><a href=\"([^\"]*)\"").count(page), 1);
        QVERIFY(!text.contains(">leaf 500<"));
    }

    // No dead link anywhere: every local page named by an href exists, and every fragment is
    // an id of the page it names.
    void noDeadLink()
    {
        int crossPage = 0;
        for (auto page = m_pages.cbegin(); page != m_pages.cend(); ++page) {
            for (const QString& href : matches(page.value(), "\\shref=\"([^\"]*)\"")) {
                const QString target = href.section('#', 0, 0);
                if (!target.isEmpty() && !target.endsWith(".html"))
                    continue; // a source file
                const QString file = target.isEmpty() ? page.key() : QUrl::fromPercentEncoding(target.toUtf8());
                QVERIFY2(m_pages.contains(file), qPrintable(page.key() + ": " + href));
                if (!href.contains('#'))
                    continue;
                const QString id = QUrl::fromPercentEncoding(href.section('#', 1).toUtf8());
                QVERIFY2(matches(m_pages.value(file), "\\sid=\"([^\"]*)\"").contains(id),
                         qPrintable(page.key() + ": " + href));
                crossPage += file != page.key() && file.startsWith("suite") ? 1 : 0;
            }
        }
        // Tag pointers, the summary and the index lead into node pages.
        QVERIFY2(crossPage > 50, qPrintable(QString::number(crossPage)));
    }

    // Report texts stay text: no page holds a script but its own, nor a javascript: link;
    // every report page has its node outline and a way back to the summary, which links it.
    void reportPages()
    {
        const QString& hostile = m_pages.value("hostile-html.html");
        QVERIFY(hostile.contains("&lt;script&gt;document.body.dataset.ran=1&lt;/script&gt;"));
        const QStringList summaryLinks = matches(m_pages.value("index.html"), "\\shref=\"([^\"]*)\"");
        for (auto page = m_pages.cbegin(); page != m_pages.cend(); ++page) {
            QVERIFY2(page.value().count("<script", Qt::CaseInsensitive) <= 1, qPrintable(page.key()));
            QVERIFY2(!page.value().contains("href=\"javascript:", Qt::CaseInsensitive), qPrintable(page.key()));
        }
        for (const QString report : {"campaign", "inconclusive", "smoke", "hostile-html", "regression"}) {
            const QString& text = m_pages.value(report + ".html");
            QVERIFY2(text.contains("<nav class=\"outline\"") && text.contains("<ul class=\"tree\">"), qPrintable(report));
            QVERIFY2(text.contains("href=\"index.html\"") && summaryLinks.contains(report + ".html"),
                     qPrintable(report));
        }
    }

    // The summary, the first report page, a node page and a linked page render in Chromium
    // and run the page script (it adds the search box); links are followed from page to page.
    void inBrowser()
    {
        const QString chromium = QStandardPaths::findExecutable("chromium");
        if (chromium.isEmpty())
            QSKIP("chromium is not installed (scripts/setup installs it)");
        const QString summary = dom(chromium, "index.html");
        QVERIFY(summary.contains("</main>"));
        const QStringList summaryLinks = matches(summary, "<a href=\"([^\"#]*\\.html)\"");
        QVERIFY(!summaryLinks.isEmpty());
        QCOMPARE(summaryLinks.first(), QStringLiteral("suite.html"));

        const QString report = dom(chromium, summaryLinks.first());
        QVERIFY(report.contains("<input type=\"search\""));
        QVERIFY(report.contains("<details open=\"\">"));
        const QStringList parts = matches(report, "<p class=\"split[^\"]*\"><a href=\"([^\"]*)\"");
        QVERIFY(!parts.isEmpty());
        QString part = dom(chromium, parts.first());
        // Down to the deepest page of the first branch, and back up its path.
        for (QStringList deeper; !(deeper = matches(part, "<p class=\"split[^\"]*\"><a href=\"([^\"]*)\"")).isEmpty();)
            part = dom(chromium, deeper.first());
        QVERIFY(part.contains("<input type=\"search\""));
        const QStringList up = matches(part, "<ol class=\"path\">.*?<a href=\"([^\"#]*)");
        QVERIFY(!up.isEmpty() && m_pages.contains(up.first()));
        QVERIFY(dom(chromium, up.first()).contains("</main>"));

        const QString linked = dom(chromium, "regression.html");
        QVERIFY(linked.contains("<input type=\"search\"") && linked.contains("href=\"index.html\""));
        // The hostile report's scripts did not run (they would have marked the body).
        const QString hostile = dom(chromium, "hostile-html.html");
        QVERIFY(hostile.contains("</main>") && !hostile.contains("data-ran"));
        QVERIFY(!hostile.contains("<title>ran</title>"));
    }
};

QTEST_MAIN(tst_XrdHtmlBrowser)
#include "tst_xrdhtmlbrowser.moc"
