#include "rendoc/aml/damlitemmaker.h"

#include "rendoc/aml/damlvaluereader.h"
#include "rendoc/model/ditems.h"

#include <QCoreApplication>

#include <cmath>
#include <limits>

namespace {

// An attribute that is missing keeps its default, an empty one is a present, empty text.
const QString& emptyText()
{
    static const QString empty = [] {
        QString s(QLatin1Char(' '));
        s.truncate(0); // keeps the allocation: empty, not null
        return s;
    }();
    return empty;
}

// A text attribute whose default is the empty string rather than null.
QString textOrEmpty(const DAmlAttributes& atts, const char* attr)
{
    const int index = atts.index(QLatin1String(attr));
    return index < 0 ? emptyText() : atts.value(index);
}

} // namespace

DAmlItemMaker::DAmlItemMaker(const DAmlValueReader& values) : m_values(values)
{
}

bool DAmlItemMaker::make(DAmlHandler::Element element, const QString& qName,
                         const DAmlAttributes& atts, GraphicAxes* axes,
                         std::unique_ptr<DItem>* item) const
{
    if (element >= DAmlHandler::Document && element <= DAmlHandler::Popup)
        return makeTextItem(element, qName, atts, item);
    if (element >= DAmlHandler::Table && element <= DAmlHandler::CellText)
        return makeTableItem(element, qName, atts, item);
    if (element >= DAmlHandler::Summary && element <= DAmlHandler::IEntry)
        return makeEntryItem(element, qName, atts, item);
    if (element >= DAmlHandler::Graphic && element <= DAmlHandler::Point)
        return makeGraphicItem(element, qName, atts, axes, item);
    return false;
}

bool DAmlItemMaker::makeTextItem(Element element, const QString& qName, const DAmlAttributes& atts,
                                 std::unique_ptr<DItem>* item) const
{
    auto text = [&atts](const char* attr) { return atts.value(QLatin1String(attr)); };
    const int intMax = std::numeric_limits<int>::max();
    QString name;
    switch (element) {
    case DAmlHandler::Document:
        *item = std::make_unique<DDocument>(text("title"), text("name"));
        return true;
    case DAmlHandler::Section:
        *item = std::make_unique<DSection>(text("name"));
        return true;
    case DAmlHandler::Title: {
        int level = 1;
        if (!m_values.readInt(atts, "level", qName, 0, 6, &level))
            return false;
        *item = std::make_unique<DTitle>(level);
        return true;
    }
    case DAmlHandler::Header:
        *item = std::make_unique<DHeader>();
        return true;
    case DAmlHandler::Footer:
        *item = std::make_unique<DFooter>();
        return true;
    case DAmlHandler::PageBreak:
        *item = std::make_unique<DPageBreak>();
        return true;
    case DAmlHandler::Paragraph:
        *item = std::make_unique<DParagraph>();
        return true;
    case DAmlHandler::Image: {
        int width = 0;
        int height = 0;
        if (!m_values.required(atts, "src", qName, &name)
            || !m_values.readInt(atts, "width", qName, 0, intMax, &width)
            || !m_values.readInt(atts, "height", qName, 0, intMax, &height))
            return false;
        *item = std::make_unique<DImage>(name, width, height);
        return true;
    }
    case DAmlHandler::List: {
        bool ordered = false;
        if (!m_values.readBool(atts, "ordered", qName, &ordered))
            return false;
        auto list = std::make_unique<DList>();
        list->setOrdered(ordered);
        *item = std::move(list);
        return true;
    }
    default:
        return makeNamedItem(element, qName, atts, item);
    }
}

bool DAmlItemMaker::makeNamedItem(Element element, const QString& qName, const DAmlAttributes& atts,
                                  std::unique_ptr<DItem>* item) const
{
    // Each of these items has one required attribute: a target or a name.
    const char* attr =
        (element == DAmlHandler::Link || element == DAmlHandler::PopupLink) ? "target" : "name";
    QString value;
    if (!m_values.required(atts, attr, qName, &value))
        return false;
    switch (element) {
    case DAmlHandler::Link:
        *item = std::make_unique<DLink>(value);
        return true;
    case DAmlHandler::Tag:
        *item = std::make_unique<DTag>(value);
        return true;
    case DAmlHandler::TagPointer:
        *item = std::make_unique<DTagPointer>(value);
        return true;
    case DAmlHandler::PopupLink:
        *item = std::make_unique<DPopupLink>(value);
        return true;
    case DAmlHandler::Popup:
        *item = std::make_unique<DPopup>(value);
        return true;
    default:
        return false;
    }
}

