#include "history/historycontenthash.h"
#include "history/historyresultblock.h"
#include "history/historystore.h"
#include "history/historytestkeys.h"
#include "history/historystoreurl.h"
#include "tests/support/postgrestestserver.h"

#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

// A store written by an older schema (the first: one row per result; the second: results
// packed by blocks, tests unique by their text; the third: runs known by SHA-256) is migrated when it is opened: its runs and
// results read back as they were recorded, on SQLite and on PostgreSQL alike.
class tst_HistoryMigration : public QObject
{
    Q_OBJECT

    PostgresTestServer m_server;
    QTemporaryDir m_dir;

    // Runs `statements` on a connection of its own; the last query's first value, if any.
    static QVariant run(const HistoryStoreUrl &url, const QStringList &statements)
    {
        const bool postgres = url.kind == HistoryStoreUrl::Kind::Postgres;
        QVariant value;
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(postgres ? QStringLiteral("QPSQL") : QStringLiteral("QSQLITE"),
                                                        QStringLiteral("raw"));
            db.setDatabaseName(postgres ? url.database : url.sqlitePath);
            db.setHostName(url.host);
            db.setUserName(url.user);
            if (!db.open())
                qWarning() << db.lastError().text();
            QSqlQuery query(db);
            for (const QString &sql : statements) {
                if (!query.exec(sql))
                    qWarning() << sql << query.lastError().text();
            }
            if (query.isSelect() && query.next())
                value = query.value(0);
        }
        QSqlDatabase::removeDatabase(QStringLiteral("raw"));
        return value;
    }

    // The id column of the first two schemas.
    static QString idColumn(bool postgres)
    {
        return postgres ? QStringLiteral("SERIAL PRIMARY KEY") : QStringLiteral("INTEGER PRIMARY KEY AUTOINCREMENT");
    }

    // The version row and the tests table of the first two schemas, with three tests.
    static QStringList versionAndTests(int version, bool postgres)
    {
        return {
            QStringLiteral("CREATE TABLE schema_version (version INTEGER NOT NULL)"),
            QStringLiteral("INSERT INTO schema_version VALUES (%1)").arg(version),
            QStringLiteral("CREATE TABLE tests (id %1, document TEXT NOT NULL, path TEXT NOT NULL, "
                           "UNIQUE (document, path))").arg(idColumn(postgres)),
            QStringLiteral("INSERT INTO tests (document, path) VALUES ('d', 'a'), ('d', 'b'), ('e', 'c')"),
        };
    }

    // The first schema as korvat wrote it, with two runs of three tests.
    static QStringList firstSchema(bool postgres)
    {
        return versionAndTests(1, postgres) + QStringList{
            QStringLiteral("CREATE TABLE runs (id %1, label TEXT NOT NULL, recorded_at BIGINT NOT NULL, "
                           "content_hash TEXT NOT NULL UNIQUE)").arg(idColumn(postgres)),
            QStringLiteral("CREATE TABLE results (fingerprint BIGINT, run_id INTEGER NOT NULL, test_id INTEGER NOT NULL, "
                           "duration_ms INTEGER, verdict SMALLINT NOT NULL, PRIMARY KEY (run_id, test_id))"),
            QStringLiteral("CREATE INDEX results_by_test ON results (test_id, run_id)"),
            QStringLiteral("INSERT INTO runs (label, recorded_at, content_hash) VALUES ('b1', 1000, 'h1'), "
                           "('b2', 2000, 'h2')"),
            // Run 1: a passed, b failed with a message; run 2: a passed after a retry, c inconclusive.
            QStringLiteral("INSERT INTO results (run_id, test_id, verdict, duration_ms, fingerprint) VALUES "
                           "(1, 1, 0, 15, NULL), (1, 2, 1, NULL, 4242424242424242), "
                           "(2, 1, 4, 3000, NULL), (2, 3, 2, 0, NULL)"),
        };
    }

    // The second schema as korvat wrote it, with the same runs and results as firstSchema().
    static QStringList secondSchema(bool postgres)
    {
        const auto bytes = [postgres](const QList<HistoryResultBlock::Entry> &entries) {
            const QByteArray hex = HistoryResultBlock::pack(entries).toHex();
            return postgres ? QStringLiteral("'\\x%1'::bytea").arg(QLatin1String(hex))
                            : QStringLiteral("X'%1'").arg(QLatin1String(hex));
        };
        HistoryResultBlock::Entry a{1, 0, 15, 0};
        HistoryResultBlock::Entry b{2, 1, std::nullopt, 4242424242424242};
        HistoryResultBlock::Entry retried{1, 4, 3000, 0};
        HistoryResultBlock::Entry c{3, 2, 0, 0};
        return versionAndTests(2, postgres) + QStringList{
            QStringLiteral("CREATE TABLE runs (id %1, label TEXT NOT NULL, recorded_at BIGINT NOT NULL, "
                           "content_hash TEXT NOT NULL UNIQUE, result_count INTEGER NOT NULL DEFAULT 0)")
                .arg(idColumn(postgres)),
            QStringLiteral("CREATE TABLE result_blocks (run_id INTEGER NOT NULL, block INTEGER NOT NULL, "
                           "packed %1 NOT NULL, PRIMARY KEY (run_id, block))")
                .arg(postgres ? QStringLiteral("BYTEA") : QStringLiteral("BLOB")),
            QStringLiteral("CREATE INDEX result_blocks_by_block ON result_blocks (block, run_id)"),
            QStringLiteral("INSERT INTO runs (label, recorded_at, content_hash, result_count) VALUES "
                           "('b1', 1000, 'h1', 2), ('b2', 2000, 'h2', 2)"),
            QStringLiteral("INSERT INTO result_blocks (run_id, block, packed) VALUES (1, 0, %1), (2, 0, %2)")
                .arg(bytes({a, b}), bytes({retried, c})),
        };
    }

    static QString describe(const QList<HistoryResult> &results)
    {
        QStringList lines;
        for (const HistoryResult &r : results)
            lines << QStringLiteral("%1 %2%3 %4 %5")
                         .arg(r.key())
                         .arg(HistoryResult::letter(r.verdict))
                         .arg(r.passedAfterRetry ? QStringLiteral("+retry") : QString())
                         .arg(r.durationMs ? QString::number(*r.durationMs) : QStringLiteral("-"))
                         .arg(r.fingerprint);
        return lines.join(QStringLiteral("; "));
    }

