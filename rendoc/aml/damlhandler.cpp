#include "rendoc/aml/damlhandler.h"

#include "rendoc/aml/damlitemmaker.h"
#include "rendoc/aml/damllocator.h"
#include "rendoc/aml/damlparseerror.h"
#include "rendoc/aml/damlstylesheet.h"
#include "rendoc/model/ditems.h"

#include <QCoreApplication>


namespace {

// What character data may appear directly inside an element.
enum class Content {
    Flow, // whitespace-only runs dropped, other runs become text
    Inline, // every run becomes text
    Structure // whitespace-only runs dropped, other text is an error
};

struct ElementInfo {
    QLatin1String name; // its length is known at compile time
    DAmlHandler::Element element;
};

// Element names, compared exactly and case-sensitively.
const ElementInfo elementTable[] = {
    { QLatin1String("AML"), DAmlHandler::Aml },
    { QLatin1String("DOCUMENT"), DAmlHandler::Document },
    { QLatin1String("SECTION"), DAmlHandler::Section },
    { QLatin1String("TITLE"), DAmlHandler::Title },
    { QLatin1String("HEADER"), DAmlHandler::Header },
    { QLatin1String("FOOTER"), DAmlHandler::Footer },
    { QLatin1String("PAGEBREAK"), DAmlHandler::PageBreak },
    { QLatin1String("P"), DAmlHandler::Paragraph },
    { QLatin1String("IMAGE"), DAmlHandler::Image },
    { QLatin1String("LIST"), DAmlHandler::List },
    { QLatin1String("LINK"), DAmlHandler::Link },
    { QLatin1String("TAG"), DAmlHandler::Tag },
    { QLatin1String("TAGPOINTER"), DAmlHandler::TagPointer },
    { QLatin1String("POPUPLINK"), DAmlHandler::PopupLink },
    { QLatin1String("POPUP"), DAmlHandler::Popup },
    { QLatin1String("TABLE"), DAmlHandler::Table },
    { QLatin1String("ROW"), DAmlHandler::Row },
    { QLatin1String("CELL"), DAmlHandler::Cell },
    { QLatin1String("CELLTEXT"), DAmlHandler::CellText },
    { QLatin1String("SUMMARY"), DAmlHandler::Summary },
    { QLatin1String("SENTRY"), DAmlHandler::SEntry },
    { QLatin1String("INDEX"), DAmlHandler::Index },
    { QLatin1String("IENTRY"), DAmlHandler::IEntry },
    { QLatin1String("GRAPHIC"), DAmlHandler::Graphic },
    { QLatin1String("AXIS"), DAmlHandler::Axis },
    { QLatin1String("CURVE"), DAmlHandler::Curve },
    { QLatin1String("POINT"), DAmlHandler::Point },
    { QLatin1String("STYLES"), DAmlHandler::Styles },
    { QLatin1String("STYLE"), DAmlHandler::Style },
    { QLatin1String("COLOR"), DAmlHandler::Color },
    { QLatin1String("FONT"), DAmlHandler::Font },
};

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
bool isWhitespaceOnly(QByteArrayView utf8)
{
    for (const char c : utf8) {
        if (c != ' ' && c != '\t' && c != '\r' && c != '\n')
            return false;
    }
    return true;
}

} // namespace

DAmlHandler::DAmlHandler()
    : m_textLimit(DefaultTextLimit),
      m_values([this](const QString& text) { return fail(text); }, [this] { return lineNumber(); }),
      m_styleSheet(std::make_unique<DAmlStyleSheet>(m_values)),
      m_itemMaker(std::make_unique<DAmlItemMaker>(m_values))
{
    m_values.setNamedColors(&m_styleSheet->colors());
}

DAmlHandler::~DAmlHandler()
{
    clearOpen();
    delete m_first;
}

QString DAmlHandler::elementName(Element element)
{
    for (const ElementInfo& info : elementTable) {
        if (info.element == element)
            return info.name;
    }
    return QString();
}

DAmlHandler::Element DAmlHandler::elementFromName(const QString& qName)
{
    // A linear scan that rejects on length first beats hashing the name:
    // the table is short and this runs for every element of a document.
    const qsizetype size = qName.size();
    for (const ElementInfo& info : elementTable) {
        if (info.name.size() == size && qName == info.name)
            return info.element;
    }
    return Unknown;
}

void DAmlHandler::setStyles(const QList<DStyle*>& styles)
{
    m_styleSheet->setStyles(styles);
}

void DAmlHandler::setEnabledLocalStyle(bool enabled)
{
    m_styleSheet->setLocalStylesEnabled(enabled);
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
    clearOpen();
    return first;
}

QList<DStyle*> DAmlHandler::styles() const
{
    return m_styleSheet->styles();
}

QList<DStyle*> DAmlHandler::takeStyles()
{
    return m_styleSheet->takeStyles();
}

