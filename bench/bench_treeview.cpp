// Shows a 400,000-node report tree in the report tree view and prints, from one run, the time
// to build (or read) the node tree, to set the model's files and open the tree, to lay out and
// paint it, to take a thousand steps to the next failed test and to clear the model, with their
// ratios to the build time, and the heap the view keeps: the persistent indexes of the rows
// opened to the default depth, and its items for the shown rows once laid out.
// Usage: bench_treeview [file.xrd]; without a file the tree is built in memory: 40 scripts of
// 100 test cases of 99 checks each, every 37th check failed.

#include "korvatreporter/data/qareporterdatatree.h"
#include "korvatreporter/data/qareporternode.h"
#include "korvatreporter/data/xrd/qastxmlrodreader.h"
#include "korvatreporter/prefs/qareporterprefgeneral.h"
#include "korvatreporter/window/qarlistview.h"
#include "korvatreporter/window/qarshownrows.h"
#include "korvatreporter/window/qartreemodel.h"
#include "rendoc/model/ddocument.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>

#include <malloc.h>

#include <cstdio>
#include <memory>
#include <vector>

namespace {

constexpr int Scripts = 40;
constexpr int Cases = 100;
constexpr int Checks = 99;

QAReporterNode *makeNode(const QString &name, const QString &type, bool failed)
{
    auto *node = new QAReporterNode;
    node->name = name;
    node->type = type;
    node->state = failed ? QStringLiteral("ko") : QStringLiteral("ok");
    return node;
}

std::unique_ptr<QAReporterDataTree> buildTree()
{
    auto tree = std::make_unique<QAReporterDataTree>(new QAReporterNode);
    int count = 0;
    for (int s = 0; s < Scripts; ++s) {
        tree->insert(makeNode(QStringLiteral("script %1").arg(s), QStringLiteral("Script"), true));
        tree->toLastChild();
        for (int c = 0; c < Cases; ++c) {
            tree->insert(makeNode(QStringLiteral("case %1").arg(c), QStringLiteral("TestCase"),
                                  c % 3 == 0));
            tree->toLastChild();
            for (int k = 0; k < Checks; ++k) {
                tree->insert(makeNode(QStringLiteral("check %1").arg(k), QStringLiteral("Check"),
                                      ++count % 37 == 0));
            }
            tree->toParent();
        }
        tree->toParent();
    }
    return tree;
}

std::unique_ptr<QAReporterDataTree> readTree(const QString &path, std::unique_ptr<DDocument> &doc)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return nullptr;
    QAstXmlRodReader reader;
    if (!reader.parse(&file, &file, nullptr)) {
        std::fprintf(stderr, "bench_treeview: %s\n", qPrintable(reader.errorString()));
        return nullptr;
    }
    doc.reset(reader.takeDocument());
    return std::unique_ptr<QAReporterDataTree>(reader.takeDataTree());
}

// Bytes of heap in use: the deltas between two points are what was kept
// in between, without the noise of pages the allocator holds on to.
qint64 heapInUse()
{
    const struct mallinfo2 info = mallinfo2();
    return qint64(info.uordblks + info.hblkhd);
}

double ms(QElapsedTimer &timer)
{
    return timer.nsecsElapsed() / 1e6;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    QElapsedTimer timer;
    timer.start();
    std::unique_ptr<DDocument> document;
    std::unique_ptr<QAReporterDataTree> tree =
        argc > 1 ? readTree(QString::fromLocal8Bit(argv[1]), document) : buildTree();
    const double build = ms(timer);
    if (!tree) {
        std::fprintf(stderr, "bench_treeview: cannot read the report\n");
        return 1;
    }

    QARTreeModel model;
    QARListView view;
    view.setTreeModel(&model);
    view.resize(400, 800);
    view.show();
    app.processEvents();

    timer.restart();
    model.setFiles({{QStringLiteral("bench.xrd"), tree.get()}});
    const qint64 heapModel = heapInUse();
    // The reset leaves the layout pending: opening only records the rows.
    view.openToDepth(QAReporterPrefGeneral::DefaultAutoDepth);
    const double fill = ms(timer);
    const qint64 heapOpened = heapInUse();

    // Rows in the model: the file row and one per node.
    qint64 items = 0;
    std::vector<const QAReporterDataTree::QTreeNode *> pending{tree->rootNode()};
    while (!pending.empty()) {
        const auto *node = pending.back();
        pending.pop_back();
        ++items;
        pending.insert(pending.end(), node->children().cbegin(), node->children().cend());
    }

    timer.restart();
    view.setCurrentRow(model.index(0, 0));
    view.repaint();
    const double paint = ms(timer);
    const qint64 heapLaidOut = heapInUse();
    const QARShownRows *shown = view.shownRows();
    const int shownRows = shown->rowCount();
    const int openedRows = [shown] {
        int rows = 0;
        for (int row = 0; row < shown->rowCount(); ++row)
            rows += shown->index(row, 0).data(QARShownRows::BranchRole).toInt() == QARShownRows::Open;
        return rows;
    }();

    // The first thousand failed tests, from the file row on.
    constexpr int Steps = 1000;
    view.setCurrentRow(model.index(0, 0));
    timer.restart();
    for (int i = 0; i < Steps; ++i)
        view.nextFailed();
    const double navigate = ms(timer);

    timer.restart();
    model.clear();
    const double clear = ms(timer);

    std::printf("rows in the model        %lld\n", items);
    std::printf("build node tree          %9.1f ms  1.00\n", build);
    std::printf("set files and open       %9.1f ms  %.2f\n", fill, fill / build);
    std::printf("first layout and paint   %9.1f ms  %.2f\n", paint, paint / build);
    std::printf("%d x next failed       %9.1f ms  %.2f\n", Steps, navigate, navigate / build);
    std::printf("clear model              %9.1f ms  %.2f\n", clear, clear / build);
    const double opened = double(heapOpened - heapModel);
    const double laidOut = double(heapLaidOut - heapOpened);
    std::printf("opened rows %d: %.1f MB kept, %.0f bytes a row\n", openedRows, opened / 1e6,
                openedRows ? opened / openedRows : 0.0);
    std::printf("shown rows %d: %.1f MB kept by the layout, %.0f bytes a row\n", shownRows,
                laidOut / 1e6, shownRows ? laidOut / shownRows : 0.0);
    return 0;
}
