#include "xrdview/cli/xrdhistoryoptions.h"

#include <QCommandLineParser>

namespace {

bool isHistoryMode(XrdCommandLine::Mode mode)
{
    return mode == XrdCommandLine::Record || mode == XrdCommandLine::History
           || mode == XrdCommandLine::CompareRuns;
}

// Run ids as typed: positive integers, else none.
QList<qint64> runIds(const QStringList& texts)
{
    QList<qint64> ids;
    for (const QString& text : texts) {
        bool ok = false;
        const qint64 id = text.toLongLong(&ok);
        if (!ok || id <= 0)
            return {};
        ids << id;
    }
    return ids;
}

} // namespace

bool XrdHistoryOptions::readsStore(XrdCommandLine::Mode mode)
{
    return mode == XrdCommandLine::History || mode == XrdCommandLine::CompareRuns;
}

QString XrdHistoryOptions::read(const QCommandLineParser& parser, XrdCommandLine& line)
{
    const bool db = parser.isSet(QStringLiteral("db"));
    const bool label = parser.isSet(QStringLiteral("label"));
    const bool last = parser.isSet(QStringLiteral("last"));
    const bool to = parser.isSet(QStringLiteral("to"));
    if (db && !isHistoryMode(line.mode))
        return tr("--db goes with --record, --history or --compare-runs");
    if (label && line.mode != XrdCommandLine::Record)
        return tr("--label goes with --record");
    if (last && line.mode != XrdCommandLine::History)
        return tr("--last goes with --history");
    line.dbUrl = parser.value(QStringLiteral("db"));
    if (db && line.dbUrl.trimmed().isEmpty())
        return tr("--db needs a store address");
    line.runLabel = parser.value(QStringLiteral("label"));
    if (last) {
        bool ok = false;
        line.lastRuns = parser.value(QStringLiteral("last")).toInt(&ok);
        if (!ok || line.lastRuns <= 0)
            return tr("--last needs a positive number of runs");
    }
    if (line.mode == XrdCommandLine::History && to && line.outputFormat != QLatin1String("text") && line.outputFormat != QLatin1String("markdown")
        && line.outputFormat != QLatin1String("json"))
        return tr("--to needs text, markdown or json");
    if (line.mode == XrdCommandLine::History && line.files.size() > 1)
        return tr("--history takes one path prefix at most");
    if (line.mode == XrdCommandLine::CompareRuns) {
        line.runIds = runIds(line.files);
        if (line.runIds.size() != 2)
            return tr("--compare-runs needs two run ids, the older one first");
    }
    return QString();
}
