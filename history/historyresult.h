#pragma once

#include <QChar>
#include <QString>

#include <optional>

// One test's outcome in one recorded run. A test is known by a stable key, the name of the
// document it belongs to and its node path inside that document, so that the same test is
// found again when each run is written to a new report file.
struct HistoryResult
{
    enum class Verdict { Ok = 0, Ko = 1, Inconclusive = 2 };

    QString document;
    QString path;
    Verdict verdict = Verdict::Ok;
    // Passed only after one or more retries: a sign of a flaky test.
    bool passedAfterRetry = false;
    std::optional<qint64> durationMs;
    // Hash of the failure message (0 when there is none), see fingerprintOf().
    qint64 fingerprint = 0;

    // The key shown to users and used to sort: "document/path" (the path alone without a document).
    QString key() const;
    // The same key made of its two parts, in one allocation (large comparisons make one per test).
    static QString keyOf(QStringView document, QStringView path);

    // The letter of a verdict in history lines: P, F or N.
    static QChar letter(Verdict verdict);

    // A duration given in seconds as whole milliseconds; none when it is negative or not a number
    // (a report that gives no duration), capped at about a year.
    static std::optional<qint64> durationOf(double seconds);

    // A stable 63-bit hash of a failure message, trimmed; 0 for an empty message.
    static qint64 fingerprintOf(const QString &message);

    // The compact integer stored for a verdict and its retry flag, and back. fromCode() refuses
    // codes no version of the store writes.
    int code() const;
    static bool fromCode(int code, Verdict *verdict, bool *passedAfterRetry);
};
