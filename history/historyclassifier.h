#pragma once

#include "history/historyrun.h"

#include <QList>
#include <QString>

#include <optional>

// One test's line in the history of a window of runs (oldest first): its verdict letters,
// how often it failed, how often it flipped between pass and fail, and one state.
struct HistoryLine
{
    // Listed in the order lines are sorted by.
    enum class State { NewFailure, StillFailing, Fixed, Flaky, Stable };

    QString key;
    QString letters;    // one letter per run: P, F, N, or '-' when absent
    int failCount = 0;
    int flips = 0;      // changes between P and F, across inconclusive or absent runs
    State state = State::Stable;
    QString failingSince; // label of the run that began the current failure streak (StillFailing)
    // The duration of the latest run in the window that recorded one for the test.
    std::optional<qint64> lastDurationMs;

    // The state word as printed, translated ("still failing (since X)" included).
    QString stateText() const;
    static QString stateWord(State state);
};

// Classifies tests over a window of runs. The rules, checked in this order:
// - still failing: failed in the latest run and in the one before;
// - flaky: at least two flips inside the window, or passed after a retry in any run of it;
// - new failure: failed in the latest run and did not fail in the one before;
// - fixed: passed in the latest run and failed in the one before;
// - stable: anything else.
// Flaky thus wins over a new failure and over fixed, which its flips explain.
class HistoryClassifier
{
public:
    // The line of one test, given its result in each run of the window (null when absent)
    // and the labels of those runs.
    static HistoryLine classify(const QString &key, const QList<const HistoryResult *> &results,
                                const QStringList &labels);

    // Lines for every test found in `runs` (oldest first) whose key starts with `prefix`,
    // sorted by state then key.
    static QList<HistoryLine> classify(const QList<HistoryRun> &runs, const QString &prefix = QString());
};
