#include "korvatreporter/document/qareporterfilter.h"

#include "korvatreporter/data/qareporternode.h"

#include <QTest>

namespace {

QAReporterNode node(const QString &name, const QString &type, const QString &state)
{
    QAReporterNode n;
    n.name = name;
    n.type = type;
    n.state = state;
    return n;
}

const QString null;

} // namespace

// Tests of the filter criteria: the accept mask and how criteria are set,
// cleared and removed.
class TestQAReporterFilter : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void match_data()
    {
        QTest::addColumn<QString>("namePattern");  // null: criterion not set
        QTest::addColumn<QStringList>("types");    // excluded type patterns
        QTest::addColumn<QString>("statePattern"); // null: criterion not set
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("state");
        QTest::addColumn<int>("mask");

        const QStringList none;
        QTest::newRow("no criterion") << null << none << null << "a" << "T" << "ok" << 7;
        QTest::newRow("root fields null") << "x" << QStringList{"T"} << "ko" << null << null << null << 7;
        QTest::newRow("ko passes ko") << null << none << "ko" << "a" << "T" << "ko" << 7;
        QTest::newRow("ko rejects ok") << null << none << "ko" << "a" << "T" << "ok" << 3;
        QTest::newRow("prefix match counts") << null << none << "ko" << "a" << "T" << "kook" << 7;
        QTest::newRow("later match does not") << null << none << "ko" << "a" << "T" << "ako" << 3;
        QTest::newRow("case-sensitive") << null << none << "ko" << "a" << "T" << "KO" << 3;
        QTest::newRow("empty state fails") << null << none << "ko" << "a" << "T" << "" << 3;
        // The engine's first match starts at 1 ("b"), but "ab" matches at 0.
        QTest::newRow("match at 0 not hidden") << null << none << "b|ab" << "a" << "T" << "ab" << 7;
        QTest::newRow("type excluded") << null << QStringList{"Test"} << null << "a" << "TestCase" << "ok" << 5;
        QTest::newRow("type matched inside") << null << QStringList{"Case"} << null << "a" << "TestCase" << "ok" << 7;
        QTest::newRow("second type pattern") << null << QStringList{"X", "Te"} << null << "a"
                                             << "TestCase" << "ok" << 5;
        QTest::newRow("null type passes") << null << QStringList{""} << null << "a" << null << "ok" << 7;
        QTest::newRow("empty pattern excludes all") << null << QStringList{""} << null << "a" << "" << "ok" << 5;
        QTest::newRow("name mismatch") << "lo" << none << null << "hello" << "T" << "ok" << 6;
        QTest::newRow("name prefix") << "he" << none << null << "hello" << "T" << "ok" << 7;
        QTest::newRow("all rejected") << "x" << QStringList{"T"} << "ko" << "a" << "T" << "ok" << 0;
        QTest::newRow("invalid pattern never matches") << "(" << QStringList{"("} << null << "(" << "(" << "ok" << 6;
    }

    void match()
    {
        QFETCH(QString, namePattern);
        QFETCH(QStringList, types);
        QFETCH(QString, statePattern);
        QFETCH(QString, name);
        QFETCH(QString, type);
        QFETCH(QString, state);

        QAReporterFilter filter;
        if (!namePattern.isNull())
            filter.set(QAReporterFilter::NameMatch, QRegularExpression(namePattern));
        for (const QString &t : types)
            filter.set(QAReporterFilter::TypeExclusion, QRegularExpression(t));
        if (!statePattern.isNull())
            filter.set(QAReporterFilter::StateMatch, QRegularExpression(statePattern));
        QTEST(filter.match(node(name, type, state)), "mask");
    }

    void sharedTextsFollowPatternChanges_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<int>("before");
        QTest::addColumn<int>("after");
        QTest::newRow("state pattern replaced") << "state" << 3 << 7;
        QTest::newRow("type exclusion added") << "addType" << 3 << 1;
        QTest::newRow("type exclusion removed") << "removeType" << 1 << 7;
        QTest::newRow("copy, then pattern replaced") << "copy" << 3 << 7;
    }

    void sharedTextsFollowPatternChanges()
    {
        // Nodes sharing their type and verdict texts are answered from what
        // the filter remembers; a changed criterion must not reuse an answer.
        QFETCH(QString, change);
        QFETCH(int, before);
        QFETCH(int, after);
        const QAReporterNode shared = node("n", "Check", "ok");
        QAReporterFilter filter;
        filter.set(QAReporterFilter::StateMatch, QRegularExpression("ko"));
        if (change == "removeType")
            filter.set(QAReporterFilter::TypeExclusion, QRegularExpression("Ch"));
        for (int i = 0; i < 3; ++i)
            QCOMPARE(filter.match(shared), before);
        const QAReporterNode twin = shared; // same texts, same data
        if (change == "state") {
            filter.set(QAReporterFilter::StateMatch, QRegularExpression("o"));
        } else if (change == "addType") {
            filter.set(QAReporterFilter::TypeExclusion, QRegularExpression("Check"));
        } else if (change == "removeType") {
            filter.removeTypeExclusion(QRegularExpression("Ch"));
            filter.set(QAReporterFilter::StateMatch, QRegularExpression("ok"));
        } else {
            QAReporterFilter copy = filter;
            copy.set(QAReporterFilter::StateMatch, QRegularExpression("ok"));
            QCOMPARE(copy.match(twin), after);
            QCOMPARE(filter.match(twin), before);
            return;
        }
        QCOMPARE(filter.match(twin), after);
    }

    void setAndClear_data()
    {
        QTest::addColumn<QList<int>>("set");
        QTest::addColumn<QList<int>>("cleared");
        QTest::addColumn<int>("flags");
        QTest::addColumn<int>("typeCount");

        QTest::newRow("state") << QList<int>{4} << QList<int>{} << 4 << 0;
        QTest::newRow("all three") << QList<int>{1, 2, 4} << QList<int>{} << 7 << 1;
        QTest::newRow("types append") << QList<int>{2, 2, 2} << QList<int>{} << 2 << 3;
        QTest::newRow("state cleared") << QList<int>{4, 2} << QList<int>{4} << 2 << 1;
        QTest::newRow("types cleared") << QList<int>{2, 2, 1} << QList<int>{2} << 1 << 0;
        QTest::newRow("unknown criteria ignored") << QList<int>{3, 8, 0} << QList<int>{} << 0 << 0;
        QTest::newRow("unknown clear ignored") << QList<int>{1, 4} << QList<int>{5, 7} << 5 << 0;
        QTest::newRow("clear unset criterion") << QList<int>{} << QList<int>{1, 2, 4} << 0 << 0;
    }

    void setAndClear()
    {
        QFETCH(QList<int>, set);
        QFETCH(QList<int>, cleared);
        QFETCH(int, flags);

        QAReporterFilter filter;
        for (int criterion : set)
            filter.set(criterion, QRegularExpression(QStringLiteral("p")));
        for (int criterion : cleared)
            filter.clear(criterion);
        QCOMPARE(filter.flags(), flags);
        QTEST(int(filter.typePatterns().size()), "typeCount");
        QCOMPARE(filter.namePattern().has_value(), bool(flags & QAReporterFilter::NameMatch));
        QCOMPARE(filter.statePattern().has_value(), bool(flags & QAReporterFilter::StateMatch));
    }

    void removeTypeExclusion_data()
    {
        QTest::addColumn<QStringList>("types");
        QTest::addColumn<QString>("removed");
        QTest::addColumn<bool>("caseInsensitive");
        QTest::addColumn<QStringList>("remaining");
        QTest::addColumn<int>("flags");

        QTest::newRow("last one clears the flag") << QStringList{"A"} << "A" << false << QStringList{} << 0;
        QTest::newRow("one of two") << QStringList{"A", "B"} << "A" << false << QStringList{"B"} << 2;
        QTest::newRow("first equal only") << QStringList{"A", "B", "A"} << "A" << false << QStringList{"B", "A"} << 2;
        QTest::newRow("absent") << QStringList{"A"} << "C" << false << QStringList{"A"} << 2;
        QTest::newRow("other options differ") << QStringList{"A"} << "A" << true << QStringList{"A"} << 2;
        QTest::newRow("empty list") << QStringList{} << "A" << false << QStringList{} << 0;
    }

    void removeTypeExclusion()
    {
        QFETCH(QStringList, types);
        QFETCH(QString, removed);
        QFETCH(bool, caseInsensitive);
        QFETCH(int, flags);

        QAReporterFilter filter;
        for (const QString &t : types)
            filter.set(QAReporterFilter::TypeExclusion, QRegularExpression(t));
        filter.removeTypeExclusion(QRegularExpression(
            removed, caseInsensitive ? QRegularExpression::CaseInsensitiveOption
                                     : QRegularExpression::NoPatternOption));
        QStringList patterns;
        for (const QRegularExpression &re : filter.typePatterns())
            patterns << re.pattern();
        QTEST(patterns, "remaining");
        QCOMPARE(filter.flags(), flags);
    }
};

QTEST_APPLESS_MAIN(TestQAReporterFilter)
#include "tst_qareporterfilter.moc"
