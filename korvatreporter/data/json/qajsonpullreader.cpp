#include "korvatreporter/data/json/qajsonpullreader.h"

#include <QCoreApplication>

#include <cstdlib>
#include <cstring>

qint64 QAJsonPullReader::s_maxStringBytes = qint64(1) << 27;

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

void appendUtf8(QByteArray &out, uint code)
{
    if (code < 0x80) {
        out += char(code);
    } else if (code < 0x800) {
        out += char(0xc0 | (code >> 6));
        out += char(0x80 | (code & 0x3f));
    } else if (code < 0x10000) {
        out += char(0xe0 | (code >> 12));
        out += char(0x80 | ((code >> 6) & 0x3f));
        out += char(0x80 | (code & 0x3f));
    } else {
        out += char(0xf0 | (code >> 18));
        out += char(0x80 | ((code >> 12) & 0x3f));
        out += char(0x80 | ((code >> 6) & 0x3f));
        out += char(0x80 | (code & 0x3f));
    }
}

} // namespace

QAJsonPullReader::QAJsonPullReader(const QByteArray &data)
    : m_data(data.constData()), m_size(data.size())
{
}

double QAJsonPullReader::number() const
{
    return m_token == Number ? m_text.toDouble() : 0.0;
}

void QAJsonPullReader::skipBlanks()
{
    while (m_pos < m_size && isBlank(m_data[m_pos]))
        ++m_pos;
}

QAJsonPullReader::Token QAJsonPullReader::next()
{
    if (m_token == Error || m_token == End)
        return m_token;
    m_text.clear();
    for (;;) {
        skipBlanks();
        m_offset = m_pos;
        if (m_expect == Expect::Done) {
            if (m_pos < m_size)
                return fail(QCoreApplication::translate("Reporter", "data after the end of the JSON value"), m_pos);
            return m_token = End;
        }
        if (m_pos >= m_size)
            return fail(QCoreApplication::translate("Reporter", "the file ends inside the JSON value"), m_pos);
        const char c = m_data[m_pos];
        switch (m_expect) {
        case Expect::Value:
            return value();
        case Expect::ValueOrEnd:
            return c == ']' ? close(']') : value();
        case Expect::NameOrEnd:
            if (c == '}')
                return close('}');
            Q_FALLTHROUGH();
        case Expect::Name:
            if (c != '"')
                return fail(QCoreApplication::translate("Reporter", "a member name in quotes was expected"), m_pos);
            return readString(Name);
        case Expect::CommaOrEnd:
            if (c == '}' || c == ']')
                return close(c);
            if (c != ',')
                return fail(QCoreApplication::translate("Reporter", "a comma or the end of the object or array was expected"), m_pos);
            ++m_pos;
            m_expect = m_stack.back() == '{' ? Expect::Name : Expect::Value;
            continue;
        case Expect::Done:
            break;
        }
    }
}

QAJsonPullReader::Token QAJsonPullReader::value()
{
    const char c = m_data[m_pos];
    switch (c) {
    case '{':
    case '[':
        if (int(m_stack.size()) >= MaxDepth)
            return fail(QCoreApplication::translate("Reporter", "objects and arrays nested deeper than %1").arg(MaxDepth), m_pos);
        ++m_pos;
        m_stack.push_back(c);
        m_expect = c == '{' ? Expect::NameOrEnd : Expect::ValueOrEnd;
        return m_token = c == '{' ? StartObject : StartArray;
    case '"':
        return readString(String);
    case 't':
        return readLiteral("true", Bool);
    case 'f':
        return readLiteral("false", Bool);
    case 'n':
        return readLiteral("null", Null);
    default:
        if (c == '-' || (c >= '0' && c <= '9'))
            return readNumber();
        return fail(QCoreApplication::translate("Reporter", "a value was expected"), m_pos);
    }
}

QAJsonPullReader::Token QAJsonPullReader::close(char bracket)
{
    const char open = bracket == '}' ? '{' : '[';
    if (m_stack.empty() || m_stack.back() != open)
        return fail(QCoreApplication::translate("Reporter", "\"%1\" does not close the open object or array").arg(QLatin1Char(bracket)), m_pos);
    ++m_pos;
    m_stack.pop_back();
    afterValue();
    return m_token = bracket == '}' ? EndObject : EndArray;
}

void QAJsonPullReader::afterValue()
{
    m_expect = m_stack.empty() ? Expect::Done : Expect::CommaOrEnd;
}

