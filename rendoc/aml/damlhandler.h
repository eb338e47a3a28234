#pragma once

#include "rendoc/aml/damlattributes.h"
#include "rendoc/aml/damlcontenthandler.h"
#include "rendoc/aml/damlvaluereader.h"
#include "rendoc/model/dutf8string.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

class DItem;
class DItemContainer;
class DDocument;
class DAmlItemMaker;
class DAmlLocator;
class DAmlStyleSheet;
class DStyle;
struct DAmlParseError;

// Handler of the AML reader's events that builds DDocument trees from AML markup.
//
// Each AML element makes one item (or none, for the wrapper and style definition elements);
// character data becomes DText items. Items are linked by hand while reading: the handler keeps
// the last child of every open container so that appending is constant time however long a
// chain grows. The XRD reader derives this class and forwards its non-report elements here.
//
// Items are made by DAmlItemMaker and styled by DAmlStyleSheet. Items point to their styles
// without owning them: given styles belong to the caller, local styles to the handler until
// takeStyles(). Documents built with local styles must not outlive them.
class DAmlHandler : public DAmlContentHandler
{
public:
    // More open elements than this stop the parse: every open element keeps a frame here.
    static constexpr int MaxDepth = 1000;
    // Text limit when none was set.
    static constexpr qint64 DefaultTextLimit = qint64(256) * 1024 * 1024;

    DAmlHandler();
    ~DAmlHandler() override;
    DAmlHandler(const DAmlHandler&) = delete;
    DAmlHandler& operator=(const DAmlHandler&) = delete;

    void setStyles(const QList<DStyle*>& styles);
    void setEnabledLocalStyle(bool enabled);
    // Size of the input in bytes, used by the reader's text growth limit (0 = unknown).
    void setInputSize(qint64 bytes);
    qint64 inputSize() const { return m_inputSize; }
    // Maximum number of characters of character data accepted in one parse.
    void setTextLimit(qint64 chars);
    qint64 textLimit() const { return m_textLimit; }

    // Checking only: the markup is checked as when building (placement, attribute values,
    // styles, text), but no document is kept: each item lives while its element is open and
    // text runs make no item. A caller that needs a verdict on the file and nothing of its
    // content (totals) saves the document's memory and its freeing. Set before a parse.
    void setCheckOnly(bool checkOnly) { m_checkOnly = checkOnly; }
    bool checkOnly() const { return m_checkOnly; }

    // First document read; later ones are chained to it through next. Still owned here.
    DDocument* documents() const;
    DDocument* takeDocuments();
    // Styles defined in the file (when local styles are enabled), in file order. Owned here.
    QList<DStyle*> styles() const;
    QList<DStyle*> takeStyles();
    QStringList styleNames() const;

    bool hasError() const;
    QString errorString() const;
    void setErrorString(const QString& text) override;

    // Item opened for the element just started; null when that element opened none.
    DItem* currentItem() const;
    // Last item linked into the innermost open container, the container itself while it has
    // no child; null before the first item.
    DItem* endPosition() const;
    int lineNumber() const;
    // Forgets everything read (documents and local styles not taken) and any error, as each
    // parse does when it starts.
    void reset();

    // The reader's events (DAmlContentHandler).
    bool startDocument() override;
    bool endDocument() override;
    bool startElement(const QString& namespaceURI, const QString& localName, const QString& qName,
                      const DAmlAttributes& atts) override;
    bool endElement(const QString& namespaceURI, const QString& localName,
                    const QString& qName) override;
    // Runs are kept as UTF-8; while checking only they are checked and counted without being
    // kept.
    bool charactersUtf8(QByteArrayView utf8, qint64 units) override;
    // The same for a run given as text.
    bool characters(const QString& ch);
    // How many UTF-16 units the well-formed UTF-8 `utf8` makes.
    static qint64 utf16Length(QByteArrayView utf8);
    void setDocumentLocator(const DAmlLocator* locator) override;
    void fatalError(const DAmlParseError& error) override;

    // The element kinds the handler knows; Unknown for any other name.
    enum Element {
        Unknown,
        Aml,
        Document,
        Section,
        Title,
        Header,
        Footer,
        PageBreak,
        Paragraph,
        Image,
        List,
        Link,
        Tag,
        TagPointer,
        PopupLink,
        Popup,
        Table,
        Row,
        Cell,
        CellText,
        Summary,
        SEntry,
        Index,
        IEntry,
        Graphic,
        Axis,
        Curve,
        Point,
        Styles,
        Style,
        Color,
        Font
    };
    static Element elementFromName(const QString& qName);
    // The element's name as written in AML; empty for Unknown.
    static QString elementName(Element element);

private:
    // One open element: what it made, and where its next child goes.
    struct Open
    {
        Element element;
        DItem* item;               // item made for the element, null for AML and style elements
        DItemContainer* container; // item as a container, null when it holds no children
        DItem* last;               // last child linked into container, null while it has none
        int itemFrame;             // index of the innermost frame (this one or below) with a container
        bool axisX;                // GRAPHIC: an x axis was read
        bool axisY;                // GRAPHIC: a y axis was read
    };

    bool fail(const QString& text);
    bool flushText();
    bool checkPlacement(Element element, const QString& qName, const DAmlAttributes& atts);
    bool startItemElement(Element element, const QString& qName, const DAmlAttributes& atts);
    bool startStyleElement(Element element, const QString& qName, const DAmlAttributes& atts);
    // Styles the item, links it into the open container (or the document chain) and opens its frame.
    void openItem(Element element, DItem* made, const DAmlAttributes& atts);
    void link(DItem* item);
    // Drops every open frame; when checking only, the items the frames own go with them.
    void clearOpen();

    qint64 m_inputSize = 0;
    qint64 m_textLimit;
    qint64 m_textCount = 0;

    DAmlValueReader m_values;
    std::unique_ptr<DAmlStyleSheet> m_styleSheet;
    std::unique_ptr<DAmlItemMaker> m_itemMaker;

    DDocument* m_first = nullptr;
    DDocument* m_lastDocument = nullptr;
    std::vector<Open> m_open;
    DItem* m_current = nullptr;

    QByteArray m_text; // character data received since the last tag, UTF-8
    // The last short runs made into texts, reused round robin: the line breaks between tags and
    // repeated captions ("source") share one block. A fixed number of bounded texts.
    static constexpr qsizetype ShortRunBytes = 24;
    static constexpr int ShortRunCount = 8;
    DUtf8String m_shortRuns[ShortRunCount];
    int m_nextShortRun = 0;
    DUtf8String runText();
    // Checking only, instead of m_text: whether character data came since the last tag, and
    // whether all of it was white space.
    bool m_checkedText = false;
    bool m_checkedBlank = true;

    const DAmlLocator* m_locator = nullptr;
    bool m_failed = false;
    bool m_checkOnly = false;
    QString m_error;
};
