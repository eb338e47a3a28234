#include "tests/support/goldenfile.h"
#include "tests/support/testfiles.h"
#include "tests/support/xrdviewrun.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// xrdview on JUnit XML results: the tree, the summary and its exit status as
// a CI quality gate (skipped is inconclusive, an error is a failure), the
// HTML export, and the refusal of a broken file.
class tst_XrdViewJUnit : public QObject
{
    Q_OBJECT

    QTemporaryDir m_config;

    XrdviewRun run(const QStringList& args)
    {
        return runXrdview(args, m_config.path(), QStringLiteral(KORVAT_TEST_DATA));
    }

private Q_SLOTS:
    void initTestCase() { QVERIFY(m_config.isValid()); }

    void modes_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("golden"); // empty: output not compared
        QTest::addColumn<int>("status");

        const QString example = QStringLiteral(KORVAT_EXAMPLES "/junit-surefire.xml");
        QTest::newRow("summary, failure and error") << QStringList{"--summary", example}
                                                    << "junit-summary-surefire.txt" << 1;
        QTest::newRow("summary, skipped is not a failure")
            << QStringList{"--summary", "junit-states.xml"} << "junit-summary-states.txt" << 0;
        QTest::newRow("summary, an error fails the gate")
            << QStringList{"--summary", "junit-error.xml"} << "junit-summary-error.txt" << 1;
        QTest::newRow("summary, JUnit beside XRD")
            << QStringList{"--summary", "junit-states.xml", "allpassed.xrd"} << "junit-summary-mixed.txt" << 0;
        QTest::newRow("summary, broken file")
            << QStringList{"--summary", "junit-states.xml", "junit-malformed.xml"} << QString() << 2;
        QTest::newRow("summary, entity expansion") << QStringList{"--summary", "junit-entities.xml"} << QString() << 2;
        QTest::newRow("tree") << QStringList{"--print-tree", example} << "junit-tree-surefire.txt" << 0;
        QTest::newRow("tree, failed only") << QStringList{"--print-tree", "--failed-only", example}
                                           << "junit-tree-surefire-failed.txt" << 0;
        QTest::newRow("tree, skipped is NE, error is ko")
            << QStringList{"--print-tree", "junit-states.xml", "junit-error.xml"} << "junit-tree-states.txt" << 0;
        QTest::newRow("results table") << QStringList{"--print-summary", example, "junit-states.xml"}
                                       << "junit-table.txt" << 0;
        QTest::newRow("text") << QStringList{"--print-text", "junit-error.xml"} << "junit-text-error.txt" << 0;
    }

    void modes()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, golden);
        QFETCH(int, status);
        const XrdviewRun ran = run(args);
        QVERIFY2(ran.status == status, qPrintable(ran.describe()));
        if (status == 2) // the refused file is named, with the reason
            QVERIFY2(ran.err.contains(args.last().toLocal8Bit()) && ran.err.contains("\t\tJUnit, line "), ran.err.constData());
        if (golden.isEmpty())
            return;
        KORVAT_VERIFY_GOLDEN(golden, QString::fromUtf8(ran.out));
    }

    void exportHtml_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QStringList>("present"); // texts of the report page
        QTest::addColumn<QStringList>("absent");

        QTest::newRow("all") << QStringList()
                             << QStringList{"reservesForOrder", "addsReceiptToStock", "Failure: expected"}
                             << QStringList();
        QTest::newRow("failed only") << QStringList{"--failed-only"}
                                     << QStringList{"reservesForOrder", "exportsCsv"}
                                     << QStringList{"addsReceiptToStock", "importsLegacyFormat"};
    }

    void exportHtml()
    {
        QFETCH(QStringList, options);
        QTemporaryDir work;
        QVERIFY(work.isValid());
        const QString out = work.filePath(QStringLiteral("site"));
        const XrdviewRun ran = run(QStringList{"--export-html", out} + options
                                   + QStringList{QStringLiteral(KORVAT_EXAMPLES "/junit-surefire.xml")});
        QVERIFY2(ran.status == 1, ran.err.constData()); // as --summary: two tests failed
        const QString html = TestFiles::readText(out + QStringLiteral("/junit-surefire.html"));
        QVERIFY2(!html.isEmpty(), ran.out.constData());
        QFETCH(QStringList, present);
        for (const QString& text : present)
            QVERIFY2(html.contains(text), qPrintable(text));
        QFETCH(QStringList, absent);
        for (const QString& text : absent)
            QVERIFY2(!html.contains(text), qPrintable(text));
    }
};

QTEST_GUILESS_MAIN(tst_XrdViewJUnit)
#include "tst_xrdviewjunit.moc"