QStringList DAmlHandler::styleNames() const
{
    return m_styleSheet->styleNames();
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
    clearOpen();
    delete m_first;
    m_first = nullptr;
    m_lastDocument = nullptr;
    m_current = nullptr;
    m_text.clear();
    m_checkedText = false;
    m_checkedBlank = true;
    m_textCount = 0;
    m_styleSheet->clear();
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
    return charactersUtf8(ch.toUtf8(), ch.size());
}

bool DAmlHandler::charactersUtf8(QByteArrayView utf8, qint64 units)
{
    if (m_failed)
        return false;
    if (utf8.isEmpty())
        return true;
    m_textCount += units;
    if (m_textCount > m_textLimit)
        return fail(QCoreApplication::translate(
            "DAmlHandler", "AML, text larger than the input allows at line %1.\n")
                        .arg(lineNumber()));
    if (m_checkOnly) {
        m_checkedText = true;
        m_checkedBlank = m_checkedBlank && isWhitespaceOnly(utf8);
        return true;
    }
    m_text.append(utf8.data(), utf8.size());
    return true;
}

DUtf8String DAmlHandler::runText()
{
    if (m_text.size() > ShortRunBytes)
        return DUtf8String(QByteArrayView(m_text));
    for (const DUtf8String& run : m_shortRuns) {
        if (!run.isNull() && run.utf8() == QByteArrayView(m_text))
            return run;
    }
    DUtf8String& slot = m_shortRuns[m_nextShortRun];
    m_nextShortRun = (m_nextShortRun + 1) % ShortRunCount;
    slot = DUtf8String(QByteArrayView(m_text));
    return slot;
}

qint64 DAmlHandler::utf16Length(QByteArrayView utf8)
{
    return DUtf8String::utf16Length(utf8);
}

bool DAmlHandler::flushText()
{
    // Checking only, the run is known by its two flags; otherwise by its text.
    bool blank;
    if (m_checkOnly) {
        if (!m_checkedText)
            return true;
        blank = m_checkedBlank;
        m_checkedText = false;
        m_checkedBlank = true;
    } else {
        if (m_text.isEmpty())
            return true;
        blank = isWhitespaceOnly(QByteArrayView(m_text));
    }
    const Element element = m_open.empty() ? Unknown : m_open.back().element;
    const Content content = m_open.empty() ? Content::Structure : contentOf(element);
    if (content != Content::Inline && blank) {
        m_text.resize(0);
        return true;
    }
    if (content == Content::Structure) {
        return fail(QCoreApplication::translate(
            "DAmlHandler", "AML, text not allowed in \"%1\" at line %2.\n")
                        .arg(m_open.empty() ? QString() : elementName(element))
                        .arg(lineNumber()));
    }
    if (!m_checkOnly) {
        link(new DText(runText()));
        // The buffer keeps its capacity for the next run.
        m_text.resize(0);
    }
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
    if (m_checkOnly) {
        // The frame owned its item: nothing may point at it once it is gone.
        delete m_open.back().item;
        m_current = nullptr;
    } else {
        m_current = m_open.back().item;
    }
    m_open.pop_back();
    return true;
}

void DAmlHandler::clearOpen()
{
    if (m_checkOnly) {
        for (const Open& open : m_open)
            delete open.item;
    }
    m_open.clear();
    m_current = nullptr;
}

bool DAmlHandler::startItemElement(
    Element element, const QString& qName, const DAmlAttributes& atts)
{
    // AXIS is checked against the axes already read in its graphic.
    DAmlItemMaker::GraphicAxes axes;
    Open* graphic = element == Axis ? &m_open.back() : nullptr;
    if (graphic)
        axes = { graphic->axisX, graphic->axisY };
    std::unique_ptr<DItem> item;
    if (!m_itemMaker->make(element, qName, atts, &axes, &item))
        return false;
    if (graphic) {
        graphic->axisX = axes.x;
        graphic->axisY = axes.y;
    }
    openItem(element, item.release(), atts);
    return true;
}

bool DAmlHandler::startStyleElement(
    Element element, const QString& qName, const DAmlAttributes& atts)
{
    if (element != Styles && !m_styleSheet->define(element, qName, atts))
        return false;
    m_open.push_back(Open { element, nullptr, nullptr, nullptr, m_open.back().itemFrame, false, false });
    return true;
}

void DAmlHandler::openItem(Element element, DItem* made, const DAmlAttributes& atts)
{
    DItemContainer* container = made->toContainer();
    if (m_checkOnly) {
        // Neither styled nor linked: the frame owns the item until its element ends.
    } else if (element == Document) {
        m_styleSheet->apply(made, element, atts);
        DDocument* document = static_cast<DDocument*>(made);
        if (m_lastDocument)
            m_lastDocument->setNext(document);
        else
            m_first = document;
        m_lastDocument = document;
    } else {
        m_styleSheet->apply(made, element, atts);
        link(made);
    }
    const int ownFrame = int(m_open.size());
    const int itemFrame = container ? ownFrame : m_open.back().itemFrame;
    m_open.push_back(Open { element, made, container, nullptr, itemFrame, false, false });
    m_current = made;
}

