// What --record keeps of each test beside its verdict, on SQLite and on a
// real PostgreSQL server that the test starts: the duration and the failure
// message's fingerprint of a JUnit case (two runs written to files of the
// same name, as a CI job writes them), and --history showing the latest
// recorded duration in each of its forms.

#include "history/historystore.h"
#include "tests/support/postgrestestserver.h"
#include "tests/support/xrdviewrun.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

class tst_XrdHistoryDetails : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    PostgresTestServer m_server;

    XrdviewRun run(const QStringList& args)
    {
        return runXrdview(args, m_dir.filePath(QStringLiteral("config")), QString(), { QStringLiteral("KORVAT_DB=") });
    }

    static QString data(const char* name) { return QStringLiteral(KORVAT_TEST_DATA "/") + QLatin1String(name); }

private Q_SLOTS:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        QVERIFY(m_dir.isValid());
        QVERIFY2(m_server.start(), qPrintable(m_server.errorString()));
    }
    void cleanupTestCase() { m_server.stop(); }

    void durationsAndMessages_data()
    {
        QTest::addColumn<QString>("backend");
        QTest::newRow("sqlite") << QStringLiteral("sqlite");
        QTest::newRow("postgresql") << QStringLiteral("postgresql");
    }
    void durationsAndMessages()
    {
        QFETCH(QString, backend);
        const QString store = backend == QLatin1String("sqlite")
                                  ? QStringLiteral("sqlite:") + m_dir.filePath(QStringLiteral("details.sqlite"))
                                  : (m_server.createDatabase(QStringLiteral("details")) ? m_server.url(QStringLiteral("details"))
                                                                                        : QString());
        QVERIFY2(!store.isEmpty(), qPrintable(m_server.errorString()));
        for (const auto& [file, label] : { std::pair{ "history-details/1/results.xml", "b1" },
                                           std::pair{ "history-details/2/results.xml", "b2" } }) {
            const XrdviewRun recorded = run({ QStringLiteral("--record"), QStringLiteral("--db"), store,
                                              QStringLiteral("--label"), QLatin1String(label), data(file) });
            QVERIFY2(recorded.status == 1, qPrintable(recorded.describe()));
        }

        // The table gains a column of latest durations, aligned on the right.
        XrdviewRun history = run({ QStringLiteral("--history"), QStringLiteral("--db"), store });
        QCOMPARE(history.status, 0);
        QCOMPARE(QString::fromUtf8(history.out),
                 QStringLiteral("runs (oldest first): b1, b2\n"
                                "results/login/locks after three tries  F F  2 fails  0 flips  3 min 05 s  "
                                "still failing (since b1)\n"
                                "results/login/accepts a password       P P  0 fails  0 flips      750 ms  stable\n"
                                "results/login/no duration              P P  0 fails  0 flips              stable\n"));

        history = run({ QStringLiteral("--history"), QStringLiteral("--db"), store, QStringLiteral("--to"),
                        QStringLiteral("json") });
        const QJsonArray tests = QJsonDocument::fromJson(history.out).object().value(QStringLiteral("tests")).toArray();
        QCOMPARE(tests.size(), 3);
        QCOMPARE(tests.at(0).toObject().value(QStringLiteral("lastDurationMs")).toInteger(), 185200);
        QVERIFY(!tests.at(2).toObject().contains(QStringLiteral("lastDurationMs")));
        // The same failure message gives the same fingerprint in both runs; a pass has none.
        QString error;
        const std::unique_ptr<HistoryStore> opened = HistoryStore::open(store, &error);
        QVERIFY2(opened, qPrintable(error));
        const auto runs = opened->recentRuns(2);
        QVERIFY2(runs && runs->size() == 2, qPrintable(opened->errorString()));
        QList<qint64> fingerprints;
        for (const HistoryRun& recorded : *runs) {
            for (const HistoryResult& result : recorded.results) {
                if (result.verdict == HistoryResult::Verdict::Ko)
                    fingerprints << result.fingerprint;
                else
                    QCOMPARE(result.fingerprint, 0);
            }
        }
        QCOMPARE(fingerprints.size(), 2);
        QVERIFY(fingerprints.at(0) != 0 && fingerprints.at(0) == fingerprints.at(1));
    }
};

QTEST_GUILESS_MAIN(tst_XrdHistoryDetails)
#include "tst_xrdhistorydetails.moc"
