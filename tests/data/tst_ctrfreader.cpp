#include "korvatreporter/data/ctrf/qactrfreader.h"
#include "korvatreporter/data/qareporterdata.h"
#include "rendoc/model/ddocument.h"
#include "rendoc/model/dtreeprinter.h"
#include "tests/support/goldenfile.h"
#include "tests/support/recorddump.h"

#include <QTemporaryDir>
#include <QtTest>

// Reading CTRF JSON reports into node trees, totals and documents: the
// statuses, the suites built from each test's path, and the errors.
class TestCtrfReader : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    QString write(const QByteArray &content) { return RecordDump::write(m_dir, "input.json", content); }

    // A report holding `tests` (JSON objects) and the given summary.
    static QByteArray report(const QByteArray &tests, const QByteArray &summary = "{}")
    {
        return "{\"results\": {\"tool\": {\"name\": \"runner\", \"version\": \"1.0\"}, \"summary\": " + summary
               + ", \"tests\": [" + tests + "]}}";
    }

private Q_SLOTS:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        QVERIFY(m_dir.isValid());
    }

    void golden()
    {
        // jest with its CTRF reporter: two passes, a failure with message and
        // trace, a skipped test (pending) and a todo (other), in nested suites.
        QACtrfReader reader;
        QAReporterData record;
        QVERIFY2(RecordDump::read(reader, KORVAT_TEST_DATA "/ctrf/jest.json", record), qPrintable(reader.errorString()));
        KORVAT_VERIFY_GOLDEN("ctrf/jest.dump", RecordDump::dump(record));
    }

    void tests_data()
    {
        QTest::addColumn<QByteArray>("json");
        QTest::addColumn<QString>("outline");
        QTest::addColumn<QString>("text"); // a part of the report text

        QTest::newRow("statuses")
            << report("{\"name\": \"a\", \"status\": \"passed\"}, {\"name\": \"b\", \"status\": \"failed\"},"
                      "{\"name\": \"c\", \"status\": \"skipped\"}, {\"name\": \"d\", \"status\": \"pending\"},"
                      "{\"name\": \"e\", \"status\": \"other\"}, {\"name\": \"f\", \"status\": \"weird\"},"
                      "{\"name\": \"g\"}")
            << "a:ok\nb:ko\nc:NE\nd:NE\ne:NE\nf:NE\ng:NE"
            << "Tests: 7, passed: 1, failed: 1, skipped: 1, pending: 1, other: 3.";
        QTest::newRow("suites shared by neighbours, closed and reopened")
            << report("{\"name\": \"a\", \"status\": \"passed\", \"suite\": \"f.js > x\"},"
                      "{\"name\": \"b\", \"status\": \"failed\", \"suite\": [\"f.js\", \"x\", \"y\"]},"
                      "{\"name\": \"c\", \"status\": \"passed\", \"suite\": \"f.js\"},"
                      "{\"name\": \"d\", \"status\": \"passed\"},"
                      "{\"name\": \"e\", \"status\": \"passed\", \"suite\": \"f.js\"}")
            << "f.js:ko\n.x:ko\n..a:ok\n..y:ko\n...b:ko\n.c:ok\nd:ok\nf.js:ok\n.e:ok" << "Test suite: y";
        QTest::newRow("retries, flaky and a source line")
            << report("{\"name\": \"a\", \"status\": \"passed\", \"retries\": 2, \"flaky\": true, "
                      "\"filePath\": \"t/a.js\", \"line\": 12, \"tags\": [\"@slow\", 3]}")
            << "a:ok" << "Status passed, retries 2, flaky, source ";
        QTest::newRow("summary that disagrees")
            << report("{\"name\": \"a\", \"status\": \"passed\"}", "{\"tests\": 3, \"passed\": 1, \"failed\": 2, "
                                                                  "\"start\": 1000, \"stop\": 1250}")
            << "a:ok" << "Tests: 1 (file says 3), passed: 1, failed: 0 (file says 2), skipped: 0, pending: 0, "
                         "other: 0, duration: 250 ms.";
        QTest::newRow("output and environment")
            << QByteArray("{\"results\": {\"environment\": {\"os\": \"linux\"}, \"tests\": [{\"name\": \"a\", "
                          "\"status\": \"failed\", \"message\": \"m\", \"stdout\": [\"line 1\", \"line 2\"]}]}}")
            << "a:ko" << "Text \"line 2\"";
        QTest::newRow("environment after the tests stays out of their suites")
            << QByteArray("{\"results\": {\"tests\": [{\"name\": \"a\", \"status\": \"passed\", \"suite\": \"s\"}], "
                          "\"environment\": {\"os\": \"linux\"}}}")
            << "s:ok\n.a:ok" << "CellText \"linux\"";
        QTest::newRow("no tests") << QByteArray("{\"results\": {\"tool\": {\"name\": \"x\"}}}") << ""
                                  << "Tests: 0, passed: 0";
    }

    void tests()
    {
        QFETCH(QByteArray, json);
        QACtrfReader reader;
        QAReporterData record;
        QVERIFY2(RecordDump::read(reader, write(json), record), qPrintable(reader.errorString()));
        QTEST(RecordDump::outline(record), "outline");
        QFETCH(QString, text);
        const QString printed = DTreePrinter::print(record.document);
        QVERIFY2(printed.contains(text), qPrintable(printed));
    }

    void rejected_data()
    {
        QTest::addColumn<QByteArray>("json");
        QTest::addColumn<QString>("error");

        QTest::newRow("no results") << QByteArray("{\"reportFormat\": \"CTRF\"}")
                                    << "CTRF, the file holds no \"results\" object.";
        QTest::newRow("results not an object") << QByteArray("{\"results\": []}")
                                               << "CTRF, \"results\" is not an object.";
        QTest::newRow("results twice") << QByteArray("{\"results\": {}, \"results\": {}}")
                                       << "CTRF, the file holds \"results\" twice.";
        QTest::newRow("cut inside a test")
            << report("{\"name\": \"a\", \"status\": \"passed\"}").left(95)
            << "CTRF, line 1, column 94 (byte 93): the file ends inside a string";
        QTest::newRow("number without digits") << report("{\"name\": \"a\", \"duration\": -}")
                                               << "CTRF, line 1, column 111 (byte 110): a number without digits";
    }

    void rejected()
    {
        QFETCH(QByteArray, json);
        QACtrfReader reader;
        QTEST(RecordDump::refusal(reader, write(json)), "error");
    }
};

QTEST_MAIN(TestCtrfReader)
#include "tst_ctrfreader.moc"
