#pragma once

#include <QByteArrayView>
#include <QString>

class DAmlAttributes;
class DAmlContentHandler;
class DAmlLocator;
struct DAmlParseError;

// Stands between the XML parser and a content handler during one parse and forwards every event to
// it, while refusing what would exhaust the memory or the stack of what is built: nesting deeper
// than a fixed number of elements (trees are walked without recursion, but a handler keeps one
// frame per open element) and character data or attribute values growing beyond a fixed number
// of characters in total. Entity expansion is bounded by the parser itself; its refusal is
// reported here in the same words as the text limit.
class DAmlGuard
{
public:
    DAmlGuard(DAmlContentHandler* handler, int maxDepth, qint64 textLimit);

    // The guard's own error when it stopped the parse, else empty.
    const QString& guardError() const { return m_guardError; }
    void setLocator(const DAmlLocator* locator);

    bool startDocument();
    bool endDocument();
    // `valueBytes`: the UTF-8 bytes of all attribute values, which count as text.
    bool startElement(const QString& qName, const DAmlAttributes& atts, qint64 valueBytes);
    bool endElement(const QString& qName);
    // A run of character data as UTF-8: counted in UTF-16 units, as its text would be.
    bool charactersUtf8(QByteArrayView text);
    bool startCDATA();
    bool endCDATA();
    bool startDTD();
    // The XML is not well-formed: tells the handler, which keeps the text.
    void fatalError(const DAmlParseError& error);
    // Entity expansion passed the parser's amplification limit at `line`.
    void expansionRefused(int line);

private:
    bool stop(const QString& text);
    bool countText(qint64 chars);
    int lineNumber() const;

    DAmlContentHandler* m_handler;
    int m_maxDepth;
    qint64 m_textLimit;
    int m_depth = 0;
    qint64 m_textCount = 0; // character data and attribute values
    const DAmlLocator* m_locator = nullptr;
    QString m_guardError;
};
