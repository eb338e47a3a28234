#include "rendoc/aml/damlhandler.h"

#include "rendoc/aml/damllocator.h"
#include "rendoc/aml/damlparseerror.h"
#include "rendoc/model/ditems.h"
#include "rendoc/style/dstyle.h"

#include <QCoreApplication>

#include <cmath>
#include <limits>

namespace {

// What character data may appear directly inside an element.
enum class Content {
    Flow, // whitespace-only runs dropped, other runs become text
    Inline, // every run becomes text
    Structure // whitespace-only runs dropped, other text is an error
};

struct ElementInfo {
    const char* name;
    DAmlHandler::Element element;
};

// Element names, compared exactly and case-sensitively.
const ElementInfo elementTable[] = {
    { "AML", DAmlHandler::Aml },
    { "DOCUMENT", DAmlHandler::Document },
    { "SECTION", DAmlHandler::Section },
    { "TITLE", DAmlHandler::Title },
    { "HEADER", DAmlHandler::Header },
    { "FOOTER", DAmlHandler::Footer },
    { "PAGEBREAK", DAmlHandler::PageBreak },
    { "P", DAmlHandler::Paragraph },
    { "IMAGE", DAmlHandler::Image },
    { "LIST", DAmlHandler::List },
    { "LINK", DAmlHandler::Link },
    { "TAG", DAmlHandler::Tag },
    { "TAGPOINTER", DAmlHandler::TagPointer },
    { "POPUPLINK", DAmlHandler::PopupLink },
    { "POPUP", DAmlHandler::Popup },
    { "TABLE", DAmlHandler::Table },
    { "ROW", DAmlHandler::Row },
    { "CELL", DAmlHandler::Cell },
    { "CELLTEXT", DAmlHandler::CellText },
    { "SUMMARY", DAmlHandler::Summary },
    { "SENTRY", DAmlHandler::SEntry },
    { "INDEX", DAmlHandler::Index },
    { "IENTRY", DAmlHandler::IEntry },
    { "GRAPHIC", DAmlHandler::Graphic },
    { "AXIS", DAmlHandler::Axis },
    { "CURVE", DAmlHandler::Curve },
    { "POINT", DAmlHandler::Point },
    { "STYLES", DAmlHandler::Styles },
    { "STYLE", DAmlHandler::Style },
    { "COLOR", DAmlHandler::Color },
    { "FONT", DAmlHandler::Font },
};

QString elementName(DAmlHandler::Element element)
{
    for (const ElementInfo& info : elementTable) {
        if (info.element == element)
            return QString::fromLatin1(info.name);
    }
    return QString();
}

Content contentOf(DAmlHandler::Element element)
{
    switch (element) {
    case DAmlHandler::Document:
    case DAmlHandler::Section:
    case DAmlHandler::Header:
    case DAmlHandler::Footer:
    case DAmlHandler::Popup:
    case DAmlHandler::Cell:
        return Content::Flow;
    case DAmlHandler::Title:
    case DAmlHandler::Paragraph:
    case DAmlHandler::Link:
    case DAmlHandler::PopupLink:
        return Content::Inline;
    default:
        return Content::Structure;
    }
}

bool isFlowElement(DAmlHandler::Element e)
{
    switch (e) {
    case DAmlHandler::Section:
    case DAmlHandler::Title:
    case DAmlHandler::Paragraph:
    case DAmlHandler::List:
    case DAmlHandler::Table:
    case DAmlHandler::Image:
    case DAmlHandler::Tag:
    case DAmlHandler::TagPointer:
    case DAmlHandler::Link:
    case DAmlHandler::PopupLink:
    case DAmlHandler::PageBreak:
    case DAmlHandler::Header:
    case DAmlHandler::Footer:
    case DAmlHandler::Popup:
    case DAmlHandler::Summary:
    case DAmlHandler::Index:
    case DAmlHandler::Graphic:
        return true;
    default:
        return false;
    }
}

bool isInlineElement(DAmlHandler::Element e)
{
    return e == DAmlHandler::Link || e == DAmlHandler::PopupLink || e == DAmlHandler::Tag
        || e == DAmlHandler::TagPointer || e == DAmlHandler::Image;
}

// Whether child may appear directly inside parent (both inside a document).
bool mayContain(DAmlHandler::Element parent, DAmlHandler::Element child)
{
    switch (parent) {
    case DAmlHandler::Document:
        return isFlowElement(child) || child == DAmlHandler::Styles;
    case DAmlHandler::Section:
    case DAmlHandler::Header:
    case DAmlHandler::Footer:
    case DAmlHandler::Popup:
    case DAmlHandler::Cell:
        return isFlowElement(child);
    case DAmlHandler::Title:
    case DAmlHandler::Paragraph:
        return isInlineElement(child);
    case DAmlHandler::Link:
    case DAmlHandler::PopupLink:
        return isInlineElement(child) && child != DAmlHandler::Link
            && child != DAmlHandler::PopupLink;
    case DAmlHandler::List:
        return child == DAmlHandler::Paragraph;
    case DAmlHandler::Table:
        return child == DAmlHandler::Row;
    case DAmlHandler::Row:
        return child == DAmlHandler::Cell || child == DAmlHandler::CellText;
    case DAmlHandler::Summary:
        return child == DAmlHandler::SEntry;
    case DAmlHandler::Index:
        return child == DAmlHandler::IEntry;
    case DAmlHandler::Graphic:
        return child == DAmlHandler::Axis || child == DAmlHandler::Curve;
    case DAmlHandler::Curve:
        return child == DAmlHandler::Point;
    case DAmlHandler::Styles:
        return child == DAmlHandler::Color || child == DAmlHandler::Font
            || child == DAmlHandler::Style;
    default:
        return false;
    }
}

// Only space, tab, CR and LF count as white space here, unlike QChar::isSpace.
bool isWhitespaceOnly(const QString& text)
{
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u != u' ' && u != u'\t' && u != u'\r' && u != u'\n')
            return false;
    }
    return true;
}

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

