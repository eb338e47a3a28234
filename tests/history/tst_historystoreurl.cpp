#include "history/historystoreurl.h"

#include <QStandardPaths>
#include <QTest>

// Store addresses: the default file, SQLite paths, PostgreSQL over TCP or a Unix socket, and
// the addresses refused with a message.
class tst_HistoryStoreUrl : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void parse_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("postgres");
        QTest::addColumn<QString>("sqlitePath");
        QTest::addColumn<QString>("host");
        QTest::addColumn<int>("port");
        QTest::addColumn<QString>("user");
        QTest::addColumn<QString>("database");

        QTest::newRow("sqlite absolute") << "sqlite:/var/h.sqlite" << false << "/var/h.sqlite" << "" << -1 << "" << "";
        QTest::newRow("sqlite with slashes") << "sqlite:///var/h.sqlite" << false << "/var/h.sqlite" << "" << -1 << ""
                                             << "";
        QTest::newRow("sqlite relative") << "sqlite:h/../x.db" << false << "x.db" << "" << -1 << "" << "";
        QTest::newRow("tcp") << "postgresql://qa@db.example:5433/korvat" << true << "" << "db.example" << 5433 << "qa"
                             << "korvat";
        QTest::newRow("short scheme") << "postgres://qa@db/k" << true << "" << "db" << -1 << "qa" << "k";
        QTest::newRow("unix socket") << "postgresql:///korvat?host=/run/pg&port=5444&user=ci" << true << ""
                                     << "/run/pg" << 5444 << "ci" << "korvat";
        QTest::newRow("escaped socket folder") << "postgresql:///k?host=%2Ftmp%2Fa%20b" << true << "" << "/tmp/a b"
                                               << -1 << "" << "k";
        QTest::newRow("no database") << "postgresql://qa@db" << true << "" << "db" << -1 << "qa" << "";
    }

    void parse()
    {
        QFETCH(QString, text);
        QString error;
        const std::optional<HistoryStoreUrl> url = HistoryStoreUrl::parse(text, &error);
        QVERIFY2(url, qPrintable(error));
        QTEST(url->kind == HistoryStoreUrl::Kind::Postgres, "postgres");
        QTEST(url->sqlitePath, "sqlitePath");
        QTEST(url->host, "host");
        QTEST(url->port, "port");
        QTEST(url->user, "user");
        QTEST(url->database, "database");
    }

    void defaultFile()
    {
        QString error;
        const std::optional<HistoryStoreUrl> url = HistoryStoreUrl::parse(QString(), &error);
        QVERIFY(url);
        QCOMPARE(url->kind, HistoryStoreUrl::Kind::Sqlite);
        QCOMPARE(url->sqlitePath,
                 QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + "/korvat/history.sqlite");
    }

    void refused_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");

        QTest::newRow("password in the address") << "postgresql://qa:secret@db/k" << "PGPASSWORD";
        QTest::newRow("password parameter") << "postgresql:///k?password=secret" << "PGPASSWORD";
        QTest::newRow("unknown parameter") << "postgresql:///k?sslmode=disable" << "sslmode";
        QTest::newRow("bad port") << "postgresql:///k?port=70000" << "port";
        QTest::newRow("database with a slash") << "postgresql://db/a/b" << "database name";
        QTest::newRow("other scheme") << "mysql://db/k" << "sqlite:PATH";
        QTest::newRow("plain path") << "/tmp/h.sqlite" << "sqlite:PATH";
        QTest::newRow("sqlite without a file") << "sqlite:" << "names no file";
    }

    void refused()
    {
        QFETCH(QString, text);
        QFETCH(QString, message);
        QString error;
        QVERIFY(!HistoryStoreUrl::parse(text, &error));
        QVERIFY2(error.contains(message), qPrintable(error));
        QVERIFY2(!error.contains(QLatin1String("secret")), qPrintable(error));
    }
};

QTEST_APPLESS_MAIN(tst_HistoryStoreUrl)
#include "tst_historystoreurl.moc"
