#include "korvatreporter/document/qareporteranchortable.h"

#include "korvatreporter/data/qareporternode.h"
#include "rendoc/model/dtext.h"

#include <QtTest>

#include <memory>
#include <vector>

// The filtered copy's anchor table: every entry found again after the table
// filled up, grew and wrapped around its end, an item's first excluded node
// kept, and copies recorded only where no node was excluded.
class TestQAReporterAnchorTable : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void findsEveryEntry_data()
    {
        QTest::addColumn<int>("items");
        QTest::addColumn<int>("reserved");
        QTest::newRow("empty") << 0 << 0;
        QTest::newRow("one, nothing reserved") << 1 << 0;
        QTest::newRow("fewer than a run, grown") << 300 << 0;
        QTest::newRow("many runs, grown") << 50000 << 0;
        QTest::newRow("many runs, reserved") << 50000 << 50000;
        QTest::newRow("reserved too few") << 20000 << 100;
    }

    void findsEveryEntry()
    {
        QFETCH(int, items);
        QFETCH(int, reserved);
        // Items from the block pool, as a document's are: neighbours in memory.
        std::vector<std::unique_ptr<DText>> texts;
        for (int i = 0; i < items; ++i)
            texts.push_back(std::make_unique<DText>(QString()));
        std::vector<QAReporterNode> nodes(size_t(items / 3 + 1));
        QAReporterAnchorTable table;
        table.reserve(reserved);
        // Every third item starts an excluded node, the others are referred
        // to by kept nodes.
        for (int i = 0; i < items; ++i) {
            if (i % 3 == 0)
                table.addExcluded(texts[size_t(i)].get(), &nodes[size_t(i / 3)]);
            else
                table.add(texts[size_t(i)].get());
        }
        QCOMPARE(table.size(), qsizetype(items));
        QCOMPARE(table.isEmpty(), items == 0);
        for (int i = 0; i < items; ++i) {
            QAReporterAnchorTable::Anchor *anchor = table.find(texts[size_t(i)].get());
            QVERIFY2(anchor, qPrintable(QString::number(i)));
            if (i % 3 == 0) {
                QCOMPARE(anchor->excluded(), &nodes[size_t(i / 3)]);
                QCOMPARE(anchor->copy(), nullptr);
            } else {
                QCOMPARE(anchor->excluded(), nullptr);
                anchor->setCopy(texts[size_t(items - 1 - i)].get());
            }
        }
        // Copies stay where they were set.
        for (int i = 0; i < items; ++i) {
            if (i % 3 != 0)
                QCOMPARE(table.find(texts[size_t(i)].get())->copy(), texts[size_t(items - 1 - i)].get());
        }
        const DText stranger{QString()};
        QCOMPARE(table.find(&stranger), nullptr);
        QCOMPARE(table.find(nullptr), nullptr);
        table.clear();
        QVERIFY(table.isEmpty());
        if (items > 0)
            QCOMPARE(table.find(texts.front().get()), nullptr);
    }

    void firstExcludedNodeDecides()
    {
        const DText item{QString()};
        QAReporterNode first;
        QAReporterNode second;
        QAReporterAnchorTable table;
        table.add(&item);
        table.addExcluded(&item, &first);
        table.addExcluded(&item, &second);
        table.add(&item);
        QCOMPARE(table.size(), qsizetype(1));
        QCOMPARE(table.find(&item)->excluded(), &first);
        QCOMPARE(table.find(&item)->copy(), nullptr);
    }
};

QTEST_GUILESS_MAIN(TestQAReporterAnchorTable)
#include "tst_qareporteranchortable.moc"
