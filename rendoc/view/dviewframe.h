#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QRectF>
#include <QString>
#include <QTextLayout>
#include <memory>
#include <vector>

class DItem;

// The text of one frame of a block (a paragraph, a title, a table cell...) as the view shows
// it: white space collapsed, formats per run, and the item each character range comes from.
// Once laid out it also holds its QTextLayout and its place inside the block.
class DViewFrame
{
public:
    // A character range made by one inline item; link is the clickable item around it (a
    // DLink, DPopupLink, DTagPointer, or a summary or index target), null when none.
    struct Span
    {
        int start;
        int length;
        DItem* item;
        DItem* link;
    };
    // An image standing in the text at character pos, drawn with the given size.
    struct Picture
    {
        int pos;
        QImage image;
        QSizeF size;
        QString src;
    };

    QString text;
    QVector<QTextLayout::FormatRange> formats;
    std::vector<Span> spans;
    std::vector<Picture> pictures;
    QFont font;
    QColor color;
    QColor background;
    Qt::Alignment alignment = Qt::AlignLeft;

    // Laid-out form (null until laid out).
    std::unique_ptr<QTextLayout> layout;
    QRectF rect; // text area inside the block
    QRectF box;  // cell or block box, for backgrounds and borders

    // The clickable item at character pos, null when none.
    DItem* linkAt(int pos) const;
    // The first character made by item or its descendants; -1 when none.
    int positionOf(const DItem* item) const;
};
