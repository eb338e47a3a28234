// Types words into the report tree's filter line over 100,000 test cases and prints, from one
// run, the time each keystroke takes until the tree is laid out and painted again (slowest and
// median), with their ratios to the time to build the node tree.
// Usage: bench_treefilter [file.xrd]; without a file the tree is built in memory: 100 scripts
// of 1,000 test cases of 2 checks each, every 7th case failed.

#include "korvatreporter/data/qareporterdatatree.h"
#include "korvatreporter/data/qareporternode.h"
#include "korvatreporter/data/xrd/qastxmlrodreader.h"
#include "korvatreporter/window/qarlistview.h"
#include "korvatreporter/window/qartreefilterline.h"
#include "korvatreporter/window/qartreemodel.h"
#include "rendoc/model/ddocument.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <memory>
#include <vector>

namespace {

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
    for (int s = 0; s < 100; ++s) {
        tree->insert(makeNode(QStringLiteral("script_%1").arg(s), QStringLiteral("Script"), true));
        tree->toLastChild();
        for (int c = 0; c < 1000; ++c) {
            tree->insert(makeNode(QStringLiteral("test case %1 of script %2").arg(c).arg(s),
                                  QStringLiteral("TestCase"), c % 7 == 0));
            tree->toLastChild();
            tree->insert(makeNode(QStringLiteral("result"), QStringLiteral("Check"), c % 7 == 0));
            tree->insert(makeNode(QStringLiteral("timing"), QStringLiteral("Check"), false));
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
    if (!reader.parse(&file, &file, nullptr))
        return nullptr;
    doc.reset(reader.takeDocument());
    return std::unique_ptr<QAReporterDataTree>(reader.takeDataTree());
}

double ms(const QElapsedTimer &timer)
{
    return timer.nsecsElapsed() / 1e6;
}

// Processor time of this thread in ms: on a shared machine it shows the work
// apart from the waits for a processor.
double cpuMs()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
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
        std::fprintf(stderr, "bench_treefilter: cannot read the report\n");
        return 1;
    }

    QARTreeModel model;
    QARListView view;
    view.setTreeModel(&model);
    auto *line = new QARTreeFilterLine(&view, &model);
    view.resize(400, 800);
    view.show();
    model.setFiles({{QStringLiteral("bench.xrd"), tree.get()}});
    line->openRows();
    app.processEvents();

    // Typing and erasing: short prefixes match most of the tree, long ones a few rows.
    const QString typed = QStringLiteral("case 99 of script_4");
    QStringList keystrokes;
    for (int i = 1; i <= typed.size(); ++i)
        keystrokes << typed.left(i);
    for (int i = typed.size() - 1; i >= 0; --i)
        keystrokes << typed.left(i);

    // The model's part alone (working out the rows), then the whole keystroke.
    std::vector<double> modelTimes;
    QARTreeModel alone;
    alone.setFiles({{QStringLiteral("bench.xrd"), tree.get()}});
    for (const QString &text : keystrokes) {
        timer.restart();
        alone.setFilterText(text);
        modelTimes.push_back(ms(timer));
    }
    std::vector<double> times;
    std::vector<double> cpuTimes;
    for (const QString &text : keystrokes) {
        timer.restart();
        const double cpuStart = cpuMs();
        line->setText(text);
        view.repaint(); // lays out the rows and paints them now
        times.push_back(ms(timer));
        cpuTimes.push_back(cpuMs() - cpuStart);
    }
    std::sort(cpuTimes.begin(), cpuTimes.end());
    std::sort(modelTimes.begin(), modelTimes.end());
    std::vector<double> sorted = times;
    std::sort(sorted.begin(), sorted.end());
    const double slowest = sorted.back();
    const double median = sorted.at(sorted.size() / 2);

    std::printf("node tree build (L): %.1f ms\n", build);
    std::printf("model alone: slowest %.1f ms (%.3f x L), median %.1f ms (%.3f x L)\n",
                modelTimes.back(), modelTimes.back() / build, modelTimes.at(modelTimes.size() / 2),
                modelTimes.at(modelTimes.size() / 2) / build);
    std::printf("keystrokes: %zu, slowest %.1f ms (%.3f x L), median %.1f ms (%.3f x L)\n",
                times.size(), slowest, slowest / build, median, median / build);
    std::printf("keystrokes, processor time: slowest %.1f ms, median %.1f ms\n", cpuTimes.back(),
                cpuTimes.at(cpuTimes.size() / 2));
    return 0;
}
