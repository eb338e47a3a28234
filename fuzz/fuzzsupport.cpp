#include "fuzz/fuzzsupport.h"

#include "korvatreporter/data/qareporterdata.h"
#include "korvatreporter/data/qareporterdatatree.h"
#include "rendoc/aml/damlexpatsource.h"

#include <QApplication>
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtGlobal>

#include <cstdio>
#include <cmath>
#include <cstdlib>
#include <utility>
#include <vector>

namespace {

void quiet(QtMsgType, const QMessageLogContext&, const QString&)
{
}

} // namespace

void FuzzSupport::ensureApplication()
{
    if (QCoreApplication::instance())
        return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("KORVAT_FUZZ_VERBOSE"))
        qInstallMessageHandler(quiet);
    static int argc = 1;
    static char name[] = "korvat-fuzz";
    static char* argv[] = {name, nullptr};
    static QApplication application(argc, argv);
}

QString FuzzSupport::writeInput(const uint8_t* data, size_t size, const QString& suffix)
{
    // A folder of the process's own: readers look at the files beside a report (stack-frame
    // links list its folder), and the shared temporary folder may hold anything.
    static QTemporaryDir folder(QDir::temp().filePath(QStringLiteral("korvat-fuzz-XXXXXX")));
    if (!folder.isValid())
        return QString();
    const QString path = folder.filePath(QStringLiteral("input%1").arg(suffix));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return QString();
    if (file.write(reinterpret_cast<const char*>(data), qint64(size)) != qint64(size))
        return QString();
    return path;
}

QAReporterLoader::ReadResult FuzzSupport::readInput(const uint8_t* data, size_t size,
                                                    const QString& suffix, QAReporterData& record,
                                                    QString* reason)
{
    ensureApplication();
    record.fileName = writeInput(data, size, suffix);
    if (record.fileName.isEmpty())
        return QAReporterLoader::Canceled;
    return QAReporterLoader::readRecord(record, {}, reason);
}

namespace {

// A refused file says why; a read one counts no negative totals.
void checkOutcome(QAReporterLoader::ReadResult result, const QAReporterData& record, const QString& reason)
{
    if (result == QAReporterLoader::Unreadable && reason.isEmpty())
        FuzzSupport::fail("a refused file came without a reason");
    if (result == QAReporterLoader::Read
        && (record.failed < 0 || record.passed < 0 || record.inconclusive < -1))
        FuzzSupport::fail("negative totals");
}

// The same node in both reads' trees: everything a node holds but its anchors in the document.
bool sameNode(const QAReporterNode* a, const QAReporterNode* b)
{
    if (!a || !b)
        return a == b;
    const bool sameSeconds = a->seconds == b->seconds || (std::isnan(a->seconds) && std::isnan(b->seconds));
    return a->id.toString() == b->id.toString() && a->name == b->name && a->type == b->type
           && a->state == b->state && a->icone == b->icone && a->base == b->base && a->count == b->count
           && a->rerun == b->rerun && sameSeconds;
}

} // namespace

void FuzzSupport::checkTotalsOnly(const QAReporterData& record, QAReporterLoader::ReadResult result,
                                  const QString& reason)
{
    if (result == QAReporterLoader::Canceled)
        return;
    QAReporterData counted;
    QAReporterReadContext context;
    context.totalsOnly = true;
    rereadAlike(counted, record, context, result, reason, "a totals-only");
}

void FuzzSupport::checkTreeOnly(const QAReporterData& record, QAReporterLoader::ReadResult result, const QString& reason)
{
    if (result == QAReporterLoader::Canceled)
        return;
    QAReporterData outlined;
    QAReporterReadContext context;
    context.treeOnly = true;
    rereadAlike(outlined, record, context, result, reason, "a tree-only");
    if (result != QAReporterLoader::Read)
        return;
    using TreeNode = QAReporterDataTree::QTreeNode;
    const TreeNode* fullRoot = record.dataTree ? record.dataTree->rootNode() : nullptr;
    const TreeNode* treeRoot = outlined.dataTree ? outlined.dataTree->rootNode() : nullptr;
    if (!fullRoot || !treeRoot) {
        if (fullRoot || treeRoot)
            FuzzSupport::fail("a tree-only read kept a tree where the full read did not, or none where it did");
        return;
    }
    // Both trees side by side, in pre-order, with an explicit work list: a deep tree is no deep recursion.
    std::vector<std::pair<const TreeNode*, const TreeNode*>> pending{{fullRoot, treeRoot}};
    while (!pending.empty()) {
        const auto [full, outline] = pending.back();
        pending.pop_back();
        if (!sameNode(full->data(), outline->data()) || full->children().size() != outline->children().size())
            FuzzSupport::fail("a tree-only read built another tree");
        for (qsizetype i = 0; i < full->children().size(); ++i)
            pending.emplace_back(full->children().at(i), outline->children().at(i));
    }
}

void FuzzSupport::rereadAlike(QAReporterData& reduced, const QAReporterData& record,
                              const QAReporterReadContext& context, QAReporterLoader::ReadResult result,
                              const QString& reason, const char* mode)
{
    reduced.fileName = record.fileName;
    QString reducedReason;
    if (QAReporterLoader::readRecord(reduced, context, &reducedReason) != result || reducedReason != reason)
        fail(QByteArray(mode).append(" read judged the file differently").constData());
    if (result != QAReporterLoader::Read)
        return;
    if (reduced.passed != record.passed || reduced.failed != record.failed
        || reduced.inconclusive != record.inconclusive || reduced.flaky != record.flaky
        || reduced.types != record.types)
        fail(QByteArray(mode).append(" read counted differently").constData());
}

void FuzzSupport::checkLoaderRead(const uint8_t* data, size_t size, const QString& suffix)
{
    QAReporterData record;
    QString reason;
    const QAReporterLoader::ReadResult result = readInput(data, size, suffix, record, &reason);
    checkOutcome(result, record, reason);
    checkTotalsOnly(record, result, reason);
    checkTreeOnly(record, result, reason);
}

void FuzzSupport::checkLoaderReadBothWays(const uint8_t* data, size_t size, const QString& suffix)
{
    DAmlExpatSource::setThreadThreshold(0);
    QAReporterData apart;
    QString apartReason;
    const QAReporterLoader::ReadResult apartResult = readInput(data, size, suffix, apart, &apartReason);
    DAmlExpatSource::setThreadThreshold(-1);
    QAReporterData inTurn;
    QString inTurnReason;
    const QAReporterLoader::ReadResult inTurnResult = readInput(data, size, suffix, inTurn, &inTurnReason);
    checkOutcome(inTurnResult, inTurn, inTurnReason);
    if (apartResult != inTurnResult || apartReason != inTurnReason)
        fail("a read on a parsing thread ended otherwise than in turn");
    if (apart.passed != inTurn.passed || apart.failed != inTurn.failed || apart.inconclusive != inTurn.inconclusive)
        fail("a read on a parsing thread counted otherwise than in turn");
    checkTotalsOnly(inTurn, inTurnResult, inTurnReason);
    checkTreeOnly(inTurn, inTurnResult, inTurnReason);
}

void FuzzSupport::fail(const char* what)
{
    std::fprintf(stderr, "fuzz finding: %s\n", what);
    std::fflush(stderr);
    std::abort();
}
