#pragma once

#include "rendoc/aml/damleventqueue.h"

#include <QtGlobal>

#include <cstddef>
#include <cstring>

// The byte layout of recorded parser events in a DAmlEventQueue block: each record is one
// byte of kind, the line and the column, then the kind's numbers and strings. Numbers are
// fixed-size, in the machine's byte order (a block never leaves the process); a string is
// its length, its bytes and a terminating zero, so that it can be handed on in place.
class DAmlEventRecord
{
public:
    static constexpr std::size_t HeaderBytes = 1 + 2 * sizeof(qint32);

    static void writeHeader(DAmlEventQueue::Block& block, char kind, int line, int column)
    {
        char header[HeaderBytes];
        header[0] = kind;
        const qint32 numbers[2] = { line, column };
        std::memcpy(header + 1, numbers, sizeof numbers);
        block.append(header, sizeof header);
    }

    static void writeCount(DAmlEventQueue::Block& block, qint64 value)
    {
        block.append(&value, sizeof value);
    }

    // Writes `text` (`size` bytes and the zero after them) at `at`; returns where the next
    // field goes.
    static char* writeString(char* at, const char* text, std::size_t size)
    {
        const quint32 length = quint32(size);
        std::memcpy(at, &length, sizeof length);
        std::memcpy(at + sizeof length, text, size + 1);
        return at + sizeof length + size + 1;
    }

    template <typename T>
    static T readNumber(const char*& at)
    {
        T value;
        std::memcpy(&value, at, sizeof value);
        at += sizeof value;
        return value;
    }

    // A string written by writeString(), zero-terminated in place.
    static const char* readString(const char*& at, std::size_t* size = nullptr)
    {
        const quint32 length = readNumber<quint32>(at);
        const char* text = at;
        at += length + 1;
        if (size)
            *size = length;
        return text;
    }
};
