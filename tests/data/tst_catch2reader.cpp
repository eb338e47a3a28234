#include "korvatreporter/data/catch2/qacatch2reader.h"
#include "tests/support/goldenfile.h"
#include "tests/support/recorddump.h"
#include "tests/support/threadthreshold.h"

#include <QTemporaryDir>
#include <QtTest>

using RecordDump::Read;

// Reading the output of Catch2's XML reporter into node trees, verdicts,
// totals and documents.
class TestCatch2Reader : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

private Q_SLOTS:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        QVERIFY(m_dir.isValid());
    }

    void golden()
    {
        // Nested sections, failed checks with expansions, an unexpected
        // exception, an expected failure, info and warning messages.
        // Parsed in turn and on a thread of its own, a file reads alike.
        for (const qint64 threshold : {-1, 0}) {
            const ThreadThreshold threads(threshold);
            Read read(KORVAT_TEST_DATA "/catch2/catch2tiny.xml");
            QVERIFY2(read.ok(), qPrintable(read.reason));
            KORVAT_VERIFY_GOLDEN("catch2/catch2tiny.dump", RecordDump::dump(read.record));
        }
    }

    void verdicts_data()
    {
        QTest::addColumn<QString>("xml");
        QTest::addColumn<QStringList>("tree");

        const auto testCase = [](const QString &name, const QString &body, const QString &result) {
            return "<TestCase name=\"" + name + "\" filename=\"t.cpp\" line=\"4\">" + body + "<OverallResult "
                   + result + "/></TestCase>";
        };
        const auto section = [](const QString &name, const QString &body, int failures) {
            return "<Section name=\"" + name + "\">" + body + "<OverallResults successes=\"1\" failures=\""
                   + QString::number(failures) + "\" expectedFailures=\"0\"/></Section>";
        };
        QTest::newRow("case results")
            << "<Catch name=\"r\"><Group name=\"g\">" + testCase("p", "", "success=\"true\"")
                   + testCase("f", "", "success=\"false\"") + testCase("s", "", "success=\"true\" skipped=\"true\"")
                   + "<TestCase name=\"cut\"/></Group></Catch>"
            << QStringList{"g:ko", ".p:ok", ".f:ko", ".s:NE", ".cut:NE"};
        QTest::newRow("sections nest and keep their own verdicts")
            << "<Catch><Group name=\"g\">"
                   + testCase("c", section("a", section("a1", "", 0) + section("a2", "", 2), 2) + section("b", "", 0),
                              "success=\"false\"")
                   + "</Group></Catch>"
            << QStringList{"g:ko", ".c:ko", "..a:ko", "...a1:ok", "...a2:ko", "..b:ok"};
        QTest::newRow("a skipped case outweighs passes")
            << "<Catch><Group name=\"g\">" + testCase("p", "", "success=\"true\"")
                   + testCase("s", "", "success=\"true\" skipped=\"true\"") + "</Group></Catch>"
            << QStringList{"g:NE", ".p:ok", ".s:NE"};
        QTest::newRow("version 3: no groups")
            << "<Catch2TestRun name=\"r\">" + testCase("p", "", "success=\"true\"") + "</Catch2TestRun>"
            << QStringList{"p:ok"};
    }

    void verdicts()
    {
        QFETCH(QString, xml);
        Read read(RecordDump::write(m_dir, "verdicts.xml", xml.toUtf8()));
        QVERIFY2(read.ok(), qPrintable(read.reason));
        QTEST(RecordDump::tree(read.record), "tree");
    }

    void rejected_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("error"); // a part of the reason

        QTest::newRow("not closed") << QByteArray("<Catch>\n<Group name=\"g\">\n<TestCase name=\"c\">")
                                    << "Catch2, line 3, column ";
        QTest::newRow("mismatched tag") << QByteArray("<Catch>\n  <Group></TestCase></Catch>")
                                        << "Catch2, line 2, column 12:";
        QTest::newRow("second root") << QByteArray("<Catch/><Catch/>") << "Catch2, line 1, column ";
        QTest::newRow("document type declaration")
            << QByteArray("<!DOCTYPE Catch [<!ENTITY a \"aaaa\">]>\n<Catch/>")
            << "Catch2, line 1: document type declarations are not accepted.";
        QTest::newRow("1,001 sections deep")
            << QByteArray("<Catch><Group><TestCase>") + QByteArray("<Section name=\"s\">").repeated(998)
                   + QByteArray("</Section>").repeated(998) + "</TestCase></Group></Catch>"
            << "elements nested deeper than 1000";
    }

    void rejected()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, error);
        RecordDump::verifyRefused(RecordDump::write(m_dir, "rejected.xml", content), error);
    }

    void deepSectionsWithinTheLimit()
    {
        // Sections as deep as the limit allows give as deep a tree, freed
        // without recursion when the record goes.
        const int depth = 995;
        Read read(RecordDump::write(m_dir, "deep.xml",
                                    QByteArray("<Catch><Group><TestCase>")
                                        + QByteArray("<Section name=\"s\">").repeated(depth)
                                        + QByteArray("</Section>").repeated(depth)
                                        + "<OverallResult success=\"true\"/></TestCase></Group></Catch>"));
        QVERIFY2(read.ok(), qPrintable(read.reason));
        QCOMPARE(RecordDump::tree(read.record).size(), depth + 2);
    }
};

QTEST_MAIN(TestCatch2Reader)
#include "tst_catch2reader.moc"
