// The plug-in's HTML writer and the full export: link texts, linked reports in passes,
// cancel and unreadable linked files.

#include "korvatreporter/data/qareporterloader.h"
#include "korvatreporter/export/qareporterhtmlexport.h"
#include "korvatreporter/export/qareporterhtmlwriter.h"
#include "rendoc/model/ddocument.h"
#include "rendoc/model/ditems.h"
#include "sdk/qaiprogressmonitor.h"
#include "tests/support/goldenfile.h"
#include "tests/support/recorddump.h"
#include "tests/support/recordinglog.h"
#include "tests/support/testfiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>
#include <QUrl>

#include <memory>

namespace {

const QString LinksDir = QStringLiteral(KORVAT_TEST_DATA "/links");

// Reports a cancel once `allowed` pages were written (never with -1).
class Progress : public QAIProgressMonitor
{
public:
    explicit Progress(int allowed = -1) : m_allowed(allowed) {}
    bool isCanceled() const override { return m_allowed >= 0 && values.size() >= m_allowed; }
    void setProgress(int value) override { values << value; }
    QList<int> values;

private:
    int m_allowed;
};

// Records read from the links folder, in the order given.
std::unique_ptr<RecordDump::Records> linkedReports(const QStringList& names)
{
    auto records = std::make_unique<RecordDump::Records>();
    for (const QString& name : names) {
        if (!records->read(QDir(LinksDir).filePath(name)))
            qWarning("cannot read %s", qPrintable(name));
    }
    return records;
}

// A one-node report named `name` whose text says where it lies, then `body`.
bool writeReport(const QString& dir, const QString& file, const QString& name, const QString& body)
{
    const QString path = QDir(dir).filePath(file);
    QDir().mkpath(QFileInfo(path).absolutePath());
    const QString text = QStringLiteral(
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<XROD>\n <DOCUMENT name=\"%1\" title=\"%1\">\n"
        "  <XROD:NODE name=\"suite\" type=\"Script\" state=\"ok\"><P>from %2</P><P>%3</P></XROD:NODE>\n"
        " </DOCUMENT>\n</XROD>\n").arg(name, file.toHtmlEscaped(), body);
    return TestFiles::writeFile(path, text.toUtf8());
}

} // namespace

