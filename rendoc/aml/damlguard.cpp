#include "rendoc/aml/damlguard.h"

#include "rendoc/aml/damlhandler.h"
#include "rendoc/aml/damlrunlimiter.h"

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
    m_errorLine = 0;
    m_errorColumn = 0;
    endRun();
    return m_handler->startDocument();
}

bool DAmlGuard::endDocument()
{
    endRun();
    return m_handler->endDocument();
}

bool DAmlGuard::startPrefixMapping(const QString& prefix, const QString& uri)
{
    endRun();
    return m_handler->startPrefixMapping(prefix, uri);
}

bool DAmlGuard::endPrefixMapping(const QString& prefix)
{
    return m_handler->endPrefixMapping(prefix);
}

bool DAmlGuard::startElement(const QString& namespaceURI, const QString& localName,
    const QString& qName, const QXmlAttributes& atts)
{
    endRun();
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
    endRun();
    --m_depth;
    return m_handler->endElement(namespaceURI, localName, qName);
}

bool DAmlGuard::characters(const QString& ch)
{
    endRun();
    if (!countText(ch.size(), &m_textCount))
        return false;
    return m_handler->characters(ch);
}

bool DAmlGuard::ignorableWhitespace(const QString& ch)
{
    endRun();
    if (!countText(ch.size(), &m_textCount))
        return false;
    return m_handler->ignorableWhitespace(ch);
}

bool DAmlGuard::processingInstruction(const QString& target, const QString& data)
{
    endRun();
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

void DAmlGuard::noteReaderError(const QXmlParseException& exception)
{
    m_readerError = exception.message();
    m_errorLine = exception.lineNumber();
    m_errorColumn = exception.columnNumber();
}

// Called for the events before which the reader has handed over, and emptied, the buffer of the
// run it was collecting. Entity boundaries, CDATA starts and skipped entities are not among
// them: they may fall inside an attribute value or a text run that goes on.
void DAmlGuard::endRun()
{
    if (m_limiter)
        m_limiter->endRun();
}

bool DAmlGuard::warning(const QXmlParseException& exception)
{
    return m_handler->warning(exception);
}

bool DAmlGuard::error(const QXmlParseException& exception)
{
    noteReaderError(exception);
    return m_handler->error(exception);
}

bool DAmlGuard::fatalError(const QXmlParseException& exception)
{
    noteReaderError(exception);
    return m_handler->fatalError(exception);
}

bool DAmlGuard::startDTD(const QString& name, const QString& publicId, const QString& systemId)
{
    return m_handler->startDTD(name, publicId, systemId);
}

bool DAmlGuard::endDTD()
{
    endRun();
    return m_handler->endDTD();
}

bool DAmlGuard::startEntity(const QString& name)
{
    // The reader reports every reference, nested ones included, before it expands it: counting
    // the declared replacement text here stops an expansion bomb before it is built, whether
    // it sits in character data or in an attribute value.
    const qint64 size = m_entitySizes.value(name, 0);
    if (!countText(size, &m_expansionCount))
        return false;
    // The expansion lands in the reader's buffer of the current run as if it had been read.
    if (m_limiter)
        m_limiter->addToRun(size);
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
    endRun();
    return m_handler->endCDATA();
}

bool DAmlGuard::comment(const QString& ch)
{
    endRun();
    return m_handler->comment(ch);
}

bool DAmlGuard::notationDecl(const QString& name, const QString& publicId, const QString& systemId)
{
    endRun();
    return m_handler->notationDecl(name, publicId, systemId);
}

bool DAmlGuard::unparsedEntityDecl(const QString& name, const QString& publicId,
    const QString& systemId, const QString& notationName)
{
    endRun();
    return m_handler->unparsedEntityDecl(name, publicId, systemId, notationName);
}

bool DAmlGuard::attributeDecl(const QString& eName, const QString& aName, const QString& type,
    const QString& valueDefault, const QString& value)
{
    endRun();
    return m_handler->attributeDecl(eName, aName, type, valueDefault, value);
}

bool DAmlGuard::internalEntityDecl(const QString& name, const QString& value)
{
    endRun();
    // The first declaration of an entity is the binding one.
    if (!m_entitySizes.contains(name))
        m_entitySizes.insert(name, value.size());
    return m_handler->internalEntityDecl(name, value);
}

bool DAmlGuard::externalEntityDecl(
    const QString& name, const QString& publicId, const QString& systemId)
{
    endRun();
    return m_handler->externalEntityDecl(name, publicId, systemId);
}

bool DAmlGuard::resolveEntity(const QString&, const QString&, QXmlInputSource*& ret)
{
    ret = nullptr;
    return true;
}
