#include "rendoc/aml/damleventqueue.h"

#include <QtTest>

#include <atomic>
#include <cstring>
#include <thread>

// The queue between the parsing and the handling thread: blocks arrive whole and in order, and a
// side with idle work does it, step by step, only while it would otherwise wait.
class TstDAmlEventQueue : public QObject
{
    Q_OBJECT

private slots:
    void blocksArriveInOrder();
    void idleWorkWhileWaiting_data();
    void idleWorkWhileWaiting();
    void cancelStopsAWaitingPush();
};

namespace {

void fill(DAmlEventQueue::Block& block, int value)
{
    block.clear();
    block.append(&value, sizeof value);
}

int valueOf(const DAmlEventQueue::Block& block)
{
    int value = -1;
    if (block.size() == sizeof value)
        std::memcpy(&value, block.data(), sizeof value);
    return value;
}

} // namespace

void TstDAmlEventQueue::blocksArriveInOrder()
{
    DAmlEventQueue queue(2);
    constexpr int count = 500;
    std::thread parser([&queue] {
        DAmlEventQueue::Block block;
        for (int i = 0; i < count; ++i) {
            fill(block, i);
            if (!queue.push(block))
                return;
        }
        queue.finish();
    });
    DAmlEventQueue::Block block;
    int expected = 0;
    bool inOrder = true;
    while (queue.pop(block))
        inOrder = inOrder && valueOf(block) == expected++;
    parser.join();
    QVERIFY(inOrder);
    QCOMPARE(expected, count);
}

void TstDAmlEventQueue::idleWorkWhileWaiting_data()
{
    QTest::addColumn<bool>("parsingSide");
    QTest::addColumn<int>("steps"); // idle steps the work offers before it runs out

    QTest::newRow("handler waits for a block, work left") << false << 1000000;
    QTest::newRow("handler waits for a block, work runs out") << false << 3;
    QTest::newRow("parser waits for room, work left") << true << 1000000;
    QTest::newRow("parser waits for room, work runs out") << true << 3;
}

void TstDAmlEventQueue::idleWorkWhileWaiting()
{
    QFETCH(bool, parsingSide);
    QFETCH(int, steps);

    // Depth 1: the parser's second push waits until the handler took the first block.
    DAmlEventQueue queue(1);
    std::atomic<int> done { 0 };
    std::atomic<bool> release { false };
    // The idle side lets the other side go on only once it is doing idle work, so a wait is
    // certain; the other side then ends the wait.
    const DAmlEventQueue::IdleWork work = [&] {
        if (done.load() >= steps)
            return false;
        if (done.fetch_add(1) + 1 == 3)
            release = true;
        return true;
    };
    const auto waitForRelease = [&release] {
        while (!release.load())
            std::this_thread::yield();
    };

    DAmlEventQueue::Block block;
    if (parsingSide) {
        int sum = 0;
        std::thread handler([&] {
            waitForRelease();
            DAmlEventQueue::Block taken;
            while (queue.pop(taken))
                sum += valueOf(taken);
        });
        fill(block, 1);
        QVERIFY(queue.push(block, work));
        fill(block, 2);
        QVERIFY(queue.push(block, work)); // waits for room, working meanwhile
        queue.finish();
        handler.join();
        QCOMPARE(sum, 1 + 2);
    } else {
        std::thread parser([&] {
            waitForRelease();
            DAmlEventQueue::Block given;
            fill(given, 7);
            queue.push(given);
            queue.finish();
        });
        QVERIFY(queue.pop(block, work)); // waits for the block, working meanwhile
        QCOMPARE(valueOf(block), 7);
        QVERIFY(!queue.pop(block, work));
        parser.join();
    }
    // Work that ran out leaves the side asleep until the other one ends the wait.
    if (steps > 3)
        QVERIFY(done.load() >= 3);
    else
        QCOMPARE(done.load(), 3);
}

void TstDAmlEventQueue::cancelStopsAWaitingPush()
{
    DAmlEventQueue queue(1);
    DAmlEventQueue::Block block;
    fill(block, 1);
    QVERIFY(queue.push(block));
    std::atomic<int> idleSteps { 0 };
    std::thread handler([&] {
        while (idleSteps.load() < 2)
            std::this_thread::yield();
        queue.cancel();
    });
    fill(block, 2);
    // The push waits for room, working until the handler cancels, then fails and leaves the
    // block as it was.
    const bool pushed = queue.push(block, [&idleSteps] {
        ++idleSteps;
        return true;
    });
    handler.join();
    QVERIFY(!pushed);
    QCOMPARE(valueOf(block), 2);
}

QTEST_GUILESS_MAIN(TstDAmlEventQueue)
#include "tst_damleventqueue.moc"
