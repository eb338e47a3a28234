#pragma once

#include "rendoc/aml/damlhandler.h"

#include <memory>

class DAmlValueReader;
class DItem;
class DTable;

// Makes the item of one AML item element from its attributes, with one maker per group of
// elements: text flow, named items (links, tags, popups), tables, summary and index entries,
// graphics. Every attribute value is checked; on a bad one the error goes through the value
// reader and no item is made.
class DAmlItemMaker
{
public:
    // The axes already read in an open GRAPHIC: one of each orientation is allowed.
    struct GraphicAxes
    {
        bool x = false;
        bool y = false;
    };

    explicit DAmlItemMaker(const DAmlValueReader& values);

    // Sets `item` to the new item, or returns false after reporting the error. `axes` belongs
    // to the enclosing graphic and is used by AXIS only.
    bool make(DAmlHandler::Element element, const QString& qName, const DAmlAttributes& atts,
              GraphicAxes* axes, std::unique_ptr<DItem>* item) const;

private:
    using Element = DAmlHandler::Element;
    bool makeTextItem(Element element, const QString& qName, const DAmlAttributes& atts,
                      std::unique_ptr<DItem>* item) const;
    bool makeNamedItem(Element element, const QString& qName, const DAmlAttributes& atts,
                       std::unique_ptr<DItem>* item) const;
    bool makeTableItem(Element element, const QString& qName, const DAmlAttributes& atts,
                       std::unique_ptr<DItem>* item) const;
    bool makeEntryItem(Element element, const QString& qName, const DAmlAttributes& atts,
                       std::unique_ptr<DItem>* item) const;
    bool makeGraphicItem(Element element, const QString& qName, const DAmlAttributes& atts,
                         GraphicAxes* axes, std::unique_ptr<DItem>* item) const;
    bool makeAxis(const QString& qName, const DAmlAttributes& atts, GraphicAxes* axes,
                  std::unique_ptr<DItem>* item) const;
    bool readWidths(const DAmlAttributes& atts, const QString& qName, DTable* table) const;

    const DAmlValueReader& m_values;
};
