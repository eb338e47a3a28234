#pragma once

#include <QtGlobal>

// Where the parser is in its input while it reports an event: 1-based line and column, 0 when
// it is not reading.
class DAmlLocator
{
public:
    virtual ~DAmlLocator() = default;
    virtual int lineNumber() const = 0;
    virtual int columnNumber() const = 0;
    // Bytes of the input the parser has taken in so far, for a progress display: it may stand
    // some way ahead of the event being reported when the parse runs on a thread of its own.
    virtual qint64 inputPosition() const { return 0; }
};
