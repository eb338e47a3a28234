// Opens a large XRD report in the document view and prints, from one run, the time to read the
// file, the time to the first complete paint of the view, the idle steps that flatten the rest of
// the document and a move to the last item followed by a paint, with their ratios to the read time.
// Usage: bench_view [file.xrd]; without a file, xrdgen writes a 60 MB report to the temporary
// directory first.

#include "korvatreporter/data/qareporterdatatree.h"
#include "korvatreporter/data/xrd/qastxmlrodreader.h"
#include "rendoc/model/ddocument.h"
#include "rendoc/view/drendocview.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QPixmap>
#include <QProcess>
#include <QScrollBar>

#include <cstdio>
#include <memory>

namespace {

QString generate()
{
    const QString path = QDir(QDir::tempPath()).filePath(QStringLiteral("bench_view.xrd"));
    if (QFileInfo(path).size() > 50 * 1024 * 1024)
        return path;
    const QString generator = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("xrdgen"));
    std::printf("generating %s with %s\n", qPrintable(path), qPrintable(generator));
    const int rc = QProcess::execute(generator, {QStringLiteral("--size"), QStringLiteral("60"), path});
    return rc == 0 ? path : QString();
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QString path = argc > 1 ? QString::fromLocal8Bit(argv[1]) : generate();
    QFile file(path);
    if (path.isEmpty() || !file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "bench_view: cannot open the report\n");
        return 1;
    }

    QElapsedTimer timer;
    timer.start();
    QAstXmlRodReader reader;
    if (!reader.parse(&file, &file, nullptr)) {
        std::fprintf(stderr, "bench_view: %s\n", qPrintable(reader.errorString()));
        return 1;
    }
    std::unique_ptr<DDocument> document(reader.takeDocument());
    const double readMs = timer.nsecsElapsed() / 1e6;

    DRendocView view(nullptr, "bench");
    view.resize(1000, 800);
    view.setMargin(5);
    view.show();
    QCoreApplication::processEvents();

    timer.restart();
    view.setDocument(document.get(), true);
    const QPixmap first = view.grab();
    const double paintMs = timer.nsecsElapsed() / 1e6;
    const int firstBlocks = view.laidOutBlockCount();

    // A large document's rest is flattened in idle steps after the first paint.
    timer.restart();
    int idleSteps = 0;
    while (!view.hasAllBlocks()) {
        QCoreApplication::processEvents();
        ++idleSteps;
    }
    const double restMs = timer.nsecsElapsed() / 1e6;

    DItem* last = document.get();
    for (DItem* it = document.get(); it; it = it->nextInDocument(document.get()))
        last = it;
    timer.restart();
    const bool moved = view.moveTo(last);
    const QPixmap end = view.grab();
    const double moveMs = timer.nsecsElapsed() / 1e6;

    timer.restart();
    view.moveTo(document.get());
    view.grab();
    const double backMs = timer.nsecsElapsed() / 1e6;

    std::printf("file                 %s (%.1f MB)\n", qPrintable(path), file.size() / 1048576.0);
    std::printf("read                 %9.1f ms\n", readMs);
    std::printf("first paint          %9.1f ms   ratio to read %.3f   blocks laid out %d\n",
                paintMs, paintMs / readMs, firstBlocks);
    std::printf("rest in idle steps   %9.1f ms   ratio to read %.3f   event loop passes %d\n",
                restMs, restMs / readMs, idleSteps);
    std::printf("moveTo last + paint  %9.1f ms   ratio to read %.3f   moved %s\n", moveMs,
                moveMs / readMs, moved ? "yes" : "no");
    std::printf("moveTo start + paint %9.1f ms   ratio to read %.3f\n", backMs, backMs / readMs);
    std::printf("blocks laid out in all: %d\n", view.laidOutBlockCount());
    if (qEnvironmentVariableIsSet("KORVAT_VIEW_SHOT")) {
        first.save(qEnvironmentVariable("KORVAT_VIEW_SHOT"));
        view.moveTo(last);
        view.verticalScrollBar()->setValue(view.verticalScrollBar()->maximum() / 2);
        view.grab().save(qEnvironmentVariable("KORVAT_VIEW_SHOT") + QStringLiteral(".middle.png"));
    }
    return first.isNull() || end.isNull() ? 1 : 0;
}
