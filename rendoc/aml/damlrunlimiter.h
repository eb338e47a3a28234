#pragma once

#include <QString>
#include <QXmlInputSource>

// Feeds the SAX reader from another input source and counts the characters of the current run:
// everything the reader has taken in since it last reported an event to its handlers. The
// reader collects a text run, attribute value, comment or CDATA section in one buffer before it
// reports it, so a run that is never reported (a huge text node, a pipe that never ends) would
// grow that buffer past what it can index. When a run passes the limit the source ends the input
// at once, which stops the parse, and keeps an error text saying why.
class DAmlRunLimiter : public QXmlInputSource
{
public:
    DAmlRunLimiter(const QXmlInputSource* input, qint64 limit);

    // An event was reported: the next run starts from zero.
    void endRun() { m_run = 0; }
    // Characters that reach the current run without passing through this source (an entity's
    // replacement text).
    void addToRun(qint64 chars) { m_run += chars; }
    // True once a run passed the limit; the input has ended there.
    bool tripped() const { return m_tripped; }
    // Why the input was cut short, or empty.
    QString errorString() const;

    QChar next() override;
    void reset() override;
    QString data() const override;
    void fetchData() override;

private:
    QXmlInputSource* m_input;
    qint64 m_limit;
    qint64 m_run = 0;
    bool m_tripped = false;
};
