#pragma once

#include <QString>

// Receives the messages of a long operation.
class QAILogMonitor
{
public:
    virtual ~QAILogMonitor();

    virtual void message(const QString& text) = 0;
};
