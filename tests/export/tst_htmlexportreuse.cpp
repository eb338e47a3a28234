// A failed-only export of loaded reports that link to each other: one page per report file
// whatever spelling reaches it, no link to a page that is not written, totals on every report
// page, linked reports' pages filtered as the shown ones; report links with a tag into a split
// report lead to the page that holds the tag.

#include "korvatreporter/session/qareportsession.h"
#include "tests/support/testfiles.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

// A report with a failed and a passed test case, and a link to `target`.
QByteArray report(const QString& name, const QString& target)
{
    return QStringLiteral(
               "<XROD><DOCUMENT name=\"%1\"><XROD:NODE name=\"%1\" type=\"Script\" state=\"ko\">"
               "<XROD:NODE name=\"bad\" type=\"TestCase\" state=\"ko\" sum=\"1\"><P>%1 "
               "failing</P></XROD:NODE>"
               "<XROD:NODE name=\"good\" type=\"TestCase\" state=\"ok\" sum=\"1\"><P>%1 "
               "passing</P></XROD:NODE>"
               "<P><LINK target=\"xrdlink://%2\">to %2</LINK></P></XROD:NODE></DOCUMENT></XROD>\n")
        .arg(name, target)
        .toUtf8();
}

// A campaign of 30 scripts, each with one test case (failed in even scripts) holding the tag
// T<script> and enough text that a small page size splits the report below the campaign.
QByteArray splitReport()
{
    QByteArray xml = "<XROD><DOCUMENT name=\"big\"><XROD:NODE name=\"campaign\" type=\"Campaign\" state=\"ko\">";
    for (int k = 1; k <= 30; ++k) {
        const QByteArray n = QByteArray::number(k);
        const QByteArray state = k % 2 ? "ok" : "ko";
        xml += "<XROD:NODE name=\"script " + n + "\" type=\"Script\" state=\"" + state
               + "\"><XROD:NODE name=\"case " + n + "\" type=\"TestCase\" state=\"" + state
               + "\" sum=\"1\"><P><TAG name=\"T" + n + "\"/>" + QByteArray("Step text. ").repeated(60)
               + "</P></XROD:NODE></XROD:NODE>";
    }
    return xml + "</XROD:NODE></DOCUMENT></XROD>\n";
}

} // namespace

