#include "history/historytestkeys.h"

#include <QTest>

// The key hash is kept in every store: it must not change between programs, machines or
// versions, and must tell apart keys that differ only in where document and path meet.
class tst_HistoryTestKeys : public QObject
{
    Q_OBJECT

    static HistoryResult result(const QString &document, const QString &path, HistoryResult::Verdict verdict)
    {
        HistoryResult r;
        r.document = document;
        r.path = path;
        r.verdict = verdict;
        return r;
    }

private Q_SLOTS:
    // Values written by earlier versions: a change here would orphan every stored test.
    void hashIsStable_data()
    {
        QTest::addColumn<QString>("document");
        QTest::addColumn<QString>("path");
        QTest::addColumn<qint64>("hash");
        QTest::newRow("empty") << QString() << QString() << Q_INT64_C(-8946689499360602287);
        QTest::newRow("short") << QStringLiteral("d") << QStringLiteral("a") << Q_INT64_C(551948748675714580);
        QTest::newRow("long, not ASCII") << QStringLiteral("Suite")
                                         << QStringLiteral("Login/Ünïcode ✓/case 12/check 3") << Q_INT64_C(2284869495431656454);
    }
    void hashIsStable()
    {
        QFETCH(QString, document);
        QFETCH(QString, path);
        QTEST(HistoryTestKeys::keyHash(document, path), "hash");
    }

    void keysDiffer_data()
    {
        QTest::addColumn<QString>("document1");
        QTest::addColumn<QString>("path1");
        QTest::addColumn<QString>("document2");
        QTest::addColumn<QString>("path2");
        QTest::newRow("parts swapped") << "a" << "b" << "b" << "a";
        QTest::newRow("boundary moved") << "ab" << "c" << "a" << "bc";
        QTest::newRow("boundary moved, full words") << "abcd" << "efgh" << "abcde" << "fgh";
        QTest::newRow("trailing nul") << "a" << QString(QChar(0)) << "a" << "";
        QTest::newRow("one unit apart") << "doc" << "suite/case 1/check 10" << "doc" << "suite/case 1/check 11";
    }
    void keysDiffer()
    {
        QFETCH(QString, document1);
        QFETCH(QString, path1);
        QFETCH(QString, document2);
        QFETCH(QString, path2);
        QVERIFY(HistoryTestKeys::keyHash(document1, path1) != HistoryTestKeys::keyHash(document2, path2));
    }

    void lastResultOfAKeyWins()
    {
        const QList<HistoryResult> results{
            result("d", "a", HistoryResult::Verdict::Ko),
            result("d", "b", HistoryResult::Verdict::Ok),
            result("d", "a", HistoryResult::Verdict::Ok),
        };
        const HistoryTestKeys keys(results);
        QCOMPARE(keys.size(), 2);
        QVERIFY(!keys.hasCollision());
        const qsizetype a = keys.indexOf(HistoryTestKeys::keyHash("d", "a"));
        QCOMPARE(a, 0);
        QCOMPARE(keys.results().at(a), &results.at(2));
        QCOMPARE(keys.hashes().at(1), HistoryTestKeys::keyHash("d", "b"));
        QCOMPARE(keys.indexOf(HistoryTestKeys::keyHash("d", "c")), -1);
    }
};

QTEST_GUILESS_MAIN(tst_HistoryTestKeys)
#include "tst_historytestkeys.moc"
