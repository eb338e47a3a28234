#include "history/historyresult.h"

#include <QCryptographicHash>
#include <QtEndian>

#include <algorithm>
#include <cmath>

namespace {
// Bit added to the verdict code when the test passed only after a retry.
constexpr int RetryFlag = 4;
}

QString HistoryResult::key() const
{
    return document.isEmpty() ? path : keyOf(document, path);
}

QString HistoryResult::keyOf(QStringView document, QStringView path)
{
    if (document.isEmpty())
        return path.toString();
    QString key;
    key.reserve(document.size() + 1 + path.size());
    key += document;
    key += QLatin1Char('/');
    key += path;
    return key;
}

QChar HistoryResult::letter(Verdict verdict)
{
    switch (verdict) {
    case Verdict::Ok:
        return QLatin1Char('P');
    case Verdict::Ko:
        return QLatin1Char('F');
    case Verdict::Inconclusive:
        break;
    }
    return QLatin1Char('N');
}

std::optional<qint64> HistoryResult::durationOf(double seconds)
{
    constexpr double MaxSeconds = 366.0 * 24 * 3600;
    if (!(seconds >= 0))
        return std::nullopt;
    return qint64(std::llround(std::min(seconds, MaxSeconds) * 1000.0));
}

qint64 HistoryResult::fingerprintOf(const QString &message)
{
    const QString trimmed = message.trimmed();
    if (trimmed.isEmpty())
        return 0;
    const QByteArray digest = QCryptographicHash::hash(trimmed.toUtf8(), QCryptographicHash::Sha1);
    const qint64 value = qFromBigEndian<qint64>(digest.constData()) & 0x7fffffffffffffffLL;
    // 0 means "no message": a message hashing to it is shifted by one.
    return value == 0 ? 1 : value;
}

int HistoryResult::code() const
{
    return int(verdict) | (passedAfterRetry ? RetryFlag : 0);
}

bool HistoryResult::fromCode(int code, Verdict *verdict, bool *passedAfterRetry)
{
    const int base = code & ~RetryFlag;
    if (code < 0 || base > int(Verdict::Inconclusive))
        return false;
    *verdict = Verdict(base);
    *passedAfterRetry = (code & RetryFlag) != 0;
    return true;
}