private Q_SLOTS:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        QVERIFY(m_dir.isValid());
        QVERIFY2(m_server.start(), qPrintable(m_server.errorString()));
    }
    void cleanupTestCase() { m_server.stop(); }

    void olderSchemaMigrated_data()
    {
        QTest::addColumn<bool>("postgres");
        QTest::addColumn<int>("version");
        QTest::newRow("sqlite, first schema") << false << 1;
        QTest::newRow("postgresql, first schema") << true << 1;
        QTest::newRow("sqlite, second schema") << false << 2;
        QTest::newRow("postgresql, second schema") << true << 2;
    }
    void olderSchemaMigrated()
    {
        QFETCH(bool, postgres);
        QFETCH(int, version);
        const QString name = QStringLiteral("old%1").arg(version);
        const QString address = postgres ? (m_server.createDatabase(name) ? m_server.url(name) : QString())
                                         : QStringLiteral("sqlite:") + m_dir.filePath(name + QStringLiteral(".sqlite"));
        QVERIFY2(!address.isEmpty(), qPrintable(m_server.errorString()));
        QString error;
        const std::optional<HistoryStoreUrl> url = HistoryStoreUrl::parse(address, &error);
        QVERIFY2(url, qPrintable(error));
        run(*url, version == 1 ? firstSchema(postgres) : secondSchema(postgres));

        std::unique_ptr<HistoryStore> store = HistoryStore::open(address, &error);
        QVERIFY2(store, qPrintable(error));
        QCOMPARE(store->schemaVersion(), std::optional<int>(HistoryStore::CurrentSchemaVersion));
        QCOMPARE(describe(*store->results(1)), QStringLiteral("d/a P 15 0; d/b F - 4242424242424242"));
        QCOMPARE(describe(*store->results(2)), QStringLiteral("d/a P+retry 3000 0; e/c N 0 0"));
        const auto history = store->testHistory(QStringLiteral("d"), QStringLiteral("a"), 5);
        QVERIFY2(history, qPrintable(store->errorString()));
        QCOMPARE(history->size(), 2);
        QCOMPARE(history->at(1).label, QStringLiteral("b2"));
        QCOMPARE(describe(history->at(1).results), QStringLiteral("d/a P+retry 3000 0"));
        // Every result was carried over; new runs record beside the migrated ones.
        QCOMPARE(run(*url, {QStringLiteral("SELECT SUM(result_count) FROM runs")}).toInt(), 4);
        HistoryRun third;
        third.contentHash = QStringLiteral("h3");
        third.results = {history->at(1).results.at(0)};
        QVERIFY2(store->recordRun(third), qPrintable(store->errorString()));
        // Every migrated test carries the hash of its key, by which the new run found its test.
        QCOMPARE(run(*url, {QStringLiteral("SELECT COUNT(*) FROM tests")}).toInt(), 3);
        QCOMPARE(run(*url, {QStringLiteral("SELECT key_hash FROM tests WHERE id = 3")}).toLongLong(),
                 HistoryTestKeys::keyHash(QStringLiteral("e"), QStringLiteral("c")));
        QCOMPARE(describe(store->recentRuns(1, QStringLiteral("d/"))->at(0).results), QStringLiteral("d/a P+retry 3000 0"));
    }

    // The runs of the third schema were found by the SHA-256 of their reports; from the fourth on
    // by a 128-bit hash. A migrated run is still found by its SHA-256, and then by the new hash
    // alone; the SHA-256 is asked for only while some run has nothing else.
    void thirdSchemaRunsFoundAgain_data()
    {
        QTest::addColumn<bool>("postgres");
        QTest::newRow("sqlite") << false;
        QTest::newRow("postgresql") << true;
    }
    void thirdSchemaRunsFoundAgain()
    {
        QFETCH(bool, postgres);
        const QString address = postgres ? (m_server.createDatabase(QStringLiteral("old3")) ? m_server.url(QStringLiteral("old3")) : QString())
                                         : QStringLiteral("sqlite:") + m_dir.filePath(QStringLiteral("old3.sqlite"));
        QVERIFY2(!address.isEmpty(), qPrintable(m_server.errorString()));
        QString error;
        const std::optional<HistoryStoreUrl> url = HistoryStoreUrl::parse(address, &error);
        QVERIFY2(url, qPrintable(error));
        const QString report = m_dir.filePath(QStringLiteral("report.xrd"));
        QFile file(report);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write("<XROD/>") == 7);
        file.close();
        const QString sha256 = HistoryContentHash::sha256Of({report}, &error);
        HistoryResultBlock::Entry a{1, 1, std::nullopt, 0};
        const QString packed = QLatin1String(HistoryResultBlock::pack({a}).toHex());
        run(*url, {
            QStringLiteral("CREATE TABLE schema_version (version INTEGER NOT NULL)"),
            QStringLiteral("INSERT INTO schema_version VALUES (3)"),
            QStringLiteral("CREATE TABLE runs (id %1, label TEXT NOT NULL, recorded_at BIGINT NOT NULL, "
                           "content_hash TEXT NOT NULL UNIQUE, result_count INTEGER NOT NULL DEFAULT 0)").arg(idColumn(postgres)),
            QStringLiteral("CREATE TABLE tests (id INTEGER PRIMARY KEY, key_hash BIGINT NOT NULL, document TEXT NOT NULL, "
                           "path TEXT NOT NULL)"),
            QStringLiteral("CREATE UNIQUE INDEX tests_by_key_hash ON tests (key_hash)"),
            QStringLiteral("CREATE TABLE result_blocks (run_id INTEGER NOT NULL, block INTEGER NOT NULL, "
                           "packed %1 NOT NULL, PRIMARY KEY (run_id, block))").arg(postgres ? QStringLiteral("BYTEA") : QStringLiteral("BLOB")),
            QStringLiteral("CREATE INDEX result_blocks_by_block ON result_blocks (block, run_id)"),
            QStringLiteral("INSERT INTO runs (label, recorded_at, content_hash, result_count) VALUES ('b1', 1000, '%1', 1)").arg(sha256),
            QStringLiteral("INSERT INTO tests VALUES (1, %1, 'd', 'a')").arg(HistoryTestKeys::keyHash(QStringLiteral("d"), QStringLiteral("a"))),
            QStringLiteral("INSERT INTO result_blocks VALUES (1, 0, %1)")
                .arg(postgres ? QStringLiteral("'\\x%1'::bytea").arg(packed) : QStringLiteral("X'%1'").arg(packed)),
        });

        std::unique_ptr<HistoryStore> store = HistoryStore::open(address, &error);
        QVERIFY2(store, qPrintable(error));
        QCOMPARE(store->schemaVersion(), std::optional<int>(4));
        QCOMPARE(store->runs(0)->at(0).contentHash, sha256);
        QCOMPARE(describe(*store->results(1)), QStringLiteral("d/a F - 0"));

        int asked = 0;
        HistoryRun again;
        again.contentHash = HistoryRun::contentHashOf({report}, &error);
        again.sha256 = [&asked, report]() {
            ++asked;
            return HistoryRun::sha256Of({report})();
        };
        bool created = true;
        QCOMPARE(store->recordRun(again, &created), std::optional<qint64>(1));
        QVERIFY(!created);
        QCOMPARE(asked, 1);
        QCOMPARE(run(*url, {QStringLiteral("SELECT content_key FROM runs WHERE id = 1")}).toString(), again.contentHash);
        // Every run has the new hash now: the SHA-256 is not needed any more.
        QCOMPARE(store->recordRun(again, &created), std::optional<qint64>(1));
        QCOMPARE(asked, 1);

        HistoryRun other;
        other.contentHash = QStringLiteral("0123456789abcdef0123456789abcdef");
        other.sha256 = again.sha256;
        other.results = store->results(1).value();
        QCOMPARE(store->recordRun(other, &created), std::optional<qint64>(2));
        QVERIFY(created);
        QCOMPARE(asked, 1);
        QVERIFY(run(*url, {QStringLiteral("SELECT content_hash FROM runs WHERE id = 2")}).isNull());
        QCOMPARE(store->runs(0)->at(1).contentHash, other.contentHash);
    }
};

QTEST_GUILESS_MAIN(tst_HistoryMigration)
#include "tst_historymigration.moc"