bool DAmlItemMaker::makeTableItem(Element element, const QString& qName, const DAmlAttributes& atts,
                                  std::unique_ptr<DItem>* item) const
{
    const int intMax = std::numeric_limits<int>::max();
    if (element == DAmlHandler::Table) {
        int border = 0;
        if (!m_values.readInt(atts, "border", qName, 0, intMax, &border))
            return false;
        auto table = std::make_unique<DTable>(border);
        if (!readWidths(atts, qName, table.get()))
            return false;
        *item = std::move(table);
        return true;
    }
    if (element == DAmlHandler::Row) {
        *item = std::make_unique<DRow>();
        return true;
    }
    int hspan = 1;
    int vspan = 1;
    if (!m_values.readInt(atts, "hspan", qName, 1, intMax, &hspan)
        || !m_values.readInt(atts, "vspan", qName, 1, intMax, &vspan))
        return false;
    // The markup counts covered columns; the model counts the extra ones.
    if (element == DAmlHandler::Cell) {
        *item = std::make_unique<DCell>(hspan - 1, vspan - 1);
        return true;
    }
    if (element == DAmlHandler::CellText) {
        *item = std::make_unique<DCellText>(textOrEmpty(atts, "text"), hspan - 1, vspan - 1);
        return true;
    }
    return false;
}

bool DAmlItemMaker::readWidths(const DAmlAttributes& atts, const QString& qName,
                               DTable* table) const
{
    const int index = atts.index(QLatin1String("widths"));
    if (index < 0)
        return true;
    const QString value = atts.value(index);
    QVector<float> widths;
    for (const QStringView part : QStringView(value).split(QLatin1Char(','))) {
        bool ok = false;
        const double fraction = part.trimmed().toDouble(&ok);
        if (!ok || !std::isfinite(fraction) || fraction <= 0
            || fraction > std::numeric_limits<float>::max())
            return m_values.badValue(value, "widths", qName);
        widths.append(float(fraction));
    }
    table->setWidth(widths);
    return true;
}

bool DAmlItemMaker::makeEntryItem(Element element, const QString& qName, const DAmlAttributes& atts,
                                  std::unique_ptr<DItem>* item) const
{
    switch (element) {
    case DAmlHandler::Summary:
        *item = std::make_unique<DSummary>();
        return true;
    case DAmlHandler::SEntry: {
        // The model finds an entry's title from its text; a target is accepted but not kept.
        int level = 1;
        if (!m_values.readInt(atts, "level", qName, 0, 6, &level))
            return false;
        *item = std::make_unique<DSEntry>(textOrEmpty(atts, "text"), level, nullptr);
        return true;
    }
    case DAmlHandler::Index:
        *item = std::make_unique<DIndex>();
        return true;
    case DAmlHandler::IEntry:
        *item = std::make_unique<DIEntry>(textOrEmpty(atts, "text"), nullptr);
        return true;
    default:
        return false;
    }
}

bool DAmlItemMaker::makeGraphicItem(Element element, const QString& qName,
                                    const DAmlAttributes& atts, GraphicAxes* axes,
                                    std::unique_ptr<DItem>* item) const
{
    const int intMax = std::numeric_limits<int>::max();
    switch (element) {
    case DAmlHandler::Graphic: {
        // The size is checked for a well-formed file; the chart sizes itself when shown.
        int width = 400;
        int height = 300;
        if (!m_values.readInt(atts, "width", qName, 1, intMax, &width)
            || !m_values.readInt(atts, "height", qName, 1, intMax, &height))
            return false;
        *item = std::make_unique<DGraphic>(atts.value(QLatin1String("title")));
        return true;
    }
    case DAmlHandler::Axis:
        return makeAxis(qName, atts, axes, item);
    case DAmlHandler::Curve:
        *item = std::make_unique<DCurve>(atts.value(QLatin1String("name")));
        return true;
    case DAmlHandler::Point: {
        QString value;
        double x = 0;
        double y = 0;
        if (!m_values.required(atts, "x", qName, &value)
            || !m_values.required(atts, "y", qName, &value)
            || !m_values.readReal(atts, "x", qName, &x) || !m_values.readReal(atts, "y", qName, &y))
            return false;
        *item = std::make_unique<DPoint>(x, y);
        return true;
    }
    default:
        return false;
    }
}

bool DAmlItemMaker::makeAxis(const QString& qName, const DAmlAttributes& atts, GraphicAxes* axes,
                             std::unique_ptr<DItem>* item) const
{
    Qt::Orientation orientation = Qt::Horizontal;
    const int index = atts.index(QLatin1String("orientation"));
    if (index >= 0) {
        const QString value = atts.value(index);
        if (value == QLatin1String("y"))
            orientation = Qt::Vertical;
        else if (value != QLatin1String("x"))
            return m_values.badValue(value, "orientation", qName);
    }
    double minimum = 0;
    double maximum = 0;
    if (!m_values.readReal(atts, "min", qName, &minimum)
        || !m_values.readReal(atts, "max", qName, &maximum))
        return false;
    // One axis per orientation and graphic.
    bool& seen = orientation == Qt::Horizontal ? axes->x : axes->y;
    if (seen) {
        return m_values.fail(
            QCoreApplication::translate("DAmlHandler",
                                        "AML, element \"%1\" not allowed in \"%2\" at line %3.\n")
                .arg(qName, DAmlHandler::elementName(DAmlHandler::Graphic))
                .arg(m_values.lineNumber()));
    }
    seen = true;
    *item =
        std::make_unique<DAxis>(orientation, atts.value(QLatin1String("label")), minimum, maximum);
    return true;
}
