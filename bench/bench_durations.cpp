// Durations over 100,000 test cases: prints, from one run, the time to show the tree with its
// duration totals (model fill), to sort every row by duration, to list the slowest tests, and
// the tree fill without durations for comparison, as ratios to building the node tree (L).
// Usage: bench_durations; the tree is built in memory: 100 scripts of 1,000 timed test cases of
// 2 checks each.

#include "korvatreporter/data/qareporterdatatree.h"
#include "korvatreporter/data/qareporternode.h"
#include "korvatreporter/window/qarslowestmodel.h"
#include "korvatreporter/window/qartreemodel.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <cstdio>
#include <memory>
#include <vector>

namespace {

QAReporterNode *makeNode(const QString &name, const QString &type, double seconds)
{
    auto *node = new QAReporterNode;
    node->name = name;
    node->type = type;
    node->state = QStringLiteral("ok");
    node->seconds = seconds;
    return node;
}

std::unique_ptr<QAReporterDataTree> buildTree(bool timed)
{
    auto tree = std::make_unique<QAReporterDataTree>(new QAReporterNode);
    quint32 seed = 12345;
    for (int s = 0; s < 100; ++s) {
        tree->insert(makeNode(QStringLiteral("script_%1").arg(s), QStringLiteral("Script"), -1));
        tree->toLastChild();
        for (int c = 0; c < 1000; ++c) {
            seed = seed * 1103515245u + 12345u;
            const double seconds = timed ? (seed >> 8) % 100000 / 1000.0 : -1;
            tree->insert(makeNode(QStringLiteral("test case %1 of script %2").arg(c).arg(s),
                                  QStringLiteral("TestCase"), seconds));
            tree->toLastChild();
            tree->insert(makeNode(QStringLiteral("result"), QStringLiteral("Check"), -1));
            tree->insert(makeNode(QStringLiteral("timing"), QStringLiteral("Check"), -1));
            tree->toParent();
        }
        tree->toParent();
    }
    return tree;
}

double ms(const QElapsedTimer &timer)
{
    return timer.nsecsElapsed() / 1e6;
}

// Asks for every row, as a view scrolled through the whole tree would.
int walk(const QAbstractItemModel &model)
{
    int rows = 0;
    std::vector<QModelIndex> pending{QModelIndex()};
    while (!pending.empty()) {
        const QModelIndex parent = pending.back();
        pending.pop_back();
        for (int row = 0; row < model.rowCount(parent); ++row) {
            pending.push_back(model.index(row, 0, parent));
            ++rows;
        }
    }
    return rows;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QElapsedTimer timer;
    timer.start();
    std::unique_ptr<QAReporterDataTree> tree = buildTree(true);
    const double build = ms(timer);
    std::unique_ptr<QAReporterDataTree> untimed = buildTree(false);

    QARTreeModel model;
    timer.restart();
    model.setFiles({{QStringLiteral("untimed.xrd"), untimed.get()}});
    const double fillUntimed = ms(timer);
    timer.restart();
    model.setFiles({{QStringLiteral("bench.xrd"), tree.get()}});
    const double fill = ms(timer);
    timer.restart();
    model.sort(QARTreeModel::DurationColumn, Qt::DescendingOrder);
    const int rows = walk(model);
    const double sorted = ms(timer);
    timer.restart();
    model.sort(-1);
    walk(model);
    const double documentOrder = ms(timer);

    QARSlowestModel slowest;
    timer.restart();
    slowest.setFiles({{QStringLiteral("bench.xrd"), tree.get()}});
    const double slow = ms(timer);

    std::printf("node tree build (L): %.1f ms, %d rows\n", build, rows);
    std::printf("tree fill with totals: %.1f ms (%.3f x L); without durations %.1f ms\n", fill,
                fill / build, fillUntimed);
    std::printf("sort by duration, every row asked for: %.1f ms (%.3f x L); document order: %.1f ms\n",
                sorted, sorted / build, documentOrder);
    std::printf("slowest 50: %.1f ms (%.3f x L)\n", slow, slow / build);
    return 0;
}
