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

    const DAxis* axes[2] = {nullptr, nullptr};
    std::vector<const DCurve*> curves;
    Range x;
    Range y;
    bool any = false;
    for (DItem* c = graphic->child(); c; c = c->next()) {
        if (const DAxis* axis = c->toAxis())
            axes[axis->orientation() == Qt::Horizontal ? 0 : 1] = axis;
        else if (const DCurve* curve = c->toCurve()) {
            curves.push_back(curve);
            for (DItem* p = curve->child(); p; p = p->next()) {
                const DPoint* point = p->toPoint();
                if (!point || !std::isfinite(point->x()) || !std::isfinite(point->y()))
                    continue;
                if (!any) {
                    x = {point->x(), point->x()};
                    y = {point->y(), point->y()};
                    any = true;
                }
                x.min = qMin(x.min, point->x());
                x.max = qMax(x.max, point->x());
                y.min = qMin(y.min, point->y());
                y.max = qMax(y.max, point->y());
            }
        }
    }
    Range* ranges[2] = {&x, &y};
    for (int i = 0; i < 2; ++i) {
        if (axes[i] && axes[i]->minimum() != axes[i]->maximum()
            && std::isfinite(axes[i]->minimum()) && std::isfinite(axes[i]->maximum()))
            *ranges[i] = {qMin(axes[i]->minimum(), axes[i]->maximum()),
                          qMax(axes[i]->minimum(), axes[i]->maximum())};
        DAxisTicks::widen(ranges[i]->min, ranges[i]->max);
    }

    QFont small = font;
    small.setPointSizeF(qMax(6.0, font.pointSizeF() - 1));
    QFont bold = font;
    bold.setBold(true);
    const QFontMetricsF fm(small);
    const QFontMetricsF bfm(bold);

    QRectF plot = rect.adjusted(12, 10, -14, -10);
    painter->setPen(QColor(0x20, 0x20, 0x20));
    if (!graphic->title().isEmpty()) {
        painter->setFont(bold);
        painter->drawText(QRectF(plot.left(), plot.top(), plot.width(), bfm.height()),
                          Qt::AlignHCenter | Qt::AlignVCenter, graphic->title());
        plot.setTop(plot.top() + bfm.height() + 6);
    }
    if (curves.size() > 1 || (curves.size() == 1 && !curves[0]->name().isEmpty()))
        plot.setBottom(plot.bottom() - fm.height() - 6);
    if (axes[0] && !axes[0]->label().isEmpty())
        plot.setBottom(plot.bottom() - fm.height() - 2);
    if (axes[1] && !axes[1]->label().isEmpty())
        plot.setLeft(plot.left() + fm.height() + 4);

    const std::vector<double> xTicks = DAxisTicks::values(x.min, x.max, 6);
    const std::vector<double> yTicks = DAxisTicks::values(y.min, y.max, 5);
    // A value within a millionth of a step of zero is zero: it was only rounded away from it.
    auto label = [](double v, const std::vector<double>& ticks) {
        const double step = ticks.size() > 1 ? ticks[1] - ticks[0] : 0;
        return QString::number(std::abs(v) < step * 1e-6 ? 0.0 : v, 'g', 6);
    };
    qreal labelWidth = 0;
    for (double v : yTicks)
        labelWidth = qMax(labelWidth, fm.horizontalAdvance(label(v, yTicks)));
    plot.setLeft(plot.left() + labelWidth + 6);
    plot.setBottom(plot.bottom() - fm.height() - 4);
    if (plot.width() < 10 || plot.height() < 10) {
        painter->restore();
        return;
    }

    auto mapX = [&](double v) { return plot.left() + DAxisTicks::fraction(v, x.min, x.max) * plot.width(); };
    auto mapY = [&](double v) { return plot.bottom() - DAxisTicks::fraction(v, y.min, y.max) * plot.height(); };

    painter->setFont(small);
    const QPen grid(QColor(0xe4, 0xe4, 0xe4), 1);
    const QPen axisPen(QColor(0x50, 0x50, 0x50), 1);
    for (double v : yTicks) {
        const qreal py = mapY(v);
        painter->setPen(grid);
        painter->drawLine(QPointF(plot.left(), py), QPointF(plot.right(), py));
        painter->setPen(axisPen);
        painter->drawLine(QPointF(plot.left() - 4, py), QPointF(plot.left(), py));
        painter->drawText(QRectF(plot.left() - 6 - labelWidth, py - fm.height() / 2, labelWidth,
                                 fm.height()),
                          Qt::AlignRight | Qt::AlignVCenter, label(v, yTicks));
    }
    for (double v : xTicks) {
        const qreal px = mapX(v);
        painter->setPen(grid);
        painter->drawLine(QPointF(px, plot.top()), QPointF(px, plot.bottom()));
        painter->setPen(axisPen);
        painter->drawLine(QPointF(px, plot.bottom()), QPointF(px, plot.bottom() + 4));
        const QString text = label(v, xTicks);
        const qreal w = fm.horizontalAdvance(text);
        painter->drawText(QRectF(px - w / 2 - 2, plot.bottom() + 5, w + 4, fm.height()),
                          Qt::AlignCenter, text);
    }
    painter->setPen(axisPen);
    painter->drawLine(plot.bottomLeft(), plot.bottomRight());
    painter->drawLine(plot.bottomLeft(), plot.topLeft());
    qreal below = plot.bottom() + 5 + fm.height();
    if (axes[0] && !axes[0]->label().isEmpty()) {
        painter->drawText(QRectF(plot.left(), below + 2, plot.width(), fm.height()),
                          Qt::AlignHCenter, axes[0]->label());
        below += fm.height() + 2;
    }
    if (axes[1] && !axes[1]->label().isEmpty()) {
        painter->save();
        painter->translate(rect.left() + 12 + fm.ascent(), plot.center().y());
        painter->rotate(-90);
        const qreal w = fm.horizontalAdvance(axes[1]->label());
        painter->drawText(QPointF(-w / 2, 0), axes[1]->label());
        painter->restore();
    }

    painter->save();
    painter->setClipRect(plot.adjusted(-4, -4, 4, 4));
    for (size_t i = 0; i < curves.size(); ++i) {
        const QColor color = curveColor(int(i));
        QPolygonF line;
        for (DItem* p = curves[i]->child(); p; p = p->next())
            if (const DPoint* point = p->toPoint();
                point && std::isfinite(point->x()) && std::isfinite(point->y()))
                line << QPointF(mapX(point->x()), mapY(point->y()));
        painter->setPen(QPen(color, 1.6));
        painter->setBrush(Qt::NoBrush);
        painter->drawPolyline(line);
        painter->setBrush(color);
        painter->setPen(Qt::NoPen);
        if (line.size() <= 200)
            for (const QPointF& point : line)
                painter->drawEllipse(point, 2.6, 2.6);
    }
    painter->restore();

    // Legend, in one row under the plot.
    qreal lx = plot.left();
    const qreal ly = below + 6;
    for (size_t i = 0; i < curves.size(); ++i) {
        const QString name = curves[i]->name().isEmpty()
                                 ? QStringLiteral("%1").arg(i + 1)
                                 : curves[i]->name();
        if (curves.size() == 1 && curves[0]->name().isEmpty())
            break;
        painter->setPen(QPen(curveColor(int(i)), 2));
        painter->drawLine(QPointF(lx, ly + fm.height() / 2), QPointF(lx + 16, ly + fm.height() / 2));
        painter->setPen(QColor(0x30, 0x30, 0x30));
        painter->drawText(QPointF(lx + 20, ly + fm.ascent()), name);
        lx += 32 + fm.horizontalAdvance(name);
    }
    painter->restore();
}
