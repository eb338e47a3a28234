#include "history/historytext.h"

#include <QCoreApplication>

#include <algorithm>

namespace {

// The five section headings, in the order of HistoryComparison::Sections.
QStringList sectionHeadings()
{
    using State = HistoryLine::State;
    return {HistoryLine::stateWord(State::NewFailure), HistoryLine::stateWord(State::Fixed),
            HistoryLine::stateWord(State::StillFailing), QCoreApplication::translate("KorvatHistory", "added"),
            QCoreApplication::translate("KorvatHistory", "removed")};
}

QString sectionHeading(const QString &word, qsizetype count)
{
    return QStringLiteral("%1 (%2)\n").arg(word).arg(count);
}

void appendSection(QString &out, const QString &word, const QStringList &keys)
{
    out += sectionHeading(word, keys.size());
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

// Writes ASCII `text` at `end` one byte a character; returns the new end.
char *writtenAscii(char *end, QStringView text)
{
    for (const QChar c : text)
        *end++ = char(c.unicode());
    return end;
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
    const QStringList words = sectionHeadings();
    QString out;
    appendSection(out, words.at(0), c.newFailures);
    appendSection(out, words.at(1), c.fixed);
    appendSection(out, words.at(2), c.stillFailing);
    appendSection(out, words.at(3), c.added);
    appendSection(out, words.at(4), c.removed);
    return out;
}

QByteArray HistoryText::comparisonUtf8(const HistoryComparison::Sections &sections)
{
    const QStringList words = sectionHeadings();
    // Each section sized for its keys as ASCII ("  document/path\n"); a key with other
    // characters is converted whole and grows it.
    QByteArray out;
    for (size_t s = 0; s < sections.size(); ++s) {
        out += sectionHeading(words.at(qsizetype(s)), qsizetype(sections[s].size())).toUtf8();
        const qsizetype from = out.size();
        qsizetype room = 0;
        for (const HistoryComparison::Entry *entry : sections[s])
            room += entry->document.size() + entry->path.size() + 4;
        out.resize(from + room);
        char *end = out.data() + from;
        for (const HistoryComparison::Entry *entry : sections[s]) {
            const qsizetype at = end - out.data();
            *end++ = ' ';
            *end++ = ' ';
            if (QtPrivate::isAscii(entry->document) && QtPrivate::isAscii(entry->path)) {
                end = writtenAscii(end, entry->document);
                if (!entry->document.isEmpty())
                    *end++ = '/';
                end = writtenAscii(end, entry->path);
            } else {
                // Converted as the whole key, so that the bytes are those of QString::toUtf8().
                const QByteArray bytes = entry->key().toUtf8();
                room += bytes.size();
                out.resize(from + room);
                end = std::copy(bytes.cbegin(), bytes.cend(), out.data() + at + 2);
            }
            *end++ = '\n';
        }
        out.resize(end - out.data());
    }
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
