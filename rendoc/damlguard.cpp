#include "rendoc/damlguard.h"

#include "rendoc/damlhandler.h"

#include <QCoreApplication>

DAmlGuard::DAmlGuard(DAmlHandler* handler, int maxDepth, qint64 textLimit)
    : m_handler(handler)
    , m_maxDepth(maxDepth)
    , m_textLimit(textLimit)
{
}

int DAmlGuard::lineNumber() const
{
    return m_locator ? m_locator->lineNumber() : 0;
}

bool DAmlGuard::stop(const QString& text)
{
    m_guardError = text;
    // The handler carries the error too, so that whoever asks it sees why the parse stopped.
    m_handler->setErrorString(text);
    return false;
}

bool DAmlGuard::countText(qint64 chars, qint64* counter)
{
    *counter += chars;
    if (*counter <= m_textLimit)
        return true;
    return stop(
        QCoreApplication::translate("DAmlReader", "Document text exceeds the size limit (line %1)")
            .arg(lineNumber()));
}

void DAmlGuard::setDocumentLocator(QXmlLocator* locator)
{
    m_locator = locator;
    m_handler->setDocumentLocator(locator);
}

bool DAmlGuard::startDocument()
{
    m_depth = 0;
    m_textCount = 0;
    m_expansionCount = 0;
    m_entitySizes.clear();
    m_guardError.clear();
    m_readerError.clear();
    return m_handler->startDocument();
}

bool DAmlGuard::endDocument()
{
    return m_handler->endDocument();
}

bool DAmlGuard::startPrefixMapping(const QString& prefix, const QString& uri)
{
    return m_handler->startPrefixMapping(prefix, uri);
}

bool DAmlGuard::endPrefixMapping(const QString& prefix)
{
    return m_handler->endPrefixMapping(prefix);
}

bool DAmlGuard::startElement(const QString& namespaceURI, const QString& localName,
    const QString& qName, const QXmlAttributes& atts)
{
    if (++m_depth > m_maxDepth) {
        return stop(QCoreApplication::translate(
            "DAmlReader", "Document nested deeper than %1 levels (line %2)")
                        .arg(m_maxDepth)
                        .arg(lineNumber()));
    }
    qint64 attributeChars = 0;
    for (int i = 0; i < atts.count(); ++i)
        attributeChars += atts.value(i).size();
    if (!countText(attributeChars, &m_textCount))
        return false;
    return m_handler->startElement(namespaceURI, localName, qName, atts);
}

bool DAmlGuard::endElement(
    const QString& namespaceURI, const QString& localName, const QString& qName)
{
    --m_depth;
    return m_handler->endElement(namespaceURI, localName, qName);
}

bool DAmlGuard::characters(const QString& ch)
{
    if (!countText(ch.size(), &m_textCount))
        return false;
    return m_handler->characters(ch);
}

bool DAmlGuard::ignorableWhitespace(const QString& ch)
{
    if (!countText(ch.size(), &m_textCount))
        return false;
    return m_handler->ignorableWhitespace(ch);
}

bool DAmlGuard::processingInstruction(const QString& target, const QString& data)
{
    return m_handler->processingInstruction(target, data);
}

bool DAmlGuard::skippedEntity(const QString& name)
{
    return m_handler->skippedEntity(name);
}

QString DAmlGuard::errorString() const
{
    return m_guardError.isEmpty() ? m_handler->errorString() : m_guardError;
}

bool DAmlGuard::warning(const QXmlParseException& exception)
{
    return m_handler->warning(exception);
}

bool DAmlGuard::error(const QXmlParseException& exception)
{
    m_readerError = exception.message();
    return m_handler->error(exception);
}

bool DAmlGuard::fatalError(const QXmlParseException& exception)
{
    m_readerError = exception.message();
    return m_handler->fatalError(exception);
}

bool DAmlGuard::startDTD(const QString& name, const QString& publicId, const QString& systemId)
{
    return m_handler->startDTD(name, publicId, systemId);
}

bool DAmlGuard::endDTD()
{
    return m_handler->endDTD();
}

bool DAmlGuard::startEntity(const QString& name)
{
    // The reader reports every reference, nested ones included, before it expands it: counting
    // the declared replacement text here stops an expansion bomb before it is built, whether
    // it sits in character data or in an attribute value.
    if (!countText(m_entitySizes.value(name, 0), &m_expansionCount))
        return false;
    return m_handler->startEntity(name);
}

bool DAmlGuard::endEntity(const QString& name)
{
    return m_handler->endEntity(name);
}

bool DAmlGuard::startCDATA()
{
    return m_handler->startCDATA();
}

bool DAmlGuard::endCDATA()
{
    return m_handler->endCDATA();
}

bool DAmlGuard::comment(const QString& ch)
{
    return m_handler->comment(ch);
}

bool DAmlGuard::notationDecl(const QString& name, const QString& publicId, const QString& systemId)
{
    return m_handler->notationDecl(name, publicId, systemId);
}

bool DAmlGuard::unparsedEntityDecl(const QString& name, const QString& publicId,
    const QString& systemId, const QString& notationName)
{
    return m_handler->unparsedEntityDecl(name, publicId, systemId, notationName);
}

bool DAmlGuard::attributeDecl(const QString& eName, const QString& aName, const QString& type,
    const QString& valueDefault, const QString& value)
{
    return m_handler->attributeDecl(eName, aName, type, valueDefault, value);
}

bool DAmlGuard::internalEntityDecl(const QString& name, const QString& value)
{
    // The first declaration of an entity is the binding one.
    if (!m_entitySizes.contains(name))
        m_entitySizes.insert(name, value.size());
    return m_handler->internalEntityDecl(name, value);
}

bool DAmlGuard::externalEntityDecl(
    const QString& name, const QString& publicId, const QString& systemId)
{
    return m_handler->externalEntityDecl(name, publicId, systemId);
}

bool DAmlGuard::resolveEntity(const QString&, const QString&, QXmlInputSource*& ret)
{
    ret = nullptr;
    return true;
}
