#include "rendoc/aml/damlrunlimiter.h"

#include <QCoreApplication>

DAmlRunLimiter::DAmlRunLimiter(const QXmlInputSource* input, qint64 limit)
    // The reader takes its source as const and still advances it; so does this wrapper.
    : m_input(const_cast<QXmlInputSource*>(input))
    , m_limit(limit)
{
}

QString DAmlRunLimiter::errorString() const
{
    if (!m_tripped)
        return QString();
    return QCoreApplication::translate("DAmlReader",
                                       "Text, attribute value or comment longer than %1 characters")
        .arg(m_limit);
}

QChar DAmlRunLimiter::next()
{
    if (m_tripped)
        return QChar(EndOfDocument);
    const QChar c = m_input->next();
    if (c == QChar(EndOfData) || c == QChar(EndOfDocument))
        return c;
    if (++m_run > m_limit) {
        m_tripped = true;
        return QChar(EndOfDocument);
    }
    return c;
}

void DAmlRunLimiter::reset()
{
    m_run = 0;
    m_tripped = false;
    m_input->reset();
}

QString DAmlRunLimiter::data() const
{
    return m_input->data();
}

void DAmlRunLimiter::fetchData()
{
    m_input->fetchData();
}
