#include "rendoc/aml/damlguard.h"

#include "rendoc/aml/damlattributes.h"
#include "rendoc/aml/damlhandler.h"
#include "rendoc/aml/damllocator.h"

#include <QCoreApplication>

DAmlGuard::DAmlGuard(DAmlContentHandler* handler, int maxDepth, qint64 textLimit)
    : m_handler(handler)
    , m_maxDepth(maxDepth)
    , m_textLimit(textLimit)
{
}

void DAmlGuard::setLocator(const DAmlLocator* locator)
{
    m_locator = locator;
    m_handler->setDocumentLocator(locator);
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

namespace {

QString sizeLimitText(int line)
{
    return QCoreApplication::translate("DAmlReader", "Document text exceeds the size limit (line %1)")
        .arg(line);
}

} // namespace

bool DAmlGuard::countText(qint64 chars)
{
    m_textCount += chars;
    if (m_textCount <= m_textLimit)
        return true;
    return stop(sizeLimitText(lineNumber()));
}

bool DAmlGuard::startDocument()
{
    m_depth = 0;
    m_textCount = 0;
    m_guardError.clear();
    return m_handler->startDocument();
}

bool DAmlGuard::endDocument()
{
    return m_handler->endDocument();
}

bool DAmlGuard::startElement(const QString& qName, const DAmlAttributes& atts, qint64 valueBytes)
{
    if (++m_depth > m_maxDepth) {
        return stop(QCoreApplication::translate(
            "DAmlReader", "Document nested deeper than %1 levels (line %2)")
                        .arg(m_maxDepth)
                        .arg(lineNumber()));
    }
    // UTF-8 bytes: never fewer than the characters they encode.
    if (!countText(valueBytes))
        return false;
    static const QString none;
    return m_handler->startElement(none, none, qName, atts);
}

bool DAmlGuard::endElement(const QString& qName)
{
    --m_depth;
    static const QString none;
    return m_handler->endElement(none, none, qName);
}

bool DAmlGuard::charactersUtf8(QByteArrayView text)
{
    const qint64 units = DAmlHandler::utf16Length(text);
    if (!countText(units))
        return false;
    return m_handler->charactersUtf8(text, units);
}

bool DAmlGuard::startCDATA()
{
    return m_handler->startCDATA();
}

bool DAmlGuard::endCDATA()
{
    return m_handler->endCDATA();
}

bool DAmlGuard::startDTD()
{
    return m_handler->startDTD();
}

void DAmlGuard::fatalError(const DAmlParseError& error)
{
    m_handler->fatalError(error);
}

void DAmlGuard::expansionRefused(int line)
{
    stop(sizeLimitText(line));
}
