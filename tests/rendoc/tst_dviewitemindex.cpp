#include "rendoc/view/dviewitemindex.h"

#include "rendoc/model/ditems.h"
#include "rendoc/view/dviewblock.h"

#include <QtTest>

#include <memory>
#include <vector>

// The item-to-block table of the report view's layout: entries for a block's own first item
// live in the compact array (keyed through the block list), any other in the hash apart.
class tst_DViewItemIndex : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void firstBlockStays_data();
    void firstBlockStays();
    void otherEntryWins();
    void manyItems_data();
    void manyItems();
    void clearForgets();
};

namespace {

DViewBlock blockOf(DItem* item)
{
    DViewBlock block;
    block.item = item;
    return block;
}

DViewChunkedArray<DViewBlock> blockList(std::initializer_list<DViewBlock> blocks)
{
    DViewChunkedArray<DViewBlock> list;
    for (const DViewBlock& block : blocks)
        list.push_back(block);
    return list;
}

} // namespace

void tst_DViewItemIndex::firstBlockStays_data()
{
    QTest::addColumn<bool>("ownItem");
    // Blocks 3, 9 and 5 all start with the item: it sits in the array.
    QTest::newRow("the blocks' own item") << true;
    // The blocks start with another item: the entry goes to the hash.
    QTest::newRow("a container shown at the blocks") << false;
}

void tst_DViewItemIndex::firstBlockStays()
{
    QFETCH(bool, ownItem);
    DText a(QStringLiteral("a"));
    DText b(QStringLiteral("b"));
    DViewChunkedArray<DViewBlock> blocks;
    blocks.assign(10, blockOf(ownItem ? &a : &b));
    DViewItemIndex index(&blocks);
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

void tst_DViewItemIndex::otherEntryWins()
{
    // An item first met as its block's own item, then given a later block that starts with
    // something else (an inline run's member moved on): the later entry answers, and giving
    // it back its own block puts the array entry in charge again.
    DText a(QStringLiteral("a"));
    DText b(QStringLiteral("b"));
    const auto blocks = blockList({blockOf(&a), blockOf(&b)});
    DViewItemIndex index(&blocks);
    index.insertFirst(&a, 0);
    index.insertFirst(&b, 1);
    index.insert(&a, 1);
    QCOMPARE(index.value(&a), 1);
    QCOMPARE(index.value(&b), 1);
    QCOMPARE(index.size(), 3);
    index.insert(&a, 0);
    QCOMPARE(index.value(&a), 0);
    QCOMPARE(index.size(), 2);
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
    // addresses must not pile up in one run of the table. Every seventh block also
    // stands for a container item of its own (the hash apart).
    std::vector<std::unique_ptr<DText>> items;
    std::vector<std::unique_ptr<DText>> containers;
    DViewChunkedArray<DViewBlock> blocks;
    DViewItemIndex index(&blocks);
    for (int i = 0; i < count; ++i) {
        items.push_back(std::make_unique<DText>(QString()));
        blocks.push_back(blockOf(items.back().get()));
        index.insertFirst(items.back().get(), i);
        if (i % 7 == 0) {
            containers.push_back(std::make_unique<DText>(QString()));
            index.insert(containers.back().get(), i);
        }
    }
    QCOMPARE(index.size(), count + int(containers.size()));
    for (int i = 0; i < count; ++i) {
        if (index.value(items[size_t(i)].get()) != i)
            QFAIL(qPrintable(QStringLiteral("item %1 lost its block").arg(i)));
    }
    for (size_t k = 0; k < containers.size(); ++k)
        QCOMPARE(index.value(containers[k].get()), int(k * 7));
    DText other{QString()};
    QVERIFY(!index.contains(&other));
}

void tst_DViewItemIndex::clearForgets()
{
    DText a{QString()};
    DText b{QString()};
    const auto blocks = blockList({blockOf(&a), blockOf(&a), blockOf(&a)});
    DViewItemIndex index(&blocks);
    index.insert(&a, 1);
    index.insert(&b, 0);
    index.clear();
    QCOMPARE(index.size(), 0);
    QVERIFY(!index.contains(&a));
    QVERIFY(!index.contains(&b));
    index.insert(&a, 2);
    QCOMPARE(index.value(&a), 2);
}

QTEST_GUILESS_MAIN(tst_DViewItemIndex)
#include "tst_dviewitemindex.moc"
