#include "korvatreporter/data/qareporterdata.h"
#include "korvatreporter/data/qareporterdatatree.h"
#include "korvatreporter/data/qareporterloader.h"
#include "korvatreporter/data/qareporterreadcontext.h"
#include "korvatreporter/data/results/qaresultwords.h"
#include "tests/support/threadthreshold.h"

#include <QTemporaryDir>
#include <QtTest>

#include <vector>

namespace {

// How many nodes of the record's tree are test cases.
int caseNodes(const QAReporterData &record)
{
    using Node = QTree<QAReporterNode>::QTreeNode;
    if (!record.dataTree || !record.dataTree->rootNode())
        return 0;
    int cases = 0;
    std::vector<const Node *> pending{record.dataTree->rootNode()};
    while (!pending.empty()) {
        const Node *node = pending.back();
        pending.pop_back();
        if (node->data() && node->data()->type == QAResultWords::TypeCase)
            ++cases;
        pending.insert(pending.end(), node->children().cbegin(), node->children().cend());
    }
    return cases;
}

// What a read of the file tells the summary: whether it was read, or why not, and the totals
// and types. `cases` gets the number of test-case nodes the record keeps.
QString outcome(const QString &path, bool totalsOnly, int *cases)
{
    QAReporterData record;
    record.fileName = path;
    QAReporterReadContext context;
    context.totalsOnly = totalsOnly;
    QString reason;
    const QAReporterLoader::ReadResult result = QAReporterLoader::readRecord(record, context, &reason);
    *cases = caseNodes(record);
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
// the same files with the same reasons, and keep none of its test cases.
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
            int fullCases = 0;
            int keptCases = 0;
            const QString full = outcome(path, false, &fullCases);
            QCOMPARE(outcome(path, true, &keptCases), full);
            QCOMPARE(keptCases, 0);
            if (!cut)
                QVERIFY2(fullCases > 0, qPrintable(full));
        }
    }
};

QTEST_MAIN(TstRunnerTotalsOnly)
#include "tst_runnertotalsonly.moc"
