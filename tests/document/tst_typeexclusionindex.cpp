#include "korvatreporter/document/qareporterfilter.h"

#include "korvatreporter/data/qareporternode.h"
#include "tests/support/growthratio.h"

#include <QRandomGenerator>
#include <QTest>

// The filter's index of excluded types: plain-text patterns answered by a sorted search must
// give what running every pattern gives, and thousands of hidden types must cost about a
// look-up per node.
class TestTypeExclusionIndex : public QObject
{
    Q_OBJECT

    static QString word(QRandomGenerator& random, int maxLength)
    {
        QString text = QLatin1String(""); // empty, not null: a null type always passes
        const int length = int(random.bounded(maxLength + 1));
        for (int i = 0; i < length; ++i)
            text += QLatin1Char(char('a' + random.bounded(3)));
        return text;
    }

    static bool excluded(const QAReporterFilter& filter, const QString& type)
    {
        QAReporterNode node;
        node.type = type;
        return !(filter.match(node) & QAReporterFilter::TypeExclusion);
    }

private Q_SLOTS:
    void sameAsEveryPattern_data()
    {
        QTest::addColumn<QStringList>("syntax"); // patterns with pattern syntax added to the words
        QTest::addColumn<int>("removed");        // how many patterns are removed again
        QTest::newRow("plain text") << QStringList() << 0;
        QTest::newRow("with the empty text") << QStringList{QString()} << 0;
        QTest::newRow("with patterns") << QStringList{QStringLiteral("b.a"), QStringLiteral("c+b$")} << 0;
        QTest::newRow("some removed") << QStringList{QStringLiteral("(ab|ca)c")} << 10;
    }

    void sameAsEveryPattern()
    {
        QFETCH(QStringList, syntax);
        QFETCH(int, removed);
        // Short words over three letters: many begin one another, which is where a sorted
        // search can go wrong ("a" and "ab" excluded, "ac" tested).
        QRandomGenerator random(7);
        QStringList patterns = syntax;
        for (int i = 0; i < 40; ++i)
            patterns << word(random, 4);
        QAReporterFilter filter;
        for (const QString& p : std::as_const(patterns))
            filter.set(QAReporterFilter::TypeExclusion, QRegularExpression(p));
        for (int i = 0; i < removed; ++i)
            filter.removeTypeExclusion(QRegularExpression(patterns.takeLast()));
        for (int i = 0; i < 400; ++i) {
            const QString type = word(random, 6);
            bool expected = false;
            for (const QString& p : std::as_const(patterns))
                expected = expected || QAReporterFilter::matchesAtStart(QRegularExpression(p), type);
            QVERIFY2(excluded(filter, type) == expected, qPrintable(type));
        }
    }

    void thousandsOfHiddenTypes()
    {
        // Every node its own type, every type hidden one by one as the type menu does (remove
        // the entry, then add it), then every node matched.
        const auto step = [](int n) {
            QAReporterFilter filter;
            for (int i = 0; i < n; ++i) {
                const QRegularExpression pattern(QStringLiteral("Type%1").arg(i));
                filter.removeTypeExclusion(pattern);
                filter.set(QAReporterFilter::TypeExclusion, pattern);
            }
            QAReporterNode node;
            for (int i = 0; i < n; ++i) {
                node.type = QStringLiteral("Type%1x").arg(i);
                QVERIFY(excluded(filter, node.type));
            }
        };
        const double ratio = GrowthRatio::of(step, 2000);
        QVERIFY2(ratio < GrowthRatio::Bound, qPrintable(QString::number(ratio)));
    }
};

QTEST_GUILESS_MAIN(TestTypeExclusionIndex)
#include "tst_typeexclusionindex.moc"
