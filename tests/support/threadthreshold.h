#pragma once

#include "rendoc/aml/damlexpatsource.h"

#include <QtGlobal>

// Sets where the XML parser moves to a thread of its own while it lives, and puts the setting
// back when it goes: 0 parses every input on a thread, -1 none.
class ThreadThreshold
{
public:
    explicit ThreadThreshold(qint64 bytes)
        : m_before(DAmlExpatSource::threadThreshold())
    {
        DAmlExpatSource::setThreadThreshold(bytes);
    }
    ~ThreadThreshold() { DAmlExpatSource::setThreadThreshold(m_before); }
    ThreadThreshold(const ThreadThreshold &) = delete;
    ThreadThreshold &operator=(const ThreadThreshold &) = delete;

private:
    qint64 m_before;
};