class tst_HtmlExportReuse : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    // main.xrd and campaign.xrd are loaded; main links to linked.xrd, and both link on to
    // `spelling`, which names campaign.xrd or a file that cannot be read.
    void linkedByAnotherSpelling_data()
    {
        QTest::addColumn<QString>("spelling");
        QTest::addColumn<bool>("readable");
        QTest::newRow("dot") << "./campaign.xrd" << true;
        QTest::newRow("dot-dot") << "sub/../campaign.xrd" << true;
        QTest::newRow("linked folder") << "lnsub/../campaign.xrd" << true;
        QTest::newRow("symbolic link to the file") << "alias.xrd" << true;
        QTest::newRow("malformed file") << "broken.xrd" << false;
        QTest::newRow("missing file") << "gone.xrd" << false;
    }

    void linkedByAnotherSpelling()
    {
        QFETCH(QString, spelling);
        QTemporaryDir in;
        QTemporaryDir out;
        const QDir dir(in.path());
        QVERIFY(dir.mkdir("sub") && QFile::link(dir.filePath("sub"), dir.filePath("lnsub")));
        QVERIFY(TestFiles::writeFile(dir.filePath("campaign.xrd"), report("campaign", spelling)));
        QVERIFY(QFile::link(dir.filePath("campaign.xrd"), dir.filePath("alias.xrd")));
        QVERIFY(TestFiles::writeFile(dir.filePath("main.xrd"), report("main", "linked.xrd")));
        QVERIFY(TestFiles::writeFile(dir.filePath("linked.xrd"), report("linked", spelling)));
        QVERIFY(TestFiles::writeFile(dir.filePath("broken.xrd"), "<XROD><DOCUMENT name=\"b\">"));
        QAReportSession session(nullptr);
        session.setFailedOnly(true);
        QVERIFY(session.load({dir.filePath("main.xrd"), dir.filePath("campaign.xrd")}).isEmpty());
        const QAStExportResult result = session.exportHtml(out.path(), nullptr, nullptr);

        QFETCH(bool, readable);
        QCOMPARE(result.unreadable.size(), readable ? 0 : 1);
        const QStringList written{"campaign.html", "index.html", "linked.html", "main.html"};
        QCOMPARE(QDir(out.path()).entryList(QDir::Files), written);
        QCOMPARE(result.written.size(), 4); // none written twice
        const QRegularExpression totals(
            "<table class=\"totals\">.*<td>(\\w+).xrd</td><td>Failed</td>"
            "<td class=\"n\">1</td><td class=\"n\">1</td><td class=\"n\">2</td>",
            QRegularExpression::DotMatchesEverythingOption);
        for (const QString& name : written) {
            const QString page = TestFiles::readText(QDir(out.path()).filePath(name));
            // Every report page holds failed tests only, as it says: the loaded reports' pages
            // and the linked report's, which is read unfiltered.
            const QString base = QFileInfo(name).baseName();
            if (name != "index.html")
                QVERIFY2(page.contains(base + " failing") && !page.contains(base + " passing"), qPrintable(name));
            QCOMPARE(totals.match(page).captured(1),
                     name == "index.html" ? QString() : QFileInfo(name).baseName());
            QCOMPARE(page.contains("href=\"campaign.html\""),
                     name == "index.html" || (readable && name != "main.html"));
            QVERIFY(!page.contains("broken.html") && !page.contains("gone.html"));
        }
    }

    // main.xrd links to tags of big.xrd, which is split into pages: loaded beside main or
    // reached through the link only, all tests shown or failed ones only.
    void linkIntoSplitReport_data()
    {
        QTest::addColumn<bool>("loaded");
        QTest::addColumn<bool>("failedOnly");
        QTest::addColumn<QString>("tag");
        QTest::addColumn<bool>("onItsPage"); // else the report page, without the anchor
        QTest::newRow("linked, tag on a node page") << false << false << "T20" << true;
        QTest::newRow("loaded, tag on a node page") << true << false << "T20" << true;
        QTest::newRow("linked, tag the report lacks") << false << false << "T99" << false;
        QTest::newRow("linked, failed only, failed test's tag") << false << true << "T20" << true;
        QTest::newRow("linked, failed only, passed test's tag left out") << false << true << "T21" << false;
        QTest::newRow("loaded, failed only, passed test's tag left out") << true << true << "T21" << false;
    }

    void linkIntoSplitReport()
    {
        QFETCH(bool, loaded);
        QFETCH(bool, failedOnly);
        QFETCH(QString, tag);
        QTemporaryDir in;
        QTemporaryDir out;
        const QDir dir(in.path());
        // A session without a host reads the export settings from the current folder.
        const QString previous = QDir::currentPath();
        QVERIFY(QDir::setCurrent(in.path()));
        QVERIFY(TestFiles::writeFile(dir.filePath("dhtml.cfg"), "pagesize = 8\n"));
        QVERIFY(TestFiles::writeFile(dir.filePath("main.xrd"), report("main", "big.xrd#" + tag)));
        QVERIFY(TestFiles::writeFile(dir.filePath("big.xrd"), splitReport()));
        QAReportSession session(nullptr);
        session.setFailedOnly(failedOnly);
        QStringList files{dir.filePath("main.xrd")};
        if (loaded)
            files << dir.filePath("big.xrd");
        QVERIFY(session.load(files).isEmpty());
        const QAStExportResult result = session.exportHtml(out.path(), nullptr, nullptr);
        QVERIFY(QDir::setCurrent(previous));
        QVERIFY(result.failedPages.isEmpty() && result.unreadable.isEmpty());
        QVERIFY2(QDir(out.path()).entryList({"big.n*.html"}, QDir::Files).size() > 2, "not split");

        const QString main = TestFiles::readText(QDir(out.path()).filePath("main.html"));
        const QRegularExpression link("href=\"(big[^\"#]*\\.html)(#[^\"]*)?\">to big");
        const QRegularExpressionMatch found = link.match(main);
        QVERIFY2(found.hasMatch(), qPrintable(main));
        QFETCH(bool, onItsPage);
        if (!onItsPage) {
            QCOMPARE(found.captured(0), QString("href=\"big.html\">to big"));
            return;
        }
        QVERIFY2(found.captured(1) != "big.html", qPrintable(found.captured(0)));
        QCOMPARE(found.captured(2), "#tag-" + tag);
        const QString target = TestFiles::readText(QDir(out.path()).filePath(found.captured(1)));
        QVERIFY2(target.contains("id=\"tag-" + tag + "\""), qPrintable(found.captured(1)));
    }
};

QTEST_MAIN(tst_HtmlExportReuse)
#include "tst_htmlexportreuse.moc"
