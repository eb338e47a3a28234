#include "history/historytext.h"

#include <QCoreApplication>

#include <algorithm>

namespace {

void appendSection(QString &out, const QString &heading, const QStringList &keys)
{
    out += QStringLiteral("%1 (%2)\n").arg(heading).arg(keys.size());
    // Appended piece by piece: a comparison of large reports lists hundreds of thousands of keys.
    qsizetype size = out.size();
    for (const QString &key : keys)
        size += key.size() + 3;
    out.reserve(size);
    for (const QString &key : keys) {
        out += QLatin1String("  ");
        out += key;
        out += QLatin1Char('\n');
    }
}

QString spaced(const QString &letters)
{
    QString out;
    out.reserve(letters.size() * 2);
    for (const QChar letter : letters) {
        if (!out.isEmpty())
            out += QLatin1Char(' ');
        out += letter;
    }
    return out;
}

} // namespace

QString HistoryText::comparison(const HistoryComparison &c)
{
    using State = HistoryLine::State;
    QString out;
    appendSection(out, HistoryLine::stateWord(State::NewFailure), c.newFailures);
    appendSection(out, HistoryLine::stateWord(State::Fixed), c.fixed);
    appendSection(out, HistoryLine::stateWord(State::StillFailing), c.stillFailing);
    appendSection(out, QCoreApplication::translate("KorvatHistory", "added"), c.added);
    appendSection(out, QCoreApplication::translate("KorvatHistory", "removed"), c.removed);
    return out;
}

QString HistoryText::history(const QStringList &labels, const QList<HistoryLine> &lines)
{
    QString out = QCoreApplication::translate("KorvatHistory", "runs (oldest first): %1\n")
                      .arg(labels.join(QStringLiteral(", ")));
    qsizetype width = 0;
    for (const HistoryLine &line : lines)
        width = std::max(width, line.key.size());
    // The durations' column is as wide as the widest; none when no test has one.
    QStringList durations;
    qsizetype durationWidth = 0;
    for (const HistoryLine &line : lines) {
        durations.append(line.lastDurationMs ? duration(*line.lastDurationMs) : QString());
        durationWidth = std::max(durationWidth, durations.last().size());
    }
    const QString failsWord = QCoreApplication::translate("KorvatHistory", "fails");
    const QString flipsWord = QCoreApplication::translate("KorvatHistory", "flips");
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const HistoryLine &line = lines.at(i);
        out += QStringLiteral("%1  %2  %3 %4  %5 %6  ")
                   .arg(line.key.leftJustified(width), spaced(line.letters))
                   .arg(line.failCount)
                   .arg(failsWord)
                   .arg(line.flips)
                   .arg(flipsWord);
        if (durationWidth > 0)
            out += durations.at(i).rightJustified(durationWidth) + QStringLiteral("  ");
        out += line.stateText() + QLatin1Char('\n');
    }
    return out;
}

QString HistoryText::duration(qint64 milliseconds)
{
    if (milliseconds < 1000)
        return QCoreApplication::translate("KorvatHistory", "%1 ms").arg(milliseconds);
    if (milliseconds < 60000)
        return QCoreApplication::translate("KorvatHistory", "%1 s").arg(milliseconds / 1000.0, 0, 'f', 2);
    const qint64 seconds = (milliseconds + 500) / 1000;
    return QCoreApplication::translate("KorvatHistory", "%1 min %2 s")
        .arg(seconds / 60)
        .arg(seconds % 60, 2, 10, QLatin1Char('0'));
}
