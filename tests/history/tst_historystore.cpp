#include "history/historystore.h"
#include "history/historyrecorder.h"
#include "history/historystoreurl.h"
#include "history/historytestkeys.h"
#include "tests/support/postgrestestserver.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSet>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

// A result as one line, to compare every field at once.
QString describe(const HistoryResult &r)
{
    return QStringLiteral("%1|%2|%3|%4|%5|%6")
        .arg(r.document, r.path)
        .arg(int(r.verdict))
        .arg(r.passedAfterRetry)
        .arg(r.durationMs ? QString::number(*r.durationMs) : QStringLiteral("none"))
        .arg(r.fingerprint);
}

QStringList describe(const QList<HistoryResult> &results)
{
    QStringList lines;
    for (const HistoryResult &r : results)
        lines.append(describe(r));
    return lines;
}

HistoryResult result(const QString &document, const QString &path, HistoryResult::Verdict verdict,
                     std::optional<qint64> duration = std::nullopt, const QString &message = QString())
{
    HistoryResult r;
    r.document = document;
    r.path = path;
    r.verdict = verdict;
    r.durationMs = duration;
    r.fingerprint = HistoryResult::fingerprintOf(message);
    return r;
}

// A run of `results` known by `hash`.
HistoryRun runOf(const QString &hash, const QList<HistoryResult> &results = {})
{
    HistoryRun run;
    run.contentHash = hash;
    run.results = results;
    return run;
}

// Results the listing tests pick from: d/a twice, and a test under another document.
QList<HistoryResult> pool()
{
    using V = HistoryResult::Verdict;
    return {result("d", "a", V::Ko, 1, "first"), result("d", "b", V::Ok, 2), result("d", "c", V::Ok),
            result("d", "x/y", V::Inconclusive, 4), result("e", "b", V::Ko, 1250, "boom"), result("d", "a", V::Ok, 5),
            result("d", "z", V::Ok)};
}

// Batches of `entries` ("listing:index" into `results`), two tests a batch at most, a new batch
// where the listing or the document changes.
QList<HistoryListedTests> listedBatches(const QStringList &entries, const QList<HistoryResult> &results)
{
    QList<HistoryListedTests> batches;
    for (const QString &entry : entries) {
        const QString listing = entry.section(QLatin1Char(':'), 0, 0);
        const HistoryResult &r = results.at(entry.section(QLatin1Char(':'), 1).toInt());
        if (batches.isEmpty() || batches.last().listing != listing || batches.last().document != r.document
            || batches.last().paths.size() == 2) {
            batches.append(HistoryListedTests());
            batches.last().listing = listing;
            batches.last().document = r.document;
        }
        batches.last().paths.append(r.path);
        batches.last().outcomes.push_back(HistoryListedTests::outcomeOf(r));
    }
    return batches;
}

// The results at `indexes`, sorted by key as a store gives them back.
QList<HistoryResult> sortedByKey(const QList<HistoryResult> &results, const QStringList &indexes)
{
    QList<HistoryResult> picked;
    for (const QString &index : indexes)
        picked.append(results.at(index.toInt()));
    std::sort(picked.begin(), picked.end(), [](const HistoryResult &l, const HistoryResult &r) { return l.key() < r.key(); });
    return picked;
}

QByteArray contents(const QString &file)
{
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

} // namespace

// The results store on both back-ends, with the same test code: SQLite files in a temporary
// folder and databases on a real PostgreSQL server started for the test.
class tst_HistoryStore : public QObject
{
    Q_OBJECT

    PostgresTestServer m_server;
    QTemporaryDir m_dir;
    int m_databases = 0;

    // The address of a new, empty store on `backend`, or empty (see m_server's error).
    QString freshUrl(const QString &backend)
    {
        const QString name = QStringLiteral("h%1").arg(++m_databases);
        if (backend == QLatin1String("sqlite"))
            return QStringLiteral("sqlite:") + m_dir.filePath(name + QStringLiteral(".sqlite"));
        return m_server.createDatabase(name) ? m_server.url(name) : QString();
    }

