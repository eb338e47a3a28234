#pragma once

#include <QByteArray>
#include <QString>

#include <vector>

// A pull reader of JSON over a buffer in memory: each call to next() reads
// one token (the start or end of an object or array, a member name or a
// scalar value) and checks the grammar as it goes, so a file of any size is
// walked without building a tree of it. Errors name the line, the column and
// the byte offset where the input went wrong. Nesting and the length of a
// string are bounded, so that a hostile file cannot exhaust the memory of
// whoever consumes the tokens.
class QAJsonPullReader
{
public:
    enum Token { None, StartObject, EndObject, StartArray, EndArray, Name, String, Number, Bool, Null, End, Error };

    // Reads `data`, which must outlive the reader.
    explicit QAJsonPullReader(const QByteArray &data);

    // The next token; End after the single top-level value, Error (for good)
    // when the input breaks the grammar or a limit.
    Token next();
    Token token() const { return m_token; }
    // The decoded text of a Name or String, the number as written, "true" or
    // "false"; empty for the other tokens.
    const QString &text() const { return m_text; }
    // The value of a Number token, 0 for others.
    double number() const;
    // Open objects and arrays, the current one included when the token
    // starts it.
    int depth() const { return int(m_stack.size()); }
    // Byte offset of the current token in the buffer.
    qint64 offset() const { return m_offset; }
    // At a Name, skips the member's value; at the start of an object or
    // array, skips to its end; at a scalar, does nothing. False on an error.
    bool skipValue();
    // At a Name, reads the member's value as text: a string, a number or
    // "true"/"false"; null for null, and for an object or array, which is
    // skipped. token() tells whether it failed.
    QString scalar();
    // "line L, column C (byte B): MESSAGE" after an Error.
    QString errorString() const { return m_error; }

    // Limits: the nesting of the report readers, and the text run of the
    // document readers.
    static constexpr int MaxDepth = 1000;
    static qint64 maxStringBytes() { return s_maxStringBytes; }
    // Lowers the string limit (tests); the default is 2^27 bytes.
    static void setMaxStringBytes(qint64 bytes) { s_maxStringBytes = bytes; }

private:
    enum class Expect { Value, ValueOrEnd, NameOrEnd, Name, CommaOrEnd, Done };

    Token value();
    Token readString(Token kind);
    Token readNumber();
    Token readLiteral(const char *word, Token kind);
    Token close(char bracket);
    void afterValue();
    Token fail(const QString &message, qint64 at);
    void skipBlanks();

    const char *m_data;
    qint64 m_size;
    qint64 m_pos = 0;
    qint64 m_offset = 0;
    Token m_token = None;
    QString m_text;
    QByteArray m_buffer; // an escaped string's bytes while they are decoded
    std::vector<char> m_stack; // '{' or '[' per open container
    Expect m_expect = Expect::Value;
    QString m_error;
    static qint64 s_maxStringBytes;
};
