#include "rendoc/aml/damlstylesheet.h"

#include "rendoc/aml/damlvaluereader.h"
#include "rendoc/model/ditems.h"
#include "rendoc/style/dstyle.h"

#include <limits>

namespace {

const QString defaultFamily = QStringLiteral("DejaVu Sans");

} // namespace

DAmlStyleSheet::DAmlStyleSheet(const DAmlValueReader& values) : m_values(values)
{
}

DAmlStyleSheet::~DAmlStyleSheet() = default;

void DAmlStyleSheet::clear()
{
    m_localStyleList.clear();
    m_colors.clear();
    m_fonts.clear();
    setStyles(m_givenStyles);
}

QList<DStyle*> DAmlStyleSheet::styles() const
{
    QList<DStyle*> list;
    list.reserve(int(m_localStyleList.size()));
    for (const auto& style : m_localStyleList)
        list.append(style.get());
    return list;
}

QList<DStyle*> DAmlStyleSheet::takeStyles()
{
    QList<DStyle*> list;
    list.reserve(int(m_localStyleList.size()));
    for (auto& style : m_localStyleList)
        list.append(style.release());
    m_localStyleList.clear();
    setStyles(m_givenStyles);
    return list;
}

QStringList DAmlStyleSheet::styleNames() const
{
    QStringList names;
    names.reserve(int(m_localStyleList.size()));
    for (const auto& style : m_localStyleList)
        names.append(style->name());
    return names;
}

void DAmlStyleSheet::setStyles(const QList<DStyle*>& styles)
{
    m_givenStyles = styles;
    m_styleIndex.clear();
    for (NamedStyle& recent : m_recentStyles)
        recent = NamedStyle();
    for (DStyle* style : m_givenStyles)
        indexStyle(style);
    for (const auto& style : m_localStyleList)
        indexStyle(style.get());
}

bool DAmlStyleSheet::defineFont(const QString& name, const QString& qName,
                                const DAmlAttributes& atts)
{
    const int index = atts.index(QLatin1String("family"));
    DFont font(name, index < 0 ? defaultFamily : atts.value(index), 10);
    int size = font.pointSize();
    bool bold = false;
    bool italic = false;
    bool underline = false;
    if (!m_values.readInt(atts, "size", qName, 1, 200, &size)
        || !m_values.readBool(atts, "bold", qName, &bold)
        || !m_values.readBool(atts, "italic", qName, &italic)
        || !m_values.readBool(atts, "underline", qName, &underline))
        return false;
    font.setPointSize(size);
    font.setBold(bold);
    font.setItalic(italic);
    font.setUnderline(underline);
    m_fonts.insert(name, font);
    return true;
}

bool DAmlStyleSheet::defineStyle(const QString& name, const QString& qName,
                                 const DAmlAttributes& atts)
{
    // A named font supplies the defaults of the five font attributes.
    DFont font(QString(), defaultFamily, 10);
    const int fontIndex = atts.index(QLatin1String("font"));
    if (fontIndex >= 0) {
        const QString fontName = atts.value(fontIndex);
        const auto found = m_fonts.constFind(fontName);
        if (found == m_fonts.constEnd())
            return m_values.badValue(fontName, "font", qName);
        font = found.value();
    }
    const int familyIndex = atts.index(QLatin1String("family"));
    int size = font.pointSize();
    bool bold = font.bold();
    bool italic = font.italic();
    bool underline = font.underline();
    QColor color(Qt::black);
    QColor background;
    Qt::Alignment alignment = Qt::AlignLeft;
    int margins[4] = {0, 0, 0, 0};
    const char* marginNames[4] = {"marginleft", "margintop", "marginright", "marginbottom"};
    if (!m_values.readInt(atts, "size", qName, 1, 200, &size)
        || !m_values.readBool(atts, "bold", qName, &bold)
        || !m_values.readBool(atts, "italic", qName, &italic)
        || !m_values.readBool(atts, "underline", qName, &underline)
        || !m_values.readColor(atts, "color", qName, true, &color)
        || !m_values.readColor(atts, "background", qName, true, &background))
        return false;
    for (int i = 0; i < 4; ++i) {
        if (!m_values.readInt(atts, marginNames[i], qName, 0, std::numeric_limits<int>::max(),
                              &margins[i]))
            return false;
    }
    if (!m_values.readAlignment(atts, qName, &alignment))
        return false;
    auto style = std::make_unique<DStyle>(name);
    style->setFamily(familyIndex < 0 ? font.family() : atts.value(familyIndex));
    style->setPointSize(size);
    style->setBold(bold);
    style->setItalic(italic);
    style->setUnderline(underline);
    style->setForeground(color);
    style->setBackground(background);
    style->setAlignment(alignment);
    style->setMargins(margins[0], margins[1], margins[2], margins[3]);
    indexStyle(style.get());
    m_localStyleList.push_back(std::move(style));
    return true;
}

