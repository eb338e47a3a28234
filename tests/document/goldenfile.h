#pragma once

#include <QString>

// Compares a text with a golden file of the test data folder. With the
// environment variable KORVAT_UPDATE_GOLDEN set, the file is written instead,
// so that a reviewed change of output can be recorded.
class GoldenFile
{
public:
    // True when equal (or written); otherwise `message` tells the first
    // differing line.
    static bool check(const QString &name, const QString &actual, QString *message);
};
