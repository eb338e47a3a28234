// A failed-only export of loaded reports that link to each other: one page per report file
// whatever spelling reaches it, no link to a page that is not written, totals on every report page.

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
            if (name == "campaign.html") // its failed-only page, never replaced
                QVERIFY(page.contains("campaign failing") && !page.contains("campaign passing"));
            QCOMPARE(totals.match(page).captured(1),
                     name == "index.html" ? QString() : QFileInfo(name).baseName());
            QCOMPARE(page.contains("href=\"campaign.html\""),
                     name == "index.html" || (readable && name != "main.html"));
            QVERIFY(!page.contains("broken.html") && !page.contains("gone.html"));
        }
    }
};

QTEST_MAIN(tst_HtmlExportReuse)
#include "tst_htmlexportreuse.moc"
