#include "rendoc/model/dpool.h"

#include "rendoc/model/ditems.h"

#include <QtTest>

#include <atomic>
#include <cstdint>
#include <cstring>
#include <memory>
#include <set>
#include <thread>
#include <vector>

// The block pool behind document items: blocks are distinct, aligned and keep their bytes,
// released blocks are reused, chunks go back once empty, and blocks cross threads.
class TstDPool : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void blocksAreDistinctAndKeepTheirBytes_data();
    void blocksAreDistinctAndKeepTheirBytes();
    void emptiedChunksAreUnmapped();
    void blocksReleasedOnAnotherThread();
    void preparedChunksServeAllocations();
    void itemsComeFromThePool();
};

void TstDPool::initTestCase()
{
    if (!DPool::enabled())
        QSKIP("this build gives every block to the global allocator");
}

void TstDPool::blocksAreDistinctAndKeepTheirBytes_data()
{
    QTest::addColumn<int>("size");
    QTest::addColumn<int>("count");
    QTest::newRow("one byte") << 1 << 1000;
    QTest::newRow("one granule") << 8 << 1000;
    QTest::newRow("just over a granule") << 9 << 1000;
    QTest::newRow("between two granules") << 20 << 1000;
    QTest::newRow("an item, several chunks") << 64 << 100000;
    QTest::newRow("largest pooled") << int(DPool::MaxSize) << 20000;
    QTest::newRow("above the pool") << int(DPool::MaxSize) + 1 << 100;
}

void TstDPool::blocksAreDistinctAndKeepTheirBytes()
{
    QFETCH(int, size);
    QFETCH(int, count);
    const std::size_t liveBefore = DPool::liveBytes();
    std::vector<unsigned char*> blocks;
    for (int i = 0; i < count; ++i) {
        auto* block = static_cast<unsigned char*>(DPool::allocate(std::size_t(size)));
        QVERIFY(block);
        // Pooled blocks hold pointers and doubles at most; larger ones come from operator new.
        const std::size_t alignment = size > int(DPool::MaxSize) ? alignof(std::max_align_t) : 8;
        QCOMPARE(reinterpret_cast<std::uintptr_t>(block) % alignment, 0u);
        std::memset(block, i & 0xff, std::size_t(size));
        blocks.push_back(block);
    }
    QCOMPARE(std::set<unsigned char*>(blocks.begin(), blocks.end()).size(), blocks.size());
    for (int i = 0; i < count; ++i) {
        const unsigned char* block = blocks[size_t(i)];
        if (block[0] != (i & 0xff) || block[size - 1] != (i & 0xff))
            QFAIL(qPrintable(QStringLiteral("block %1 was overwritten").arg(i)));
    }
    // Released blocks are handed out again before the pool grows.
    for (int i = 0; i < count; i += 2)
        DPool::release(blocks[size_t(i)], std::size_t(size));
    const std::size_t chunks = DPool::chunkCount();
    for (int i = 0; i < count; i += 2)
        blocks[size_t(i)] = static_cast<unsigned char*>(DPool::allocate(std::size_t(size)));
    QCOMPARE(DPool::chunkCount(), chunks);
    for (unsigned char* block : blocks)
        DPool::release(block, std::size_t(size));
    QCOMPARE(DPool::liveBytes(), liveBefore);
}

void TstDPool::emptiedChunksAreUnmapped()
{
    const std::size_t before = DPool::chunkCount();
    std::vector<void*> blocks;
    // About 30 MB of 48-byte blocks: many chunks of one size.
    for (int i = 0; i < 600000; ++i)
        blocks.push_back(DPool::allocate(48));
    QVERIFY(DPool::chunkCount() >= before + 10);
    for (void* block : blocks)
        DPool::release(block, 48);
    // One spare chunk per size may stay.
    QVERIFY(DPool::chunkCount() <= before + 1);
}

void TstDPool::blocksReleasedOnAnotherThread()
{
    const std::size_t liveBefore = DPool::liveBytes();
    std::vector<void*> blocks(50000);
    // Two threads allocate while the test thread allocates too; all are freed elsewhere.
    auto fill = [&blocks](size_t from, size_t to) {
        for (size_t i = from; i < to; ++i)
            blocks[i] = DPool::allocate(80);
    };
    std::thread first(fill, 0, 20000);
    std::thread second(fill, 20000, 40000);
    fill(40000, 50000);
    first.join();
    second.join();
    QCOMPARE(std::set<void*>(blocks.begin(), blocks.end()).size(), blocks.size());
    std::thread releaser([&blocks] {
        for (void* block : blocks)
            DPool::release(block, 80);
    });
    releaser.join();
    QCOMPARE(DPool::liveBytes(), liveBefore);
}

void TstDPool::preparedChunksServeAllocations()
{
    const std::size_t chunksBefore = DPool::chunkCount();
    const std::size_t demandBefore = DPool::chunkDemand();
    // Another thread keeps chunks ready, as the reader's parsing thread does, while this one
    // takes them up with blocks of one size; each block is written and checked.
    std::atomic<bool> done { false };
    std::thread preparer([&done] {
        while (!done.load())
            DPool::prepareChunks(4);
    });
    std::vector<std::uint64_t*> blocks;
    for (std::uint64_t i = 0; i < 500000; ++i) {
        auto* block = static_cast<std::uint64_t*>(DPool::allocate(40));
        block[0] = i;
        block[4] = ~i;
        blocks.push_back(block);
    }
    done = true;
    preparer.join();
    QVERIFY(DPool::chunkDemand() >= demandBefore + 9);
    QCOMPARE(std::set<std::uint64_t*>(blocks.begin(), blocks.end()).size(), blocks.size());
    for (std::uint64_t i = 0; i < blocks.size(); ++i) {
        if (blocks[i][0] != i || blocks[i][4] != ~i)
            QFAIL(qPrintable(QStringLiteral("block %1 was overwritten").arg(i)));
    }
    for (std::uint64_t* block : blocks)
        DPool::release(block, 40);
    DPool::releasePreparedChunks();
    QVERIFY(DPool::chunkCount() <= chunksBefore + 1);
}

void TstDPool::itemsComeFromThePool()
{
    const std::size_t liveBefore = DPool::liveBytes();
    auto* paragraph = new DParagraph;
    auto* text = new DText(QStringLiteral("pooled"), paragraph);
    paragraph->setChild(text);
    QVERIFY(DPool::liveBytes() >= liveBefore + sizeof(DParagraph) + sizeof(DText));
    // Deleting through the base frees each block with its own class's size.
    std::unique_ptr<DItem> owner(paragraph);
    owner.reset();
    QCOMPARE(DPool::liveBytes(), liveBefore);
}

QTEST_GUILESS_MAIN(TstDPool)
#include "tst_dpool.moc"
