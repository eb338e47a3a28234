#pragma once

#include <QtGlobal>
#include <QString>

// Counts the input of the current run: everything the reader has taken in since it last reported
// an event to its handler, and the text it is still collecting before handing it over (a text
// node, a CDATA section, one attribute value or comment). A run that is never reported (a huge
// text node, a pipe that never ends) would grow a buffer without bound, so once a run passes the
// limit the reader stops at once, and the limiter keeps an error text saying why.
class DAmlRunLimiter
{
public:
    explicit DAmlRunLimiter(qint64 limit);

    // An event was reported: the next run starts from zero.
    void endRun() { m_run = 0; }
    // Adds `size` units to the current run; false once the run passed the limit.
    bool add(qint64 size);
    // Whether a single item of `size` units (an attribute value, a comment) passes the limit;
    // trips the limiter when it does.
    bool fits(qint64 size);
    // True once a run passed the limit; the input has ended there.
    bool tripped() const { return m_tripped; }
    qint64 limit() const { return m_limit; }
    // Why the input was cut short, or empty.
    QString errorString() const;

private:
    qint64 m_limit;
    qint64 m_run = 0;
    bool m_tripped = false;
};
