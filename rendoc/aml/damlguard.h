#pragma once

#include <QHash>
#include <QString>
#include <QXmlDefaultHandler>

class DAmlHandler;
class DAmlRunLimiter;

// Stands between the SAX reader and an AML handler during one parse and forwards every callback
// to it, while refusing what would exhaust the stack or the memory: nesting deeper than a fixed
// number of elements (the reader recurses once per level) and character data, attribute values
// or entity expansion growing beyond a fixed number of characters. It never resolves external
// entities.
class DAmlGuard : public QXmlDefaultHandler
{
public:
    DAmlGuard(DAmlHandler* handler, int maxDepth, qint64 textLimit);

    // The guard's own error when it stopped the parse, else empty.
    const QString& guardError() const { return m_guardError; }
    // The last error the XML reader reported, whoever caused it.
    const QString& readerError() const { return m_readerError; }
    // Where the XML reader reported its last error (1-based; 0 when none).
    int errorLine() const { return m_errorLine; }
    int errorColumn() const { return m_errorColumn; }
    // The source whose run count every reported event resets (none when null).
    void setRunLimiter(DAmlRunLimiter* limiter) { m_limiter = limiter; }

    // QXmlContentHandler
    void setDocumentLocator(QXmlLocator* locator) override;
    bool startDocument() override;
    bool endDocument() override;
    bool startPrefixMapping(const QString& prefix, const QString& uri) override;
    bool endPrefixMapping(const QString& prefix) override;
    bool startElement(const QString& namespaceURI, const QString& localName, const QString& qName,
                      const QXmlAttributes& atts) override;
    bool endElement(const QString& namespaceURI, const QString& localName,
                    const QString& qName) override;
    bool characters(const QString& ch) override;
    bool ignorableWhitespace(const QString& ch) override;
    bool processingInstruction(const QString& target, const QString& data) override;
    bool skippedEntity(const QString& name) override;
    QString errorString() const override;

    // QXmlErrorHandler
    bool warning(const QXmlParseException& exception) override;
    bool error(const QXmlParseException& exception) override;
    bool fatalError(const QXmlParseException& exception) override;

    // QXmlLexicalHandler
    bool startDTD(const QString& name, const QString& publicId, const QString& systemId) override;
    bool endDTD() override;
    bool startEntity(const QString& name) override;
    bool endEntity(const QString& name) override;
    bool startCDATA() override;
    bool endCDATA() override;
    bool comment(const QString& ch) override;

    // QXmlDTDHandler
    bool notationDecl(const QString& name, const QString& publicId,
                      const QString& systemId) override;
    bool unparsedEntityDecl(const QString& name, const QString& publicId,
                            const QString& systemId, const QString& notationName) override;

    // QXmlDeclHandler
    bool attributeDecl(const QString& eName, const QString& aName, const QString& type,
                       const QString& valueDefault, const QString& value) override;
    bool internalEntityDecl(const QString& name, const QString& value) override;
    bool externalEntityDecl(const QString& name, const QString& publicId,
                            const QString& systemId) override;

    // QXmlEntityResolver: external entities are never fetched.
    bool resolveEntity(const QString& publicId, const QString& systemId,
                       QXmlInputSource*& ret) override;

private:
    bool stop(const QString& text);
    bool countText(qint64 chars, qint64* counter);
    int lineNumber() const;
    void noteReaderError(const QXmlParseException& exception);
    void endRun();

    DAmlHandler* m_handler;
    int m_maxDepth;
    qint64 m_textLimit;
    int m_depth = 0;
    qint64 m_textCount = 0;     // character data and attribute values
    qint64 m_expansionCount = 0; // replacement text of every entity reference
    QHash<QString, qint64> m_entitySizes;
    QXmlLocator* m_locator = nullptr;
    QString m_guardError;
    QString m_readerError;
    int m_errorLine = 0;
    int m_errorColumn = 0;
    DAmlRunLimiter* m_limiter = nullptr;
};
