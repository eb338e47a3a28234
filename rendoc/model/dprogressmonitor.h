#pragma once

// What a long walk over a document asks of whoever shows its progress: whether the user has
// cancelled it. Visitors stop at the next item once this returns true.
class DProgressMonitor
{
public:
    virtual ~DProgressMonitor();
    virtual bool isCanceled() const = 0;
};
