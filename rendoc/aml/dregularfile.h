#pragma once

#include <QString>

// Decides whether a path may be read as a file. Only regular files are read (through symbolic
// links): opening a named pipe blocks until some other process writes to it, and a device or
// socket never ends, so those are refused before anything opens them.
class DRegularFile
{
public:
    // Empty when `path` names a regular file, else why it may not be read.
    static QString refusal(const QString& path);
    static bool isRegular(const QString& path) { return refusal(path).isEmpty(); }
};
