// An XRD report read through the real loader (tables of contents, indexes and
// references filled in), then laid out and painted by the document view (its
// top and its end) and turned into plain text, as the window and --print-text do.
// Nothing a report holds (tables of contents, indexes, popups, links, spans)
// may make the view much larger than the report: the plain text, the laid-out
// height and the heap held while reading and showing it each stay within a
// factor of the input plus a constant, or the input is a finding.
#include "fuzz/fuzzheapmeter.h"
#include "fuzz/fuzzsupport.h"
#include "korvatreporter/data/qareporterdata.h"
#include "rendoc/model/ddocument.h"
#include "rendoc/model/dupdater.h"
#include "rendoc/view/drendocview.h"

#include <QImage>
#include <QPainter>
#include <QScrollBar>

#include <cstdio>

namespace {

// The bounds, per byte of report plus a constant. The constants cover what any
// report may hold once (the repeated tables of contents and indexes share a
// budget of entries) and Qt's caches of fonts and glyphs filled on first use.
constexpr qint64 TextPerByte = 50;
constexpr qint64 TextConstant = 8 * 1024 * 1024;
constexpr qint64 PixelsPerByte = 400;
constexpr qint64 PixelsConstant = 8 * 1024 * 1024;
constexpr qint64 HeapPerByte = 2000;
constexpr qint64 HeapConstant = 256 * 1024 * 1024;

void check(const char* what, qint64 value, qint64 perByte, qint64 constant, size_t size)
{
    if (qEnvironmentVariableIsSet("KORVAT_FUZZ_MEASURE"))
        std::fprintf(stderr, "%s: %lld for %zu bytes (%.1f per byte)\n", what,
                     static_cast<long long>(value), size, size ? double(value) / double(size) : 0.0);
    if (value > perByte * qint64(size) + constant) {
        char message[200];
        std::snprintf(message, sizeof message, "%s is %lld for %zu bytes of report (bound %lld per byte + %lld)",
                      what, static_cast<long long>(value), size, static_cast<long long>(perByte),
                      static_cast<long long>(constant));
        FuzzSupport::fail(message);
    }
}

void paint(DRendocView* view)
{
    QImage image(480, 360, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&image);
    view->render(&painter);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzSupport::ensureApplication();
    static DRendocView* view = [] {
        auto* v = new DRendocView(nullptr, "fuzz");
        v->resize(480, 360);
        return v;
    }();
    FuzzHeapMeter::start();
    QAReporterData record;
    if (FuzzSupport::readInput(data, size, QStringLiteral(".xrd"), record) != QAReporterLoader::Read
        || !record.document)
        return 0;
    // The window's update pass before showing: title numbers, tables of contents, indexes.
    DUpdater updater;
    updater.doItemList(record.document);
    view->setDocument(record.document, true);
    const qint64 text = view->toPlainText().size();
    paint(view);
    view->verticalScrollBar()->setValue(view->verticalScrollBar()->maximum());
    paint(view);
    const qint64 height = view->documentHeight();
    const qint64 heap = FuzzHeapMeter::peak();
    view->clearDocs();
    check("plain text (characters)", text, TextPerByte, TextConstant, size);
    check("laid-out height (pixels)", height, PixelsPerByte, PixelsConstant, size);
    if (FuzzHeapMeter::available())
        check("heap held (bytes)", heap, HeapPerByte, HeapConstant, size);
    return 0;
}
