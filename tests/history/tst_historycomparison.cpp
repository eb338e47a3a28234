#include "history/historycomparison.h"
#include "history/historytext.h"

#include <QTest>

namespace {

// Results from "key:L key:L ...", L one of P, F, N; a key "doc/path" names a document.
QList<HistoryResult> results(const QString &items)
{
    QList<HistoryResult> list;
    for (const QString &item : items.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        HistoryResult result;
        const QString key = item.section(QLatin1Char(':'), 0, 0);
        result.document = key.contains(QLatin1Char('/')) ? key.section(QLatin1Char('/'), 0, 0) : QString();
        result.path = key.contains(QLatin1Char('/')) ? key.section(QLatin1Char('/'), 1) : key;
        const QChar letter = item.at(item.size() - 1);
        result.verdict = letter == QLatin1Char('F')   ? HistoryResult::Verdict::Ko
                         : letter == QLatin1Char('N') ? HistoryResult::Verdict::Inconclusive
                                                      : HistoryResult::Verdict::Ok;
        list.append(result);
    }
    return list;
}

QStringList keys(const QString &text)
{
    return text.split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

} // namespace

// The sections of a comparison of two runs, and their printed form.
class tst_HistoryComparison : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void compare_data()
    {
        QTest::addColumn<QString>("oldRun");
        QTest::addColumn<QString>("newRun");
        QTest::addColumn<QString>("newFailures");
        QTest::addColumn<QString>("fixed");
        QTest::addColumn<QString>("stillFailing");
        QTest::addColumn<QString>("added");
        QTest::addColumn<QString>("removed");

        QTest::newRow("both empty") << "" << "" << "" << "" << "" << "" << "";
        QTest::newRow("unchanged pass") << "a:P" << "a:P" << "" << "" << "" << "" << "";
        QTest::newRow("pass to fail") << "a:P" << "a:F" << "a" << "" << "" << "" << "";
        QTest::newRow("fail to pass") << "a:F" << "a:P" << "" << "a" << "" << "" << "";
        QTest::newRow("fail to fail") << "a:F" << "a:F" << "" << "" << "a" << "" << "";
        QTest::newRow("inconclusive to fail") << "a:N" << "a:F" << "a" << "" << "" << "" << "";
        QTest::newRow("fail to inconclusive is not fixed") << "a:F" << "a:N" << "" << "" << "" << "" << "";
        QTest::newRow("added passing") << "" << "a:P" << "" << "" << "" << "a" << "";
        QTest::newRow("added failing is a new failure") << "" << "a:F" << "a" << "" << "" << "" << "";
        QTest::newRow("removed failing") << "a:F" << "" << "" << "" << "" << "" << "a";
        QTest::newRow("sections sorted")
            << "c:P a:P b:F e:F y:P" << "z:P c:F b:P a:F d:P e:F" << "a c" << "b" << "e" << "d z" << "y";
        QTest::newRow("same path in two documents") << "x/t:P y/t:P" << "x/t:F y/t:P" << "x/t" << "" << "" << "" << "";
        QTest::newRow("document renamed") << "x/t:P" << "y/t:P" << "" << "" << "" << "y/t" << "x/t";
        QTest::newRow("duplicate in the new run") << "a:P" << "a:F a:F" << "a" << "" << "" << "" << "";
        // Of a key given twice, the old run's last result and the new run's first one count.
        QTest::newRow("duplicates disagree in the new run") << "a:P" << "a:F a:P" << "a" << "" << "" << "" << "";
        QTest::newRow("duplicates disagree in the old run") << "a:F a:P" << "a:F" << "a" << "" << "" << "" << "";
    }

    void compare()
    {
        QFETCH(QString, oldRun);
        QFETCH(QString, newRun);
        const HistoryComparison c = HistoryComparison::compare(results(oldRun), results(newRun));
        QFETCH(QString, newFailures);
        QFETCH(QString, fixed);
        QFETCH(QString, stillFailing);
        QFETCH(QString, added);
        QFETCH(QString, removed);
        QCOMPARE(c.newFailures, keys(newFailures));
        QCOMPARE(c.fixed, keys(fixed));
        QCOMPARE(c.stillFailing, keys(stillFailing));
        QCOMPARE(c.added, keys(added));
        QCOMPARE(c.removed, keys(removed));
    }

