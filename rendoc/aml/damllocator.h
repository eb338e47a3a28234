#pragma once

// Where the parser is in its input while it reports an event: 1-based line and column, 0 when
// it is not reading.
class DAmlLocator
{
public:
    virtual ~DAmlLocator() = default;
    virtual int lineNumber() const = 0;
    virtual int columnNumber() const = 0;
};
