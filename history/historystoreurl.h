#pragma once

#include <QString>

#include <optional>

// Where a results store lives, parsed from the text a user gives:
// - empty: the default SQLite file, $XDG_DATA_HOME/korvat/history.sqlite;
// - "sqlite:PATH": another SQLite file;
// - "postgresql://user@host:port/dbname" (or "postgres://"), with "?host=/socket/dir" for a Unix
//   socket. A password is refused: libpq reads it from PGPASSWORD or ~/.pgpass, so it never sits
//   in settings or on a command line in clear.
struct HistoryStoreUrl
{
    enum class Kind { Sqlite, Postgres };

    Kind kind = Kind::Sqlite;
    QString sqlitePath;
    QString host;     // a name, an address, or a socket folder (starts with '/'); empty: libpq's default
    int port = -1;
    QString user;
    QString database;

    // The parsed address, or nothing with `error` set to a translated message.
    static std::optional<HistoryStoreUrl> parse(const QString &text, QString *error);

    // The default SQLite file.
    static QString defaultSqlitePath();

    // The address for messages: no password can be in it.
    QString display() const;
};
