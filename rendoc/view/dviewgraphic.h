#pragma once

#include <QColor>
#include <QRectF>

class DGraphic;
class QFont;
class QPainter;

// Draws a DGraphic as a chart: title, axes with ticks and labels, one polyline per curve with
// its points marked, and a legend of the curve names.
class DViewGraphic
{
public:
    static constexpr int DefaultWidth = 400;
    static constexpr int DefaultHeight = 300;

    // The colour of the curve at index, the same on screen, in print and in HTML.
    static QColor curveColor(int index);

    static void paint(QPainter* painter, const QRectF& rect, const DGraphic* graphic,
                      const QFont& font);
};
