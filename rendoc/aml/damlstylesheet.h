#pragma once

#include "rendoc/aml/damlhandler.h"
#include "rendoc/style/dfont.h"

#include <QColor>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

class DAmlValueReader;
class DItem;
class DStyle;

// The styles an AML parse gives its items: those handed in by the caller, and, when local
// styles are enabled, the colours, fonts and styles the file defines in its STYLES element.
// The last definition of a name wins. Items point to their styles without owning them: given
// styles belong to the caller, local ones to this sheet until takeStyles().
class DAmlStyleSheet
{
public:
    explicit DAmlStyleSheet(const DAmlValueReader& values);
    ~DAmlStyleSheet();
    DAmlStyleSheet(const DAmlStyleSheet&) = delete;
    DAmlStyleSheet& operator=(const DAmlStyleSheet&) = delete;

    void setStyles(const QList<DStyle*>& styles);
    void setLocalStylesEnabled(bool enabled) { m_localStyles = enabled; }
    // Local styles in file order.
    QList<DStyle*> styles() const;
    QList<DStyle*> takeStyles();
    QStringList styleNames() const;
    // Colours the file defined, by name.
    const QHash<QString, QColor>& colors() const { return m_colors; }
    // Forgets the file's definitions; the given styles stay.
    void clear();

    // Reads one COLOR, FONT or STYLE definition; its name is required even when local styles
    // are disabled, and then nothing is kept. False after reporting a bad value.
    bool define(DAmlHandler::Element element, const QString& qName, const DAmlAttributes& atts);
    // Gives the item the style its style attribute names, or else its kind's default style.
    void apply(DItem* item, DAmlHandler::Element element, const DAmlAttributes& atts) const;

private:
    // A style name and the style it names, as the index gave them.
    struct NamedStyle
    {
        QString name;
        DStyle* style = nullptr;
    };

    bool defineFont(const QString& name, const QString& qName, const DAmlAttributes& atts);
    bool defineStyle(const QString& name, const QString& qName, const DAmlAttributes& atts);
    void indexStyle(DStyle* style);
    DStyle* findStyle(const QString& name) const;
    // The index entry for name, found among the last few names asked for
    // before the index is hashed: every title, link and styled item asks,
    // and a report uses a handful of names. The returned name is shared by
    // all items that give it.
    const NamedStyle& lookupStyle(const QString& name) const;

    const DAmlValueReader& m_values;
    bool m_localStyles = false;
    QList<DStyle*> m_givenStyles;
    std::vector<std::unique_ptr<DStyle>> m_localStyleList;
    QHash<QString, DStyle*> m_styleIndex; // last definition of each name wins
    static constexpr int RecentStyles = 4;
    mutable NamedStyle m_recentStyles[RecentStyles]; // cleared when the index changes
    mutable int m_nextRecentStyle = 0;
    QHash<QString, QColor> m_colors;
    QHash<QString, DFont> m_fonts;
};
