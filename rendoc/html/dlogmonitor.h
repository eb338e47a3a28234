#pragma once

#include <QString>

// Receives the messages of a long document operation (an export, for one) that the user
// should see without the operation stopping: a file that could not be copied, a setting
// that was ignored.
class DLogMonitor
{
public:
    virtual ~DLogMonitor();
    virtual void message(const QString& text) = 0;
};
