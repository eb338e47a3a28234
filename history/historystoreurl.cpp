#include "history/historystoreurl.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>
#include <QUrl>
#include <QUrlQuery>

namespace {

std::optional<HistoryStoreUrl> parsePostgres(const QString &text, QString *error)
{
    const QUrl url(text, QUrl::StrictMode);
    if (!url.isValid()) {
        *error = QCoreApplication::translate("KorvatHistory", "Invalid PostgreSQL address %1: %2").arg(text, url.errorString());
        return std::nullopt;
    }
    if (!url.password().isEmpty()) {
        *error = QCoreApplication::translate("KorvatHistory", "The history database address must not hold a password: "
                    "put it in PGPASSWORD or ~/.pgpass instead");
        return std::nullopt;
    }
    HistoryStoreUrl parsed;
    parsed.kind = HistoryStoreUrl::Kind::Postgres;
    parsed.host = url.host();
    parsed.port = url.port(-1);
    parsed.user = url.userName();
    parsed.database = url.path().mid(1);
    if (parsed.database.contains(QLatin1Char('/'))) {
        *error = QCoreApplication::translate("KorvatHistory", "Invalid PostgreSQL address %1: the database name cannot contain '/'").arg(text);
        return std::nullopt;
    }
    const QUrlQuery query(url);
    for (const auto &item : query.queryItems(QUrl::FullyDecoded)) {
        if (item.first == QLatin1String("host")) {
            parsed.host = item.second;
        } else if (item.first == QLatin1String("port")) {
            bool ok = false;
            parsed.port = item.second.toInt(&ok);
            if (!ok || parsed.port <= 0 || parsed.port > 65535) {
                *error = QCoreApplication::translate("KorvatHistory", "Invalid port in the PostgreSQL address %1").arg(text);
                return std::nullopt;
            }
        } else if (item.first == QLatin1String("user")) {
            parsed.user = item.second;
        } else if (item.first == QLatin1String("dbname")) {
            parsed.database = item.second;
        } else if (item.first == QLatin1String("password")) {
            *error = QCoreApplication::translate("KorvatHistory", "The history database address must not hold a password: "
                        "put it in PGPASSWORD or ~/.pgpass instead");
            return std::nullopt;
        } else {
            *error = QCoreApplication::translate("KorvatHistory", "Unknown parameter %1 in the PostgreSQL address: "
                        "only host, port, user and dbname are read").arg(item.first);
            return std::nullopt;
        }
    }
    return parsed;
}

} // namespace

std::optional<HistoryStoreUrl> HistoryStoreUrl::parse(const QString &text, QString *error)
{
    HistoryStoreUrl parsed;
    if (text.isEmpty()) {
        parsed.sqlitePath = defaultSqlitePath();
        return parsed;
    }
    if (text.startsWith(QLatin1String("sqlite:"))) {
        QString path = text.mid(7);
        // "sqlite:///abs/path" and "sqlite:/abs/path" name the same file.
        if (path.startsWith(QLatin1String("//")))
            path = path.mid(2);
        if (path.isEmpty()) {
            *error = QCoreApplication::translate("KorvatHistory", "The SQLite address %1 names no file").arg(text);
            return std::nullopt;
        }
        parsed.sqlitePath = QDir::cleanPath(path);
        return parsed;
    }
    if (text.startsWith(QLatin1String("postgresql://")) || text.startsWith(QLatin1String("postgres://")))
        return parsePostgres(text, error);
    *error = QCoreApplication::translate("KorvatHistory", "Unknown history database address %1: use sqlite:PATH or "
                "postgresql://user@host:port/dbname").arg(text);
    return std::nullopt;
}

QString HistoryStoreUrl::defaultSqlitePath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)
           + QStringLiteral("/korvat/history.sqlite");
}

QString HistoryStoreUrl::display() const
{
    if (kind == Kind::Sqlite)
        return QStringLiteral("sqlite:") + sqlitePath;
    QString text = QStringLiteral("postgresql://");
    if (!user.isEmpty())
        text += user + QLatin1Char('@');
    if (!host.startsWith(QLatin1Char('/')))
        text += host;
    if (port > 0 && !host.startsWith(QLatin1Char('/')))
        text += QLatin1Char(':') + QString::number(port);
    text += QLatin1Char('/') + database;
    if (host.startsWith(QLatin1Char('/')))
        text += QStringLiteral("?host=") + host + (port > 0 ? QStringLiteral("&port=%1").arg(port) : QString());
    return text;
}
