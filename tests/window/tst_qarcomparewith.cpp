// Test Report > Compare With… through a report window: the question goes
// through the modal seam, the tree marks new failures, fixed and flaky tests
// against an older file or a recorded run, and New Failures Only hides the
// rows that hold no new failure.

#include "history/historystore.h"
#include "korvatreporter/prefs/qareporterprefhistory.h"
#include "korvatreporter/window/qarcomparewith.h"
#include "korvatreporter/window/qareporterstate.h"
#include "korvatreporter/window/qarlistview.h"
#include "korvatreporter/window/qarmenu.h"
#include "korvatreporter/window/qartreemodel.h"
#include "sdk/qamodal.h"
#include "tests/support/reporterhost.h"
#include "tests/support/reporttrees.h"

#include <QInputDialog>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

using ReportTrees::rowAt;

namespace {

QString runFile(const char *name)
{
    return QStringLiteral(KORVAT_SOURCE_DIR "/tests/xrdview/data/") + QLatin1String(name);
}

HistoryRun run(const QString &hash, const QList<std::pair<const char *, HistoryResult::Verdict>> &tests)
{
    HistoryRun made;
    made.label = hash;
    made.contentHash = hash;
    made.time = QDateTime::currentDateTimeUtc();
    for (const auto &[path, verdict] : tests) {
        HistoryResult result;
        result.document = QStringLiteral("nightly");
        result.path = QLatin1String(path);
        result.verdict = verdict;
        made.results << result;
    }
    return made;
}

} // namespace

class TestCompareWith : public QObject
{
    Q_OBJECT

    ReporterHost m_host;
    QTemporaryDir m_dir;
    QList<QAModalRequest::Kind> m_asked;
    QVariant m_fileAnswer;
    QString m_runChoice; // the combo text the run dialog answers with; empty: rejected

    std::unique_ptr<QAReporter> window(const QString &file) { return ReporterHost::open({file}); }

    // A store whose recorded runs flip suite/b twice: P, F, P.
    QString storeWithFlakyB()
    {
        using V = HistoryResult::Verdict;
        const QString url = QStringLiteral("sqlite:") + m_dir.filePath(QStringLiteral("flaky.sqlite"));
        QString error;
        std::unique_ptr<HistoryStore> store = HistoryStore::open(url, &error);
        if (!store)
            return QString();
        store->recordRun(run(QStringLiteral("r1"), { { "suite/a", V::Ok }, { "suite/b", V::Ok } }));
        store->recordRun(run(QStringLiteral("r2"), { { "suite/a", V::Ok }, { "suite/b", V::Ko } }));
        store->recordRun(run(QStringLiteral("r3"), { { "suite/a", V::Ok }, { "suite/b", V::Ok } }));
        return url;
    }

private Q_SLOTS:
    void initTestCase()
    {
        m_host.setUp();
        QVERIFY(m_dir.isValid());
        QAModal::setAnswerer([this](const QAModalRequest &request) -> QVariant {
            m_asked << request.kind;
            if (request.kind == QAModalRequest::OpenFileName)
                return m_fileAnswer;
            if (request.kind == QAModalRequest::Dialog) {
                auto *dialog = qobject_cast<QInputDialog *>(request.dialog);
                if (!dialog || m_runChoice.isEmpty())
                    return int(QDialog::Rejected);
                dialog->setTextValue(dialog->comboBoxItems().filter(m_runChoice).value(0));
                return int(QDialog::Accepted);
            }
            return QVariant();
        });
    }

    void init()
    {
        m_asked.clear();
        m_fileAnswer = QVariant();
        m_runChoice.clear();
        m_host.pref->history()->setStoreUrl(QStringLiteral("sqlite:") + m_dir.filePath(QStringLiteral("empty.sqlite")));
    }

