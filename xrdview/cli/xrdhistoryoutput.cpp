#include "xrdview/cli/xrdhistoryoutput.h"

#include "history/historytext.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>

namespace {

// A cell of a Markdown table: a '|' or a line break would end it.
QString cell(QString text)
{
    text.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
    text.replace(QLatin1Char('|'), QStringLiteral("\\|"));
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return text;
}

QString row(const QStringList& cells)
{
    return QStringLiteral("| ") + cells.join(QStringLiteral(" | ")) + QStringLiteral(" |\n");
}

// The state as scripts read it, the same in every language.
QString stateKey(HistoryLine::State state)
{
    switch (state) {
    case HistoryLine::State::NewFailure:
        return QStringLiteral("new failure");
    case HistoryLine::State::StillFailing:
        return QStringLiteral("still failing");
    case HistoryLine::State::Fixed:
        return QStringLiteral("fixed");
    case HistoryLine::State::Flaky:
        return QStringLiteral("flaky");
    case HistoryLine::State::Stable:
        break;
    }
    return QStringLiteral("stable");
}

} // namespace

QStringList XrdHistoryOutput::labels(const QList<HistoryRun>& runs)
{
    QStringList labels;
    for (const HistoryRun& run : runs)
        labels << run.label;
    return labels;
}

QString XrdHistoryOutput::markdown(const QList<HistoryRun>& runs, const QList<HistoryLine>& lines)
{
    QStringList head(QCoreApplication::translate("XrdHistoryOutput", "test"));
    QStringList rule(QStringLiteral("---"));
    for (const HistoryRun& run : runs) {
        head << cell(run.label);
        rule << QStringLiteral(":-:");
    }
    // A column of last durations only when some test recorded one.
    const bool durations = std::any_of(lines.cbegin(), lines.cend(),
                                       [](const HistoryLine& line) { return line.lastDurationMs.has_value(); });
    head << QCoreApplication::translate("XrdHistoryOutput", "fails")
         << QCoreApplication::translate("XrdHistoryOutput", "flips");
    rule << QStringLiteral("--:") << QStringLiteral("--:");
    if (durations) {
        head << QCoreApplication::translate("XrdHistoryOutput", "last duration");
        rule << QStringLiteral("--:");
    }
    head << QCoreApplication::translate("XrdHistoryOutput", "state");
    rule << QStringLiteral("---");
    QString out = row(head) + row(rule);
    for (const HistoryLine& line : lines) {
        QStringList cells(QLatin1Char('`') + cell(line.key) + QLatin1Char('`'));
        for (const QChar letter : line.letters)
            cells << QString(letter);
        cells << QString::number(line.failCount) << QString::number(line.flips);
        if (durations)
            cells << (line.lastDurationMs ? HistoryText::duration(*line.lastDurationMs) : QString());
        cells << cell(line.stateText());
        out += row(cells);
    }
    return out;
}

QString XrdHistoryOutput::json(const QList<HistoryRun>& runs, const QList<HistoryLine>& lines)
{
    QJsonArray runArray;
    for (const HistoryRun& run : runs)
        runArray.append(QJsonObject{ { QStringLiteral("id"), run.id },
                                     { QStringLiteral("label"), run.label },
                                     { QStringLiteral("recorded"), run.time.toUTC().toString(Qt::ISODate) } });
    QJsonArray testArray;
    for (const HistoryLine& line : lines) {
        QJsonArray verdicts;
        for (const QChar letter : line.letters)
            verdicts.append(QString(letter));
        QJsonObject test{ { QStringLiteral("path"), line.key },
                          { QStringLiteral("verdicts"), verdicts },
                          { QStringLiteral("fails"), line.failCount },
                          { QStringLiteral("flips"), line.flips },
                          { QStringLiteral("state"), stateKey(line.state) } };
        if (line.state == HistoryLine::State::StillFailing)
            test.insert(QStringLiteral("since"), line.failingSince);
        if (line.lastDurationMs)
            test.insert(QStringLiteral("lastDurationMs"), *line.lastDurationMs);
        testArray.append(test);
    }
    const QJsonObject root{ { QStringLiteral("runs"), runArray }, { QStringLiteral("tests"), testArray } };
    return QString::fromUtf8(QJsonDocument(root).toJson(QJsonDocument::Indented));
}
