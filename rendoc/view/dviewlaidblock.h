#pragma once

#include "rendoc/view/dviewblock.h"
#include "rendoc/view/dviewframe.h"

#include <QImage>
#include <QTextLayout>
#include <memory>
#include <vector>

class DGraphic;
class DViewContext;
struct DViewTable;
class QPainter;

// A block laid out for one width: its text frames with their QTextLayouts, its list marker,
// image or chart, and its height. Coordinates are relative to the block's top-left corner.
class DViewLaidBlock
{
public:
    using Selections = std::vector<QVector<QTextLayout::FormatRange>>;

    // `row` is a Row block's index inside `table` (its cells' starting columns).
    static std::unique_ptr<DViewLaidBlock> create(const DViewBlock& block, const DViewTable* table,
                                                  int row, const DViewContext& context, qreal width);

    int height() const { return m_height; }
    // Widest line or box, for horizontal scrolling without word wrap.
    qreal naturalWidth() const { return m_naturalWidth; }
    const std::vector<DViewFrame>& frames() const { return m_frames; }

    // Paints at origin; extra holds additional format ranges (selection, link focus) per frame.
    void paint(QPainter* painter, const QPointF& origin, const Selections& extra) const;

    // The frame and character offset nearest to p; false when the block has no text.
    bool hit(const QPointF& p, int* frame, int* offset) const;
    // The clickable item under p, null when none.
    DItem* linkAt(const QPointF& p) const;
    // Top of the line holding offset in frame.
    qreal lineTop(int frame, int offset) const;
    // Bounding rectangle of a character range of frame.
    QRectF rangeRect(int frame, int start, int length) const;

private:
    DViewLaidBlock() = default;

    qreal layoutFrame(DViewFrame& frame, qreal x, qreal y, qreal width, const DViewContext& context);
    // The width of each column of a row: the table's fractions of `width`, widened where the
    // first row's longest word would not fit, taking the room from the other columns.
    static std::vector<qreal> columnWidths(const DViewTable* table, int columns, const DViewContext& context,
                                           qreal width);
    void layoutRow(const DViewBlock& block, const DViewTable* table, int row,
                   const DViewContext& context, qreal left, qreal width);

    std::vector<DViewFrame> m_frames;
    int m_height = 0;
    qreal m_naturalWidth = 0;
    DViewBlock::Kind m_kind = DViewBlock::Anchor;

    QString m_marker;
    QPointF m_markerPos;
    QRectF m_background;
    QColor m_backgroundColor;
    QImage m_image;
    QString m_imageName;
    QRectF m_imageRect;
    const DGraphic* m_graphic = nullptr;
    QRectF m_graphicRect;
    QFont m_font;
    QColor m_color;
    int m_border = 0;
    bool m_lastRow = false;
    QColor m_borderColor;
};