void DAmlStyleSheet::indexStyle(DStyle* style)
{
    if (!style)
        return;
    m_styleIndex.insert(style->name(), style);
    for (NamedStyle& recent : m_recentStyles)
        recent = NamedStyle();
}

DStyle* DAmlStyleSheet::findStyle(const QString& name) const
{
    return lookupStyle(name).style;
}

const DAmlStyleSheet::NamedStyle& DAmlStyleSheet::lookupStyle(const QString& name) const
{
    for (const NamedStyle& recent : m_recentStyles) {
        if (!recent.name.isNull() && recent.name == name)
            return recent;
    }
    NamedStyle& entry = m_recentStyles[m_nextRecentStyle];
    m_nextRecentStyle = (m_nextRecentStyle + 1) % RecentStyles;
    entry.name = name;
    entry.style = m_styleIndex.value(name, nullptr);
    return entry;
}

void DAmlStyleSheet::apply(DItem* item, DAmlHandler::Element element,
                           const DAmlAttributes& atts) const
{
    const int index = atts.index(QLatin1String("style"));
    if (index >= 0) {
        const NamedStyle& named = lookupStyle(atts.value(index));
        item->setStyleName(named.name);
        item->setStyle(named.style);
        return;
    }
    static const QString normal = QStringLiteral("Normal");
    static const QString link = QStringLiteral("Link");
    static const QString array = QStringLiteral("Array");
    static const QString titles[] = {
        QStringLiteral("Title0"), QStringLiteral("Title1"), QStringLiteral("Title2"),
        QStringLiteral("Title3"), QStringLiteral("Title4"), QStringLiteral("Title5"),
        QStringLiteral("Title6"),
    };
    switch (element) {
    case DAmlHandler::Document:
        item->setStyle(findStyle(normal));
        break;
    case DAmlHandler::Title:
        item->setStyle(findStyle(titles[static_cast<DTitle*>(item)->level()]));
        break;
    case DAmlHandler::Link:
    case DAmlHandler::PopupLink:
        item->setStyle(findStyle(link));
        break;
    case DAmlHandler::Table:
        item->setStyle(findStyle(array));
        break;
    default:
        break;
    }
}

bool DAmlStyleSheet::define(DAmlHandler::Element element, const QString& qName,
                            const DAmlAttributes& atts)
{
    QString name;
    if (!m_values.required(atts, "name", qName, &name))
        return false;
    switch (element) {
    case DAmlHandler::Color: {
        QString value;
        if (!m_values.required(atts, "value", qName, &value))
            return false;
        if (m_localStyles) {
            QColor color;
            if (!m_values.readColor(atts, "value", qName, false, &color))
                return false;
            m_colors.insert(name, color);
        }
        return true;
    }
    case DAmlHandler::Font:
        return !m_localStyles || defineFont(name, qName, atts);
    case DAmlHandler::Style:
        return !m_localStyles || defineStyle(name, qName, atts);
    default:
        return false;
    }
}
