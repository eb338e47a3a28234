#pragma once

class DAxis;
class DCurve;
class DGraphic;
class DHTMLOutput;

// Draws a graphic (axes and curves of points) as inline SVG. Each axis spans its own value
// range when it gives a usable one, else the range of the points; points that are not finite
// numbers are left out.
class DHTMLGraphic
{
public:
    explicit DHTMLGraphic(DHTMLOutput& out) : m_out(out) {}

    // Writes the <svg> element of graphic.
    void write(const DGraphic* graphic);

private:
    struct PlotArea;
    void writeAxes(const PlotArea& area);
    void writeCurve(const DCurve* curve, int curveIndex, const PlotArea& area);

    DHTMLOutput& m_out;
};