const QString defaultFamily = QStringLiteral("DejaVu Sans");

} // namespace

DAmlHandler::DAmlHandler()
    : m_textLimit(DefaultTextLimit)
{
}

DAmlHandler::~DAmlHandler()
{
    delete m_first;
}

DAmlHandler::Element DAmlHandler::elementFromName(const QString& qName)
{
    // A linear scan that rejects on length first beats hashing the name:
    // the table is short and this runs for every element of a document.
    const qsizetype size = qName.size();
    for (const ElementInfo& info : elementTable) {
        const QLatin1String name(info.name);
        if (name.size() == size && qName == name)
            return info.element;
    }
    return Unknown;
}

void DAmlHandler::setStyles(const QList<DStyle*>& styles)
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

void DAmlHandler::setEnabledLocalStyle(bool enabled)
{
    m_localStyles = enabled;
}

void DAmlHandler::setInputSize(qint64 bytes)
{
    m_inputSize = bytes > 0 ? bytes : 0;
}

void DAmlHandler::setTextLimit(qint64 chars)
{
    m_textLimit = chars;
}

DDocument* DAmlHandler::documents() const
{
    return m_first;
}

DDocument* DAmlHandler::takeDocuments()
{
    DDocument* first = m_first;
    m_first = nullptr;
    m_lastDocument = nullptr;
    m_current = nullptr;
    // Open frames would point into the chain given away.
    m_open.clear();
    return first;
}

QList<DStyle*> DAmlHandler::styles() const
{
    QList<DStyle*> list;
    list.reserve(int(m_localStyleList.size()));
    for (const auto& style : m_localStyleList)
        list.append(style.get());
    return list;
}

QList<DStyle*> DAmlHandler::takeStyles()
{
    QList<DStyle*> list;
    list.reserve(int(m_localStyleList.size()));
    for (auto& style : m_localStyleList)
        list.append(style.release());
    m_localStyleList.clear();
    setStyles(m_givenStyles);
    return list;
}

QStringList DAmlHandler::styleNames() const
{
    QStringList names;
    names.reserve(int(m_localStyleList.size()));
    for (const auto& style : m_localStyleList)
        names.append(style->name());
    return names;
}

bool DAmlHandler::hasError() const
{
    return m_failed;
}

QString DAmlHandler::errorString() const
{
    return m_error;
}

void DAmlHandler::setErrorString(const QString& text)
{
    m_error = text;
    m_failed = true;
}

DItem* DAmlHandler::currentItem() const
{
    return m_current;
}

