#include "korvatreporter/data/results/qaresultwords.h"

namespace QAResultWords {

const QString &worse(const QString &a, const QString &b)
{
    const auto rank = [](const QString &state) {
        return state.isNull() ? 0 : state == StateOk ? 1 : state == StateNe ? 2 : 3;
    };
    return rank(b) > rank(a) ? b : a;
}

std::optional<QAStTestResult::Verdict> verdictOf(const QString &state)
{
    if (state == StateOk)
        return QAStTestResult::Passed;
    if (state == StateKo)
        return QAStTestResult::Failed;
    if (state == StateNe)
        return QAStTestResult::Inconclusive;
    return std::nullopt;
}

} // namespace QAResultWords
