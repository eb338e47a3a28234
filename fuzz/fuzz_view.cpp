// An XRD report read, then laid out and painted by the document view and
// turned into plain text, as the window and --print-text do.
#include "fuzz/fuzzsupport.h"
#include "korvatreporter/data/xrd/qastxmlrodreader.h"
#include "rendoc/model/ddocument.h"
#include "rendoc/view/drendocview.h"

#include <QImage>
#include <QPainter>

#include <memory>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzSupport::ensureApplication();
    QAstXmlRodReader reader;
    if (!reader.parseData(QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size))))
        return 0;
    std::unique_ptr<DDocument> document(reader.takeDocument());
    if (!document)
        return 0;
    static DRendocView* view = [] {
        auto* v = new DRendocView(nullptr, "fuzz");
        v->resize(480, 360);
        return v;
    }();
    view->setDocument(document.get(), true);
    view->toPlainText();
    QImage image(480, 360, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&image);
    view->render(&painter);
    painter.end();
    view->clearDocs();
    return 0;
}
