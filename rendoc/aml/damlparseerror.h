#pragma once

#include <QString>

// A fault of the XML itself (not well-formed, bad encoding), with where the parser found it
// (1-based line and column).
struct DAmlParseError
{
    QString message;
    int line = 0;
    int column = 0;
};
