#include "rendoc/view/dviewitemindex.h"

#include "rendoc/model/ditems.h"

#include <QtTest>

#include <memory>
#include <vector>

// The item-to-block table of the report view's layout.
class tst_DViewItemIndex : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void firstBlockStays();
    void manyItems_data();
    void manyItems();
    void clearForgets();
};

void tst_DViewItemIndex::firstBlockStays()
{
    DViewItemIndex index;
    DText a(QStringLiteral("a"));
    DText b(QStringLiteral("b"));
    QCOMPARE(index.value(&a), -1);
    QCOMPARE(index.value(nullptr, 7), 7);
    index.insertFirst(&a, 3);
    index.insertFirst(&a, 9);
    QCOMPARE(index.value(&a), 3);
    // A container waiting for its first block is given it whatever it had.
    index.insert(&a, 5);
    QCOMPARE(index.value(&a), 5);
    QVERIFY(!index.contains(&b));
    QCOMPARE(index.size(), 1);
}

void tst_DViewItemIndex::manyItems_data()
{
    QTest::addColumn<int>("count");
    QTest::newRow("one") << 1;
    QTest::newRow("table grows") << 65;
    QTest::newRow("large report") << 200000;
}

void tst_DViewItemIndex::manyItems()
{
    QFETCH(int, count);
    // Items allocated back to back, as a reader makes them: neighbouring
    // addresses must not pile up in one run of the table.
    std::vector<std::unique_ptr<DText>> items;
    for (int i = 0; i < count; ++i)
        items.push_back(std::make_unique<DText>(QString()));
    DViewItemIndex index;
    for (int i = 0; i < count; ++i)
        index.insertFirst(items[size_t(i)].get(), i);
    QCOMPARE(index.size(), count);
    for (int i = 0; i < count; ++i) {
        if (index.value(items[size_t(i)].get()) != i)
            QFAIL(qPrintable(QStringLiteral("item %1 lost its block").arg(i)));
    }
    DText other{QString()};
    QVERIFY(!index.contains(&other));
}

void tst_DViewItemIndex::clearForgets()
{
    DViewItemIndex index;
    DText a{QString()};
    index.insert(&a, 1);
    index.clear();
    QCOMPARE(index.size(), 0);
    QVERIFY(!index.contains(&a));
    index.insert(&a, 2);
    QCOMPARE(index.value(&a), 2);
}

QTEST_GUILESS_MAIN(tst_DViewItemIndex)
#include "tst_dviewitemindex.moc"
