#include "rendoc/view/dviewgraphic.h"

#include "rendoc/view/daxisticks.h"
#include "rendoc/model/ditems.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QtMath>
#include <cmath>
#include <vector>

namespace {

struct Range
{
    double min = 0;
    double max = 0;
};

// What a chart shows: its axes (horizontal first, either may be missing), its curves in order
// and the value ranges the plot spans.
struct Chart
{
    const DAxis* axes[2] = {nullptr, nullptr};
    std::vector<const DCurve*> curves;
    Range x;
    Range y;

    bool hasLegend() const
    {
        return curves.size() > 1 || (curves.size() == 1 && !curves[0]->name().isEmpty());
    }
    bool hasLabel(int axis) const { return axes[axis] && !axes[axis]->label().isEmpty(); }
};

// The fonts of a chart: tick labels, axis labels and legend in `small`, the title in `bold`.
struct ChartFonts
{
    explicit ChartFonts(const QFont& font)
        : small(shrunk(font)), bold(emboldened(font)), fm(small), bfm(bold)
    {
    }
    static QFont shrunk(QFont font)
    {
        font.setPointSizeF(qMax(6.0, font.pointSizeF() - 1));
        return font;
    }
    static QFont emboldened(QFont font)
    {
        font.setBold(true);
        return font;
    }

    QFont small;
    QFont bold;
    QFontMetricsF fm;
    QFontMetricsF bfm;
};

// Where the plot area lies and what its axes are marked with.
struct PlotLayout
{
    QRectF plot;
    std::vector<double> xTicks;
    std::vector<double> yTicks;
    qreal labelWidth = 0;

