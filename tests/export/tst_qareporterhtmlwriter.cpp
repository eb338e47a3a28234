// The plug-in's HTML writer and the full export: link texts, linked reports in passes,
// cancel and unreadable linked files.

#include "korvatreporter/data/qareporterdata.h"
#include "korvatreporter/data/qareporterloader.h"
#include "korvatreporter/export/qareporterhtmlexport.h"
#include "korvatreporter/export/qareporterhtmlwriter.h"
#include "rendoc/ddocument.h"
#include "rendoc/ditems.h"
#include "sdk/qailogmonitor.h"
#include "sdk/qaiprogressmonitor.h"
#include "tests/support/goldenfile.h"
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

#include <memory>
#include <vector>

namespace {

QString linksDir()
{
    return QStringLiteral(KORVAT_TEST_DATA "/links");
}

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
struct Reports
{
    std::vector<std::unique_ptr<QAReporterData>> owned;
    QList<QAReporterData*> list;

    explicit Reports(const QStringList& names)
    {
        for (const QString& name : names) {
            owned.push_back(std::make_unique<QAReporterData>());
            owned.back()->fileName = QDir(linksDir()).filePath(name);
            if (QAReporterLoader::readRecord(*owned.back()) != QAReporterLoader::Read)
                qWarning("cannot read %s", qPrintable(name));
            list << owned.back().get();
        }
    }
};

QStringList names(const QStringList& paths)
{
    QStringList out;
    for (const QString& path : paths)
        out << QFileInfo(path).fileName();
    return out;
}

} // namespace

class TestQAReporterHTMLWriter : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void htmlFileName_data();
    void htmlFileName();
    void linkTexts_data();
    void linkTexts();
    void goldenPage();
    void fullExport();
    void cancel_data();
    void cancel();
    void noShownRecords();
};

void TestQAReporterHTMLWriter::htmlFileName_data()
{
    QTest::addColumn<QString>("config");
    QTest::addColumn<QString>("xrd");
    QTest::addColumn<QString>("html");
    QTest::newRow("first dot") << "" << "C:/out/a.b.xrd" << "a.html";
    QTest::newRow("plain") << "" << "/r/report.xrd" << "report.html";
    QTest::newRow("configured suffix") << ".htm\n" << "x.y.z" << "x.htm";
}

void TestQAReporterHTMLWriter::htmlFileName()
{
    QFETCH(QString, config);
    QFETCH(QString, xrd);
    QAReporterHTMLWriter writer({}, {}, nullptr, nullptr);
    DHTMLConfig parsed;
    QVERIFY(parsed.parse(config));
    writer.setConfig(parsed);
    QTEST(writer.getHtmlFilenameForXrd(xrd), "html");
}

void TestQAReporterHTMLWriter::linkTexts_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("base");
    QTest::addColumn<QString>("html");
    QTest::addColumn<QStringList>("linked");
    QTest::newRow("source made relative") << "/src/lib/x.c line 10" << "/src"
                                          << "<a href=\"lib/x.c\">T</a>" << QStringList();
    QTest::newRow("source, parent folder") << "/src/lib/x.c line 10" << "/src/out"
                                           << "<a href=\"../lib/x.c\">T</a>" << QStringList();
    QTest::newRow("source stays absolute") << "/opt/y.c line 3" << ""
                                           << "<a href=\"file:///opt/y.c\">T</a>" << QStringList();
    QTest::newRow("relative source named like a scheme")
        << "javascript:alert(1) line 1" << "" << "<a href=\"./javascript:alert(1)\">T</a>"
        << QStringList();
    QTest::newRow("source made relative, colon in name")
        << "/src/a:b.c line 2" << "/src" << "<a href=\"./a:b.c\">T</a>" << QStringList();
    QTest::newRow("source with quote") << "/o/a\"b.c line 3" << ""
                                       << "<a href=\"file:///o/a%22b.c\">T</a>" << QStringList();
    QTest::newRow("report with anchor") << "xrdlink://r/b.v1.xrd#t1" << ""
                                        << "<a href=\"b.html\">T</a>" << QStringList{"r/b.v1.xrd"};
    QTest::newRow("report without anchor") << "xrdlink://b.xrd" << "" << "<a href=\"b.html\">T</a>"
                                           << QStringList{"b.xrd"};
    QTest::newRow("unknown document") << "::nowhere" << "" << "T" << QStringList();
    QTest::newRow("script scheme") << "javascript:alert(1)" << "" << "T" << QStringList();
    QTest::newRow("tag in page") << "t1" << "" << "<a href=\"#tag-t1\">T</a>" << QStringList();
}

// One link written on its own: the exact texts around it.
void TestQAReporterHTMLWriter::linkTexts()
{
    QFETCH(QString, target);
    QFETCH(QString, base);
    QAReporterHTMLWriter writer({}, {}, nullptr, nullptr);
    writer.setBaseForLink(base);
    DLink link(target);
    auto* text = new DText(QStringLiteral("T"), &link);
    link.setChild(text);
    QString out;
    QTextStream stream(&out);
    writer.setStream(&stream);
    writer.doLink(static_cast<DItem*>(&link));
    stream.flush();
    QTEST(out, "html");
    QTEST(writer.xrdLinkedFiles(), "linked");

    // Not a link: nothing.
    DText plain(QStringLiteral("x"));
    writer.doLink(static_cast<DItem*>(&plain));
    stream.flush();
    QTEST(out, "html");
}