DItem* DAmlHandler::endPosition() const
{
    if (!m_open.empty()) {
        const int frame = m_open.back().itemFrame;
        if (frame >= 0) {
            const Open& open = m_open[size_t(frame)];
            return open.last ? open.last : open.item;
        }
    }
    return m_lastDocument;
}

int DAmlHandler::lineNumber() const
{
    return m_locator ? m_locator->lineNumber() : 0;
}

void DAmlHandler::reset()
{
    delete m_first;
    m_first = nullptr;
    m_lastDocument = nullptr;
    m_open.clear();
    m_current = nullptr;
    m_text.clear();
    m_textCount = 0;
    m_localStyleList.clear();
    m_colors.clear();
    m_fonts.clear();
    setStyles(m_givenStyles);
    m_failed = false;
    m_error.clear();
}

bool DAmlHandler::startDocument()
{
    reset();
    return true;
}

bool DAmlHandler::endDocument()
{
    if (m_failed)
        return false;
    return flushText();
}

void DAmlHandler::setDocumentLocator(const DAmlLocator* locator)
{
    m_locator = locator;
}

void DAmlHandler::fatalError(const DAmlParseError& error)
{
    // The reader puts the line and column in front of this text.
    if (!m_failed)
        setErrorString(QCoreApplication::translate("DAmlHandler", "XML, %1.\n").arg(error.message));
}

bool DAmlHandler::fail(const QString& text)
{
    setErrorString(text);
    return false;
}

bool DAmlHandler::characters(const QString& ch)
{
    if (m_failed)
        return false;
    if (ch.isEmpty())
        return true;
    m_textCount += ch.size();
    if (m_textCount > m_textLimit)
        return fail(QCoreApplication::translate(
            "DAmlHandler", "AML, text larger than the input allows at line %1.\n")
                        .arg(lineNumber()));
    // The first piece of a run is shared, not copied; further pieces are appended.
    if (m_text.isEmpty())
        m_text = ch;
    else
        m_text += ch;
    return true;
}

bool DAmlHandler::flushText()
{
    if (m_text.isEmpty())
        return true;
    QString text;
    text.swap(m_text);
    const Element element = m_open.empty() ? Unknown : m_open.back().element;
    const Content content = m_open.empty() ? Content::Structure : contentOf(element);
    if (content != Content::Inline && isWhitespaceOnly(text))
        return true;
    if (content == Content::Structure) {
        return fail(QCoreApplication::translate(
            "DAmlHandler", "AML, text not allowed in \"%1\" at line %2.\n")
                        .arg(m_open.empty() ? QString() : elementName(element))
                        .arg(lineNumber()));
    }
    link(new DText(text));
    return true;
}

void DAmlHandler::link(DItem* item)
{
    Open& open = m_open[size_t(m_open.back().itemFrame)];
    item->setParent(open.container);
    if (open.last)
        open.last->setNext(item);
    else
        open.container->setChild(item);
    open.last = item;
}

void DAmlHandler::indexStyle(DStyle* style)
{
    if (!style)
        return;
    m_styleIndex.insert(style->name(), style);
    for (NamedStyle& recent : m_recentStyles)
        recent = NamedStyle();
}

DStyle* DAmlHandler::findStyle(const QString& name) const
{
    return lookupStyle(name).style;
}

const DAmlHandler::NamedStyle& DAmlHandler::lookupStyle(const QString& name) const
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

bool DAmlHandler::checkPlacement(Element element, const QString& qName, const DAmlAttributes&)
{
    bool allowed;
    bool topLevel = true;
    if (m_open.empty())
        allowed = element == Aml || element == Document;
    else if (m_open.back().element == Aml)
        allowed = element == Document;
    else {
        allowed = mayContain(m_open.back().element, element);
        topLevel = false;
    }
    if (allowed)
        return true;
    const QString parentName = topLevel ? QString() : elementName(m_open.back().element);
    return fail(QCoreApplication::translate(
        "DAmlHandler", "AML, element \"%1\" not allowed in \"%2\" at line %3.\n")
                    .arg(qName, parentName)
                    .arg(lineNumber()));
}

