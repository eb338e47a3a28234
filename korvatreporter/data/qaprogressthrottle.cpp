#include "korvatreporter/data/qaprogressthrottle.h"

bool QAProgressThrottle::due(int value, int steps)
{
    const int percent = steps > 0 ? int(qint64(value) * 100 / steps) : -1;
    if (m_told && percent == m_toldPercent)
        return false;
    if (m_told && m_clockSkip > 0) {
        --m_clockSkip;
        return false;
    }
    if (m_told && m_sinceTold.elapsed() < 1000 / MaxPerSecond) {
        m_clockSkip = ClockSkip;
        return false;
    }
    m_told = true;
    m_toldValue = value;
    m_toldPercent = percent;
    m_sinceTold.start();
    return true;
}

void QAProgressThrottle::reset()
{
    m_told = false;
    m_clockSkip = 0;
}