    // The marks against the older file chosen in the file dialog, and against
    // the same run recorded; with a store that knows suite/b as flaky.
    void marks_data()
    {
        QTest::addColumn<bool>("againstRun");
        QTest::addColumn<bool>("flakyStore");
        QTest::addColumn<QString>("marks"); // a b c new, one letter each: N new failure, F fixed, K flaky, - none
        QTest::newRow("older file") << false << false << "NF--";
        QTest::newRow("recorded run") << true << false << "NF--";
        QTest::newRow("older file, flaky history") << false << true << "NK--";
    }
    void marks()
    {
        QFETCH(bool, againstRun);
        QFETCH(bool, flakyStore);
        QFETCH(QString, marks);
        if (flakyStore)
            m_host.pref->history()->setStoreUrl(storeWithFlakyB());
        if (againstRun) {
            const QString url = QStringLiteral("sqlite:") + m_dir.filePath(QStringLiteral("runs.sqlite"));
            m_host.pref->history()->setStoreUrl(url);
            m_host.pref->history()->setRecordOpened(true);
            window(runFile("run-old.xrd"));
            m_host.pref->history()->setRecordOpened(false);
            m_runChoice = QStringLiteral("Recorded run #1");
        } else {
            m_fileAnswer = runFile("run-old.xrd");
            m_runChoice = QStringLiteral("An older report file");
        }
        auto w = window(runFile("run-new.xrd"));
        w->activated();
        w->updateToolMenu();
        QVERIFY(!w->commandsMenu()->isItemEnabled(w->newFailuresItem()));
        Q_EMIT w->commandsMenu()->activated(w->compareItem());
        QARCompareWith *compare = w->compareWith();
        QVERIFY(compare->isActive());
        QCOMPARE(m_asked.contains(QAModalRequest::Dialog), againstRun || flakyStore);
        QCOMPARE(m_asked.contains(QAModalRequest::OpenFileName), !againstRun);

        const QHash<QARCompareWith::Mark, QChar> letters{ { QARCompareWith::Mark::None, '-' },
                                                          { QARCompareWith::Mark::NewFailure, 'N' },
                                                          { QARCompareWith::Mark::Fixed, 'F' },
                                                          { QARCompareWith::Mark::Flaky, 'K' } };
        QString shown;
        for (const char *test : { "a", "b", "c", "new" }) {
            const QModelIndex row = rowAt(w->treeModel(), { "suite", test });
            shown += letters.value(compare->markOf(row));
            QCOMPARE(row.data(Qt::BackgroundRole).value<QColor>(), QARCompareWith::colorOf(compare->markOf(row)));
        }
        QCOMPARE(shown, marks);
        QVERIFY(rowAt(w->treeModel(), { "suite", "a" }).data(Qt::ToolTipRole).toString().contains(compare->against()));
        w->desactivated();
    }

    // New Failures Only keeps the new failures and the rows above them, also
    // after the tree is rebuilt for another filter.
    void newFailuresOnly()
    {
        m_fileAnswer = runFile("run-old.xrd");
        auto w = window(runFile("run-new.xrd"));
        w->activated();
        w->updateToolMenu();
        Q_EMIT w->commandsMenu()->activated(w->compareItem());
        w->updateToolMenu();
        QVERIFY(w->commandsMenu()->isItemEnabled(w->newFailuresItem()));
        Q_EMIT w->commandsMenu()->activated(w->newFailuresItem());
        QVERIFY(w->compareWith()->newFailuresOnly());
        for (int pass = 0; pass < 2; ++pass) {
            QARTreeModel *model = w->treeModel();
            // Absent (failed tests only) or hidden.
            const auto hidden = [&](const QStringList &names) {
                const QModelIndex row = rowAt(model, names);
                return !row.isValid() || w->treeView()->isRowHidden(row);
            };
            QVERIFY(!hidden({ "suite" }));
            QVERIFY(!hidden({ "suite", "a" }));
            QVERIFY(hidden({ "suite", "b" }));
            QVERIFY(hidden({ "suite", "c" })); // still failing, not new
            w->failedtests();
        }
        w->compareWith()->setNewFailuresOnly(false);
        const QModelIndex b = rowAt(w->treeModel(), { "suite", "b" });
        QVERIFY(!b.isValid() || !w->treeView()->isRowHidden(b));
        w->alltests();
        w->desactivated();
    }

    // A file that cannot be read is reported and leaves no comparison.
    void unreadableFile()
    {
        m_fileAnswer = m_dir.filePath(QStringLiteral("missing.xrd"));
        auto w = window(runFile("run-new.xrd"));
        QVERIFY(!w->compareWith()->chooseAndCompare());
        QVERIFY(m_asked.contains(QAModalRequest::Warning));
        QVERIFY(!w->compareWith()->isActive());
        QVERIFY(!rowAt(w->treeModel(), { "suite", "a" }).data(Qt::BackgroundRole).isValid());
    }
};

QTEST_MAIN(TestCompareWith)
#include "tst_qarcomparewith.moc"
