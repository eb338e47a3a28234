// What --record keeps of each test beside its verdict, on SQLite and on a
// real PostgreSQL server that the test starts: the duration and the failure
// message's fingerprint of a JUnit case (two runs written to files of the
// same name, as a CI job writes them), --history showing the latest
// recorded duration in each of its forms, and a case that passed only on a
// rerun kept as such and counted as flaky.

#include "history/historystore.h"
#include "tests/xrdview/historycliharness.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStandardPaths>
#include <QTest>

class tst_XrdHistoryDetails : public QObject
{
    Q_OBJECT

    HistoryCliHarness m_harness;

private Q_SLOTS:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        QVERIFY2(m_harness.start(), qPrintable(m_harness.serverError()));
    }
    void cleanupTestCase() { m_harness.stop(); }

    void durationsAndMessages_data() { HistoryCliHarness::addBackendRows(); }
    void durationsAndMessages()
    {
        QFETCH(QString, backend);
        const QString store = m_harness.freshStore(backend);
        QVERIFY2(!store.isEmpty(), qPrintable(m_harness.serverError()));
        for (const auto& [file, label] : { std::pair{ "history-details/1/results.xml", "b1" },
                                           std::pair{ "history-details/2/results.xml", "b2" } }) {
            QVERIFY(m_harness.record(store, HistoryCliHarness::data(file), QLatin1String(label), 1) > 0);
        }

        // The table gains a column of latest durations, aligned on the right.
        XrdviewRun history = m_harness.run({ QStringLiteral("--history"), QStringLiteral("--db"), store });
        QCOMPARE(history.status, 0);
        QCOMPARE(QString::fromUtf8(history.out),
                 QStringLiteral("runs (oldest first): b1, b2\n"
                                "results/login/locks after three tries  F F  2 fails  0 flips  3 min 05 s  "
                                "still failing (since b1)\n"
                                "results/login/accepts a password       P P  0 fails  0 flips      750 ms  stable\n"
                                "results/login/no duration              P P  0 fails  0 flips              stable\n"));

        history = m_harness.run({ QStringLiteral("--history"), QStringLiteral("--db"), store, QStringLiteral("--to"),
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
    // A case that passed on a rerun is flaky while that run is inside the window; one that
    // failed on every rerun is a plain failure.
    void passedAfterRetry_data()
    {
        QTest::addColumn<QString>("backend");
        QTest::addColumn<int>("last");
        QTest::addColumn<QStringList>("states");
        const QStringList both{ QStringLiteral("upload/resumes=flaky"),
                                QStringLiteral("upload/rejects empty files=still failing"),
                                QStringLiteral("upload/checks sizes=stable") };
        const QStringList latest{ QStringLiteral("upload/resumes=stable"),
                                  QStringLiteral("upload/rejects empty files=new failure"),
                                  QStringLiteral("upload/checks sizes=stable") };
        for (const char* backend : { "sqlite", "postgresql" }) {
            QTest::addRow("%s, both runs", backend) << QString::fromLatin1(backend) << 2 << both;
            QTest::addRow("%s, latest run", backend) << QString::fromLatin1(backend) << 1 << latest;
        }
    }
    void passedAfterRetry()
    {
        QFETCH(QString, backend);
        QFETCH(int, last);
        QFETCH(QStringList, states);
        const QString store = m_harness.freshStore(backend);
        QVERIFY2(!store.isEmpty(), qPrintable(m_harness.serverError()));
        for (const auto& [file, label] : { std::pair{ "history-retry/1/results.xml", "b1" },
                                           std::pair{ "history-retry/2/results.xml", "b2" } })
            QVERIFY(m_harness.record(store, HistoryCliHarness::data(file), QLatin1String(label), 1) > 0);

        const XrdviewRun history = m_harness.run({ QStringLiteral("--history"), QStringLiteral("--db"), store,
                                                   QStringLiteral("--last"), QString::number(last),
                                                   QStringLiteral("--to"), QStringLiteral("json") });
        QCOMPARE(history.status, 0);
        QStringList found;
        const QJsonArray tests = QJsonDocument::fromJson(history.out).object().value(QStringLiteral("tests")).toArray();
        for (const QJsonValue& test : tests) {
            const QString path = test.toObject().value(QStringLiteral("path")).toString();
            found << path.section(QLatin1Char('/'), -2) + QLatin1Char('=')
                         + test.toObject().value(QStringLiteral("state")).toString();
        }
        found.sort();
        states.sort();
        QCOMPARE(found, states);

        // The store keeps the retry on the passed case of the first run only.
        QString error;
        const std::unique_ptr<HistoryStore> opened = HistoryStore::open(store, &error);
        QVERIFY2(opened, qPrintable(error));
        const auto runs = opened->recentRuns(2);
        QVERIFY2(runs && runs->size() == 2, qPrintable(opened->errorString()));
        QStringList retried;
        for (const HistoryRun& recorded : *runs) {
            for (const HistoryResult& result : recorded.results) {
                if (result.passedAfterRetry)
                    retried << recorded.label + QLatin1Char(' ') + result.path.section(QLatin1Char('/'), -1);
            }
        }
        QCOMPARE(retried, QStringList{ QStringLiteral("b1 resumes") });
    }
};

QTEST_GUILESS_MAIN(tst_XrdHistoryDetails)
#include "tst_xrdhistorydetails.moc"
