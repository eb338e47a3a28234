#pragma once

#include <QByteArray>
#include <QString>

#include <vector>

// The element names a parse met last, as UTF-8 and as the QStrings handed to the handler. Names
// repeat, so each is converted once and the same QString is handed over every time it comes back.
class DAmlNameCache
{
public:
    // The name of `size` UTF-8 bytes at `utf8` as text.
    const QString& text(const char* utf8, size_t size);

private:
    struct Name
    {
        QByteArray utf8;
        QString text;
    };
    // A file with more names than this (few real ones have) converts the rest each time.
    static constexpr size_t MaxNames = 64;

    std::vector<Name> m_names;
};