bool DAmlHandler::startElement(
    const QString&, const QString&, const QString& qName, const DAmlAttributes& atts)
{
    if (m_failed)
        return false;
    if (!flushText())
        return false;
    const Element element = elementFromName(qName);
    if (element == Unknown)
        return fail(
            QCoreApplication::translate("DAmlHandler", "AML, unknown element \"%1\" at line %2.\n")
                .arg(qName)
                .arg(lineNumber()));
    if (m_open.size() >= size_t(MaxDepth)) {
        return fail(QCoreApplication::translate(
            "DAmlHandler", "AML, elements nested deeper than %1 at line %2.\n")
                        .arg(MaxDepth)
                        .arg(lineNumber()));
    }
    if (!checkPlacement(element, qName, atts))
        return false;

    switch (element) {
    case Aml:
        m_current = nullptr;
        m_open.push_back(Open { Aml, nullptr, nullptr, nullptr, -1, false, false });
        return true;
    case Styles:
    case Style:
    case Color:
    case Font:
        m_current = nullptr;
        return startStyleElement(element, qName, atts);
    default:
        return startItemElement(element, qName, atts);
    }
}

bool DAmlHandler::endElement(const QString&, const QString&, const QString&)
{
    if (m_failed)
        return false;
    if (!flushText())
        return false;
    if (m_open.empty())
        return true;
    m_current = m_open.back().item;
    m_open.pop_back();
    return true;
}

bool DAmlHandler::badValue(const QString& value, const char* attr, const QString& qName)
{
    return fail(QCoreApplication::translate(
        "DAmlHandler", "AML, bad value \"%1\" for attribute \"%2\" of \"%3\" at line %4.\n")
                    .arg(value, QLatin1String(attr), qName)
                    .arg(lineNumber()));
}

bool DAmlHandler::required(
    const DAmlAttributes& atts, const char* attr, const QString& qName, QString* value)
{
    const int index = atts.index(QLatin1String(attr));
    if (index < 0) {
        return fail(QCoreApplication::translate(
            "DAmlHandler", "AML, element \"%1\" needs attribute \"%2\" at line %3.\n")
                        .arg(qName, QLatin1String(attr))
                        .arg(lineNumber()));
    }
    *value = atts.value(index);
    return true;
}

bool DAmlHandler::readInt(const DAmlAttributes& atts, const char* attr, const QString& qName,
    int minimum, int maximum, int* value)
{
    const int index = atts.index(QLatin1String(attr));
    if (index < 0)
        return true;
    const QString text = atts.value(index);
    bool ok = false;
    const int n = text.toInt(&ok, 10);
    if (!ok || n < minimum || n > maximum)
        return badValue(text, attr, qName);
    *value = n;
    return true;
}

bool DAmlHandler::readReal(
    const DAmlAttributes& atts, const char* attr, const QString& qName, double* value)
{
    const int index = atts.index(QLatin1String(attr));
    if (index < 0)
        return true;
    const QString text = atts.value(index);
    bool ok = false;
    const double d = text.toDouble(&ok);
    // Infinities and NaN would poison every computation that scales a graphic.
    if (!ok || !std::isfinite(d))
        return badValue(text, attr, qName);
    *value = d;
    return true;
}

bool DAmlHandler::readBool(
    const DAmlAttributes& atts, const char* attr, const QString& qName, bool* value)
{
    const int index = atts.index(QLatin1String(attr));
    if (index < 0)
        return true;
    const QString text = atts.value(index);
    auto is = [&text](const char* word) {
        return text.compare(QLatin1String(word), Qt::CaseInsensitive) == 0;
    };
    if (is("true") || is("yes") || is("1"))
        *value = true;
    else if (is("false") || is("no") || is("0"))
        *value = false;
    else
        return badValue(text, attr, qName);
    return true;
}

bool DAmlHandler::readColor(const DAmlAttributes& atts, const char* attr, const QString& qName,
    bool allowNames, QColor* value)
{
    const int index = atts.index(QLatin1String(attr));
    if (index < 0)
        return true;
    const QString text = atts.value(index);
    if (text.size() == 7 && text.at(0) == QLatin1Char('#')) {
        bool hex = true;
        for (int i = 1; i < 7 && hex; ++i) {
            const char16_t u = text.at(i).unicode();
            hex = (u >= u'0' && u <= u'9') || (u >= u'a' && u <= u'f') || (u >= u'A' && u <= u'F');
        }
        if (hex) {
            const uint rgb = QStringView(text).mid(1).toUInt(nullptr, 16);
            *value = QColor((rgb >> 16) & 0xff, (rgb >> 8) & 0xff, rgb & 0xff);
            return true;
        }
    }
    if (allowNames) {
        const auto found = m_colors.constFind(text);
        if (found != m_colors.constEnd()) {
            *value = found.value();
            return true;
        }
    }
    return badValue(text, attr, qName);
}

