#include "korvatreporter/data/gtest/qagtestreader.h"
#include "korvatreporter/data/json/qajsonpullreader.h"
#include "korvatreporter/data/qareporterdata.h"
#include "rendoc/model/ddocument.h"
#include "rendoc/model/dtreeprinter.h"
#include "tests/support/goldenfile.h"
#include "tests/support/recorddump.h"

#include <QTemporaryDir>
#include <QtTest>

// Reading GoogleTest's JSON results into node trees, totals and documents,
// and the JSON pull reader's errors and limits on the way.
class TestGTestReader : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    QString write(const QByteArray &content) { return RecordDump::write(m_dir, "input.json", content); }

    // A results file with one suite holding `tests` (JSON objects).
    static QByteArray suite(const QByteArray &tests)
    {
        return "{\"tests\": 1, \"name\": \"AllTests\", \"testsuites\": [{\"name\": \"S\", \"testsuite\": [" + tests
               + "]}]}";
    }

private Q_SLOTS:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        QVERIFY(m_dir.isValid());
    }

    void golden()
    {
        // A pass, a failure with its file:line, a skip and a disabled test,
        // as a GoogleTest program wrote them.
        QAGTestReader reader;
        QAReporterData record;
        QVERIFY2(RecordDump::read(reader, KORVAT_TEST_DATA "/gtest/gtest.json", record),
                 qPrintable(reader.errorString()));
        KORVAT_VERIFY_GOLDEN("gtest/gtest.dump", RecordDump::dump(record));
    }

    void tests_data()
    {
        QTest::addColumn<QByteArray>("json");
        QTest::addColumn<QString>("outline");
        QTest::addColumn<QString>("text"); // a part of the report text

        QTest::newRow("failure without a place")
            << suite("{\"name\": \"t\", \"failures\": [{\"failure\": \"boom\", \"type\": \"\"}]}") << "S:ko\n.t:ko"
            << "Failure:";
        QTest::newRow("skipped with a message")
            << suite("{\"name\": \"t\", \"result\": \"SKIPPED\", \"skipped\": [{\"message\": \"a.cc:3\\nno gpu\"}]}")
            << "S:NE\n.t:NE" << "no gpu";
        QTest::newRow("disabled") << suite("{\"name\": \"t\", \"status\": \"NOTRUN\"}") << "S:NE\n.t:NE"
                                  << "Disabled: not run.";
        QTest::newRow("counts that disagree")
            << suite("{\"name\": \"a\"}, {\"name\": \"b\"}") << "S:ok\n.a:ok\n.b:ok" << "Tests: 2 (file says 1)";
        QTest::newRow("escapes and surrogate pairs")
            << suite("{\"name\": \"caf\\u00e9 \\ud83d\\ude00 \\ud800 \\t\\\"q\\\"\"}") << QString("S:ok\n.café 😀 \uFFFD \t\"q\":ok")
            << "Tests: 1";
        QTest::newRow("parameters and unknown members")
            << suite("{\"name\": \"t/0\", \"value_param\": \"42\", \"extra\": {\"a\": [1, {\"b\": null}]}, \"line\": 7, "
                     "\"file\": \"x.cc\"}")
            << "S:ok\n.t/0:ok" << "Link target=\"x.cc line 7\"";
        QTest::newRow("suite without tests") << QByteArray("{\"testsuites\": [{\"name\": \"E\"}]}") << "E:ok"
                                             << "Tests: 0";
    }

    void tests()
    {
        QFETCH(QByteArray, json);
        QAGTestReader reader;
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
        QTest::addColumn<int>("stringLimit");
        QTest::addColumn<QString>("error");

        const int noLimit = 1 << 27;
        QTest::newRow("empty") << QByteArray() << noLimit
                               << "GoogleTest JSON, line 1, column 1 (byte 0): the file ends inside the JSON value";
        QTest::newRow("cut short") << suite("{\"name\": \"t\"").left(70) << noLimit
                                   << "GoogleTest JSON, line 1, column 63 (byte 62): the file ends inside a string";
        QTest::newRow("trailing data") << suite("") + "\n{}" << noLimit
                                       << "GoogleTest JSON, line 2, column 1 (byte 81): data after the end of the JSON value";
        QTest::newRow("missing comma") << QByteArray("{\"testsuites\": [\n  {} {}]}") << noLimit
                                       << "GoogleTest JSON, line 2, column 6 (byte 22): a comma or the end of the "
                                          "object or array was expected";
        QTest::newRow("bad escape") << QByteArray("{\"testsuites\": [], \"name\": \"\\x\"}") << noLimit
                                    << "GoogleTest JSON, line 1, column 29 (byte 28): an unknown escape in a string";
        QTest::newRow("control character") << QByteArray("{\"testsuites\": [], \"name\": \"a\tb\"}") << noLimit
                                           << "GoogleTest JSON, line 1, column 30 (byte 29): a control character "
                                              "inside a string";
        QTest::newRow("mismatched bracket") << QByteArray("{\"testsuites\": [}") << noLimit
                                            << "GoogleTest JSON, line 1, column 17 (byte 16): a value was expected";
        QTest::newRow("not an object") << QByteArray("[1]") << noLimit
                                       << "GoogleTest JSON, the file does not hold a JSON object.";
        QTest::newRow("1,001 arrays deep")
            << "{\"testsuites\": [{\"x\": " + QByteArray(999, '[') + QByteArray(999, ']') + "}]}" << noLimit
            << "GoogleTest JSON, line 1, column 1020 (byte 1019): objects and arrays nested deeper than 1000";
        QTest::newRow("string over the limit") << suite("{\"name\": \"0123456789abcdef0\"}") << 16
                                               << "GoogleTest JSON, line 1, column 86 (byte 85): a string longer "
                                                  "than 16 bytes";
    }

    void rejected()
    {
        QFETCH(QByteArray, json);
        QFETCH(int, stringLimit);
        QAJsonPullReader::setMaxStringBytes(stringLimit);
        QAGTestReader reader;
        const QString refusal = RecordDump::refusal(reader, write(json));
        QAJsonPullReader::setMaxStringBytes(qint64(1) << 27);
        QTEST(refusal, "error");
    }

};

QTEST_MAIN(TestGTestReader)
#include "tst_gtestreader.moc"
