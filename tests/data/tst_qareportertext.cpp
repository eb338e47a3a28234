#include "korvatreporter/data/qareportertext.h"

#include "rendoc/model/dpool.h"

#include <QtTest>

#include <thread>

// The shared texts of report nodes: they read and compare as the QString they were made from,
// null and empty apart; equal texts made one after the other share one copy, and the copies
// are given back when the last reference goes.
class TestQAReporterText : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void readsAsItsText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("null") << QString();
        QTest::newRow("empty") << QString(QLatin1String(""));
        QTest::newRow("verdict") << QStringLiteral("ko");
        QTest::newRow("non-ascii") << QStringLiteral("Prüfung");
        QTest::newRow("longer than the recent ones kept") << QString(200, QLatin1Char('b'));
    }

    void readsAsItsText()
    {
        QFETCH(QString, text);
        const QAReporterText made(text);
        QCOMPARE(made.text(), text);
        QCOMPARE(made.text().isNull(), text.isNull());
        QCOMPARE(made.isNull(), text.isNull());
        QCOMPARE(made.isEmpty(), text.isEmpty());
        QVERIFY(made == text);
        QVERIFY(text == made);
        QVERIFY(!(made != text));
        const QString converted = made;
        QCOMPARE(converted, text);
        QVERIFY(made != QStringLiteral("other"));
        QVERIFY(made == QAReporterText(text));
    }

    void nullAndEmptyStayApart()
    {
        const QAReporterText null;
        const QAReporterText empty{QString(QLatin1String(""))};
        QVERIFY(null != empty);
        // Both read as equal to an empty QString, as a null and an empty QString do.
        QVERIFY(null == QString(QLatin1String("")));
        QVERIFY(empty == QString());
    }

    void equalTextsShare_data()
    {
        QTest::addColumn<int>("distinct");
        QTest::addColumn<bool>("shared");
        QTest::newRow("a few alternating") << 3 << true;
        QTest::newRow("as many as are kept") << 8 << true;
        QTest::newRow("more than are kept") << 9 << false;
    }

    void equalTextsShare()
    {
        QFETCH(int, distinct);
        QFETCH(bool, shared);
        // Texts no earlier test made, so that none is remembered already.
        const QString prefix = QString::fromLatin1(QTest::currentDataTag());
        QList<QAReporterText> first;
        for (int i = 0; i < distinct; ++i)
            first.append(QAReporterText(prefix + QString::number(i)));
        for (int i = 0; i < distinct; ++i) {
            const QAReporterText again(prefix + QString::number(i));
            QVERIFY(again == first.at(i));
            if (shared)
                QVERIFY(again.sharesWith(first.at(i)));
        }
        if (!shared)
            QVERIFY(!QAReporterText(prefix + QLatin1Char('0')).sharesWith(first.at(0)));
        // Copies always share.
        const QAReporterText copy = first.at(0);
        QVERIFY(copy.sharesWith(first.at(0)));
    }

    void copiesAreGivenBack()
    {
        if (!DPool::enabled())
            QSKIP("this build gives every block to the global allocator");
        // Made on a thread of its own, whose remembered texts go with it.
        const std::size_t before = DPool::liveBytes();
        bool movedOut = false;
        std::thread([&movedOut] {
            QList<QAReporterText> texts;
            for (int i = 0; i < 1000; ++i)
                texts.append(QAReporterText(QString::number(i % 50)));
            const QAReporterText moved = std::move(texts[0]);
            movedOut = texts.at(0).isNull() && moved.text() == QLatin1String("0");
        }).join();
        QVERIFY(movedOut);
        QCOMPARE(DPool::liveBytes(), before);
    }
};

QTEST_APPLESS_MAIN(TestQAReporterText)
#include "tst_qareportertext.moc"