void DAmlHandler::applyStyle(DItem* item, Element element, const DAmlAttributes& atts)
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
        QStringLiteral("Title0"),
        QStringLiteral("Title1"),
        QStringLiteral("Title2"),
        QStringLiteral("Title3"),
        QStringLiteral("Title4"),
        QStringLiteral("Title5"),
        QStringLiteral("Title6"),
    };
    switch (element) {
    case Document:
        item->setStyle(findStyle(normal));
        break;
    case Title:
        item->setStyle(findStyle(titles[static_cast<DTitle*>(item)->level()]));
        break;
    case Link:
    case PopupLink:
        item->setStyle(findStyle(link));
        break;
    case Table:
        item->setStyle(findStyle(array));
        break;
    default:
        break;
    }
}

bool DAmlHandler::startItemElement(
    Element element, const QString& qName, const DAmlAttributes& atts)
{
    std::unique_ptr<DItem> item;
    bool made = false;
    if (element >= Document && element <= Popup)
        made = makeTextItem(element, qName, atts, &item);
    else if (element >= Table && element <= CellText)
        made = makeTableItem(element, qName, atts, &item);
    else if (element >= Summary && element <= IEntry)
        made = makeEntryItem(element, qName, atts, &item);
    else if (element >= Graphic && element <= Point)
        made = makeGraphicItem(element, qName, atts, &item);
    if (!made)
        return false;
    openItem(element, item.release(), atts);
    return true;
}

