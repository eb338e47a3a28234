#pragma once

#include <QByteArray>

class QFile;

// The bytes of an open file for the readers that walk a file in memory
// (JSON, TAP): mapped into memory when
// the file allows it (no copy of a large report), else read whole. The
// mapping lasts as long as the file stays open.
class QAJsonFile
{
public:
    // False when the file cannot be read.
    static bool contents(QFile &file, QByteArray &bytes);
};
