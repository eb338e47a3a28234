#include "korvatreporter/data/results/qaresultwords.h"

namespace QAResultWords {

const QString &worse(const QString &a, const QString &b)
{
    const auto rank = [](const QString &state) {
        return state.isNull() ? 0 : state == StateOk ? 1 : state == StateNe ? 2 : 3;
    };
    return rank(b) > rank(a) ? b : a;
}

} // namespace QAResultWords
