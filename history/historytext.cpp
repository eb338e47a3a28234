#include "history/historytext.h"

#include <QCoreApplication>

#include <algorithm>

namespace {

void appendSection(QString &out, const QString &heading, const QStringList &keys)
{
    out += QStringLiteral("%1 (%2)\n").arg(heading).arg(keys.size());
    for (const QString &key : keys)
        out += QStringLiteral("  %1\n").arg(key);
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
    const QString failsWord = QCoreApplication::translate("KorvatHistory", "fails");
    const QString flipsWord = QCoreApplication::translate("KorvatHistory", "flips");
    for (const HistoryLine &line : lines) {
        out += QStringLiteral("%1  %2  %3 %4  %5 %6  %7\n")
                   .arg(line.key.leftJustified(width), spaced(line.letters))
                   .arg(line.failCount)
                   .arg(failsWord)
                   .arg(line.flips)
                   .arg(flipsWord, line.stateText());
    }
    return out;
}