// The report page of a.b.xrd: node bases on source links, report links without anchors,
// document links to the loaded reports, the node outline.
void TestQAReporterHTMLWriter::goldenPage()
{
    QTemporaryDir out;
    Reports reports({QStringLiteral("a.b.xrd"), QStringLiteral("c.xrd")});
    QAReporterHTMLExport exporter(QStringLiteral("/src/out"), out.filePath(QStringLiteral("none")),
                                  QString());
    QAReporterHTMLWriter writer(reports.list, reports.list, nullptr, nullptr);
    writer.setBaseForLink(QStringLiteral("/src/out"));
    writer.setOutlineTree(reports.list.first()->dataTree);
    writer.setSummaryPage(QStringLiteral("index.html"));
    QString page;
    QTextStream stream(&page);
    writer.setStream(&stream);
    writer.doAll(reports.list.first()->document);
    stream.flush();
    const QString part = page.mid(page.indexOf(QLatin1String("<main>")));
    QString message;
    QVERIFY2(GoldenFile::check(QStringLiteral("a.html"), part, &message), qPrintable(message));
    QCOMPARE(writer.xrdLinkedFiles(),
             (QStringList{"b.xrd", "a.b.xrd", "missing.xrd"}));
}

// Every shown report, every reachable linked report once (in passes), the header last; names
// restored; the missing linked report logged and the export going on.
void TestQAReporterHTMLWriter::fullExport()
{
    QTemporaryDir out;
    Reports reports({QStringLiteral("a.b.xrd"), QStringLiteral("c.xrd")});
    DDocument header(QStringLiteral("Summary"), QStringLiteral("index"));
    auto* link = new DLink(QStringLiteral("::first"), &header);
    header.setChild(link);
    link->setChild(new DText(QStringLiteral("a.b.xrd"), link));
    RecordingLog log;
    Progress progress;
    QAReporterHTMLExport exporter(out.path(), out.filePath(QStringLiteral("dhtml.cfg")), QString());
    exporter.run(reports.list, &reports.list, &header, &progress, &log);

    QVERIFY(!exporter.canceled());
    QCOMPARE(names(exporter.writtenFiles()),
             (QStringList{"a.html", "c.html", "b.html", "d.html", "index.html"}));
    const QString missing = linksDir() + QDir::separator() + QStringLiteral("missing.xrd");
    QCOMPARE(log.lines, QStringList{QStringLiteral("Unable to open the report file '%1'").arg(missing)});
    QCOMPARE(exporter.unreadable(), QStringList{missing});
    QCOMPARE(progress.values, (QList<int>{1, 2, 3, 4, 5}));
    QCOMPARE(reports.list.first()->document->name(), QStringLiteral("first"));
    QVERIFY(TestFiles::readText(out.filePath(QStringLiteral("index.html")))
                .contains(QLatin1String("<a href=\"a.html\">a.b.xrd</a>")));
    QVERIFY(TestFiles::readText(out.filePath(QStringLiteral("b.html")))
                .contains(QLatin1String("<a href=\"d.html\">d</a>")));
    QVERIFY(TestFiles::readText(out.filePath(QStringLiteral("a.html")))
                .contains(QLatin1String("<a href=\"index.html\">")));
}

void TestQAReporterHTMLWriter::cancel_data()
{
    QTest::addColumn<int>("allowed");
    QTest::addColumn<QStringList>("written");
    QTest::newRow("before the first report") << 0 << QStringList();
    QTest::newRow("before the second report") << 1 << QStringList{"a.html"};
    QTest::newRow("before the first linked file") << 2 << QStringList{"a.html", "c.html"};
}

void TestQAReporterHTMLWriter::cancel()
{
    QFETCH(int, allowed);
    QTemporaryDir out;
    Reports reports({QStringLiteral("a.b.xrd"), QStringLiteral("c.xrd")});
    DDocument header(QStringLiteral("Summary"), QStringLiteral("index"));
    RecordingLog log;
    Progress progress(allowed);
    QAReporterHTMLExport exporter(out.path(), QString(), QString());
    exporter.run(reports.list, &reports.list, &header, &progress, &log);
    QVERIFY(exporter.canceled());
    QTEST(names(exporter.writtenFiles()), "written");
    QTEST(QDir(out.path()).entryList(QDir::Files), "written");
    QVERIFY(log.lines.isEmpty());
}

// A window without shown copies yet exports its header only.
void TestQAReporterHTMLWriter::noShownRecords()
{
    QTemporaryDir out;
    Reports reports({QStringLiteral("c.xrd")});
    DDocument header(QStringLiteral("Summary"), QStringLiteral("index"));
    QAReporterHTMLExport exporter(out.path(), QString(), QString());
    exporter.run(reports.list, nullptr, &header, nullptr, nullptr);
    QCOMPARE(names(exporter.writtenFiles()), QStringList{"index.html"});
}

QTEST_MAIN(TestQAReporterHTMLWriter)
#include "tst_qareporterhtmlwriter.moc"