class TestQAReporterHTMLWriter : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void htmlFileName_data()
    {
        QTest::addColumn<QString>("config");
        QTest::addColumn<QString>("xrd");
        QTest::addColumn<QString>("html");
        QTest::newRow("first dot") << "" << "C:/out/a.b.xrd" << "a.html";
        QTest::newRow("plain") << "" << "/r/report.xrd" << "report.html";
        QTest::newRow("configured suffix") << ".htm\n" << "x.y.z" << "x.htm";
    }

    void htmlFileName()
    {
        QFETCH(QString, config);
        QFETCH(QString, xrd);
        QAReporterHTMLWriter writer({}, {}, nullptr, nullptr);
        DHTMLConfig parsed;
        QVERIFY(parsed.parse(config));
        writer.setConfig(parsed);
        QTEST(writer.getHtmlFilenameForXrd(xrd), "html");
    }

    void linkTexts_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("base");
        QTest::addColumn<QString>("href"); // empty: the text alone
        QTest::addColumn<QStringList>("linked");
        const QStringList none;
        QTest::newRow("source made relative") << "/src/lib/x.c line 10" << "/src" << "lib/x.c" << none;
        QTest::newRow("source, parent folder") << "/src/lib/x.c line 10" << "/src/out" << "../lib/x.c" << none;
        QTest::newRow("source stays absolute") << "/opt/y.c line 3" << "" << "file:///opt/y.c" << none;
        QTest::newRow("relative source named like a scheme")
            << "javascript:alert(1) line 1" << "" << "./javascript:alert(1)" << none;
        QTest::newRow("source made relative, colon in name") << "/src/a:b.c line 2" << "/src" << "./a:b.c" << none;
        QTest::newRow("source with quote") << "/o/a\"b.c line 3" << "" << "file:///o/a%22b.c" << none;
        QTest::newRow("report with anchor") << "xrdlink://r/b.v1.xrd#t1" << "" << "b.html" << QStringList{"r/b.v1.xrd"};
        QTest::newRow("report without anchor") << "xrdlink://b.xrd" << "" << "b.html" << QStringList{"b.xrd"};
        QTest::newRow("unknown document") << "::nowhere" << "" << "" << none;
        QTest::newRow("script scheme") << "javascript:alert(1)" << "" << "" << none;
        QTest::newRow("tag in page") << "t1" << "" << "#tag-t1" << none;
        QTest::newRow("tag in the same report") << "xrdlink://#T9" << "" << "#tag-T9" << none;
        QTest::newRow("tag in the same report, escaped") << "xrdlink://#a b" << "" << "#tag-a%20b" << none;
        QTest::newRow("report link to nothing") << "xrdlink://" << "" << "" << none;
    }

    // One link written on its own: the exact texts around it.
    void linkTexts()
    {
        QFETCH(QString, target);
        QFETCH(QString, base);
        QFETCH(QString, href);
        QAReporterHTMLWriter writer({}, {}, nullptr, nullptr);
        writer.setBaseForLink(base);
        DLink link(target);
        link.setChild(new DText("T", &link));
        QString out;
        QTextStream stream(&out);
        writer.setStream(&stream);
        writer.doLink(static_cast<DItem*>(&link));
        stream.flush();
        const QString html = href.isEmpty() ? "T" : "<a href=\"" + href + "\">T</a>";
        QCOMPARE(out, html);
        QTEST(writer.xrdLinkedFiles(), "linked");

        // Not a link: nothing.
        DText plain("x");
        writer.doLink(static_cast<DItem*>(&plain));
        stream.flush();
        QCOMPARE(out, html);
    }

    // The report page of a.b.xrd: node bases on source links, report links without anchors,
    // document links to the loaded reports, the node outline.
    void goldenPage()
    {
        QTemporaryDir out;
        const auto reports = linkedReports({"a.b.xrd", "c.xrd"});
        QAReporterHTMLExport exporter("/src/out", out.filePath("none"), QString());
        QAReporterHTMLWriter writer(reports->list, reports->list, nullptr, nullptr);
        writer.setBaseForLink("/src/out");
        writer.setOutlineTree(reports->list.first()->dataTree);
        writer.setSummaryPage("index.html");
        QString page;
        QTextStream stream(&page);
        writer.setStream(&stream);
        writer.doAll(reports->list.first()->document);
        stream.flush();
        KORVAT_VERIFY_GOLDEN("a.html", page.mid(page.indexOf("<main>")));
        QCOMPARE(writer.xrdLinkedFiles(), (QStringList{"b.xrd", "a.b.xrd", "missing.xrd"}));
    }

    // Every shown report, every reachable linked report once (in passes), the header last; names
    // restored; the missing linked report logged and the export going on.
    void fullExport()
    {
        QTemporaryDir out;
        const auto reports = linkedReports({"a.b.xrd", "c.xrd"});
        DDocument header("Summary", "index");
        auto* link = new DLink("::first", &header);
        header.setChild(link);
        link->setChild(new DText("a.b.xrd", link));
        RecordingLog log;
        Progress progress;
        QAReporterHTMLExport exporter(out.path(), out.filePath("dhtml.cfg"), QString());
        exporter.run(reports->list, &reports->list, &header, &progress, &log);

        QVERIFY(!exporter.canceled());
        QCOMPARE(TestFiles::fileNames(exporter.writtenFiles()), (QStringList{"a.html", "c.html", "b.html", "d.html", "index.html"}));
        const QString missing = LinksDir + QDir::separator() + "missing.xrd";
        QCOMPARE(log.lines, QStringList{QString("Unable to open the report file '%1'").arg(missing)});
        QCOMPARE(exporter.unreadable(), QStringList{missing});
        QCOMPARE(progress.values, (QList<int>{1, 2, 3, 4, 5}));
        QCOMPARE(reports->list.first()->document->name(), "first");
        const QList<QStringList> pageLinks{{"index.html", "<a href=\"a.html\">a.b.xrd</a>"},
                                           {"b.html", "<a href=\"d.html\">d</a>"},
                                           {"a.html", "<a href=\"index.html\">"}};
        for (const QStringList& pageLink : pageLinks)
            QVERIFY2(TestFiles::readText(out.filePath(pageLink[0])).contains(pageLink[1]), qPrintable(pageLink[0]));
    }

    // A report named like its page, exported into its own folder, is refused and kept; the
    // other pages are written.
    void exportKeepsInputNamedLikeItsPage()
    {
        QTemporaryDir dir;
        const QString input = dir.filePath("report.html");
        QVERIFY(QFile::copy(QDir(LinksDir).filePath("c.xrd"), input));
        const QString before = TestFiles::readText(input);
        RecordDump::Records records;
        QVERIFY(records.read(input));
        DDocument header("Summary", "index");
        RecordingLog log;
        QAReporterHTMLExport exporter(dir.path(), QString(), QString());
        exporter.run(records.list, &records.list, &header, nullptr, &log);

        QCOMPARE(exporter.failedPages(), QStringList{"report.html"});
        QCOMPARE(TestFiles::readText(input), before);
        QCOMPARE(TestFiles::fileNames(exporter.writtenFiles()), QStringList{"index.html"});
        QVERIFY2(log.lines.join('\n').contains("report.html"), qPrintable(log.lines.join('\n')));
    }

    // Page names: every report its own page in load order, the summary keeping its name, the
    // configured suffix on every page; every link to a page follows its name.
    void pageNames_data()
    {
        QTest::addColumn<QString>("config");
        QTest::addColumn<QStringList>("shown");  // the shown reports, in order
        QTest::addColumn<QStringList>("others"); // further report files, reached by links only
        QTest::addColumn<QString>("body");       // more text of the first shown report
        QTest::addColumn<QStringList>("pages");  // the pages written, in order
        QTest::addColumn<QStringList>("hrefs");  // "page>href": links that must be there
        QTest::addColumn<QStringList>("holds");  // "page>text": texts that must be there
        const QStringList none;
        QTest::newRow("same name, two folders")
            << "" << QStringList{"a/report.xrd", "b/report.xrd"} << none
            << "<LINK target=\"xrdlink://../b/report.xrd\">b</LINK>"
            << QStringList{"report.html", "report-2.html", "index.html"}
            << QStringList{"index.html>report.html", "index.html>report-2.html", "report.html>report-2.html"}
            << QStringList{"report.html>from a/report.xrd", "report-2.html>from b/report.xrd"};
        QTest::newRow("same name, linked")
            << "" << QStringList{"a/report.xrd"} << QStringList{"a/sub/report.xrd"}
            << "<LINK target=\"xrdlink://sub/report.xrd#t1\">sub</LINK>"
            << QStringList{"report.html", "report-2.html", "index.html"}
            << QStringList{"index.html>report.html", "report.html>report-2.html"}
            << QStringList{"report-2.html>from a/sub/report.xrd"};
        QTest::newRow("report named index")
            << "" << QStringList{"index.xrd", "b.xrd"} << none << "<LINK target=\"xrdlink://index.xrd\">me</LINK>"
            << QStringList{"index-2.html", "b.html", "index.html"}
            << QStringList{"index.html>index-2.html", "index.html>b.html", "index-2.html>index-2.html"}
            << QStringList{"index-2.html>from index.xrd"};
        QTest::newRow("report named Index, names ignore case")
            << "" << QStringList{"Index.xrd"} << none << ""
            << QStringList{"Index-2.html", "index.html"} << QStringList{"index.html>Index-2.html"}
            << QStringList{"Index-2.html>from Index.xrd"};
        QTest::newRow("configured suffix")
            << ".htm\n" << QStringList{"a.xrd"} << QStringList{"b/c.xrd"}
            << "<LINK target=\"xrdlink://b/c.xrd\">c</LINK>"
            << QStringList{"a.htm", "c.htm", "index.htm"}
            << QStringList{"index.htm>a.htm", "a.htm>c.htm", "a.htm>index.htm"} << none;
        QTest::newRow("suffix as a key")
            << "suffix = .htm\n" << QStringList{"a.xrd", "b.xrd"} << none << ""
            << QStringList{"a.htm", "b.htm", "index.htm"}
            << QStringList{"index.htm>a.htm", "index.htm>b.htm"} << none;
        QTest::newRow("tag in the same report")
            << "" << QStringList{"a.xrd"} << none << "<LINK target=\"xrdlink://#T9\">here</LINK><TAG name=\"T9\"/>"
            << QStringList{"a.html", "index.html"} << QStringList{"a.html>#tag-T9"}
            << QStringList{"a.html>id=\"tag-T9\""};
        QTest::newRow("shown report linked by another path")
            << "" << QStringList{"a.xrd"} << none << "<LINK target=\"xrdlink://./a.xrd\">me</LINK>"
            << QStringList{"a.html", "index.html"} << QStringList{"a.html>a.html"} << none;
        // Names no page may keep as they are, each report in a folder of its own: the pages
        // are not compared, only that every one is written and reached.
        const auto apart = [](const QStringList& names) {
            QStringList files;
            for (const QString& name : names)
                files << QString::number(files.size()) + '/' + name;
            return files;
        };
        const QString e125(125, QChar(0xe9));
        const QString emoji = QString::fromUtf8("\xf0\x9f\x98\x80").repeated(62);
        QTest::newRow("characters file systems refuse")
            << "" << apart({"a?b.xrd", "a:b.xrd", "a\"b.xrd", "a<b.xrd", "a|b.xrd", "a*b.xrd"}) << none << ""
            << none << none << none;
        QTest::newRow("control characters and blanks")
            << "" << apart({"a\nb.xrd", "a\tb.xrd", " lead.xrd", "trail .xrd", "a\x7f" "b.xrd"}) << none << ""
            << none << none << none;
        QTest::newRow("characters links must encode")
            << "" << apart({"a#b.xrd", "a%41.xrd", "a b.xrd", "a&b.xrd", "a'b.xrd"}) << none << "" << none
            << none << none;
        QTest::newRow("long names, twice")
            << "" << apart({QString(250, 'x') + ".xrd", QString(250, 'x') + ".xrd"}) << none << "" << none
            << none << none;
        QTest::newRow("long two-byte names, twice, long suffix")
            << "suffix = .abcdefghijklmnop" << apart({e125 + ".xrd", e125 + ".xrd"}) << none << "" << none
            << none << none;
        QTest::newRow("long four-byte names, twice")
            << "" << apart({emoji + ".xrd", emoji + ".xrd"}) << none << "" << none << none << none;
    }

    void pageNames()
    {
        QFETCH(QString, config);
        QFETCH(QStringList, shown);
        QFETCH(QStringList, others);
        QFETCH(QString, body);
        QTemporaryDir in;
        QTemporaryDir out;
        const QString cfg = in.filePath("dhtml.cfg");
        QVERIFY(TestFiles::writeFile(cfg, config.toUtf8()));
        RecordDump::Records records;
        DDocument header("Summary", "index");
        for (qsizetype i = 0; i < shown.size(); ++i) {
            const QString name = QString("doc%1").arg(i);
            QVERIFY(writeReport(in.path(), shown[i], name, i == 0 ? body : QString()));
            QVERIFY(records.read(in.filePath(shown[i])));
            auto* link = new DLink("::" + name, &header);
            link->setChild(new DText(shown[i], link));
            header.appendChild(link);
        }
        for (const QString& other : std::as_const(others))
            QVERIFY(writeReport(in.path(), other, "other", QString()));
        RecordingLog log;
        QAReporterHTMLExport exporter(out.path(), cfg, QString());
        exporter.run(records.list, &records.list, &header, nullptr, &log);

        QVERIFY2(log.lines.isEmpty(), qPrintable(log.lines.join('\n')));
        QFETCH(QStringList, pages);
        if (pages.isEmpty()) {
            QCOMPARE(exporter.writtenFiles().size(), shown.size() + 1);
        } else {
            QCOMPARE(TestFiles::fileNames(exporter.writtenFiles()), pages);
            pages.sort();
            QCOMPARE(QDir(out.path()).entryList(QDir::Files, QDir::Name), pages);
        }
        // Every link of the summary (written last) reaches a page with a plain, short name.
        const QString summary = TestFiles::readText(exporter.writtenFiles().constLast());
        static const QRegularExpression href("href=\"([^\"#]*)\"");
        int links = 0;
        for (auto it = href.globalMatch(summary); it.hasNext(); ++links) {
            const QString target = QUrl::fromPercentEncoding(it.next().captured(1).toUtf8());
            QVERIFY2(QFileInfo(QDir(out.path()).filePath(target)).isFile(), qPrintable(target));
            QVERIFY(QFileInfo(target).fileName() == target && !target.startsWith('.'));
            QVERIFY(target.toUtf8().size() <= 255 - 16);
        }
        QCOMPARE(links, shown.size());
        QFETCH(QStringList, hrefs);
        for (const QString& check : std::as_const(hrefs)) {
            const QStringList parts = check.split('>');
            QVERIFY2(TestFiles::readText(out.filePath(parts[0])).contains("href=\"" + parts[1] + "\""),
                     qPrintable(check));
        }
        QFETCH(QStringList, holds);
        for (const QString& check : std::as_const(holds)) {
            const qsizetype cut = check.indexOf('>');
            QVERIFY2(TestFiles::readText(out.filePath(check.left(cut))).contains(check.mid(cut + 1)),
                     qPrintable(check));
        }
    }

    // Many report links in one report: to files that do not exist (each logged once, in the
    // order met) or to one file under many spellings (read and written once). A link per
    // spelling still leads to that file's page.
    void manyLinks_data()
    {
        QTest::addColumn<QStringList>("targets");    // link file parts, in order
        QTest::addColumn<QStringList>("unreadable"); // file names logged as unreadable
        QTest::addColumn<QStringList>("pages");      // pages written, in order
        QStringList missing;
        for (int i = 0; i < 3000; ++i)
            missing << QStringLiteral("gone%1.xrd").arg(i);
        QTest::newRow("3000 missing files, twice each")
            << missing + missing << missing << QStringList{"main.html", "index.html"};
        QStringList spellings;
        QString prefix;
        for (int i = 0; i < 300; ++i) {
            spellings << prefix + "a.xrd" << prefix + "x/../a.xrd" << prefix + "ln/../a.xrd"
                      << "ln/" + prefix + "a.xrd";
            prefix += "./";
        }
        QTest::newRow("one file, 1200 spellings")
            << spellings << QStringList() << QStringList{"main.html", "a.html", "index.html"};
    }

    void manyLinks()
    {
        QFETCH(QStringList, targets);
        QTemporaryDir in;
        QTemporaryDir out;
        QString body;
        for (const QString& target : std::as_const(targets))
            body += QString("<LINK target=\"xrdlink://%1\">l</LINK>").arg(target);
        QVERIFY(writeReport(in.path(), "main.xrd", "main", body));
        QVERIFY(writeReport(in.path(), "a.xrd", "a", QString()));
        QVERIFY(QDir(in.path()).mkdir("x"));
        QVERIFY(QDir(in.path()).mkdir("d"));
        QVERIFY(QFile::link(in.filePath("d"), in.filePath("ln")));
        QVERIFY(QFile::link(in.filePath("a.xrd"), in.filePath("d/a.xrd")));
        RecordDump::Records records;
        QVERIFY(records.read(in.filePath("main.xrd")));
        DDocument header("Summary", "index");
        RecordingLog log;
        Progress progress;
        QAReporterHTMLExport exporter(out.path(), QString(), QString());
        exporter.run(records.list, &records.list, &header, &progress, &log);

        QTEST(TestFiles::fileNames(exporter.unreadable()), "unreadable");
        QCOMPARE(log.lines.size(), exporter.unreadable().size());
        QFETCH(QStringList, pages);
        QCOMPARE(TestFiles::fileNames(exporter.writtenFiles()), pages);
        // One progress step per page written: no file was read twice.
        QCOMPARE(progress.values.size(), pages.size());
        const QString page = TestFiles::readText(out.filePath("main.html"));
        if (exporter.unreadable().isEmpty())
            QCOMPARE(page.count("href=\"a.html\""), targets.size());
    }

    // Cancelled after `allowed` pages; -1: a window without shown copies yet,
    // and without monitors, exports its header only.
    void cancel_data()
    {
        QTest::addColumn<int>("allowed");
        QTest::addColumn<QStringList>("written");
        QTest::newRow("before the first report") << 0 << QStringList();
        QTest::newRow("before the second report") << 1 << QStringList{"a.html"};
        QTest::newRow("before the first linked file") << 2 << QStringList{"a.html", "c.html"};
        QTest::newRow("no shown copies: the header only") << -1 << QStringList{"index.html"};
    }

    void cancel()
    {
        QFETCH(int, allowed);
        QTemporaryDir out;
        const auto reports = linkedReports(allowed < 0 ? QStringList{"c.xrd"} : QStringList{"a.b.xrd", "c.xrd"});
        DDocument header("Summary", "index");
        RecordingLog log;
        Progress progress(allowed);
        QAReporterHTMLExport exporter(out.path(), QString(), QString());
        const bool shown = allowed >= 0;
        exporter.run(reports->list, shown ? &reports->list : nullptr, &header, shown ? &progress : nullptr,
                     shown ? &log : nullptr);
        QCOMPARE(exporter.canceled(), shown);
        QTEST(TestFiles::fileNames(exporter.writtenFiles()), "written");
        QTEST(QDir(out.path()).entryList(QDir::Files), "written");
        QVERIFY(log.lines.isEmpty());
    }
};

QTEST_MAIN(TestQAReporterHTMLWriter)
#include "tst_qareporterhtmlwriter.moc"