    // Keys are ordered as the strings "document/path" would be, without making them.
    void keyOrder_data()
    {
        QTest::addColumn<QString>("document1");
        QTest::addColumn<QString>("path1");
        QTest::addColumn<QString>("document2");
        QTest::addColumn<QString>("path2");

        QTest::newRow("same document") << "d" << "a/b" << "d" << "a/c";
        QTest::newRow("path a prefix") << "d" << "a" << "d" << "a/b";
        QTest::newRow("equal") << "d" << "a" << "d" << "a";
        QTest::newRow("document a prefix of the other") << "a" << "z" << "a-b" << "c";
        QTest::newRow("document against path") << "a" << "b" << "" << "a/b";
        QTest::newRow("document against longer path") << "a" << "b" << "" << "a/a";
        QTest::newRow("no documents") << "" << "x" << "" << "w";
        QTest::newRow("slash against a lower character") << "a" << "x" << "" << "a.x";
        QTest::newRow("empty path") << "d" << "" << "d/" << "";
        QTest::newRow("beyond Latin-1") << QString::fromUtf8("d\xc3\xa9") << "x" << "d" << QString::fromUtf8("\xe2\x82\xac");
    }

    void keyOrder()
    {
        QFETCH(QString, document1);
        QFETCH(QString, path1);
        QFETCH(QString, document2);
        QFETCH(QString, path2);
        const HistoryComparison::Entry a{document1, path1};
        const HistoryComparison::Entry b{document2, path2};
        const auto sign = [](int order) { return (order > 0) - (order < 0); };
        const QString keyA = a.key();
        const QString keyB = b.key();
        QCOMPARE(sign(HistoryComparison::compareKeys(a, b)), sign(keyA.compare(keyB)));
        QCOMPARE(sign(HistoryComparison::compareKeys(b, a)), sign(keyB.compare(keyA)));
    }

    // The UTF-8 text written from the entries is the plain text's, byte for byte.
    void utf8Text_data()
    {
        QTest::addColumn<QString>("oldRun");
        QTest::addColumn<QString>("newRun");

        QTest::newRow("every section") << "s/a:P s/b:F s/c:F s/e:F" << "s/a:F s/b:P s/d:P s/e:F";
        QTest::newRow("empty") << "" << "";
        QTest::newRow("no documents") << "b:F c:P" << "a:F c:F";
        QTest::newRow("beyond ASCII") << QString::fromUtf8("s/\xc3\xa9t\xc3\xa9:P") << QString::fromUtf8("s/\xc3\xa9t\xc3\xa9:F \xe2\x82\xac/x:P s/z:P");
    }

    void utf8Text()
    {
        QFETCH(QString, oldRun);
        QFETCH(QString, newRun);
        const QList<HistoryResult> older = results(oldRun);
        const QList<HistoryResult> newer = results(newRun);
        const HistoryComparison::Sorted sortedOld = HistoryComparison::sorted(older);
        const HistoryComparison::Sorted sortedNew = HistoryComparison::sorted(newer);
        const QByteArray bytes = HistoryText::comparisonUtf8(HistoryComparison::sections(sortedOld, sortedNew));
        QCOMPARE(bytes, HistoryText::comparison(HistoryComparison::compare(older, newer)).toUtf8());
    }

    void text()
    {
        const HistoryComparison c =
            HistoryComparison::compare(results("s/a:P s/b:F s/c:F"), results("s/a:F s/b:P s/d:P"));
        QCOMPARE(HistoryText::comparison(c), QStringLiteral("new failure (1)\n"
                                                            "  s/a\n"
                                                            "fixed (1)\n"
                                                            "  s/b\n"
                                                            "still failing (0)\n"
                                                            "added (1)\n"
                                                            "  s/d\n"
                                                            "removed (1)\n"
                                                            "  s/c\n"));
    }
};

QTEST_APPLESS_MAIN(tst_HistoryComparison)
#include "tst_historycomparison.moc"
