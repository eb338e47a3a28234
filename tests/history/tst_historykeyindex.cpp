#include "history/historykeyindex.h"

#include <QTest>

#include <limits>
#include <map>

// The flat table from key hashes to ids: every hash finds its own value, whatever slots the
// hashes fall on and however far the table grew since.
class tst_HistoryKeyIndex : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void findsWhatWasStored_data()
    {
        QTest::addColumn<QList<qint64>>("hashes");
        QTest::newRow("none") << QList<qint64>{};
        QTest::newRow("zero, extremes and negatives")
            << QList<qint64>{0, -1, 1, std::numeric_limits<qint64>::min(), std::numeric_limits<qint64>::max()};
        // Hashes that differ only in their low bits, or only in their high bits, land on
        // neighbouring or equal slots: the probing must step past them.
        QList<qint64> low;
        QList<qint64> high;
        for (qint64 i = 0; i < 200; ++i) {
            low.append(i);
            high.append(qint64(quint64(i) << 56));
        }
        QTest::newRow("low bits only") << low;
        QTest::newRow("high bits only") << high;
        // Enough to grow the table several times past its first size.
        QList<qint64> many;
        quint64 x = 0x1234567;
        for (int i = 0; i < 20000; ++i) {
            x = x * 6364136223846793005ULL + 1442695040888963407ULL;
            many.append(qint64(x));
        }
        QTest::newRow("grown many times") << many;
    }
    void findsWhatWasStored()
    {
        QFETCH(QList<qint64>, hashes);
        HistoryKeyIndex index;
        std::map<qint64, qint64> expected;
        for (qsizetype i = 0; i < hashes.size(); ++i) {
            const qint64 value = index.findOrInsert(hashes.at(i), i);
            QCOMPARE(value, expected.emplace(hashes.at(i), i).first->second);
        }
        QCOMPARE(index.size(), qsizetype(expected.size()));
        for (const auto &[hash, value] : expected)
            QCOMPARE(index.value(hash), value);
        // A second insert of a stored hash keeps the first value.
        for (const auto &[hash, value] : expected)
            QCOMPARE(index.findOrInsert(hash, value + 1), value);
        QCOMPARE(index.size(), qsizetype(expected.size()));
    }

    // Reserving ahead changes nothing that can be seen, and an empty table answers absent.
    void reserveKeepsEntries()
    {
        HistoryKeyIndex index;
        QCOMPARE(index.value(42), -1);
        index.findOrInsert(42, 7);
        index.reserve(100000);
        QCOMPARE(index.value(42), 7);
        QCOMPARE(index.value(43, 0), 0);
        QCOMPARE(index.size(), 1);
    }
};

QTEST_GUILESS_MAIN(tst_HistoryKeyIndex)
#include "tst_historykeyindex.moc"
