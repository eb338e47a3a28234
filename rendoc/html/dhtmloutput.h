#pragma once

#include <QByteArrayView>
#include <QLatin1String>
#include <QString>
#include <QStringView>
#include <QtGlobal>

#include <memory>

class QIODevice;
class QTextStream;

// The byte sink a page is written through.
//
// Markup and texts are encoded to UTF-8 as they are written (texts escaped for HTML on the
// way) into a buffer of its own, which is handed in blocks to a device (a page file), or
// after every write to a text stream (a page written into a string, whose reader may look
// at any time). A page is thus encoded once, in one pass, instead of being copied into a
// UTF-16 buffer and encoded from there.
//
// The bytes are those a UTF-8 QTextStream writes for the same calls: a surrogate pair split
// over two writes is joined, and a surrogate without its partner becomes U+FFFD (one left
// waiting when the output ends is dropped).
class DHTMLOutput
{
public:
    // Writes to device (not owned), which must be open for writing.
    explicit DHTMLOutput(QIODevice* device);
    // Writes to stream (not owned) as text.
    explicit DHTMLOutput(QTextStream* stream);
    // Flushes what is buffered.
    ~DHTMLOutput();

    DHTMLOutput(const DHTMLOutput&) = delete;
    DHTMLOutput& operator=(const DHTMLOutput&) = delete;

    // Writes markup given as Latin-1.
    void write(QLatin1String text);
    // Writes text as it is (no escaping).
    void write(QStringView text);
    // Writes text escaped for element content, or for a double-quoted attribute value:
    // markup characters become entities, and characters HTML does not allow (control
    // characters but tab, line feed and carriage return; U+FFFE, U+FFFF) are dropped.
    void writeEscaped(QStringView text, bool attribute);
    // The same for a text given as UTF-8 (a document's stored text): ASCII is escaped from the
    // bytes; other text is decoded first, so both give the bytes of writeEscaped().
    void writeEscapedUtf8(QByteArrayView utf8, bool attribute);
    // Writes a number in decimal.
    void writeNumber(qint64 number);

    DHTMLOutput& operator<<(QLatin1String text)
    {
        write(text);
        return *this;
    }
    DHTMLOutput& operator<<(QStringView text)
    {
        write(text);
        return *this;
    }
    DHTMLOutput& operator<<(const QString& text)
    {
        write(QStringView(text));
        return *this;
    }

    // The bytes written so far, buffered ones included.
    qint64 size() const { return m_flushed + m_used; }
    // Hands the buffer on; false once the device refused a write.
    bool flush();
    bool failed() const { return m_failed; }

private:
    static constexpr qsizetype Capacity = 64 * 1024;

    // Makes room for at least `bytes` bytes (flushing), bytes <= Capacity.
    void reserve(qsizetype bytes)
    {
        if (Capacity - m_used < bytes)
            flush();
    }
    // Encodes (and with escape, escapes) text, chunk by chunk.
    void encode(QStringView text, bool escape, bool attribute);
    // Encodes up to the buffer's room; answers the characters consumed.
    qsizetype encodeChunk(const char16_t* text, qsizetype size, bool escape, bool attribute);
    // Escapes `size` bytes, which fit the buffer's room, up to the first beyond ASCII; answers
    // the bytes consumed.
    qsizetype escapeAsciiChunk(const char* text, qsizetype size, bool attribute);

    QIODevice* m_device = nullptr;
    QTextStream* m_stream = nullptr;
    std::unique_ptr<char[]> m_buffer;
    qsizetype m_used = 0;
    qint64 m_flushed = 0;
    char16_t m_highSurrogate = 0; // a high surrogate waiting for its low one
    bool m_failed = false;
};
