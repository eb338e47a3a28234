#include "history/historylistedtests.h"

HistoryListedTests::Outcome HistoryListedTests::outcomeOf(const HistoryResult &result)
{
    Outcome outcome;
    outcome.code = result.code();
    outcome.durationMs = result.durationMs;
    outcome.fingerprint = result.fingerprint;
    return outcome;
}
