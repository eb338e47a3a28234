#pragma once

#include "rendoc/model/dpool.h"

#include <QLatin1String>
#include <QString>

#include <atomic>

// A text that repeats over the nodes of a report (a type, a verdict, an icon, a source base):
// one word referring to a counted copy of the text, which equal texts share. A report has a
// few distinct values for hundreds of thousands of nodes, so a node keeps a word per field
// where a QString would take three. Null and empty stay apart, as with QString.
//
// Made from a QString, a text is shared with an equal one made lately on the same thread (a
// few short texts are remembered), so readers that assign QStrings share too; a reader that
// keeps its own table of the file's texts shares every repeat by copying texts.
class QAReporterText
{
public:
    QAReporterText() = default;
    QAReporterText(const QString &text); // NOLINT: implicit, fields are assigned QStrings
    QAReporterText(QLatin1String text) : QAReporterText(QString(text)) {}
    QAReporterText(const char *utf8) : QAReporterText(QString::fromUtf8(utf8)) {}
    QAReporterText(const QAReporterText &other) noexcept : m_box(other.m_box) { retain(); }
    QAReporterText(QAReporterText &&other) noexcept : m_box(other.m_box) { other.m_box = nullptr; }
    QAReporterText &operator=(const QAReporterText &other) noexcept
    {
        QAReporterText copy(other);
        std::swap(m_box, copy.m_box);
        return *this;
    }
    QAReporterText &operator=(QAReporterText &&other) noexcept
    {
        std::swap(m_box, other.m_box);
        return *this;
    }
    ~QAReporterText() { release(); }

    // The text; a null QString for a null text.
    const QString &text() const { return m_box ? m_box->text : nullText(); }
    operator const QString &() const { return text(); }
    bool isNull() const { return m_box == nullptr; }
    bool isEmpty() const { return !m_box || m_box->text.isEmpty(); }
    QString toLower() const { return text().toLower(); }
    // Whether both refer to one shared copy.
    bool sharesWith(const QAReporterText &other) const { return m_box == other.m_box; }

    friend bool operator==(const QAReporterText &a, const QAReporterText &b)
    {
        return a.m_box == b.m_box || (a.isNull() == b.isNull() && a.text() == b.text());
    }
    friend bool operator!=(const QAReporterText &a, const QAReporterText &b) { return !(a == b); }
    friend bool operator==(const QAReporterText &a, const QString &b) { return a.text() == b; }
    friend bool operator==(const QString &a, const QAReporterText &b) { return a == b.text(); }
    friend bool operator!=(const QAReporterText &a, const QString &b) { return a.text() != b; }
    friend bool operator!=(const QString &a, const QAReporterText &b) { return a != b.text(); }
    friend bool operator==(const QAReporterText &a, QLatin1String b) { return a.text() == b; }
    friend bool operator==(QLatin1String a, const QAReporterText &b) { return b.text() == a; }
    friend bool operator!=(const QAReporterText &a, QLatin1String b) { return a.text() != b; }
    friend bool operator!=(QLatin1String a, const QAReporterText &b) { return b.text() != a; }
    friend bool operator==(const QAReporterText &a, const char *b) { return a.text() == QString::fromUtf8(b); }
    friend bool operator!=(const QAReporterText &a, const char *b) { return !(a == b); }

    // The boxes, beside the nodes in DPool.
    struct Box
    {
        std::atomic<quint32> refs;
        QString text;
        static void *operator new(std::size_t size) { return DPool::allocate(size); }
        static void operator delete(void *block, std::size_t size) noexcept { DPool::release(block, size); }
    };

private:
    static const QString &nullText();
    void retain() const
    {
        if (m_box)
            m_box->refs.fetch_add(1, std::memory_order_relaxed);
    }
    void release() noexcept;

    Box *m_box = nullptr;
};
static_assert(sizeof(QAReporterText) == sizeof(void *), "a node's text is one word");
