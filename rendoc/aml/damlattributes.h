#pragma once

#include <QByteArrayView>
#include <QLatin1String>
#include <QString>

// The attributes of one start tag as the XML parser hands them over: name and value pairs of
// UTF-8 text owned by the parser, valid only while the start tag is being reported. Values are
// turned into QStrings only when asked for, so attributes nobody reads cost nothing.
class DAmlAttributes
{
public:
    // `pairs` is a null-terminated array of name, value, name, value... (null: no attributes).
    // `lengths`, when given, holds the byte length of each of those strings, so that nobody
    // measures them again.
    explicit DAmlAttributes(const char* const* pairs = nullptr, const quint32* lengths = nullptr);

    int count() const { return m_count; }
    // Index of the attribute with this exact name, -1 when absent.
    int index(QLatin1String name) const;
    QString qName(int i) const;
    // The value as text; empty but not null for a present, empty value.
    QString value(int i) const;
    // The value of the named attribute; null when absent.
    QString value(QLatin1String name) const;
    QByteArrayView utf8Name(int i) const;
    QByteArrayView utf8Value(int i) const;

private:
    size_t length(int string) const;

    const char* const* m_pairs;
    const quint32* m_lengths;
    int m_count = 0;
};
