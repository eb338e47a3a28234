#include "rendoc/aml/damlreader.h"

#include "rendoc/aml/damlguard.h"
#include "rendoc/aml/damlrunlimiter.h"

#include <QCoreApplication>

DAmlReader::DAmlReader(DAmlHandler* handler)
    : m_handler(handler ? handler : new DAmlHandler)
{
}

DAmlReader::~DAmlReader() = default;

DAmlHandler* DAmlReader::handler() const
{
    return m_handler.get();
}

qint64 DAmlReader::textLimitFor(qint64 inputBytes)
{
    if (inputBytes <= 0)
        return DAmlHandler::DefaultTextLimit;
    if (inputBytes > MinTextLimit / TextGrowthFactor)
        return inputBytes * TextGrowthFactor;
    return MinTextLimit;
}

bool DAmlReader::parse(const QXmlInputSource* input, bool incremental)
{
    m_readerError.clear();
    installGuard(nullptr);
    m_guard.reset();
    m_limiter.reset();
    m_handler->reset();
    if (incremental) {
        const QString text
            = QCoreApplication::translate("DAmlReader", "Incremental parsing is not supported");
        m_handler->setErrorString(text);
        m_readerError = text;
        return false;
    }
    m_guard = std::make_unique<DAmlGuard>(
        m_handler.get(), MaxDepth, textLimitFor(m_handler->inputSize()));
    installGuard(m_guard.get());
    // Entity boundaries let the guard count each expansion before the reader builds it.
    setFeature(QStringLiteral("http://trolltech.com/xml/features/report-start-end-entity"), true);
    if (!input)
        return QXmlSimpleReader::parse(input, false);
    m_limiter = std::make_unique<DAmlRunLimiter>(input, m_textRunLimit);
    m_guard->setRunLimiter(m_limiter.get());
    const bool ok = QXmlSimpleReader::parse(m_limiter.get(), false);
    m_readerError = m_guard->readerError();
    if (m_limiter->tripped()) {
        m_handler->setErrorString(m_limiter->errorString());
        return false;
    }
    return ok && !m_handler->hasError();
}

void DAmlReader::installGuard(DAmlGuard* guard)
{
    setContentHandler(guard);
    setErrorHandler(guard);
    setLexicalHandler(guard);
    setDTDHandler(guard);
    setDeclHandler(guard);
    setEntityResolver(guard);
}

bool DAmlReader::parse(const QXmlInputSource* input)
{
    return parse(input, false);
}

bool DAmlReader::parse(const QXmlInputSource& input)
{
    return parse(&input, false);
}

void DAmlReader::setStyles(const QList<DStyle*>& styles)
{
    m_handler->setStyles(styles);
}

void DAmlReader::setEnabledLocalStyle(bool enabled)
{
    m_handler->setEnabledLocalStyle(enabled);
}

void DAmlReader::setInputSize(qint64 bytes)
{
    m_handler->setInputSize(bytes);
}

DDocument* DAmlReader::documents() const
{
    return m_handler->documents();
}

QList<DStyle*> DAmlReader::styles() const
{
    return m_handler->styles();
}

QStringList DAmlReader::styleNames() const
{
    return m_handler->styleNames();
}

bool DAmlReader::hasError() const
{
    return m_handler->hasError() || !m_readerError.isEmpty();
}

QString DAmlReader::errorString() const
{
    if (m_limiter && m_limiter->tripped())
        return m_limiter->errorString();
    if (m_guard && !m_guard->guardError().isEmpty())
        return m_guard->guardError();
    if (m_handler->hasError())
        return m_handler->errorString();
    return m_readerError;
}

int DAmlReader::errorLine() const
{
    return m_guard ? m_guard->errorLine() : 0;
}

int DAmlReader::errorColumn() const
{
    return m_guard ? m_guard->errorColumn() : 0;
}

QString DAmlReader::errorDescription() const
{
    const QString text = errorString().trimmed();
    if (errorLine() <= 0)
        return text;
    return QCoreApplication::translate("DAmlReader", "line %1, column %2: %3")
        .arg(errorLine())
        .arg(errorColumn())
        .arg(text);
}
