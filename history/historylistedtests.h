#pragma once

#include "history/historyresult.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

// Tests of one document handed to a recording while their report is still being read
// (HistoryStore::prepareTests): their paths and results, so that the store interns the tests
// and packs their results during the read. They belong to the run that is recorded next unless
// the run names their listing as superseded (HistoryRun::supersededListings).
struct HistoryListedTests
{
    // One test's result, as the store packs it.
    struct Outcome
    {
        int code = 0; // HistoryResult::code()
        std::optional<qint64> durationMs;
        qint64 fingerprint = 0;
    };

    QString listing; // what they were listed from, such as the report file
    QString document;
    QStringList paths;
    std::vector<Outcome> outcomes; // one per path, in the same order

    // The outcome of `result`.
    static Outcome outcomeOf(const HistoryResult &result);
};
