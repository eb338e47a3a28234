// Where the bytes of an open report go: reads one report as the window does
// and prints the heap bytes in use (malloc's own count, overhead included, plus
// the block pool's blocks in use)
// that each part adds, as a multiple of the file size:
//   read          the record: its document and node tree (the node tree
//                 alone is what "(tree freed)" gives back at the end)
//   full copy     a complete filtered copy, built and freed again: what
//                 "All Test Results" cost when it showed a copy
//   all tests     what "All Test Results" adds now: the record is shown as
//                 it is, after its update pass
//   failed copy   the "Failed Tests Only" copy
//   tree view     the report tree (model and view) over the shown record,
//                 opened to the default depth; "tree shown" adds its layout
//   view          the report view showing the record (blocks, layout caches)
// plus the number of items of each kind. Usage: bench_memory FILE.xrd

#include "korvatreporter/data/qareporterdata.h"
#include "korvatreporter/data/qareporterdatatree.h"
#include "korvatreporter/data/qareporterloader.h"
#include "korvatreporter/document/qareporterfilter.h"
#include "korvatreporter/document/qareporterfilteredlist.h"
#include "korvatreporter/document/qareporterfilterwriter.h"
#include "korvatreporter/prefs/qareporterprefgeneral.h"
#include "korvatreporter/window/qarlistview.h"
#include "korvatreporter/window/qartreemodel.h"
#include "rendoc/model/ddocument.h"
#include "rendoc/model/dpool.h"
#include "rendoc/view/drendocview.h"

#include <QApplication>
#include <QFileInfo>
#include <QRegularExpression>

#include <malloc.h>

#include <cstdio>
#include <map>
#include <memory>

namespace {

qint64 heapInUse()
{
    // Items and nodes live in the block pool, beside malloc's heap.
    const struct mallinfo2 info = mallinfo2();
    return qint64(info.uordblks + info.hblkhd + DPool::liveBytes());
}

class Meter
{
public:
    explicit Meter(double fileSize) : m_size(fileSize), m_last(heapInUse()) {}
    // Prints what the heap gained since the last call.
    void report(const char *what)
    {
        const qint64 now = heapInUse();
        std::printf("%-14s %8.1f MB  %5.2f x file\n", what, (now - m_last) / 1048576.0,
                    (now - m_last) / m_size);
        m_last = now;
    }

private:
    double m_size;
    qint64 m_last;
};

void countKinds(const DDocument *document)
{
    std::map<int, qint64> kinds;
    qint64 total = 0;
    for (const DItem *item = document; item; item = item->nextInDocument(nullptr)) {
        ++kinds[item->kind()];
        ++total;
    }
    std::printf("document items: %lld (", total);
    for (const auto &k : kinds)
        std::printf(" %s %lld", DItem::kindName(DItem::Kind(k.first)), k.second);
    std::printf(" )\n");
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench_memory FILE.xrd\n");
        return 2;
    }
    const QString path = QString::fromLocal8Bit(argv[1]);
    const double size = double(QFileInfo(path).size());
    std::printf("file: %s, %.0f bytes\n", argv[1], size);

    Meter meter(size);
    QAReporterData record;
    record.fileName = path;
    if (QAReporterLoader::readRecord(record, {}) != QAReporterLoader::Read) {
        std::fprintf(stderr, "cannot read %s\n", argv[1]);
        return 1;
    }
    meter.report("read (both)");
    countKinds(record.document);

    QAReporterFilter all;
    {
        QAReporterFilterWriter writer(&all);
        writer.run(record.dataTree.data(), record.document);
        std::unique_ptr<DDocument> document = writer.takeDocument();
        std::unique_ptr<QAReporterDataTree> tree = writer.takeNewTree();
        meter.report("full copy");
    }
    meter.report("(copy freed)");
    QAReporterFilteredList copy;
    copy.setFilter(all);
    copy.buildFilteredReports(QList<QAReporterData *> { &record });
    meter.report("all tests");

    QAReporterFilter failedOnly;
    failedOnly.set(QAReporterFilter::StateMatch, QRegularExpression(QStringLiteral("ko")));
    {
        QAReporterFilteredList failed;
        failed.setFilter(failedOnly);
        failed.buildFilteredReports(QList<QAReporterData *> { &record });
        meter.report("failed copy");
    }
    meter.report("(failed freed)");

    auto model = std::make_unique<QARTreeModel>();
    auto tree = std::make_unique<QARListView>();
    tree->setTreeModel(model.get());
    model->setFiles({{path, copy.at(0)->dataTree}});
    tree->openToDepth(QAReporterPrefGeneral::DefaultAutoDepth);
    meter.report("tree view");
    tree->resize(300, 600);
    tree->show();
    QApplication::processEvents();
    meter.report("tree shown");

    auto view = std::make_unique<DRendocView>();
    view->resize(800, 600);
    view->setDocument(copy.at(0)->document, true);
    view->show();
    QApplication::processEvents();
    meter.report("view");

    view.reset();
    tree.reset();
    model.reset();
    copy.clear();
    meter.report("(views freed)");
    record.dataTree.reset();
    meter.report("(tree freed)");
    return 0;
}
