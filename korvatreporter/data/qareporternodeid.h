#pragma once

#include <QString>

#include <cstdint>

// The id of a report node: the decimal sequence number a reader gives it
// ("1", "2", ...), or a text set later (a document's name, an anchor's id).
// A number is kept as a number and spelled out only when asked for, so
// that a large report holds no string per node, and the id takes one word:
// an odd word is a number shifted left by one, an even one the owned text
// (null for none). A default id is null, as the root's is; an id set from a
// text keeps that text as it is, null and empty included.
class QAReporterNodeId
{
public:
    // Numbers from 1 to this one are kept as numbers.
    static constexpr quint64 MaxNumber = quint64(UINTPTR_MAX >> 1);

    QAReporterNodeId() = default;
    QAReporterNodeId(const QAReporterNodeId &other) : m_word(copyOf(other.m_word)) {}
    QAReporterNodeId &operator=(const QAReporterNodeId &other)
    {
        if (this != &other)
            replace(copyOf(other.m_word));
        return *this;
    }
    QAReporterNodeId &operator=(const QString &text)
    {
        replace(text.isNull() ? 0 : reinterpret_cast<std::uintptr_t>(new QString(text)));
        return *this;
    }
    ~QAReporterNodeId() { delete text(); }

    // The id spelled as the decimal `number`; 0 makes it null, and a number
    // above MaxNumber is kept as its text.
    void setNumber(quint64 number)
    {
        if (number > MaxNumber)
            *this = QString::number(number);
        else
            replace(number ? (std::uintptr_t(number) << 1) | 1 : 0);
    }
    // The sequence number; 0 when the id is a text or null.
    quint64 number() const { return (m_word & 1) ? quint64(m_word >> 1) : 0; }

    bool isNull() const { return m_word == 0; }
    bool isEmpty() const { return m_word == 0 || (text() && text()->isEmpty()); }
    QString toString() const
    {
        if (const QString *value = text())
            return *value;
        return m_word ? QString::number(number()) : QString();
    }
    operator QString() const { return toString(); }

    // Compares with a text without spelling the number out on the heap.
    friend bool operator==(const QAReporterNodeId &id, const QString &text)
    {
        if (const QString *value = id.text())
            return *value == text;
        if (id.m_word == 0)
            return text.isEmpty();
        char16_t digits[20];
        qsizetype at = 20;
        for (quint64 rest = id.number(); rest; rest /= 10)
            digits[--at] = char16_t(u'0' + rest % 10);
        return QStringView(digits + at, 20 - at) == text;
    }
    friend bool operator==(const QString &text, const QAReporterNodeId &id) { return id == text; }
    friend bool operator!=(const QAReporterNodeId &id, const QString &text) { return !(id == text); }
    friend bool operator!=(const QString &text, const QAReporterNodeId &id) { return !(id == text); }

private:
    QString *text() const
    {
        return (m_word & 1) ? nullptr : reinterpret_cast<QString *>(m_word);
    }
    static std::uintptr_t copyOf(std::uintptr_t word)
    {
        if (word == 0 || (word & 1))
            return word;
        return reinterpret_cast<std::uintptr_t>(new QString(*reinterpret_cast<QString *>(word)));
    }
    void replace(std::uintptr_t word)
    {
        delete text();
        m_word = word;
    }

    std::uintptr_t m_word = 0;
};
static_assert(sizeof(QAReporterNodeId) == sizeof(void *), "a node id is one word");
