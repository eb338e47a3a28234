#include "rendoc/view/dviewfenwick.h"

#include <QtTest>

#include <vector>

// The prefix sums over block heights: built at once or appended value by
// value (a document flattened in parts), they must answer the same.
class tst_DViewFenwick : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void appendMatchesReset_data();
    void appendMatchesReset();
};

void tst_DViewFenwick::appendMatchesReset_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("resetFirst");
    QTest::newRow("one value") << 1 << 0;
    QTest::newRow("powers of two crossed") << 70 << 0;
    QTest::newRow("appended after a reset") << 1000 << 333;
    QTest::newRow("zero heights among them") << 257 << 1;
    // Past two of the storage's chunks, the reset ending on a chunk's edge.
    QTest::newRow("chunks crossed") << 9000 << 4096;
}

void tst_DViewFenwick::appendMatchesReset()
{
    QFETCH(int, count);
    QFETCH(int, resetFirst);
    std::vector<int> values;
    for (int i = 0; i < count; ++i)
        values.push_back(i % 5 == 0 ? 0 : (i * 37) % 91 + 1);
    DViewFenwick whole;
    whole.reset(values);
    DViewFenwick parts;
    parts.reset(std::vector<int>(values.begin(), values.begin() + resetFirst));
    for (int i = resetFirst; i < count; ++i)
        parts.append(values[size_t(i)]);
    QCOMPARE(parts.size(), whole.size());
    QCOMPARE(parts.total(), whole.total());
    qint64 sum = 0;
    for (int i = 0; i <= count; ++i) {
        QCOMPARE(parts.prefix(i), sum);
        QCOMPARE(whole.prefix(i), sum);
        if (i < count) {
            QCOMPARE(parts.value(i), values[size_t(i)]);
            sum += values[size_t(i)];
        }
    }
    for (qint64 y = 0; y < whole.total(); y += 7)
        QCOMPARE(parts.find(y), whole.find(y));
    // A changed height after the appends moves every later top.
    parts.set(count / 2, 500);
    whole.set(count / 2, 500);
    QCOMPARE(parts.prefix(count), whole.prefix(count));
    QCOMPARE(parts.find(whole.total() - 1), whole.find(whole.total() - 1));
}

QTEST_GUILESS_MAIN(tst_DViewFenwick)
#include "tst_dviewfenwick.moc"
