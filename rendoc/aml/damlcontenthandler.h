#pragma once

#include <QByteArrayView>
#include <QString>

class DAmlAttributes;
class DAmlLocator;
struct DAmlParseError;

// What the XML parser under the AML reader reports, in document order, to whoever makes
// something of it: the AML document builder (DAmlHandler), or a reader of another XML format
// that wants the same parser, limits and parsing thread. Each event returns false to stop the
// parse. Namespaces play no part: namespaceURI and localName are empty, qName is the name as
// written.
class DAmlContentHandler
{
public:
    virtual ~DAmlContentHandler() = default;

    // Where the reader is while it reports events; null after the parse.
    virtual void setDocumentLocator(const DAmlLocator* locator) = 0;
    virtual bool startDocument() = 0;
    virtual bool endDocument() = 0;
    virtual bool startElement(const QString& namespaceURI, const QString& localName,
                              const QString& qName, const DAmlAttributes& atts)
        = 0;
    virtual bool endElement(const QString& namespaceURI, const QString& localName,
                            const QString& qName)
        = 0;
    // One call per run of character data between two tags (entity replacement texts may come
    // apart from the text around them), as UTF-8 of `units` UTF-16 units.
    virtual bool charactersUtf8(QByteArrayView utf8, qint64 units) = 0;
    virtual bool startCDATA() { return true; }
    virtual bool endCDATA() { return true; }
    // A document type declaration starts; entities it declares are expanded within the
    // parser's amplification limits. False refuses the document.
    virtual bool startDTD() { return true; }
    // The XML is not well-formed; the parse stops.
    virtual void fatalError(const DAmlParseError& error) = 0;
    // The guard stopped the parse for this reason (nesting or text beyond its limits).
    virtual void setErrorString(const QString& text) = 0;
};
