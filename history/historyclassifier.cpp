#include "history/historyclassifier.h"

#include <QCoreApplication>
#include <QHash>

#include <algorithm>

using Verdict = HistoryResult::Verdict;

QString HistoryLine::stateWord(State state)
{
    switch (state) {
    case State::NewFailure:
        return QCoreApplication::translate("KorvatHistory", "new failure");
    case State::StillFailing:
        return QCoreApplication::translate("KorvatHistory", "still failing");
    case State::Fixed:
        return QCoreApplication::translate("KorvatHistory", "fixed");
    case State::Flaky:
        return QCoreApplication::translate("KorvatHistory", "flaky");
    case State::Stable:
        break;
    }
    return QCoreApplication::translate("KorvatHistory", "stable");
}

QString HistoryLine::stateText() const
{
    if (state == State::StillFailing && !failingSince.isEmpty())
        return QCoreApplication::translate("KorvatHistory", "still failing (since %1)").arg(failingSince);
    return stateWord(state);
}

HistoryLine HistoryClassifier::classify(const QString &key, const QList<const HistoryResult *> &results,
                                        const QStringList &labels)
{
    HistoryLine line;
    line.key = key;
    bool retried = false;
    QChar lastPassFail;
    for (const HistoryResult *result : results) {
        const QChar letter = result ? HistoryResult::letter(result->verdict) : QLatin1Char('-');
        line.letters.append(letter);
        if (!result)
            continue;
        retried = retried || result->passedAfterRetry;
        if (result->durationMs)
            line.lastDurationMs = result->durationMs;
        if (result->verdict == Verdict::Ko)
            ++line.failCount;
        if (result->verdict == Verdict::Inconclusive)
            continue;
        if (!lastPassFail.isNull() && lastPassFail != letter)
            ++line.flips;
        lastPassFail = letter;
    }

    const qsizetype n = line.letters.size();
    const QChar latest = n > 0 ? line.letters.at(n - 1) : QChar();
    const QChar before = n > 1 ? line.letters.at(n - 2) : QChar();
    if (latest == QLatin1Char('F') && before == QLatin1Char('F')) {
        line.state = HistoryLine::State::StillFailing;
        qsizetype first = n - 1;
        while (first > 0 && line.letters.at(first - 1) == QLatin1Char('F'))
            --first;
        line.failingSince = labels.value(first);
    } else if (line.flips >= 2 || retried) {
        line.state = HistoryLine::State::Flaky;
    } else if (latest == QLatin1Char('F')) {
        line.state = HistoryLine::State::NewFailure;
    } else if (latest == QLatin1Char('P') && before == QLatin1Char('F')) {
        line.state = HistoryLine::State::Fixed;
    }
    return line;
}

QList<HistoryLine> HistoryClassifier::classify(const QList<HistoryRun> &runs, const QString &prefix)
{
    // Each test's result per run, found by document and path (no key built per result).
    QHash<std::pair<QString, QString>, qsizetype> rowOf;
    QList<QList<const HistoryResult *>> rows;
    QStringList keys;
    QStringList labels;
    for (qsizetype r = 0; r < runs.size(); ++r) {
        labels.append(runs.at(r).label);
        for (const HistoryResult &result : runs.at(r).results) {
            auto it = rowOf.find({result.document, result.path});
            if (it == rowOf.end()) {
                const QString key = result.key();
                // A test outside the prefix gets a row of its own that is never printed.
                it = rowOf.insert({result.document, result.path}, rows.size());
                rows.append(key.startsWith(prefix) ? QList<const HistoryResult *>(runs.size(), nullptr)
                                                   : QList<const HistoryResult *>());
                keys.append(key);
            }
            QList<const HistoryResult *> &row = rows[*it];
            if (!row.isEmpty())
                row[r] = &result;
        }
    }
    QList<HistoryLine> lines;
    lines.reserve(rows.size());
    for (qsizetype i = 0; i < rows.size(); ++i) {
        if (!rows.at(i).isEmpty())
            lines.append(classify(keys.at(i), rows.at(i), labels));
    }
    std::sort(lines.begin(), lines.end(), [](const HistoryLine &a, const HistoryLine &b) {
        if (a.state != b.state)
            return a.state < b.state;
        return a.key < b.key;
    });
    return lines;
}
