#include "korvatreporter/data/qareporterdata.h"
#include "korvatreporter/data/qareporterdatatree.h"
#include "korvatreporter/data/qareporterloader.h"
#include "korvatreporter/data/qareporterreadcontext.h"
#include "korvatreporter/data/results/qaresultwords.h"
#include "tests/support/threadthreshold.h"

#include <QTemporaryDir>
#include <QtTest>

#include <utility>
#include <vector>

namespace {

enum class Read { Full, TotalsOnly, TreeOnly };

// What a read kept of the file: the node tree, one line per node in pre-order (depth, name,
// type, verdict), how many of its nodes are test cases and how many of those are anchored in
// the document.
struct Kept
{
    QString tree;
    int cases = 0;
    int anchoredCases = 0;
};

Kept keptOf(const QAReporterData &record)
{
    using Node = QTree<QAReporterNode>::QTreeNode;
    Kept kept;
    if (!record.dataTree || !record.dataTree->rootNode())
        return kept;
    std::vector<std::pair<const Node *, int>> pending{{record.dataTree->rootNode(), 0}};
    while (!pending.empty()) {
        const auto [node, depth] = pending.back();
        pending.pop_back();
        if (const QAReporterNode *data = node->data()) {
            kept.tree += QStringLiteral("%1 %2 %3 %4\n").arg(depth).arg(data->name, data->type, data->state);
            if (data->type == QAResultWords::TypeCase) {
                ++kept.cases;
                if (data->startItem)
                    ++kept.anchoredCases;
            }
        }
        for (auto it = node->children().crbegin(); it != node->children().crend(); ++it)
            pending.emplace_back(*it, depth + 1);
    }
    return kept;
}

// What a read of the file tells the summary: whether it was read, or why not, and the totals
// and types. `kept` gets what the record keeps of the file.
QString outcome(const QString &path, Read read, Kept *kept)
{
    QAReporterData record;
    record.fileName = path;
    QAReporterReadContext context;
    context.totalsOnly = read == Read::TotalsOnly;
    context.treeOnly = read == Read::TreeOnly;
    QString reason;
    const QAReporterLoader::ReadResult result = QAReporterLoader::readRecord(record, context, &reason);
    *kept = keptOf(record);
    if (result != QAReporterLoader::Read)
        return QStringLiteral("refused: ") + reason;
    return QStringLiteral("%1 passed, %2 failed, %3 inconclusive, %4 flaky; %5")
        .arg(record.passed)
        .arg(record.failed)
        .arg(record.inconclusive)
        .arg(record.flaky)
        .arg(record.types.join(u','));
}

} // namespace

// The runners' readers read a file for the summary's totals as a full read does, refusing
// the same files with the same reasons, and keep none of its test cases; read for the
// outline's tree, they keep every node of the full read's tree, but no case's text.
class TstRunnerTotalsOnly : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

private Q_SLOTS:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void sameAsFullRead_data()
    {
        QTest::addColumn<QString>("sample");
        QTest::addColumn<bool>("cut"); // the file ends two thirds of the way through
        for (const char *sample : {"junit/surefire.xml", "junit/pytest.xml", "junit/nested.xml",
                                   "qtest/tinyqtest.xml", "qtest/tst_qtree.lightxml", "catch2/catch2tiny.xml",
                                   "tap/perl-basic.tap", "tap/node.tap", "tap/perl-bail.tap", "gtest/gtest.json",
                                   "ctrf/jest.json"}) {
            QTest::addRow("%s", sample) << QString::fromLatin1(sample) << false;
            QTest::addRow("%s, cut", sample) << QString::fromLatin1(sample) << true;
        }
    }

    void sameAsFullRead()
    {
        QFETCH(QString, sample);
        QFETCH(bool, cut);
        QString path = QStringLiteral(KORVAT_TEST_DATA "/") + sample;
        if (cut) {
            QFile whole(path);
            QVERIFY(whole.open(QIODevice::ReadOnly));
            const QByteArray bytes = whole.readAll();
            path = m_dir.filePath(QFileInfo(sample).fileName());
            QFile part(path);
            QVERIFY(part.open(QIODevice::WriteOnly | QIODevice::Truncate));
            part.write(bytes.left(bytes.size() * 2 / 3));
        }
        // The XML readers are read both ways: in turn and with the parser on a thread.
        for (const qint64 threshold : {qint64(-1), qint64(0)}) {
            const ThreadThreshold parsing(threshold);
            Kept full;
            const QString fullOutcome = outcome(path, Read::Full, &full);
            Kept counted;
            QCOMPARE(outcome(path, Read::TotalsOnly, &counted), fullOutcome);
            QCOMPARE(counted.cases, 0);
            Kept outlined;
            QCOMPARE(outcome(path, Read::TreeOnly, &outlined), fullOutcome);
            if (!fullOutcome.startsWith(QLatin1String("refused"))) {
                QCOMPARE(outlined.tree, full.tree);
                QCOMPARE(outlined.anchoredCases, 0);
                QCOMPARE(full.anchoredCases, full.cases);
            }
            if (!cut)
                QVERIFY2(full.cases > 0, qPrintable(fullOutcome));
        }
    }
};

QTEST_MAIN(TstRunnerTotalsOnly)
#include "tst_runnertotalsonly.moc"