QAJsonPullReader::Token QAJsonPullReader::readString(Token kind)
{
    const qint64 start = ++m_pos;
    // Most strings have no escape: they are decoded straight from the buffer.
    qint64 end = start;
    while (end < m_size && m_data[end] != '"' && m_data[end] != '\\' && uchar(m_data[end]) >= 0x20)
        ++end;
    const qint64 limit = s_maxStringBytes;
    if (end < m_size && m_data[end] == '"') {
        if (end - start > limit)
            return fail(QCoreApplication::translate("Reporter", "a string longer than %1 bytes").arg(limit), m_offset);
        m_text = QString::fromUtf8(m_data + start, end - start);
        m_pos = end + 1;
    } else {
        m_buffer = QByteArray(m_data + start, end - start);
        m_pos = end;
        for (;;) {
            if (m_pos >= m_size)
                return fail(QCoreApplication::translate("Reporter", "the file ends inside a string"), m_offset);
            if (m_buffer.size() > limit)
                return fail(QCoreApplication::translate("Reporter", "a string longer than %1 bytes").arg(limit), m_offset);
            const char c = m_data[m_pos];
            if (c == '"')
                break;
            if (uchar(c) < 0x20)
                return fail(QCoreApplication::translate("Reporter", "a control character inside a string"), m_pos);
            if (c != '\\') {
                m_buffer += c;
                ++m_pos;
                continue;
            }
            if (m_pos + 1 >= m_size)
                return fail(QCoreApplication::translate("Reporter", "the file ends inside a string"), m_offset);
            const char e = m_data[m_pos + 1];
            static const char plain[] = "\"\\/bfnrt";
            static const char decoded[] = "\"\\/\b\f\n\r\t";
            if (const char *p = e ? std::strchr(plain, e) : nullptr) {
                m_buffer += decoded[p - plain];
                m_pos += 2;
                continue;
            }
            if (e != 'u')
                return fail(QCoreApplication::translate("Reporter", "an unknown escape in a string"), m_pos);
            uint code = 0;
            for (int i = 0; i < 4; ++i) {
                const int digit = m_pos + 2 + i < m_size ? hexValue(m_data[m_pos + 2 + i]) : -1;
                if (digit < 0)
                    return fail(QCoreApplication::translate("Reporter", "a \\u escape without four hexadecimal digits"), m_pos);
                code = code * 16 + uint(digit);
            }
            m_pos += 6;
            // A surrogate pair spells one character; a lone half becomes U+FFFD.
            if (code >= 0xd800 && code < 0xdc00 && m_pos + 5 < m_size && m_data[m_pos] == '\\'
                && m_data[m_pos + 1] == 'u') {
                uint low = 0;
                bool ok = true;
                for (int i = 0; i < 4 && ok; ++i) {
                    const int digit = hexValue(m_data[m_pos + 2 + i]);
                    ok = digit >= 0;
                    low = low * 16 + uint(digit);
                }
                if (ok && low >= 0xdc00 && low < 0xe000) {
                    code = 0x10000 + ((code - 0xd800) << 10) + (low - 0xdc00);
                    m_pos += 6;
                }
            }
            if (code >= 0xd800 && code < 0xe000)
                code = 0xfffd;
            appendUtf8(m_buffer, code);
        }
        ++m_pos;
        m_text = QString::fromUtf8(m_buffer);
        m_buffer.clear();
    }
    if (kind == Name) {
        skipBlanks();
        if (m_pos >= m_size || m_data[m_pos] != ':')
            return fail(QCoreApplication::translate("Reporter", "a colon was expected after the member name"), m_pos);
        ++m_pos;
        m_expect = Expect::Value;
    } else {
        afterValue();
    }
    return m_token = kind;
}

QAJsonPullReader::Token QAJsonPullReader::readNumber()
{
    const qint64 start = m_pos;
    const auto digits = [&] {
        const qint64 from = m_pos;
        while (m_pos < m_size && m_data[m_pos] >= '0' && m_data[m_pos] <= '9')
            ++m_pos;
        return m_pos > from;
    };
    if (m_data[m_pos] == '-')
        ++m_pos;
    if (!digits())
        return fail(QCoreApplication::translate("Reporter", "a number without digits"), start);
    if (m_pos < m_size && m_data[m_pos] == '.') {
        ++m_pos;
        if (!digits())
            return fail(QCoreApplication::translate("Reporter", "a number without digits after its decimal point"), start);
    }
    if (m_pos < m_size && (m_data[m_pos] == 'e' || m_data[m_pos] == 'E')) {
        ++m_pos;
        if (m_pos < m_size && (m_data[m_pos] == '+' || m_data[m_pos] == '-'))
            ++m_pos;
        if (!digits())
            return fail(QCoreApplication::translate("Reporter", "a number without digits in its exponent"), start);
    }
    // A number is no text run: anything longer than this is made up.
    if (m_pos - start > 400)
        return fail(QCoreApplication::translate("Reporter", "a number longer than 400 characters"), start);
    m_text = QString::fromLatin1(m_data + start, m_pos - start);
    afterValue();
    return m_token = Number;
}

QAJsonPullReader::Token QAJsonPullReader::readLiteral(const char *word, Token kind)
{
    const qint64 length = qint64(std::strlen(word));
    if (m_size - m_pos < length || std::memcmp(m_data + m_pos, word, size_t(length)) != 0)
        return fail(QCoreApplication::translate("Reporter", "a value was expected"), m_pos);
    m_pos += length;
    if (kind == Bool)
        m_text = QString::fromLatin1(word);
    afterValue();
    return m_token = kind;
}

bool QAJsonPullReader::skipValue()
{
    if (m_token == Name)
        next();
    if (m_token != StartObject && m_token != StartArray)
        return m_token != Error;
    const int depth = this->depth() - 1;
    while (this->depth() > depth) {
        if (next() == Error)
            return false;
    }
    return true;
}

QString QAJsonPullReader::scalar()
{
    switch (next()) {
    case String:
    case Number:
    case Bool:
        return m_text;
    case StartObject:
    case StartArray:
        skipValue();
        return QString();
    default:
        return QString();
    }
}

QAJsonPullReader::Token QAJsonPullReader::fail(const QString &message, qint64 at)
{
    // The line and column are counted only now: a well-formed file never
    // pays for them.
    qint64 line = 1;
    qint64 lineStart = 0;
    for (qint64 i = 0; i < at && i < m_size; ++i) {
        if (m_data[i] == '\n') {
            ++line;
            lineStart = i + 1;
        }
    }
    m_error = QCoreApplication::translate("Reporter", "line %1, column %2 (byte %3): %4").arg(line).arg(at - lineStart + 1).arg(at).arg(message);
    m_text.clear();
    return m_token = Error;
}
