#pragma once

// Receives the progress of a long operation and tells it to stop.
class QAIProgressMonitor
{
public:
    virtual ~QAIProgressMonitor();

    virtual bool isCanceled() const = 0;
    virtual void setProgress(int value) = 0;
};