    qreal mapX(double v, const Range& x) const
    {
        return plot.left() + DAxisTicks::fraction(v, x.min, x.max) * plot.width();
    }
    qreal mapY(double v, const Range& y) const
    {
        return plot.bottom() - DAxisTicks::fraction(v, y.min, y.max) * plot.height();
    }
};

bool isFinitePoint(const DPoint* point)
{
    return point && std::isfinite(point->x()) && std::isfinite(point->y());
}

// The text of a tick value. A value within a millionth of a step of zero is zero: it was only
// rounded away from it.
QString tickLabel(double v, const std::vector<double>& ticks)
{
    const double step = ticks.size() > 1 ? ticks[1] - ticks[0] : 0;
    return QString::number(std::abs(v) < step * 1e-6 ? 0.0 : v, 'g', 6);
}

// Takes the axes and curves of `graphic`, and the ranges: those of an axis that gives a usable
// one, else those of the finite points, widened so that neither is empty.
Chart collectChart(const DGraphic* graphic)
{
    Chart chart;
    bool any = false;
    for (DItem* c = graphic->child(); c; c = c->next()) {
        if (const DAxis* axis = c->toAxis()) {
            chart.axes[axis->orientation() == Qt::Horizontal ? 0 : 1] = axis;
            continue;
        }
        const DCurve* curve = c->toCurve();
        if (!curve)
            continue;
        chart.curves.push_back(curve);
        for (DItem* p = curve->child(); p; p = p->next()) {
            const DPoint* point = p->toPoint();
            if (!isFinitePoint(point))
                continue;
            if (!any) {
                chart.x = {point->x(), point->x()};
                chart.y = {point->y(), point->y()};
                any = true;
            }
            chart.x.min = qMin(chart.x.min, point->x());
            chart.x.max = qMax(chart.x.max, point->x());
            chart.y.min = qMin(chart.y.min, point->y());
            chart.y.max = qMax(chart.y.max, point->y());
        }
    }
    Range* ranges[2] = {&chart.x, &chart.y};
    for (int i = 0; i < 2; ++i) {
        const DAxis* axis = chart.axes[i];
        if (axis && axis->minimum() != axis->maximum() && std::isfinite(axis->minimum())
            && std::isfinite(axis->maximum()))
            *ranges[i] = {qMin(axis->minimum(), axis->maximum()),
                          qMax(axis->minimum(), axis->maximum())};
        DAxisTicks::widen(ranges[i]->min, ranges[i]->max);
    }
    return chart;
}

// Draws the title at the top of `rect` and returns the plot area left for the axes, ticks and
// their labels, the axis labels and the legend.
PlotLayout layOut(QPainter* painter, const QRectF& rect, const DGraphic* graphic, const Chart& chart,
                  const ChartFonts& fonts)
{
    PlotLayout layout;
    QRectF& plot = layout.plot;
    plot = rect.adjusted(12, 10, -14, -10);
    painter->setPen(QColor(0x20, 0x20, 0x20));
    if (!graphic->title().isEmpty()) {
        painter->setFont(fonts.bold);
        painter->drawText(QRectF(plot.left(), plot.top(), plot.width(), fonts.bfm.height()),
                          Qt::AlignHCenter | Qt::AlignVCenter, graphic->title());
        plot.setTop(plot.top() + fonts.bfm.height() + 6);
    }
    if (chart.hasLegend())
        plot.setBottom(plot.bottom() - fonts.fm.height() - 6);
    if (chart.hasLabel(0))
        plot.setBottom(plot.bottom() - fonts.fm.height() - 2);
    if (chart.hasLabel(1))
        plot.setLeft(plot.left() + fonts.fm.height() + 4);

    layout.xTicks = DAxisTicks::values(chart.x.min, chart.x.max, 6);
    layout.yTicks = DAxisTicks::values(chart.y.min, chart.y.max, 5);
    for (double v : layout.yTicks)
        layout.labelWidth = qMax(layout.labelWidth, fonts.fm.horizontalAdvance(tickLabel(v, layout.yTicks)));
    plot.setLeft(plot.left() + layout.labelWidth + 6);
    plot.setBottom(plot.bottom() - fonts.fm.height() - 4);
    return layout;
}

// Draws the grid lines, the ticks with their values and the two axis lines.
void drawGrid(QPainter* painter, const Chart& chart, const PlotLayout& layout, const ChartFonts& fonts)
{
    const QRectF& plot = layout.plot;
    const QFontMetricsF& fm = fonts.fm;
    painter->setFont(fonts.small);
    const QPen grid(QColor(0xe4, 0xe4, 0xe4), 1);
    const QPen axisPen(QColor(0x50, 0x50, 0x50), 1);
    for (double v : layout.yTicks) {
        const qreal py = layout.mapY(v, chart.y);
        painter->setPen(grid);
        painter->drawLine(QPointF(plot.left(), py), QPointF(plot.right(), py));
        painter->setPen(axisPen);
        painter->drawLine(QPointF(plot.left() - 4, py), QPointF(plot.left(), py));
        painter->drawText(QRectF(plot.left() - 6 - layout.labelWidth, py - fm.height() / 2,
                                 layout.labelWidth, fm.height()),
                          Qt::AlignRight | Qt::AlignVCenter, tickLabel(v, layout.yTicks));
    }
    for (double v : layout.xTicks) {
        const qreal px = layout.mapX(v, chart.x);
        painter->setPen(grid);
        painter->drawLine(QPointF(px, plot.top()), QPointF(px, plot.bottom()));
        painter->setPen(axisPen);
        painter->drawLine(QPointF(px, plot.bottom()), QPointF(px, plot.bottom() + 4));
        const QString text = tickLabel(v, layout.xTicks);
        const qreal w = fm.horizontalAdvance(text);
        painter->drawText(QRectF(px - w / 2 - 2, plot.bottom() + 5, w + 4, fm.height()),
                          Qt::AlignCenter, text);
    }
    painter->setPen(axisPen);
    painter->drawLine(plot.bottomLeft(), plot.bottomRight());
    painter->drawLine(plot.bottomLeft(), plot.topLeft());
}

// Draws the axis labels, the vertical one turned along its axis, and returns the top of the
// space left under them.
qreal drawAxisLabels(QPainter* painter, const QRectF& rect, const Chart& chart, const PlotLayout& layout,
                     const QFontMetricsF& fm)
{
    const QRectF& plot = layout.plot;
    qreal below = plot.bottom() + 5 + fm.height();
    if (chart.hasLabel(0)) {
        painter->drawText(QRectF(plot.left(), below + 2, plot.width(), fm.height()),
                          Qt::AlignHCenter, chart.axes[0]->label());
        below += fm.height() + 2;
    }
    if (chart.hasLabel(1)) {
        painter->save();
        painter->translate(rect.left() + 12 + fm.ascent(), plot.center().y());
        painter->rotate(-90);
        const qreal w = fm.horizontalAdvance(chart.axes[1]->label());
        painter->drawText(QPointF(-w / 2, 0), chart.axes[1]->label());
        painter->restore();
    }
    return below;
}

// Draws each curve as a polyline of its finite points, marked with dots unless it has many.
void drawCurves(QPainter* painter, const Chart& chart, const PlotLayout& layout)
{
    painter->save();
    painter->setClipRect(layout.plot.adjusted(-4, -4, 4, 4));
    for (size_t i = 0; i < chart.curves.size(); ++i) {
        const QColor color = DViewGraphic::curveColor(int(i));
        QPolygonF line;
        for (DItem* p = chart.curves[i]->child(); p; p = p->next()) {
            if (const DPoint* point = p->toPoint(); isFinitePoint(point))
                line << QPointF(layout.mapX(point->x(), chart.x), layout.mapY(point->y(), chart.y));
        }
        painter->setPen(QPen(color, 1.6));
        painter->setBrush(Qt::NoBrush);
        painter->drawPolyline(line);
        painter->setBrush(color);
        painter->setPen(Qt::NoPen);
        if (line.size() <= 200) {
            for (const QPointF& point : line)
                painter->drawEllipse(point, 2.6, 2.6);
        }
    }
    painter->restore();
}

// Draws the legend in one row from (left, top): a line in each curve's colour and its name, or
// its number when it has none. A single unnamed curve needs no legend.
void drawLegend(QPainter* painter, const Chart& chart, qreal left, qreal top, const QFontMetricsF& fm)
{
    if (!chart.hasLegend())
        return;
    qreal lx = left;
    for (size_t i = 0; i < chart.curves.size(); ++i) {
        const QString name = chart.curves[i]->name().isEmpty() ? QStringLiteral("%1").arg(i + 1)
                                                               : chart.curves[i]->name();
        painter->setPen(QPen(DViewGraphic::curveColor(int(i)), 2));
        painter->drawLine(QPointF(lx, top + fm.height() / 2), QPointF(lx + 16, top + fm.height() / 2));
        painter->setPen(QColor(0x30, 0x30, 0x30));
        painter->drawText(QPointF(lx + 20, top + fm.ascent()), name);
        lx += 32 + fm.horizontalAdvance(name);
    }
}

} // namespace

