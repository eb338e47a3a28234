#include "rendoc/view/dviewprinter.h"

#include "rendoc/view/dviewcontext.h"
#include "rendoc/view/dviewlaidblock.h"
#include "rendoc/view/dviewlayout.h"
#include "rendoc/model/ditems.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPrinter>
#include <QScreen>
#include <memory>

namespace {

// Space between a page header or footer and the body.
constexpr int BandGap = 10;

// A page header or footer, laid out whole at the page width.
struct Band
{
    std::unique_ptr<DViewLayout> layout;
    int height = 0;

    Band(const DViewContext& context, DItemContainer* root, qreal width)
    {
        if (!root)
            return;
        layout = std::make_unique<DViewLayout>(&context);
        layout->setWidth(width);
        layout->addContent(root);
        for (int i = 0; i < layout->count(); ++i)
            height += layout->laid(i)->height();
    }

    void paint(QPainter* painter, qreal y)
    {
        if (!layout)
            return;
        for (int i = 0; i < layout->count(); ++i) {
            DViewLaidBlock* laid = layout->laid(i);
            laid->paint(painter, QPointF(0, y), {});
            y += laid->height();
        }
    }
};

} // namespace

DViewPrinter::DViewPrinter(const DViewContext& context) : m_context(context)
{
}

int DViewPrinter::print(QPrinter* printer, const QList<DDocument*>& documents)
{
    // Print at the screen's resolution so that fonts measure as they do in the view; the
    // output stays vector text.
    int dpi = 96;
    if (QScreen* screen = QGuiApplication::primaryScreen())
        dpi = qMax(72, qRound(screen->logicalDotsPerInchY()));
    printer->setResolution(dpi);
    QPainter painter;
    if (!painter.begin(printer))
        return 0;
    const QRectF page = printer->pageLayout().paintRectPixels(dpi);
    const qreal width = page.width();
    const qreal height = page.height();

    DViewLayout layout(&m_context);
    for (DDocument* document : documents)
        layout.addDocument(document);
    layout.setWidth(width);

    int pages = 0;
    int bandDocument = -1;
    std::unique_ptr<Band> header;
    std::unique_ptr<Band> footer;
    qreal bodyTop = 0;
    qreal bodyBottom = height;
    qreal y = 0;
    bool pageOpen = false;

    auto setBands = [&](int document) {
        if (document == bandDocument)
            return;
        bandDocument = document;
        header = std::make_unique<Band>(m_context, layout.header(document), width);
        footer = std::make_unique<Band>(m_context, layout.footer(document), width);
        bodyTop = header->height ? header->height + BandGap : 0;
        bodyBottom = height - (footer->height ? footer->height + BandGap : 0);
        if (bodyBottom - bodyTop < height / 4) {
            bodyTop = 0;
            bodyBottom = height;
        }
    };
    auto openPage = [&]() {
        if (pageOpen)
            return;
        if (pages > 0)
            printer->newPage();
        ++pages;
        pageOpen = true;
        y = bodyTop;
        if (bodyTop > 0)
            header->paint(&painter, 0);
        if (bodyBottom < height)
            footer->paint(&painter, bodyBottom + BandGap);
    };
    auto closePage = [&]() { pageOpen = false; };

    int document = -1;
    for (int i = 0; i < layout.count(); ++i) {
        const DViewBlock& block = layout.block(i);
        if (block.doc != document) {
            document = block.doc;
            if (pageOpen && y > bodyTop)
                closePage();
            setBands(document);
        }
        if (block.kind == DViewBlock::PageBreak) {
            if (pageOpen && y > bodyTop)
                closePage();
            continue;
        }
        DViewLaidBlock* laid = layout.laid(i);
        const int h = laid->height();
        if (h == 0)
            continue;
        if (pageOpen && y + h > bodyBottom && y > bodyTop)
            closePage();
        openPage();
        if (y + h <= bodyBottom) {
            laid->paint(&painter, QPointF(0, y), {});
            y += h;
            continue;
        }
        // Taller than a page: show it slice by slice.
        qreal shown = 0;
        while (shown < h) {
            openPage();
            const qreal slice = qMin<qreal>(h - shown, bodyBottom - y);
            painter.save();
            painter.setClipRect(QRectF(0, y, width, slice));
            laid->paint(&painter, QPointF(0, y - shown), {});
            painter.restore();
            shown += slice;
            y += slice;
            if (shown < h)
                closePage();
        }
    }
    if (pages == 0)
        openPage();
    painter.end();
    return pages;
}
