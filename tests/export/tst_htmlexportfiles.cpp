// The files an HTML export reads and writes: images and linked reports only from the report's
// folder (unless the configuration allows others), images of bounded size. (Page names that
// are safe file names every link reaches: tst_qareporterhtmlwriter.)

#include "korvatreporter/data/qareporterloader.h"
#include "korvatreporter/export/qareporterhtmlexport.h"
#include "rendoc/model/ddocument.h"
#include "rendoc/model/ditems.h"
#include "tests/support/recorddump.h"
#include "tests/support/recordinglog.h"
#include "tests/support/testfiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

using RecordDump::Records;

QByteArray report(const QByteArray& name, const QByteArray& body)
{
    return "<?xml version=\"1.0\"?>\n<XROD><DOCUMENT name=\"" + name + "\">\n<XROD:NODE name=\"n\" "
           "type=\"Script\" state=\"ok\"><P>" + body + "</P></XROD:NODE></DOCUMENT></XROD>\n";
}

} // namespace

class TestHtmlExportFiles : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void scope_data()
    {
        QTest::addColumn<QString>("config");
        QTest::addColumn<QString>("body");    // "$IN" and "$OUT": the report's folder, a folder beside it
        QTest::addColumn<QStringList>("written");
        QTest::addColumn<QString>("logged");  // part of the log, "" for an empty log
        const QString outside = "outside the report's folder";
        QTest::newRow("image in the report's folder")
            << "" << "<IMAGE src=\"$IN/in.png\"/>" << QStringList{"in.png", "r.html"} << "";
        QTest::newRow("image by absolute path outside")
            << "" << "<IMAGE src=\"$OUT/secret.png\"/>" << QStringList{"r.html"} << outside;
        QTest::newRow("image by ../ outside")
            << "" << "<IMAGE src=\"$IN/../out/secret.png\"/>" << QStringList{"r.html"} << outside;
        QTest::newRow("image through a link in the folder")
            << "" << "<IMAGE src=\"$IN/link/secret.png\"/>" << QStringList{"r.html"} << outside;
        QTest::newRow("image outside, allowed")
            << "outside = yes\n" << "<IMAGE src=\"$OUT/secret.png\"/>"
            << QStringList{"r.html", "secret.png"} << "";
        QTest::newRow("image over the size limit")
            << "" << "<IMAGE src=\"$IN/huge.png\"/>" << QStringList{"r.html"} << "larger than 64 MiB";
        QTest::newRow("linked report below the folder")
            << "" << "<LINK target=\"xrdlink://sub/s.xrd\">s</LINK>" << QStringList{"r.html", "s.html"} << "";
        QTest::newRow("linked report by ../ outside")
            << "" << "<LINK target=\"xrdlink://../out/o.xrd\">o</LINK>" << QStringList{"r.html"} << outside;
        QTest::newRow("linked report by absolute path outside")
            << "" << "<LINK target=\"xrdlink://$OUT/o.xrd\">o</LINK>" << QStringList{"r.html"} << outside;
        QTest::newRow("linked report outside, allowed")
            << "outside = yes\n" << "<LINK target=\"xrdlink://../out/o.xrd\">o</LINK>"
            << QStringList{"o.html", "r.html"} << "";
    }

    // A file the export may not read is shown as missing (an image placeholder, a link's bare
    // text), named in the log, and nothing is copied or exported from it.
    void scope()
    {
        QFETCH(QString, config);
        QFETCH(QString, body);
        QTemporaryDir root;
        const QString in = root.filePath("in");
        const QString out = root.filePath("out");
        QVERIFY(QDir().mkpath(in + "/sub") && QDir().mkpath(out));
        QImage image(2, 2, QImage::Format_RGB32);
        image.fill(Qt::red);
        QVERIFY(image.save(in + "/in.png") && image.save(out + "/secret.png"));
        QVERIFY(QFile::link(out, in + "/link"));
        // A sparse file that reads as a PNG, larger than any image worth copying.
        QFile huge(in + "/huge.png");
        QVERIFY(huge.open(QIODevice::WriteOnly) && huge.write("\x89PNG\r\n\x1a\n", 8) == 8);
        QVERIFY(huge.resize(64 * 1024 * 1024 + 1));
        huge.close();
        QVERIFY(TestFiles::writeFile(in + "/sub/s.xrd", report("s", "sub")));
        QVERIFY(TestFiles::writeFile(out + "/o.xrd", report("o", "private")));
        body.replace("$IN", in).replace("$OUT", out);
        QVERIFY(TestFiles::writeFile(in + "/r.xrd", report("r", body.toUtf8())));
        QVERIFY(TestFiles::writeFile(root.filePath("dhtml.cfg"), config.toUtf8()));
        Records records;
        QVERIFY(records.read(in + "/r.xrd"));
        RecordingLog log;
        QAReporterHTMLExport exporter(root.filePath("html"), root.filePath("dhtml.cfg"), QString());
        exporter.run(records.list, &records.list, nullptr, nullptr, &log);

        QFETCH(QString, logged);
        const QString lines = log.lines.join('\n');
        QTEST(TestFiles::fileNames(exporter.writtenFiles(), true), "written");
        QVERIFY2(logged.isEmpty() ? lines.isEmpty() : lines.contains(logged), qPrintable(lines));
        const QString page = TestFiles::readText(root.filePath("html/r.html"));
        QVERIFY(!page.contains("private"));
        if (!logged.isEmpty() && body.contains("IMAGE"))
            QVERIFY(page.contains("class=\"missing\""));
        if (!logged.isEmpty() && body.contains("LINK"))
            QVERIFY(!page.contains("o.html"));
    }

    // A linked report's page is a report page like the others: the outline of its node tree,
    // the link back to the summary, source links completed with their node's base.
    void linkedReportPage()
    {
        QTemporaryDir root;
        QVERIFY(TestFiles::writeFile(root.filePath("a.xrd"),
                                     report("a", "<LINK target=\"xrdlink://sub/b.xrd\">b</LINK>")));
        QVERIFY(QDir().mkpath(root.filePath("sub")));
        QVERIFY(TestFiles::writeFile(
            root.filePath("sub/b.xrd"),
            "<?xml version=\"1.0\"?>\n<XROD><DOCUMENT name=\"b\"><XROD:NODE name=\"outer\" type=\"Campaign\" "
            "state=\"ko\" base=\"/srv/b/\"><XROD:NODE name=\"inner\" type=\"Script\" state=\"ko\"><P><LINK "
            "target=\"tests/t.py line 3\">t.py</LINK></P></XROD:NODE></XROD:NODE></DOCUMENT></XROD>\n"));
        Records records;
        QVERIFY(records.read(root.filePath("a.xrd")));
        DDocument header("Summary", "index");
        RecordingLog log;
        QAReporterHTMLExport exporter(root.filePath("html"), QString(), QString());
        exporter.run(records.list, &records.list, &header, nullptr, &log);
        QVERIFY2(log.lines.isEmpty(), qPrintable(log.lines.join('\n')));

        const QString page = TestFiles::readText(root.filePath("html/b.html"));
        QVERIFY(page.contains("<nav class=\"outline\""));
        QVERIFY(page.contains(">inner</a>"));
        QVERIFY(page.contains("<p class=\"back\"><a href=\"index.html\">"));
        QVERIFY2(page.contains("/srv/b/tests/t.py\">t.py</a>"), qPrintable(page));
    }

    // A report page's totals have the summary's columns: flaky and inconclusive only when a
    // loaded report counts some.
    void pageTotalsColumns_data()
    {
        QTest::addColumn<qint64>("flaky");
        QTest::addColumn<qint64>("inconclusive");
        QTest::addColumn<QString>("row");
        QTest::newRow("plain") << qint64(0) << qint64(-1) << "<td>r.xrd</td><td>Passed</td><td class=\"n\">0</td>"
                                                             "<td class=\"n\">5</td><td class=\"n\">5</td>";
        QTest::newRow("flaky") << qint64(2) << qint64(-1)
                               << "<th>Flaky</th><th>Total</th></tr></thead>\n<tbody>\n<tr class=\"ok\"><td>r.xrd</td>"
                                  "<td>Passed</td><td class=\"n\">0</td><td class=\"n\">5</td><td class=\"n\">2</td>"
                                  "<td class=\"n\">5</td>";
        QTest::newRow("flaky and inconclusive")
            << qint64(2) << qint64(3)
            << "<th>Flaky</th><th>Inconclusive</th><th>Total</th></tr></thead>\n<tbody>\n<tr class=\"ok\">"
               "<td>r.xrd</td><td>Passed</td><td class=\"n\">0</td><td class=\"n\">5</td><td class=\"n\">2</td>"
               "<td class=\"n\">3</td><td class=\"n\">8</td>";
    }

    void pageTotalsColumns()
    {
        QFETCH(qint64, flaky);
        QFETCH(qint64, inconclusive);
        QTemporaryDir root;
        QVERIFY(TestFiles::writeFile(root.filePath("r.xrd"), report("r", "x")));
        Records records;
        QVERIFY(records.read(root.filePath("r.xrd")));
        QAReporterData& record = *records.owned.front();
        record.failed = 0;
        record.passed = 5;
        record.flaky = flaky;
        record.inconclusive = inconclusive;
        QAReporterHTMLExport exporter(root.filePath("html"), QString(), QString());
        exporter.run(records.list, &records.list, nullptr, nullptr, nullptr);
        const QString page = TestFiles::readText(root.filePath("html/r.html"));
        QFETCH(QString, row);
        QVERIFY2(page.contains(row), qPrintable(page.section("<tbody>", 0, 1).right(600)));
        QCOMPARE(page.contains("<th>Flaky</th>"), flaky > 0);
    }

    // An export of failed tests only says so on every page, the summary included.
    void failedOnlyNote()
    {
        for (const bool failedOnly : {false, true}) {
            QTemporaryDir root;
            QVERIFY(TestFiles::writeFile(root.filePath("r.xrd"), report("r", "x")));
            Records records;
            QVERIFY(records.read(root.filePath("r.xrd")));
            DDocument header("Summary", "index");
            QAReporterHTMLExport exporter(root.filePath("html"), QString(), QString());
            QAReporterFilter filter;
            if (failedOnly)
                filter.set(QAReporterFilter::StateMatch, QRegularExpression("ko"));
            exporter.setFilter(filter);
            exporter.run(records.list, &records.list, &header, nullptr, nullptr);
            QCOMPARE(exporter.writtenFiles().size(), 2);
            for (const QString& page : exporter.writtenFiles())
                QCOMPARE(TestFiles::readText(page).contains("<p class=\"note\">Failed tests only: passed "
                                                            "tests are left out"),
                         failedOnly);
        }
    }
};

QTEST_MAIN(TestHtmlExportFiles)
#include "tst_htmlexportfiles.moc"
