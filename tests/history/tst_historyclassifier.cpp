#include "history/historyclassifier.h"
#include "history/historytext.h"

#include <QTest>

Q_DECLARE_METATYPE(HistoryLine::State)

namespace {

using State = HistoryLine::State;

// One result per letter of `verdicts`: P, F, N, R (passed after a retry), '-' (absent).
QList<HistoryResult> resultsOf(const QString &verdicts)
{
    QList<HistoryResult> list;
    for (const QChar letter : verdicts) {
        HistoryResult result;
        result.path = QStringLiteral("t");
        if (letter == QLatin1Char('F'))
            result.verdict = HistoryResult::Verdict::Ko;
        else if (letter == QLatin1Char('N'))
            result.verdict = HistoryResult::Verdict::Inconclusive;
        result.passedAfterRetry = letter == QLatin1Char('R');
        list.append(result);
    }
    return list;
}

// A run labelled `label` holding the given tests, each "path:L".
HistoryRun run(const QString &label, const QString &tests)
{
    HistoryRun r;
    r.label = label;
    for (const QString &item : tests.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        HistoryResult result;
        result.document = QStringLiteral("doc");
        result.path = item.section(QLatin1Char(':'), 0, 0);
        result.verdict = item.endsWith(QLatin1Char('F')) ? HistoryResult::Verdict::Ko : HistoryResult::Verdict::Ok;
        r.results.append(result);
    }
    return r;
}

} // namespace

// The state of one test over a window of runs, the order of the lines, and the printed table.
class tst_HistoryClassifier : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void classify_data()
    {
        QTest::addColumn<QString>("verdicts");
        QTest::addColumn<QString>("letters");
        QTest::addColumn<int>("fails");
        QTest::addColumn<int>("flips");
        QTest::addColumn<State>("state");
        QTest::addColumn<QString>("since");

        QTest::newRow("always passing") << "PPPP" << "PPPP" << 0 << 0 << State::Stable << "";
        QTest::newRow("new failure") << "PPPF" << "PPPF" << 1 << 1 << State::NewFailure << "";
        QTest::newRow("first run fails") << "F" << "F" << 1 << 0 << State::NewFailure << "";
        QTest::newRow("new test failing") << "--F" << "--F" << 1 << 0 << State::NewFailure << "";
        QTest::newRow("failure after inconclusive") << "PNF" << "PNF" << 1 << 1 << State::NewFailure << "";
        QTest::newRow("failure across an absent run") << "P--F" << "P--F" << 1 << 1 << State::NewFailure << "";
        QTest::newRow("still failing") << "PPFF" << "PPFF" << 2 << 1 << State::StillFailing << "r3";
        QTest::newRow("failing the whole window") << "FFF" << "FFF" << 3 << 0 << State::StillFailing << "r1";
        QTest::newRow("still failing beats flaky") << "PFPFF" << "PFPFF" << 3 << 3 << State::StillFailing << "r4";
        QTest::newRow("fixed") << "FFFP" << "FFFP" << 3 << 1 << State::Fixed << "";
        QTest::newRow("flaky wins over fixed") << "PFPFP" << "PFPFP" << 2 << 4 << State::Flaky << "";
        QTest::newRow("flaky wins over new failure") << "PFPF" << "PFPF" << 2 << 3 << State::Flaky << "";
        QTest::newRow("two flips") << "PFPP" << "PFPP" << 1 << 2 << State::Flaky << "";
        QTest::newRow("passed after retry") << "PPRP" << "PPPP" << 0 << 0 << State::Flaky << "";
        QTest::newRow("flips across absent runs") << "P-F-P" << "P-F-P" << 1 << 2 << State::Flaky << "";
        QTest::newRow("inconclusive is no flip") << "PNPNP" << "PNPNP" << 0 << 0 << State::Stable << "";
        QTest::newRow("fixed needs a pass") << "FFN" << "FFN" << 2 << 0 << State::Stable << "";
        QTest::newRow("fixed needs the run before") << "F-P" << "F-P" << 1 << 1 << State::Stable << "";
        QTest::newRow("absent from the latest run") << "PF-" << "PF-" << 1 << 1 << State::Stable << "";
        QTest::newRow("no runs") << "" << "" << 0 << 0 << State::Stable << "";
    }

    void classify()
    {
        QFETCH(QString, verdicts);
        const QList<HistoryResult> results = resultsOf(verdicts);
        QList<const HistoryResult *> window;
        QStringList labels;
        for (qsizetype i = 0; i < verdicts.size(); ++i) {
            window.append(verdicts.at(i) == QLatin1Char('-') ? nullptr : &results.at(i));
            labels.append(QStringLiteral("r%1").arg(i + 1));
        }
        const HistoryLine line = HistoryClassifier::classify(QStringLiteral("t"), window, labels);
        QTEST(line.letters, "letters");
        QTEST(line.failCount, "fails");
        QTEST(line.flips, "flips");
        QTEST(line.state, "state");
        QTEST(line.failingSince, "since");
    }

    // Tests met in any run get a line, absent runs a '-', lines sorted by state then key, and
    // a prefix keeps only the keys it begins.
    void classifyRuns()
    {
        const QList<HistoryRun> runs = {run("b1", "z:P a:P old:F"), run("b2", "z:P a:F m:P"),
                                        run("b3", "z:F a:F m:P n:F")};
        const QList<HistoryLine> lines = HistoryClassifier::classify(runs);
        QStringList order;
        for (const HistoryLine &line : lines)
            order.append(line.key + QLatin1Char(' ') + line.letters);
        QCOMPARE(order, QStringList({"doc/n --F", "doc/z PPF", "doc/a PFF", "doc/m -PP", "doc/old F--"}));
        QCOMPARE(lines.at(2).failingSince, QStringLiteral("b2"));

        const QList<HistoryLine> some = HistoryClassifier::classify(runs, QStringLiteral("doc/o"));
        QCOMPARE(some.size(), 1);
        QCOMPARE(some.first().key, QStringLiteral("doc/old"));
    }

    void text()
    {
        const QList<HistoryRun> runs = {run("b1", "long/name:P a:P"), run("b2", "long/name:F a:F"),
                                        run("b3", "long/name:P a:F")};
        const QString text = HistoryText::history({"b1", "b2", "b3"}, HistoryClassifier::classify(runs));
        QCOMPARE(text, QStringLiteral("runs (oldest first): b1, b2, b3\n"
                                      "doc/a          P F F  2 fails  1 flips  still failing (since b2)\n"
                                      "doc/long/name  P F P  1 fails  2 flips  flaky\n"));
    }
};

QTEST_APPLESS_MAIN(tst_HistoryClassifier)
#include "tst_historyclassifier.moc"
