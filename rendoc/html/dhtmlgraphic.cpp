#include "rendoc/html/dhtmlgraphic.h"

#include "rendoc/html/dhtmlescape.h"
#include "rendoc/html/dhtmloutput.h"
#include "rendoc/model/ditems.h"
#include "rendoc/view/dviewgraphic.h"

#include <QColor>

#include <cmath>

namespace {

QString number(double value)
{
    return QString::number(value, 'g', 6);
}

} // namespace

// Where a graphic's values land in its drawing: the value range of each axis (the axis's own
// when it gives a usable one, else the points'), and the plot's place in the picture.
struct DHTMLGraphic::PlotArea
{
    // A value range that grows to hold every value added.
    struct Range
    {
        double min = 0;
        double max = 1;
        bool any = false;
        void add(double v)
        {
            if (!any) {
                min = max = v;
                any = true;
            }
            min = qMin(min, v);
            max = qMax(max, v);
        }
    };

    explicit PlotArea(const DGraphic* graphic);
    double sx(double x) const
    {
        return left + (x - ranges[0].min) / (ranges[0].max - ranges[0].min) * plotW;
    }
    double sy(double y) const
    {
        return top + plotH - (y - ranges[1].min) / (ranges[1].max - ranges[1].min) * plotH;
    }

    const DAxis* axes[2] = {nullptr, nullptr};
    Range ranges[2];
    static constexpr double width = 480, height = 280, left = 56, right = 16, top = 16, bottom = 44;
    static constexpr double plotW = width - left - right, plotH = height - top - bottom;
};

DHTMLGraphic::PlotArea::PlotArea(const DGraphic* graphic)
{
    for (DItem* c = graphic->child(); c; c = c->next()) {
        if (const DAxis* axis = c->toAxis())
            axes[axis->orientation() == Qt::Horizontal ? 0 : 1] = axis;
        else if (const DCurve* curve = c->toCurve())
            for (DItem* p = curve->child(); p; p = p->next())
                if (const DPoint* point = p->toPoint();
                    point && std::isfinite(point->x()) && std::isfinite(point->y())) {
                    ranges[0].add(point->x());
                    ranges[1].add(point->y());
                }
    }
    for (int i = 0; i < 2; ++i) {
        if (axes[i] && axes[i]->minimum() < axes[i]->maximum() && std::isfinite(axes[i]->minimum())
            && std::isfinite(axes[i]->maximum())) {
            ranges[i].min = axes[i]->minimum();
            ranges[i].max = axes[i]->maximum();
        }
        if (!(ranges[i].max > ranges[i].min)) {
            ranges[i].min -= 1;
            ranges[i].max += 1;
        }
    }
}

void DHTMLGraphic::write(const DGraphic* graphic)
{
    const PlotArea area(graphic);
    m_out << QStringLiteral("<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%1\" height=\"%2\" "
                            "viewBox=\"0 0 %1 %2\" role=\"img\" font-size=\"11\">")
                 .arg(area.width)
                 .arg(area.height);
    m_out << QStringLiteral("<rect x=\"0.5\" y=\"0.5\" width=\"%1\" height=\"%2\" fill=\"#fff\" "
                            "stroke=\"#c0c0c0\"/>")
                 .arg(area.width - 1)
                 .arg(area.height - 1);
    writeAxes(area);
    int curveIndex = 0;
    for (DItem* c = graphic->child(); c; c = c->next()) {
        if (const DCurve* curve = c->toCurve())
            writeCurve(curve, curveIndex++, area);
    }
    m_out << QLatin1String("</svg>");
}

void DHTMLGraphic::writeAxes(const PlotArea& area)
{
    const double left = area.left, top = area.top, plotW = area.plotW, plotH = area.plotH;
    const PlotArea::Range* ranges = area.ranges;
    // Axes with their end values and labels.
    m_out << QStringLiteral("<g stroke=\"#404040\"><line x1=\"%1\" y1=\"%2\" x2=\"%3\" y2=\"%2\"/>"
                         "<line x1=\"%1\" y1=\"%4\" x2=\"%1\" y2=\"%2\"/></g>")
              .arg(left)
              .arg(top + plotH)
              .arg(left + plotW)
              .arg(top);
    m_out << QStringLiteral("<g fill=\"#404040\"><text x=\"%1\" y=\"%2\" text-anchor=\"start\">%3</text>"
                         "<text x=\"%4\" y=\"%2\" text-anchor=\"end\">%5</text>"
                         "<text x=\"%6\" y=\"%7\" text-anchor=\"end\">%8</text>"
                         "<text x=\"%6\" y=\"%9\" text-anchor=\"end\">%10</text></g>")
              .arg(left)
              .arg(top + plotH + 14)
              .arg(number(ranges[0].min))
              .arg(left + plotW)
              .arg(number(ranges[0].max))
              .arg(left - 4)
              .arg(top + plotH)
              .arg(number(ranges[1].min))
              .arg(top + 10)
              .arg(number(ranges[1].max));
    if (area.axes[0] && !area.axes[0]->label().isEmpty()) {
        m_out << QStringLiteral("<text x=\"%1\" y=\"%2\" text-anchor=\"middle\">")
                     .arg(left + plotW / 2)
                     .arg(area.height - 8);
        DHTMLEscape::write(m_out, area.axes[0]->label(), false);
        m_out << QLatin1String("</text>");
    }
    if (area.axes[1] && !area.axes[1]->label().isEmpty()) {
        m_out << QStringLiteral("<text x=\"14\" y=\"%1\" text-anchor=\"middle\" "
                                "transform=\"rotate(-90 14 %1)\">")
                  .arg(top + plotH / 2);
        DHTMLEscape::write(m_out, area.axes[1]->label(), false);
        m_out << QLatin1String("</text>");
    }
}

void DHTMLGraphic::writeCurve(const DCurve* curve, int curveIndex, const PlotArea& area)
{
    const QString color = DViewGraphic::curveColor(curveIndex).name(QColor::HexRgb);
    m_out << QLatin1String("<g class=\"curve\"><title>");
    DHTMLEscape::write(m_out, curve->name(), false);
    m_out << QStringLiteral("</title><polyline fill=\"none\" stroke=\"%1\" stroke-width=\"1.5\" "
                            "points=\"")
                 .arg(color);
    QString circles;
    for (DItem* p = curve->child(); p; p = p->next()) {
        const DPoint* point = p->toPoint();
        if (!point || !std::isfinite(point->x()) || !std::isfinite(point->y()))
            continue;
        const QString x = number(area.sx(point->x())), y = number(area.sy(point->y()));
        m_out << x << QLatin1String(",") << y << QLatin1String(" ");
        circles += QStringLiteral("<circle cx=\"%1\" cy=\"%2\" r=\"2.5\"/>").arg(x, y);
    }
    m_out << QStringLiteral("\"/><g fill=\"%1\">").arg(color);
    m_out << circles;
    m_out << QLatin1String("</g></g>");
}