QColor DViewGraphic::curveColor(int index)
{
    static const QColor colors[] = {QColor(0x1f, 0x77, 0xb4), QColor(0xd6, 0x27, 0x28),
                                    QColor(0x2c, 0xa0, 0x2c), QColor(0xff, 0x7f, 0x0e),
                                    QColor(0x94, 0x67, 0xbd), QColor(0x8c, 0x56, 0x4b)};
    return colors[qAbs(index) % 6];
}

void DViewGraphic::paint(QPainter* painter, const QRectF& rect, const DGraphic* graphic,
                         const QFont& font)
{
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing, true);
    painter->setPen(QColor(0xc0, 0xc0, 0xc0));
    painter->setBrush(Qt::white);
    painter->drawRect(rect.adjusted(0.5, 0.5, -0.5, -0.5));

    const Chart chart = collectChart(graphic);
    const ChartFonts fonts(font);
    const PlotLayout layout = layOut(painter, rect, graphic, chart, fonts);
    // Too small a frame leaves no room for a plot: only the frame and title are drawn.
    if (layout.plot.width() >= 10 && layout.plot.height() >= 10) {
        drawGrid(painter, chart, layout, fonts);
        const qreal below = drawAxisLabels(painter, rect, chart, layout, fonts.fm);
        drawCurves(painter, chart, layout);
        drawLegend(painter, chart, layout.plot.left(), below + 6, fonts.fm);
    }
    painter->restore();
}
