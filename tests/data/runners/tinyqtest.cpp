// A small Qt Test program whose output files (xml and lightxml) the reader
// tests read: it passes, fails, expects failures, skips, runs a data-driven
// function and a benchmark. Built and run by scripts/regenerate-runner-files.
#include <QtTest>

class TinyQTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void passes() { QVERIFY(true); }
    void fails() { QCOMPARE(2 + 2, 5); }
    void expectedFailure()
    {
        QEXPECT_FAIL("", "rounding is not fixed yet", Continue);
        QCOMPARE(0.1 + 0.2, 0.3 + 1e-3);
    }
    void unexpectedPass()
    {
        QEXPECT_FAIL("", "was broken on big-endian machines", Continue);
        QVERIFY(true);
    }
    void skipped() { QSKIP("needs a network connection"); }
    void parse_data()
    {
        QTest::addColumn<QString>("input");
        QTest::addColumn<int>("expected");
        QTest::newRow("decimal") << "42" << 42;
        QTest::newRow("hex") << "0x2a" << 42;
        QTest::newRow("empty") << "" << 0;
    }
    void parse()
    {
        QFETCH(QString, input);
        QFETCH(int, expected);
        if (input.isEmpty())
            QSKIP("empty input is not parsed");
        bool ok = false;
        QCOMPARE(input.toInt(&ok, 10), expected);
    }
    void messages()
    {
        qDebug("a debug line");
        qWarning("a warning with <markup> & entities");
        QVERIFY(true);
    }
    void benchmark()
    {
        QString text;
        QBENCHMARK {
            text = QString::number(12345);
        }
        QVERIFY(!text.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TinyQTest)
#include "tinyqtest.moc"
