#pragma once

#include <QString>

struct XML_ParserStruct;

// What every reader that parses with expat shares: the parser's faults in our own words, and
// the code pages expat does not know itself.
class DAmlExpat
{
public:
    // The words of one of expat's error codes (an XML_Error), translated.
    static QString errorText(int code);
    // Lets `parser` read the single-byte code pages expat does not know itself (windows-1252,
    // which Windows tools write); any other declared encoding stays an "unsupported encoding".
    static void acceptCodePages(XML_ParserStruct* parser);
};
