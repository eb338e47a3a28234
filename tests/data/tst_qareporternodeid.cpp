#include "korvatreporter/data/qareporternode.h"
#include "korvatreporter/data/qareporternodeid.h"

#include <QtTest>

#include <limits>

// Node ids: sequence numbers kept as numbers must read, compare and copy
// exactly as the texts they stand for, and texts set later must replace
// them with null and empty kept apart.
class TestQAReporterNodeId : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void readsAsItsText_data()
    {
        QTest::addColumn<int>("kind"); // 0 default, 1 number, 2 text
        QTest::addColumn<quint64>("number");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<bool>("isNull");
        QTest::addColumn<bool>("isEmpty");

        QTest::newRow("default") << 0 << quint64(0) << QString() << QString() << true << true;
        QTest::newRow("number 1") << 1 << quint64(1) << QString() << "1" << false << false;
        QTest::newRow("number with ten digits") << 1 << quint64(4000000123) << QString() << "4000000123"
                                                << false << false;
        QTest::newRow("largest kept as a number") << 1 << QAReporterNodeId::MaxNumber << QString()
                                                  << QString::number(QAReporterNodeId::MaxNumber) << false << false;
        QTest::newRow("number 0 is null") << 1 << quint64(0) << QString() << QString() << true << true;
        QTest::newRow("document name") << 2 << quint64(0) << "report" << "report" << false << false;
        QTest::newRow("empty text") << 2 << quint64(0) << "" << "" << false << true;
        QTest::newRow("null text") << 2 << quint64(0) << QString() << QString() << true << true;
        QTest::newRow("digits as text") << 2 << quint64(0) << "007" << "007" << false << false;
    }

    void readsAsItsText()
    {
        QFETCH(int, kind);
        QFETCH(quint64, number);
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QFETCH(bool, isNull);
        QFETCH(bool, isEmpty);

        QAReporterNodeId id;
        // A text replaces an earlier number and a number an earlier text.
        if (kind == 1) {
            id = QStringLiteral("earlier");
            id.setNumber(number);
        } else if (kind == 2) {
            id.setNumber(99);
            id = text;
        }
        QCOMPARE(id.toString(), expected);
        QCOMPARE(id.toString().isNull(), expected.isNull());
        QCOMPARE(QString(id), expected);
        QCOMPARE(id.isNull(), isNull);
        QCOMPARE(id.isEmpty(), isEmpty);
        QCOMPARE(id.number(), kind == 1 ? number : quint64(0));
        if (kind == 1 && number)
            QCOMPARE(QAReporterNodeId(id).number(), number);

        // Comparing reads the id as its text, both ways round.
        QVERIFY(id == expected);
        QVERIFY(expected == id);
        QVERIFY(id != expected + QLatin1Char('0'));
        QVERIFY(!(id == QStringLiteral("x") + expected));

        // Copies, also through a node copy, are independent of the source.
        QAReporterNode node;
        node.id = id;
        QAReporterNode copy(node);
        node.id = QStringLiteral("changed");
        QCOMPARE(copy.id.toString(), expected);
        QCOMPARE(copy.id.isNull(), isNull);
        copy = node;
        QCOMPARE(copy.id.toString(), QStringLiteral("changed"));
    }

    void numberComparesDigitByDigit_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("equal");
        QTest::newRow("same") << "120" << true;
        QTest::newRow("prefix") << "12" << false;
        QTest::newRow("longer") << "1200" << false;
        QTest::newRow("leading zero") << "0120" << false;
        QTest::newRow("sign") << "+120" << false;
        QTest::newRow("empty") << "" << false;
        QTest::newRow("null") << QString() << false;
    }

    void numberComparesDigitByDigit()
    {
        QFETCH(QString, text);
        QAReporterNodeId id;
        id.setNumber(120);
        QTEST(id == text, "equal");
    }

    // A number too large for the id's word is kept as its text.
    void largestNumbersStayExact()
    {
        QAReporterNodeId id;
        id.setNumber(std::numeric_limits<quint64>::max());
        QCOMPARE(id.toString(), QStringLiteral("18446744073709551615"));
        QVERIFY(id == QStringLiteral("18446744073709551615"));
        QCOMPARE(id.number(), quint64(0));
    }
};

QTEST_GUILESS_MAIN(TestQAReporterNodeId)
#include "tst_qareporternodeid.moc"
