#include "rendoc/aml/damlreader.h"

#include "rendoc/aml/damlexpatsource.h"
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

template <typename Read>
bool DAmlReader::run(Read read)
{
    m_readerError.clear();
    m_errorLine = 0;
    m_errorColumn = 0;
    m_handler->reset();
    m_guard = std::make_unique<DAmlGuard>(
        m_handler.get(), MaxDepth, textLimitFor(m_handler->inputSize()));
    m_limiter = std::make_unique<DAmlRunLimiter>(m_textRunLimit);
    DAmlExpatSource source(m_guard.get(), m_limiter.get());
    const bool ok = read(source);
    m_readerError = source.readerError();
    if (!ok) {
        m_errorLine = source.errorLine();
        m_errorColumn = source.errorColumn();
    }
    if (m_limiter->tripped()) {
        m_handler->setErrorString(m_limiter->errorString());
        return false;
    }
    return ok && !m_handler->hasError();
}

bool DAmlReader::parse(QIODevice* device)
{
    return run([device](DAmlExpatSource& source) { return source.parse(device); });
}

bool DAmlReader::parseData(const QByteArray& data)
{
    return run([&data](DAmlExpatSource& source) { return source.parse(data, false); });
}

bool DAmlReader::parseText(const QString& text)
{
    const QByteArray data = text.toUtf8();
    return run([&data](DAmlExpatSource& source) { return source.parse(data, true); });
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
    return m_errorLine;
}

int DAmlReader::errorColumn() const
{
    return m_errorColumn;
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