bool DAmlHandler::makeTextItem(Element element, const QString& qName, const DAmlAttributes& atts,
                               std::unique_ptr<DItem>* item)
{
    auto text = [&atts](const char* attr) { return atts.value(QLatin1String(attr)); };
    const int intMax = std::numeric_limits<int>::max();
    QString name;
    switch (element) {
    case Document:
        *item = std::make_unique<DDocument>(text("title"), text("name"));
        return true;
    case Section:
        *item = std::make_unique<DSection>(text("name"));
        return true;
    case Title: {
        int level = 1;
        if (!readInt(atts, "level", qName, 0, 6, &level))
            return false;
        *item = std::make_unique<DTitle>(level);
        return true;
    }
    case Header:
        *item = std::make_unique<DHeader>();
        return true;
    case Footer:
        *item = std::make_unique<DFooter>();
        return true;
    case PageBreak:
        *item = std::make_unique<DPageBreak>();
        return true;
    case Paragraph:
        *item = std::make_unique<DParagraph>();
        return true;
    case Image: {
        int width = 0;
        int height = 0;
        if (!required(atts, "src", qName, &name) || !readInt(atts, "width", qName, 0, intMax, &width)
            || !readInt(atts, "height", qName, 0, intMax, &height))
            return false;
        *item = std::make_unique<DImage>(name, width, height);
        return true;
    }
    case List: {
        bool ordered = false;
        if (!readBool(atts, "ordered", qName, &ordered))
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

bool DAmlHandler::makeNamedItem(Element element, const QString& qName, const DAmlAttributes& atts,
                                std::unique_ptr<DItem>* item)
{
    // Each of these items has one required attribute: a target or a name.
    const char* attr = (element == Link || element == PopupLink) ? "target" : "name";
    QString value;
    if (!required(atts, attr, qName, &value))
        return false;
    switch (element) {
    case Link:
        *item = std::make_unique<DLink>(value);
        return true;
    case Tag:
        *item = std::make_unique<DTag>(value);
        return true;
    case TagPointer:
        *item = std::make_unique<DTagPointer>(value);
        return true;
    case PopupLink:
        *item = std::make_unique<DPopupLink>(value);
        return true;
    case Popup:
        *item = std::make_unique<DPopup>(value);
        return true;
    default:
        return false;
    }
}

bool DAmlHandler::makeTableItem(Element element, const QString& qName, const DAmlAttributes& atts,
                                std::unique_ptr<DItem>* item)
{
    const int intMax = std::numeric_limits<int>::max();
    if (element == Table) {
        int border = 0;
        if (!readInt(atts, "border", qName, 0, intMax, &border))
            return false;
        auto table = std::make_unique<DTable>(border);
        if (!readWidths(atts, qName, table.get()))
            return false;
        *item = std::move(table);
        return true;
    }
    if (element == Row) {
        *item = std::make_unique<DRow>();
        return true;
    }
    int hspan = 1;
    int vspan = 1;
    if (!readInt(atts, "hspan", qName, 1, intMax, &hspan)
        || !readInt(atts, "vspan", qName, 1, intMax, &vspan))
        return false;
    // The markup counts covered columns; the model counts the extra ones.
    if (element == Cell) {
        *item = std::make_unique<DCell>(hspan - 1, vspan - 1);
        return true;
    }
    if (element == CellText) {
        *item = std::make_unique<DCellText>(textOrEmpty(atts, "text"), hspan - 1, vspan - 1);
        return true;
    }
    return false;
}

bool DAmlHandler::readWidths(const DAmlAttributes& atts, const QString& qName, DTable* table)
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
            return badValue(value, "widths", qName);
        widths.append(float(fraction));
    }
    table->setWidth(widths);
    return true;
}

bool DAmlHandler::makeEntryItem(Element element, const QString& qName, const DAmlAttributes& atts,
                                std::unique_ptr<DItem>* item)
{
    switch (element) {
    case Summary:
        *item = std::make_unique<DSummary>();
        return true;
    case SEntry: {
        // The model finds an entry's title from its text; a target is accepted but not kept.
        int level = 1;
        if (!readInt(atts, "level", qName, 0, 6, &level))
            return false;
        *item = std::make_unique<DSEntry>(textOrEmpty(atts, "text"), level, nullptr);
        return true;
    }
    case Index:
        *item = std::make_unique<DIndex>();
        return true;
    case IEntry:
        *item = std::make_unique<DIEntry>(textOrEmpty(atts, "text"), nullptr);
        return true;
    default:
        return false;
    }
}

bool DAmlHandler::makeGraphicItem(Element element, const QString& qName,
                                  const DAmlAttributes& atts, std::unique_ptr<DItem>* item)
{
    const int intMax = std::numeric_limits<int>::max();
    switch (element) {
    case Graphic: {
        // The size is checked for a well-formed file; the chart sizes itself when shown.
        int width = 400;
        int height = 300;
        if (!readInt(atts, "width", qName, 1, intMax, &width)
            || !readInt(atts, "height", qName, 1, intMax, &height))
            return false;
        *item = std::make_unique<DGraphic>(atts.value(QLatin1String("title")));
        return true;
    }
    case Axis:
        return makeAxis(qName, atts, item);
    case Curve:
        *item = std::make_unique<DCurve>(atts.value(QLatin1String("name")));
        return true;
    case Point: {
        QString value;
        double x = 0;
        double y = 0;
        if (!required(atts, "x", qName, &value) || !required(atts, "y", qName, &value)
            || !readReal(atts, "x", qName, &x) || !readReal(atts, "y", qName, &y))
            return false;
        *item = std::make_unique<DPoint>(x, y);
        return true;
    }
    default:
        return false;
    }
}

bool DAmlHandler::makeAxis(const QString& qName, const DAmlAttributes& atts,
                           std::unique_ptr<DItem>* item)
{
    Qt::Orientation orientation = Qt::Horizontal;
    const int index = atts.index(QLatin1String("orientation"));
    if (index >= 0) {
        const QString value = atts.value(index);
        if (value == QLatin1String("y"))
            orientation = Qt::Vertical;
        else if (value != QLatin1String("x"))
            return badValue(value, "orientation", qName);
    }
    double minimum = 0;
    double maximum = 0;
    if (!readReal(atts, "min", qName, &minimum) || !readReal(atts, "max", qName, &maximum))
        return false;
    // One axis per orientation and graphic.
    Open& graphic = m_open.back();
    bool& seen = orientation == Qt::Horizontal ? graphic.axisX : graphic.axisY;
    if (seen) {
        return fail(QCoreApplication::translate(
            "DAmlHandler", "AML, element \"%1\" not allowed in \"%2\" at line %3.\n")
                        .arg(qName, elementName(Graphic))
                        .arg(lineNumber()));
    }
    seen = true;
    *item = std::make_unique<DAxis>(
        orientation, atts.value(QLatin1String("label")), minimum, maximum);
    return true;
}

void DAmlHandler::openItem(Element element, DItem* made, const DAmlAttributes& atts)
{
    applyStyle(made, element, atts);
    DItemContainer* container = made->toContainer();
    if (element == Document) {
        DDocument* document = static_cast<DDocument*>(made);
        if (m_lastDocument)
            m_lastDocument->setNext(document);
        else
            m_first = document;
        m_lastDocument = document;
    } else {
        link(made);
    }
    const int ownFrame = int(m_open.size());
    const int itemFrame = container ? ownFrame : m_open.back().itemFrame;
    m_open.push_back(Open { element, made, container, nullptr, itemFrame, false, false });
    m_current = made;
}

bool DAmlHandler::startStyleElement(
    Element element, const QString& qName, const DAmlAttributes& atts)
{
    const int itemFrame = m_open.back().itemFrame;
    QString name;
    switch (element) {
    case Styles:
        break;
    case Color: {
        QString value;
        if (!required(atts, "name", qName, &name) || !required(atts, "value", qName, &value))
            return false;
        if (m_localStyles) {
            QColor color;
            if (!readColor(atts, "value", qName, false, &color))
                return false;
            m_colors.insert(name, color);
        }
        break;
    }
    case Font:
        if (!required(atts, "name", qName, &name))
            return false;
        if (m_localStyles && !defineFont(name, qName, atts))
            return false;
        break;
    case Style:
        if (!required(atts, "name", qName, &name))
            return false;
        if (m_localStyles && !defineStyle(name, qName, atts))
            return false;
        break;
    default:
        return false;
    }
    m_open.push_back(Open { element, nullptr, nullptr, nullptr, itemFrame, false, false });
    return true;
}

bool DAmlHandler::defineFont(const QString& name, const QString& qName, const DAmlAttributes& atts)
{
    const int index = atts.index(QLatin1String("family"));
    DFont font(name, index < 0 ? defaultFamily : atts.value(index), 10);
    int size = font.pointSize();
    bool bold = false;
    bool italic = false;
    bool underline = false;
    if (!readInt(atts, "size", qName, 1, 200, &size) || !readBool(atts, "bold", qName, &bold)
        || !readBool(atts, "italic", qName, &italic)
        || !readBool(atts, "underline", qName, &underline))
        return false;
    font.setPointSize(size);
    font.setBold(bold);
    font.setItalic(italic);
    font.setUnderline(underline);
    m_fonts.insert(name, font);
    return true;
}

bool DAmlHandler::defineStyle(
    const QString& name, const QString& qName, const DAmlAttributes& atts)
{
    // A named font supplies the defaults of the five font attributes.
    DFont font(QString(), defaultFamily, 10);
    const int fontIndex = atts.index(QLatin1String("font"));
    if (fontIndex >= 0) {
        const QString fontName = atts.value(fontIndex);
        const auto found = m_fonts.constFind(fontName);
        if (found == m_fonts.constEnd())
            return badValue(fontName, "font", qName);
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
    int margins[4] = { 0, 0, 0, 0 };
    const char* marginNames[4] = { "marginleft", "margintop", "marginright", "marginbottom" };
    if (!readInt(atts, "size", qName, 1, 200, &size) || !readBool(atts, "bold", qName, &bold)
        || !readBool(atts, "italic", qName, &italic)
        || !readBool(atts, "underline", qName, &underline)
        || !readColor(atts, "color", qName, true, &color)
        || !readColor(atts, "background", qName, true, &background))
        return false;
    for (int i = 0; i < 4; ++i) {
        if (!readInt(atts, marginNames[i], qName, 0, std::numeric_limits<int>::max(), &margins[i]))
            return false;
    }
    if (!readAlignment(atts, qName, &alignment))
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

bool DAmlHandler::readAlignment(
    const DAmlAttributes& atts, const QString& qName, Qt::Alignment* alignment)
{
    const int index = atts.index(QLatin1String("align"));
    if (index < 0)
        return true;
    const QString value = atts.value(index);
    if (value == QLatin1String("left"))
        *alignment = Qt::AlignLeft;
    else if (value == QLatin1String("right"))
        *alignment = Qt::AlignRight;
    else if (value == QLatin1String("center"))
        *alignment = Qt::AlignHCenter;
    else if (value == QLatin1String("justify"))
        *alignment = Qt::AlignJustify;
    else
        return badValue(value, "align", qName);
    return true;
}
