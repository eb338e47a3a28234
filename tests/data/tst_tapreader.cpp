#include "korvatreporter/data/qareporterdata.h"
#include "korvatreporter/data/tap/qatapreader.h"
#include "rendoc/model/ddocument.h"
#include "rendoc/model/dtreeprinter.h"
#include "tests/support/goldenfile.h"
#include "tests/support/recorddump.h"

#include <QTemporaryDir>
#include <QtTest>

// Reading TAP streams of Perl's harness and node's test runner into node
// trees, totals and documents.
class TestTapReader : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    QString write(const QByteArray &content) { return RecordDump::write(m_dir, "input.tap", content); }

private Q_SLOTS:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        QVERIFY(m_dir.isValid());
    }

    void golden_data()
    {
        QTest::addColumn<QString>("file");
        // TAP 13 from node: a pass, a fail, a skip, a failing TODO (a pass)
        // and a subtest of two with YAML diagnostics everywhere.
        QTest::newRow("node") << "node.tap";
        // Perl's Test::More: plan first, a skip without a description, a
        // TODO that passed and a subtest named at its parent's indentation.
        QTest::newRow("perl") << "perl-basic.tap";
        // No plan, then "Bail out!".
        QTest::newRow("bail out") << "perl-bail.tap";
    }

    void golden()
    {
        QFETCH(QString, file);
        QATapReader reader;
        QAReporterData record;
        QVERIFY2(RecordDump::read(reader, KORVAT_TEST_DATA "/tap/" + file, record), qPrintable(reader.errorString()));
        KORVAT_VERIFY_GOLDEN("tap/" + QString(file).replace(".tap", ".dump"), RecordDump::dump(record));
    }

    void lines_data()
    {
        QTest::addColumn<QByteArray>("tap");
        QTest::addColumn<QString>("outline");
        QTest::addColumn<QString>("text"); // a part of the report text

        QTest::newRow("failing TODO is no failure")
            << QByteArray("1..2\nnot ok 1 - x # TODO later\nok 2 - y # todo\n") << "x:ok\ny:ok"
            << "TODO, failed as expected: later";
        QTest::newRow("skip directive spelled out")
            << QByteArray("1..2\nok 1 # SKIPPED no net\nnot ok 2 - z # skip\n") << "test 1:NE\nz:NE" << "Skipped: no net";
        QTest::newRow("escaped hash is no directive")
            << QByteArray("ok 1 - a \\# TODO b\n1..1\n") << "a # TODO b:ok" << "passed: 1";
        QTest::newRow("no plan") << QByteArray("ok 1\nok 2\n") << "test 1:ok\ntest 2:ok" << "No plan: 2 test(s) ran.";
        QTest::newRow("fewer than planned")
            << QByteArray("1..3\nok 1 - a\n") << "a:ok" << "Planned 3 test(s), 1 ran.";
        QTest::newRow("numbers out of order")
            << QByteArray("1..2\nok 2 - a\nok 1 - b\n") << "a:ok\nb:ok" << "Numbered 2, but test 1 here.";
        QTest::newRow("TAP 14 subtest named at its own indentation")
            << QByteArray("TAP version 14\n1..1\n    # Subtest: s\n    1..1\n    not ok 1 - c\nnot ok 1 - s\n")
            << "s:ko\n.c:ko" << "TAP version 14.";
        QTest::newRow("unnamed subtest takes its point's name")
            << QByteArray("1..1\n    ok 1 - c\n    1..2\nok 1 - s\n") << "s:ok\n.c:ok" << "Planned 2 test(s), 1 ran.";
        QTest::newRow("subtest without its point")
            << QByteArray("# Subtest: s\n    ok 1 - c\n    not ok 2 - d # SKIP\n    1..2\n") << "s:NE\n.c:ok\n.d:NE"
            << "No plan: 0 test(s) ran.";
        QTest::newRow("nested subtests")
            << QByteArray("1..1\n# Subtest: a\n    # Subtest: b\n        ok 1 - c\n        1..1\n    ok 1 - b\n"
                          "    1..1\nnot ok 1 - a\n")
            << "a:ko\n.b:ok\n..c:ok" << "failed: 1";
        QTest::newRow("YAML block kept, its location a link")
            << QByteArray("not ok 1 - a\n  ---\n  location: '/src/a.js:4:1'\n  error: |-\n    boom\n  ...\n1..1\n")
            << "a:ko" << "Link target=\"/src/a.js line 4\"";
        QTest::newRow("location with a drive letter and no column")
            << QByteArray("not ok 1 - a\n  ---\n  location: C:/src/a.js:12 \n  ...\n1..1\n")
            << "a:ko" << "Link target=\"C:/src/a.js line 12\"";
        QTest::newRow("location whose file starts with a colon")
            << QByteArray("not ok 1 - a\n  ---\n  location: ':7:2'\n  ...\n1..1\n") << "a:ko"
            << "Link target=\":7 line 2\"";
        QTest::newRow("location whose file is its quote")
            << QByteArray("not ok 1 - a\n  ---\n  location: ':7'\n  ...\n1..1\n") << "a:ko"
            << "Link target=\"' line 7\"";
        QTest::newRow("location without a line number is text")
            << QByteArray("not ok 1 - a\n  ---\n  location: 'a.js:x'\n  ...\n1..1\n") << "a:ko"
            << "Text \"a\"\n  Paragraph\n    Text \"Diagnostics:\"";
        QTest::newRow("YAML block without its end")
            << QByteArray("1..2\nnot ok 1 - a\n  ---\n  message: lost\nok 2 - b\n") << "a:ko\nb:ok" << "message: lost";
        QTest::newRow("bail out inside a subtest ends the run")
            << QByteArray("1..2\n# Subtest: s\n    ok 1 - c\n    Bail out! disk full\nok 1 - s\nok 2 - t\n")
            << "s:ko\n.c:ok\n.Bail out!:ko" << "The run bailed out: disk full";
        QTest::newRow("skipped plan")
            << QByteArray("1..0 # Skipped: no display\n") << "" << "Skipped: no display";
        QTest::newRow("unknown lines kept")
            << QByteArray("ok 1\nsome runner noise\n# a comment\n1..1\n") << "test 1:ok" << "some runner noise";
        QTest::newRow("carriage returns and a byte order mark")
            << QByteArray("\xef\xbb\xbf" "1..1\r\nok 1 - a\r\n") << "a:ok" << "passed: 1";
    }

    void lines()
    {
        QFETCH(QByteArray, tap);
        QATapReader reader;
        QAReporterData record;
        QVERIFY2(RecordDump::read(reader, write(tap), record), qPrintable(reader.errorString()));
        QTEST(RecordDump::outline(record), "outline");
        QFETCH(QString, text);
        const QString printed = DTreePrinter::print(record.document);
        QVERIFY2(printed.contains(text), qPrintable(printed));
    }

    void rejected_data()
    {
        QTest::addColumn<QByteArray>("tap");
        QTest::addColumn<QString>("error");

        QTest::newRow("empty") << QByteArray("\n  \n") << "TAP, the file holds no test results.";
        QTest::newRow("binary") << QByteArray("ok 1\nok 2\x00\x01\n", 11) << "TAP, line 2: binary data, not text.";
        QByteArray deep;
        for (int i = 1; i <= 1001; ++i)
            deep += QByteArray(i, ' ') + "ok 1\n";
        QTest::newRow("1,001 levels of subtests") << deep << "TAP, tests nested deeper than 1000.";
    }

    void rejected()
    {
        QFETCH(QByteArray, tap);
        QATapReader reader;
        QAReporterData record;
        QVERIFY(!RecordDump::read(reader, write(tap), record));
        QTEST(reader.errorString().trimmed(), "error");
        QVERIFY(!reader.canceled());
        QVERIFY(!record.dataTree && !record.document);
    }

};

QTEST_MAIN(TestTapReader)
#include "tst_tapreader.moc"
