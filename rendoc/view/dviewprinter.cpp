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

// The pages printed so far, and where the next block goes on the current one.
class PageRun
{
public:
    PageRun(const DViewContext& context, DViewLayout& layout, QPrinter* printer, QPainter* painter,
            qreal width, qreal height)
        : m_context(context), m_layout(layout), m_printer(printer), m_painter(painter),
          m_width(width), m_height(height), m_bodyBottom(height)
    {
    }

    // Each document starts on a new page, under its own header and footer.
    void startDocument(int document)
    {
        breakPage();
        setBands(document);
    }

    // Later blocks go on a new page, unless the current one is still empty.
    void breakPage()
    {
        if (m_pageOpen && m_y > m_bodyTop)
            m_pageOpen = false;
    }

    // Paints a block where it fits whole, on a new page if need be, or slice by slice when it
    // is taller than a page.
    void place(DViewLaidBlock* laid)
    {
        const int h = laid->height();
        if (h == 0)
            return;
        if (m_pageOpen && m_y + h > m_bodyBottom && m_y > m_bodyTop)
            m_pageOpen = false;
        openPage();
        if (m_y + h <= m_bodyBottom) {
            laid->paint(m_painter, QPointF(0, m_y), {});
            m_y += h;
            return;
        }
        qreal shown = 0;
        while (shown < h) {
            openPage();
            const qreal slice = qMin<qreal>(h - shown, m_bodyBottom - m_y);
            m_painter->save();
            m_painter->setClipRect(QRectF(0, m_y, m_width, slice));
            laid->paint(m_painter, QPointF(0, m_y - shown), {});
            m_painter->restore();
            shown += slice;
            m_y += slice;
            if (shown < h)
                m_pageOpen = false;
        }
    }

    // The number of pages, at least one.
    int finish()
    {
        if (m_pages == 0)
            openPage();
        return m_pages;
    }

private:
    void setBands(int document)
    {
        if (document == m_bandDocument)
            return;
        m_bandDocument = document;
        m_header = std::make_unique<Band>(m_context, m_layout.header(document), m_width);
        m_footer = std::make_unique<Band>(m_context, m_layout.footer(document), m_width);
        m_bodyTop = m_header->height ? m_header->height + BandGap : 0;
        m_bodyBottom = m_height - (m_footer->height ? m_footer->height + BandGap : 0);
        // Bands that leave too little room for the body are left out.
        if (m_bodyBottom - m_bodyTop < m_height / 4) {
            m_bodyTop = 0;
            m_bodyBottom = m_height;
        }
    }

    void openPage()
    {
        if (m_pageOpen)
            return;
        if (m_pages > 0)
            m_printer->newPage();
        ++m_pages;
        m_pageOpen = true;
        m_y = m_bodyTop;
        if (m_bodyTop > 0)
            m_header->paint(m_painter, 0);
        if (m_bodyBottom < m_height)
            m_footer->paint(m_painter, m_bodyBottom + BandGap);
    }

    const DViewContext& m_context;
    DViewLayout& m_layout;
    QPrinter* m_printer;
    QPainter* m_painter;
    const qreal m_width;
    const qreal m_height;
    int m_pages = 0;
    int m_bandDocument = -1;
    std::unique_ptr<Band> m_header;
    std::unique_ptr<Band> m_footer;
    qreal m_bodyTop = 0;
    qreal m_bodyBottom;
    qreal m_y = 0;
    bool m_pageOpen = false;
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

    DViewLayout layout(&m_context);
    for (DDocument* document : documents)
        layout.addDocument(document);
    layout.setWidth(page.width());

    PageRun run(m_context, layout, printer, &painter, page.width(), page.height());
    int document = -1;
    for (int i = 0; i < layout.count(); ++i) {
        const DViewBlock& block = layout.block(i);
        if (block.doc != document) {
            document = block.doc;
            run.startDocument(document);
        }
        if (block.kind == DViewBlock::PageBreak)
            run.breakPage();
        else
            run.place(layout.laid(i));
    }
    const int pages = run.finish();
    painter.end();
    return pages;
}