    // Runs `sql` on its own connection to the store at `url` and returns the first value.
    QVariant scalar(const QString &url, const QString &sql)
    {
        QString error;
        const std::optional<HistoryStoreUrl> parsed = HistoryStoreUrl::parse(url, &error);
        if (!parsed)
            return QVariant();
        const QString connection = QStringLiteral("raw");
        QVariant value;
        {
            const bool postgres = parsed->kind == HistoryStoreUrl::Kind::Postgres;
            QSqlDatabase db = QSqlDatabase::addDatabase(postgres ? QStringLiteral("QPSQL") : QStringLiteral("QSQLITE"),
                                                        connection);
            db.setDatabaseName(postgres ? parsed->database : parsed->sqlitePath);
            db.setHostName(parsed->host);
            db.setUserName(parsed->user);
            QSqlQuery query(db);
            if (!db.open())
                qWarning() << db.lastError().text();
            else if (!query.exec(sql))
                qWarning() << query.lastError().text();
            else if (query.next())
                value = query.value(0);
        }
        QSqlDatabase::removeDatabase(connection);
        return value;
    }

    static QString recorder() { return QCoreApplication::applicationDirPath() + QStringLiteral("/history_recorder"); }

    static void backends()
    {
        QTest::addColumn<QString>("backend");
        QTest::newRow("sqlite") << "sqlite";
        QTest::newRow("postgresql") << "postgresql";
    }

private Q_SLOTS:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        QVERIFY(m_dir.isValid());
        QVERIFY2(QFileInfo(recorder()).isExecutable(), qPrintable(recorder()));
        QVERIFY2(m_server.start(), qPrintable(m_server.errorString()));
    }

    void cleanupTestCase() { m_server.stop(); }

    void recordAndReadBack_data() { backends(); }
    void recordAndReadBack()
    {
        QFETCH(QString, backend);
        const QString url = freshUrl(backend);
        QVERIFY2(!url.isEmpty(), qPrintable(m_server.errorString()));
        QString error;
        std::unique_ptr<HistoryStore> store = HistoryStore::open(url, &error);
        QVERIFY2(store, qPrintable(error));
        QCOMPARE(store->schemaVersion(), std::optional<int>(HistoryStore::CurrentSchemaVersion));

        using V = HistoryResult::Verdict;
        HistoryRun first;
        first.label = QStringLiteral("build 1");
        first.time = QDateTime(QDate(2026, 1, 2), QTime(3, 4, 5, 6), Qt::UTC);
        first.contentHash = QStringLiteral("h1");
        first.results = {result("Suite A", "login/ok", V::Ok, 12), result("Suite A", "login/bad", V::Ko, {}, "boom"),
                         result("Suite B", "login/ok", V::Inconclusive, 0),
                         result("Suite B", QStringLiteral("caf\u00e9/\u2713 \"quoted\" 'x' \\ {a,b} NULL"), V::Ok, 3),
                         result(QString(), "no document", V::Ko), result("'", "''it''s'", V::Ok, 1),
                         result("Suite B", "tab\there\nnew line\x01\x1f end", V::Ok)};
        // PostgreSQL's text holds no NUL character; SQLite's does.
        if (backend == QLatin1String("sqlite"))
            first.results.append(result("Suite B", QStringLiteral("nul") + QChar(0) + QStringLiteral("'"), V::Ko));
        first.results[2].passedAfterRetry = true;
        bool created = false;
        const std::optional<qint64> id1 = store->recordRun(first, &created);
        QVERIFY2(id1, qPrintable(store->errorString()));
        QVERIFY(created);

        HistoryRun second;
        second.label = QStringLiteral("build 2");
        second.contentHash = QStringLiteral("h2");
        second.results = {result("Suite A", "login/ok", V::Ko, 40, "timeout")};
        const std::optional<qint64> id2 = store->recordRun(second, &created);
        QVERIFY2(id2, qPrintable(store->errorString()));
        QVERIFY(*id2 > *id1);

        // Read back through a new connection: everything was committed.
        store.reset();
        store = HistoryStore::open(url, &error);
        QVERIFY2(store, qPrintable(error));
        const auto all = store->runs(0);
        QVERIFY2(all, qPrintable(store->errorString()));
        QCOMPARE(all->size(), 2);
        QCOMPARE(all->at(0).id, *id1);
        QCOMPARE(all->at(0).label, first.label);
        QCOMPARE(all->at(0).time, first.time);
        QCOMPARE(all->at(0).contentHash, first.contentHash);
        QCOMPARE(all->at(1).label, second.label);
        QCOMPARE(store->runs(1)->size(), 1);
        QCOMPARE(store->runs(1)->first().id, *id2);

        QList<HistoryResult> expected = first.results;
        std::sort(expected.begin(), expected.end(),
                  [](const HistoryResult &a, const HistoryResult &b) { return a.key() < b.key(); });
        QCOMPARE(describe(*store->results(*id1)), describe(expected));
        QVERIFY(!store->results(*id2 + 100));
        QVERIFY(!store->errorString().isEmpty());

        const auto suiteA = store->recentRuns(5, QStringLiteral("Suite A/"));
        QVERIFY2(suiteA, qPrintable(store->errorString()));
        QCOMPARE(suiteA->size(), 2);
        QCOMPARE(suiteA->at(0).results.size(), 2);
        QCOMPARE(describe(suiteA->at(1).results), describe(second.results));

        const auto one = store->testHistory(QStringLiteral("Suite A"), QStringLiteral("login/ok"), 5);
        QVERIFY2(one, qPrintable(store->errorString()));
        QCOMPARE(one->size(), 2);
        QCOMPARE(describe(one->at(0).results), QStringList(describe(first.results.at(0))));
        QCOMPARE(describe(one->at(1).results), QStringList(describe(second.results.at(0))));
        const auto absent = store->testHistory(QStringLiteral("Suite B"), QStringLiteral("login/ok"), 1);
        QCOMPARE(absent->size(), 1);
        QVERIFY(absent->first().results.isEmpty());
        const auto noDocument = store->testHistory(QString(), QStringLiteral("no document"), 5);
        QCOMPARE(noDocument->at(0).results.size(), 1);
        QCOMPARE(scalar(url, "SELECT COUNT(*) FROM tests").toInt(), first.results.size());
        // Every stored hash is the 64-bit key hash, whole (a double would round it).
        for (const HistoryResult &r : std::as_const(first.results)) {
            const QString sql = QStringLiteral("SELECT COUNT(*) FROM tests WHERE key_hash = %1")
                                    .arg(HistoryTestKeys::keyHash(r.document, r.path));
            QCOMPARE(scalar(url, sql).toInt(), 1);
        }
    }

    void sameContentTwice_data() { backends(); }
    void sameContentTwice()
    {
        QFETCH(QString, backend);
        const QString url = freshUrl(backend);
        QVERIFY2(!url.isEmpty(), qPrintable(m_server.errorString()));
        QString error;
        const std::unique_ptr<HistoryStore> store = HistoryStore::open(url, &error);
        QVERIFY2(store, qPrintable(error));
        HistoryRun run = runOf(QStringLiteral("same"), {result("d", "a", HistoryResult::Verdict::Ok)});
        run.label = QStringLiteral("first");
        const std::optional<qint64> id = store->recordRun(run);
        QVERIFY2(id, qPrintable(store->errorString()));
        run.label = QStringLiteral("again");
        bool created = true;
        QCOMPARE(store->recordRun(run, &created), id);
        QVERIFY(!created);
        const auto runs = store->runs(0);
        QCOMPARE(runs->size(), 1);
        QCOMPARE(runs->first().label, QStringLiteral("first"));
        QCOMPARE(scalar(url, "SELECT SUM(result_count) FROM runs").toInt(), 1);

        run.contentHash.clear();
        QVERIFY(!store->recordRun(run));
        QVERIFY(store->errorString().contains(QLatin1String("content hash")));
    }

    void listedAhead_data()
    {
        QTest::addColumn<QString>("backend");
        QTest::addColumn<bool>("onThread");
        QTest::addColumn<QStringList>("listed");     // "listing:index" into pool(), two a batch
        QTest::addColumn<QStringList>("own");        // indexes of the run's own results
        QTest::addColumn<QStringList>("superseded"); // listings the run supersedes
        QTest::addColumn<QStringList>("expected");   // indexes of the results read back
        QTest::addColumn<int>("tests");              // tests stored afterwards
        QTest::addColumn<bool>("recordedBefore");    // the run's content is the earlier run's
        const QStringList none;
        for (const char *backend : {"sqlite", "postgresql"}) {
            for (const bool onThread : {false, true}) {
                const QString row = QStringLiteral("%1, %2, ").arg(QLatin1String(backend),
                                                                  onThread ? QStringLiteral("recorder thread")
                                                                           : QStringLiteral("same thread"));
                const auto add = [&](const char *name, const QStringList &listed, const QStringList &own,
                                     const QStringList &superseded, const QStringList &expected, int tests,
                                     bool again = false) {
                    QTest::newRow(qPrintable(row + QLatin1String(name)))
                        << QString::fromLatin1(backend) << onThread << listed << own << superseded << expected
                        << tests << again;
                };
                add("all listed", {"f:0", "f:1", "f:2", "f:3", "g:4"}, none, none, {"0", "1", "2", "3", "4"}, 6);
                add("listed backwards", {"f:3", "f:2", "f:1", "f:0", "g:4"}, none, none, {"0", "1", "2", "3", "4"}, 6);
                add("a test listed twice", {"f:0", "f:1", "f:5", "f:2"}, none, none, {"5", "1", "2"}, 4);
                add("own results beside", {"f:0", "f:1"}, {"2", "3", "4"}, none, {"0", "1", "2", "3", "4"}, 6);
                add("own result wins", {"f:0", "f:1", "f:2"}, {"5"}, none, {"5", "1", "2"}, 4);
                add("superseded listing", {"f:0", "f:1", "g:6", "g:3"}, {"3"}, {"g"}, {"0", "1", "3"}, 4);
                add("nothing listed", none, {"0", "1"}, none, {"0", "1"}, 3);
                add("content recorded before", {"f:0", "f:1", "f:2"}, none, none, none, 2, true);
            }
        }
    }
    // Tests handed over with their results while the reports are read: the run reads back as if
    // recorded in one go (its own results winning, superseded listings left out), a stored test
    // keeps its id, and a listed test the run does not hold leaves no row.
    void listedAhead()
    {
        QFETCH(QString, backend);
        QFETCH(bool, onThread);
        QFETCH(QStringList, listed);
        QFETCH(QStringList, own);
        QFETCH(QStringList, superseded);
        QFETCH(QStringList, expected);
        QFETCH(int, tests);
        QFETCH(bool, recordedBefore);
        const QString url = freshUrl(backend);
        QVERIFY2(!url.isEmpty(), qPrintable(m_server.errorString()));
        QString error;
        const std::unique_ptr<HistoryStore> store = HistoryStore::open(url, &error);
        QVERIFY2(store, qPrintable(error));
        const std::optional<qint64> earlierId = store->recordRun(runOf(
            QStringLiteral("earlier"), {result("d", "x", HistoryResult::Verdict::Ok), result("d", "a", HistoryResult::Verdict::Ko)}));
        QVERIFY2(earlierId, qPrintable(store->errorString()));

        const QList<HistoryResult> results = pool();
        const QList<HistoryListedTests> batches = listedBatches(listed, results);
        HistoryRun run = runOf(recordedBefore ? QStringLiteral("earlier") : QStringLiteral("new"));
        for (const QString &index : std::as_const(own))
            run.results.append(results.at(index.toInt()));
        run.supersededListings = superseded;
        std::optional<qint64> id;
        bool created = false;
        if (onThread) {
            HistoryRecorder recorder(url);
            for (const HistoryListedTests &batch : batches)
                recorder.prepareTests(batch);
            const HistoryRecorder::Outcome outcome = recorder.record(run);
            QVERIFY2(outcome.id, qPrintable(outcome.error));
            id = outcome.id;
            created = outcome.created;
        } else {
            for (const HistoryListedTests &batch : batches)
                store->prepareTests(batch);
            id = store->recordRun(run, &created);
            QVERIFY2(id, qPrintable(store->errorString()));
        }
        QCOMPARE(created, !recordedBefore);
        QCOMPARE(*id == *earlierId, recordedBefore);
        QCOMPARE(scalar(url, "SELECT COUNT(*) FROM tests").toInt(), tests);
        QCOMPARE(scalar(url, "SELECT COUNT(*) FROM runs").toInt(), recordedBefore ? 1 : 2);
        if (!recordedBefore) {
            QCOMPARE(describe(*store->results(*id)), describe(sortedByKey(results, expected)));
            QCOMPARE(scalar(url, QStringLiteral("SELECT result_count FROM runs WHERE id = %1").arg(*id)).toInt(),
                     expected.size());
            // The earlier run's tests kept their ids: their history joins the new run's.
            const auto history = store->testHistory(QStringLiteral("d"), QStringLiteral("a"), 10);
            QVERIFY2(history, qPrintable(store->errorString()));
            QCOMPARE(history->size(), 2);
            QCOMPARE(history->first().results.size(), 1);
        }

        // The store goes on as usual: the next recording, with tests listed ahead.
        store->prepareTests(listedBatches({QStringLiteral("h:6")}, results).first());
        const std::optional<qint64> nextId = store->recordRun(runOf(QStringLiteral("next")));
        QVERIFY2(nextId, qPrintable(store->errorString()));
        QCOMPARE(describe(*store->results(*nextId)), describe(sortedByKey(results, {QStringLiteral("6")})));
    }

    // When the store is busy as the first tests are listed, the recording does their work at the
    // end: the listed results are still the run's.
    void listedAheadWhileBusy()
    {
        const QString url = freshUrl(QStringLiteral("sqlite"));
        QString error;
        const std::unique_ptr<HistoryStore> store = HistoryStore::open(url, &error);
        QVERIFY2(store, qPrintable(error));
        // The store's connection gives up on the lock at once instead of after its usual wait.
        for (const QString &name : QSqlDatabase::connectionNames()) {
            if (name.startsWith(QLatin1String("korvathistory-sqlite-")))
                QSqlQuery(QSqlDatabase::database(name, false)).exec(QStringLiteral("PRAGMA busy_timeout=10"));
        }
        const QList<HistoryResult> results = pool();
        const QList<HistoryListedTests> batches = listedBatches({"f:0", "f:1", "g:6", "f:5"}, results);
        {
            QSqlDatabase blocker = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("blocker"));
            blocker.setDatabaseName(HistoryStoreUrl::parse(url, &error)->sqlitePath);
            QVERIFY(blocker.open());
            QSqlQuery lock(blocker);
            QVERIFY(lock.exec(QStringLiteral("BEGIN IMMEDIATE")));
            for (const HistoryListedTests &batch : batches)
                store->prepareTests(batch);
            QVERIFY(lock.exec(QStringLiteral("ROLLBACK")));
        }
        QSqlDatabase::removeDatabase(QStringLiteral("blocker"));
        HistoryRun run = runOf(QStringLiteral("busy"), {results.at(2)});
        run.supersededListings = {QStringLiteral("g")};
        const std::optional<qint64> id = store->recordRun(run);
        QVERIFY2(id, qPrintable(store->errorString()));
        QCOMPARE(describe(*store->results(*id)), describe(sortedByKey(results, {"5", "1", "2"})));
        QCOMPARE(scalar(url, "SELECT COUNT(*) FROM tests").toInt(), 3);
    }

    void manyTestsAcrossDocuments_data() { backends(); }
    // More tests than one statement takes, the document changing on the way, with and without
    // the tests stored ahead: every result reads back.
    void manyTestsAcrossDocuments()
    {
        QFETCH(QString, backend);
        const QString url = freshUrl(backend);
        QVERIFY2(!url.isEmpty(), qPrintable(m_server.errorString()));
        QString error;
        const std::unique_ptr<HistoryStore> store = HistoryStore::open(url, &error);
        QVERIFY2(store, qPrintable(error));
        for (const bool ahead : {false, true}) {
            HistoryRun run = runOf(ahead ? QStringLiteral("ahead") : QStringLiteral("plain"));
            QStringList listed;
            for (int n = ahead ? 4500 : 0; n < (ahead ? 13500 : 9000); ++n) {
                const QString document = QStringLiteral("doc%1").arg(n / 2500);
                run.results.append(result(document, QStringLiteral("s/case \"%1\"").arg(n),
                                          n % 3 ? HistoryResult::Verdict::Ok : HistoryResult::Verdict::Ko, n));
            }
            HistoryRun recorded = run;
            if (ahead) {
                // Each document's tests in lists of their own, as a reader of several files hands
                // them; the run itself then holds no result.
                HistoryListedTests batch;
                for (int i = 0; i < run.results.size(); ++i) {
                    batch.document = run.results.at(i).document;
                    batch.paths.append(run.results.at(i).path);
                    batch.outcomes.push_back(HistoryListedTests::outcomeOf(run.results.at(i)));
                    if (i + 1 == run.results.size() || run.results.at(i + 1).document != batch.document) {
                        store->prepareTests(batch);
                        batch = HistoryListedTests();
                    }
                }
                recorded.results.clear();
            }
            const std::optional<qint64> id = store->recordRun(recorded);
            QVERIFY2(id, qPrintable(store->errorString()));
            std::sort(run.results.begin(), run.results.end(),
                      [](const HistoryResult &l, const HistoryResult &r) { return l.key() < r.key(); });
            QCOMPARE(describe(*store->results(*id)), describe(run.results));
        }
        // The second run shares half its tests with the first.
        QCOMPARE(scalar(url, "SELECT COUNT(*) FROM tests").toInt(), 13500);
    }

    void preparedAheadNeverRecorded_data() { backends(); }
    // A recorder that lists tests and ends before its run is recorded leaves no trace, and the
    // store is not left locked.
    void preparedAheadNeverRecorded()
    {
        QFETCH(QString, backend);
        const QString url = freshUrl(backend);
        QVERIFY2(!url.isEmpty(), qPrintable(m_server.errorString()));
        {
            HistoryRecorder recorder(url);
            recorder.prepareTests(listedBatches({"f:0", "f:1"}, pool()).first());
        }
        QCOMPARE(scalar(url, "SELECT COUNT(*) FROM tests").toInt(), 0);
        QString error;
        const std::unique_ptr<HistoryStore> store = HistoryStore::open(url, &error);
        QVERIFY2(store, qPrintable(error));
        QVERIFY2(store->recordRun(runOf(QStringLiteral("after"), {result("d", "b", HistoryResult::Verdict::Ok)})),
                 qPrintable(store->errorString()));
        QCOMPARE(scalar(url, "SELECT COUNT(*) FROM tests").toInt(), 1);
    }

    void newerSchemaRefused_data() { backends(); }
    void newerSchemaRefused()
    {
        QFETCH(QString, backend);
        const QString url = freshUrl(backend);
        QVERIFY2(!url.isEmpty(), qPrintable(m_server.errorString()));
        QString error;
        QVERIFY2(HistoryStore::open(url, &error), qPrintable(error));
        scalar(url, "UPDATE schema_version SET version = 99");
        QCOMPARE(scalar(url, "SELECT version FROM schema_version").toInt(), 99);
        QVERIFY(!HistoryStore::open(url, &error));
        QVERIFY2(error.contains(QLatin1String("99")) && error.contains(QLatin1String("newer")), qPrintable(error));
        QCOMPARE(scalar(url, "SELECT version FROM schema_version").toInt(), 99);
    }

    void concurrentRecorders_data()
    {
        QTest::addColumn<QString>("backend");
        QTest::addColumn<bool>("sameContent");
        QTest::addColumn<bool>("ahead");
        for (const char *backend : {"sqlite", "postgresql"}) {
            for (const bool ahead : {false, true}) {
                const QString row = QLatin1String(backend) + (ahead ? QStringLiteral(", tests ahead") : QString());
                QTest::newRow(qPrintable(row + ", four contents")) << backend << false << ahead;
                QTest::newRow(qPrintable(row + ", one content")) << backend << true << ahead;
            }
        }
    }

    // Four recorders start at once on a store nobody created yet: they race on the schema, on
    // interning the same new tests and, with one content, on the run itself.
    void concurrentRecorders()
    {
        QFETCH(QString, backend);
        QFETCH(bool, sameContent);
        QFETCH(bool, ahead);
        const QString url = freshUrl(backend);
        QVERIFY2(!url.isEmpty(), qPrintable(m_server.errorString()));
        constexpr int Tests = 600;
        std::vector<std::unique_ptr<QProcess>> recorders;
        for (int i = 0; i < 4; ++i) {
            recorders.push_back(std::make_unique<QProcess>());
            const QString hash = sameContent ? QStringLiteral("one") : QStringLiteral("c%1").arg(i);
            QStringList args{url, QStringLiteral("r%1").arg(i), hash, QString::number(Tests)};
            if (ahead)
                args << QStringLiteral("ahead");
            recorders.back()->start(recorder(), args);
        }
        QSet<QString> ids;
        for (const auto &process : recorders) {
            QVERIFY(process->waitForFinished(120000));
            QVERIFY2(process->exitStatus() == QProcess::NormalExit && process->exitCode() == 0,
                     process->readAllStandardError().constData());
            ids.insert(QString::fromLatin1(process->readAllStandardOutput().trimmed()));
        }
        const int runs = sameContent ? 1 : 4;
        QCOMPARE(ids.size(), runs);
        QCOMPARE(scalar(url, "SELECT COUNT(*) FROM runs").toInt(), runs);
        QCOMPARE(scalar(url, "SELECT COUNT(*) FROM tests").toInt(), Tests);
        QCOMPARE(scalar(url, "SELECT SUM(result_count) FROM runs").toInt(), runs * Tests);
        QCOMPARE(scalar(url, "SELECT COUNT(*) FROM schema_version").toInt(), 1);
    }

    void killedRecorder_data()
    {
        QTest::addColumn<QString>("backend");
        QTest::addColumn<QString>("stop");
        for (const char *backend : {"sqlite", "postgresql"}) {
            // Killed after its first batch of results, or while its tests are stored ahead.
            QTest::newRow(qPrintable(QLatin1String(backend) + QStringLiteral(", writing results")))
                << backend << "hang";
            QTest::newRow(qPrintable(QLatin1String(backend) + QStringLiteral(", storing tests ahead")))
                << backend << "ahead-hang";
        }
    }
    void killedRecorder()
    {
        QFETCH(QString, backend);
        QFETCH(QString, stop);
        const QString url = freshUrl(backend);
        QVERIFY2(!url.isEmpty(), qPrintable(m_server.errorString()));
        QString error;
        std::unique_ptr<HistoryStore> store = HistoryStore::open(url, &error);
        QVERIFY2(store, qPrintable(error));
        QVERIFY2(store->recordRun(runOf(QStringLiteral("before"), {result("suite", "case00001", HistoryResult::Verdict::Ok)})),
                 qPrintable(store->errorString()));

        QProcess process;
        process.start(recorder(), {url, QStringLiteral("killed"), QStringLiteral("killed"), QStringLiteral("1000"), stop});
        QByteArray out;
        while (!out.contains("written") && process.waitForReadyRead(60000))
            out += process.readAllStandardOutput();
        QVERIFY2(out.startsWith("written"), process.readAllStandardError().constData());
        process.kill(); // SIGKILL: no chance to roll back by itself
        QVERIFY(process.waitForFinished(30000));

        const auto runs = store->runs(0);
        QVERIFY2(runs, qPrintable(store->errorString()));
        QCOMPARE(runs->size(), 1);
        QCOMPARE(scalar(url, "SELECT SUM(result_count) FROM runs").toInt(), 1);
        QCOMPARE(scalar(url, "SELECT COUNT(*) FROM tests").toInt(), 1);
        // The killed recorder's lock is gone: the same content records now.
        QVERIFY2(store->recordRun(runOf(QStringLiteral("killed"), {result("suite", "case00002", HistoryResult::Verdict::Ko)})),
                 qPrintable(store->errorString()));
        QCOMPARE(store->runs(0)->size(), 2);
    }

    void damagedSqliteUntouched_data()
    {
        QTest::addColumn<QString>("damage");
        QTest::addColumn<QString>("message");
        QTest::newRow("garbage") << "garbage" << "damaged or not an SQLite file";
        QTest::newRow("overwritten header") << "header" << "damaged or not an SQLite file";
        QTest::newRow("another program's database") << "foreign" << "not a korvat history database";
        QTest::newRow("newer schema") << "newer" << "newer";
    }

    // A file that cannot be used is reported, and left byte for byte as it was.
    void damagedSqliteUntouched()
    {
        QFETCH(QString, damage);
        QFETCH(QString, message);
        const QString url = freshUrl(QStringLiteral("sqlite"));
        const QString path = url.mid(7);
        if (damage == QLatin1String("garbage")) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            QByteArray bytes(8192, '\0');
            for (int i = 0; i < bytes.size(); ++i)
                bytes[i] = char((i * 7919) % 251);
            file.write(bytes);
        } else if (damage == QLatin1String("foreign")) {
            scalar(url, "CREATE TABLE runs (x TEXT)");
        } else {
            QString error;
            std::unique_ptr<HistoryStore> store = HistoryStore::open(url, &error);
            QVERIFY2(store, qPrintable(error));
            QVERIFY(store->recordRun(runOf(QStringLiteral("x"), {result("d", "t", HistoryResult::Verdict::Ok)})));
            store.reset();
            if (damage == QLatin1String("newer")) {
                scalar(url, "UPDATE schema_version SET version = 99");
            } else {
                QFile file(path);
                QVERIFY(file.open(QIODevice::ReadWrite));
                file.write(QByteArray(16, 'x'));
            }
        }
        const QByteArray bytes = contents(path);
        const QStringList files = QDir(m_dir.path()).entryList(QDir::Files);
        QString error;
        QVERIFY(!HistoryStore::open(url, &error));
        QVERIFY2(error.contains(message), qPrintable(error));
        QVERIFY2(error.contains(path), qPrintable(error));
        QVERIFY(contents(path) == bytes);
        QCOMPARE(QDir(m_dir.path()).entryList(QDir::Files), files);
    }

    // Damage past the schema's pages is found when the pages are read: reading and recording
    // fail with a message, and nothing crashes.
    void damagedPageReported()
    {
        const QString url = freshUrl(QStringLiteral("sqlite"));
        const QString path = url.mid(7);
        {
            QString error;
            std::unique_ptr<HistoryStore> store = HistoryStore::open(url, &error);
            QVERIFY2(store, qPrintable(error));
            HistoryRun run = runOf(QStringLiteral("x"));
            for (int i = 0; i < 20000; ++i)
                run.results.append(result("d", QStringLiteral("case %1").arg(i), HistoryResult::Verdict::Ok, i));
            QVERIFY(store->recordRun(run));
        }
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadWrite));
        const qint64 size = file.size();
        // The page size, from the file's header (big-endian, at byte 16).
        const QByteArray header = file.read(18);
        const qint64 page = (qint64(quint8(header.at(16))) << 8) | quint8(header.at(17));
        QVERIFY(page >= 512);
        QVERIFY(size > 8 * page);
        for (qint64 offset = 2 * page; offset < size; offset += page) {
            file.seek(offset);
            file.write(QByteArray(page, '\xa5'));
        }
        file.close();
        QString error;
        // The first two pages (the schema) are whole: the store opens.
        std::unique_ptr<HistoryStore> store = HistoryStore::open(url, &error);
        QVERIFY2(store, qPrintable(error));
        QVERIFY(!store->recentRuns(10));
        QVERIFY2(store->errorString().contains(path), qPrintable(store->errorString()));
        QVERIFY(!store->recordRun(runOf(QStringLiteral("y"), {result("d", "new", HistoryResult::Verdict::Ko)})));
        QVERIFY2(store->errorString().contains(path), qPrintable(store->errorString()));
    }

    void unreachable_data()
    {
        QTest::addColumn<QString>("url");
        QTest::newRow("no server on that socket") << "postgresql:///korvat?host=/nonexistent-korvat-socket";
        QTest::newRow("refused on the loopback") << "postgresql://korvat@127.0.0.1:1/korvat";
        QTest::newRow("no such database") << QString();
        QTest::newRow("folder instead of a file") << "sqlite:/";
    }

    void unreachable()
    {
        QFETCH(QString, url);
        if (url.isEmpty())
            url = m_server.url(QStringLiteral("nosuchdatabase"));
        QString error;
        QVERIFY(!HistoryStore::open(url, &error));
        QVERIFY2(error.contains(QLatin1String("Cannot connect")) || error.contains(QLatin1String("not a file")),
                 qPrintable(error));
    }
};

QTEST_GUILESS_MAIN(tst_HistoryStore)
#include "tst_historystore.moc"
