#include "rendoc/aml/damlrunlimiter.h"

#include <QCoreApplication>

DAmlRunLimiter::DAmlRunLimiter(qint64 limit)
    : m_limit(limit)
{
}

bool DAmlRunLimiter::add(qint64 size)
{
    m_run += size;
    if (m_run > m_limit)
        m_tripped = true;
    return !m_tripped;
}

bool DAmlRunLimiter::fits(qint64 size)
{
    if (size > m_limit)
        m_tripped = true;
    return !m_tripped;
}

QString DAmlRunLimiter::errorString() const
{
    if (!m_tripped)
        return QString();
    return QCoreApplication::translate("DAmlReader",
                                       "Text, attribute value or comment longer than %1 characters")
        .arg(m_limit);
}
