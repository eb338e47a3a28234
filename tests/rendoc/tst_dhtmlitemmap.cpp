#include "rendoc/html/dhtmlitemmap.h"

#include "rendoc/model/ditems.h"

#include <QTest>

#include <algorithm>
#include <random>
#include <map>
#include <memory>
#include <vector>

// The item map's look-ups resume where the last one ended; whatever the order of the
// look-ups, each must answer exactly what a plain multimap answers.
class TestDHTMLItemMap : public QObject
{
    Q_OBJECT

private:
    // Items of two kinds; a map holding only texts answers for sections without a search.
    const DItem* at(int slot) const { return m_items[size_t(slot)].get(); }
    std::vector<std::unique_ptr<DItem>> m_items;

private slots:
    void initTestCase();
    void find_data();
    void find();
    void emptyMap();
};

void TestDHTMLItemMap::initTestCase()
{
    for (int slot = 0; slot < 420; ++slot) {
        if (slot % 7 == 3)
            m_items.push_back(std::make_unique<DSection>(QString()));
        else
            m_items.push_back(std::make_unique<DText>(QString()));
    }
}

void TestDHTMLItemMap::find_data()
{
    QTest::addColumn<QList<int>>("items");   // item slot of each added pair; value = its index
    QTest::addColumn<QList<int>>("lookups"); // slots looked up, in order

    const QList<int> spread = {3, 9, 9, 9, 14, 40, 41, 60, 200, 201, 202, 300};
    QList<int> ascending, descending;
    for (int s = 0; s < 320; ++s)
        ascending << s;
    for (int s = 319; s >= 0; --s)
        descending << s;
    QList<int> shuffled = ascending + ascending;
    std::shuffle(shuffled.begin(), shuffled.end(), std::mt19937(7));
    QTest::newRow("walk in address order") << spread << ascending;
    QTest::newRow("walk against address order") << spread << descending;
    QTest::newRow("random order, each twice") << spread << shuffled;
    QTest::newRow("same item again and again") << spread << QList<int>{9, 9, 9, 8, 9, 10, 9};
    QTest::newRow("before the first, after the last") << spread << QList<int>{0, 400, 1, 301, 2, 300, 3};
    QTest::newRow("long jumps both ways") << spread << QList<int>{202, 3, 300, 14, 201, 9, 60, 41};
    QTest::newRow("one item, many values") << QList<int>{5, 5, 5, 5, 5} << QList<int>{4, 5, 6, 5};
    QTest::newRow("added out of order") << QList<int>{90, 10, 50, 10, 70, 30} << shuffled;
    QTest::newRow("texts only, sections asked") << QList<int>{1, 2, 4, 5} << QList<int>{3, 4, 10, 1, 17};
    // Items are mostly added in address order, in runs (one per pool chunk), and many times.
    QList<int> byAddress = ascending;
    std::sort(byAddress.begin(), byAddress.end(), [this](int a, int b) { return at(a) < at(b); });
    const auto run = [&byAddress](int from, int to) { return byAddress.mid(from, to - from); };
    QTest::newRow("one ascending run") << byAddress << shuffled;
    QTest::newRow("three runs, later ones first")
        << run(200, 320) + run(0, 90) + run(90, 200) << ascending;
    QTest::newRow("five runs with repeats")
        << run(250, 320) + run(0, 60) + run(60, 60) + run(40, 130) + run(200, 250) + run(130, 200)
        << shuffled;
    QList<int> many;
    std::mt19937 random(11);
    for (int k = 0; k < 3000; ++k)
        many << int(random() % 320);
    QTest::newRow("many pairs, items repeated") << many << shuffled;
    QTest::newRow("sections only, texts asked") << QList<int>{3, 10, 17, 10} << QList<int>{3, 4, 10, 1, 17, 24};
}

void TestDHTMLItemMap::find()
{
    QFETCH(QList<int>, items);
    QFETCH(QList<int>, lookups);
    DHTMLItemMap map;
    std::multimap<int, int> reference;
    for (int k = 0; k < items.size(); ++k) {
        map.add(at(items[k]), k);
        reference.emplace(items[k], k);
    }
    map.sort();
    for (int slot : lookups) {
        QList<int> expected;
        const auto range = reference.equal_range(slot);
        for (auto it = range.first; it != range.second; ++it)
            expected << it->second;
        std::sort(expected.begin(), expected.end(), std::greater<int>());
        const DHTMLItemMap::Entry* end = nullptr;
        QList<int> found;
        for (const DHTMLItemMap::Entry* e = map.find(at(slot), &end); e != end; ++e)
            found << e->value;
        QCOMPARE(found, expected);
    }
}

void TestDHTMLItemMap::emptyMap()
{
    DHTMLItemMap map;
    map.sort();
    const DHTMLItemMap::Entry* end = nullptr;
    QVERIFY(map.isEmpty());
    const DHTMLItemMap::Entry* begin = map.find(at(1), &end);
    QCOMPARE(begin, end);
    map.add(at(1), 0);
    map.sort();
    map.clear();
    begin = map.find(at(1), &end);
    QCOMPARE(begin, end);
}

QTEST_APPLESS_MAIN(TestDHTMLItemMap)
#include "tst_dhtmlitemmap.moc"
