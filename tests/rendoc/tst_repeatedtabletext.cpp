#include "rendoc/model/ditems.h"
#include "rendoc/model/dupdater.h"

#include <QTest>

// Repeated tables of contents and indexes over long titles or tag names: beyond the first
// table of each kind, their text together stays within the updater's character budget, so a
// few long titles in thousands of tables cannot grow into gigabytes of view, text or HTML.
class TestRepeatedTableText : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void boundedText_data()
    {
        QTest::addColumn<bool>("summaries"); // else indexes
        QTest::addColumn<int>("length");     // characters of each title or tag name
        QTest::addColumn<int>("targets");    // titles, or named tags
        QTest::addColumn<int>("tables");
        QTest::newRow("one long title, many summaries") << true << 100000 << 1 << 2000;
        QTest::newRow("one long tag, many indexes") << false << 100000 << 1 << 2000;
        QTest::newRow("a few long titles") << true << 30000 << 5 << 300;
        QTest::newRow("text that fits") << true << 1000 << 3 << 20;
    }

    void boundedText()
    {
        QFETCH(bool, summaries);
        QFETCH(int, length);
        QFETCH(int, targets);
        QFETCH(int, tables);
        DDocument document(QStringLiteral("t"), QStringLiteral("d"));
        QList<DItem*> made;
        for (int i = 0; i < tables; ++i) {
            made.append(summaries ? static_cast<DItem*>(new DSummary) : new DIndex);
            document.appendChild(made.last());
        }
        qsizetype perTable = 0;
        for (int i = 0; i < targets; ++i) {
            const QString text = QString::number(i).leftJustified(length, QLatin1Char('x'));
            auto* title = new DTitle(1);
            title->appendChild(new DText(text));
            document.appendChild(title);
            document.appendChild(new DTag(text));
            perTable += summaries ? QString::number(i + 1).size() + length : length;
        }
        DUpdater().doAll(&document);
        const auto entries = [&](int i) {
            return summaries ? made.at(i)->toSummary()->titles().size()
                             : made.at(i)->toIndex()->entries().size();
        };
        QCOMPARE(entries(0), targets);
        int filled = 0;
        for (int i = 1; i < tables; ++i) {
            QVERIFY(entries(i) == 0 || entries(i) == targets);
            filled += entries(i) == targets;
        }
        QCOMPARE(qsizetype(filled), qMin<qsizetype>(tables - 1, DUpdater::MaxRepeatedText / perTable));
    }
};

QTEST_GUILESS_MAIN(TestRepeatedTableText)
#include "tst_repeatedtabletext.moc"
