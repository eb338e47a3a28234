#include "rendoc/aml/damlexpat.h"

#include <QByteArray>
#include <QCoreApplication>

// Debian's expat is built with DTD support; its header shows the entity limits only then (and
// is read once in a unity build).
#define XML_DTD
#include <expat.h>

namespace {

struct ErrorText
{
    XML_Error code;
    const char* text;
};

// The parser's faults in our own words, translatable; the rest fall back to a general text.
const ErrorText errorTexts[] = {
    { XML_ERROR_NO_MEMORY, QT_TRANSLATE_NOOP("DAmlReader", "out of memory") },
    { XML_ERROR_SYNTAX, QT_TRANSLATE_NOOP("DAmlReader", "syntax error") },
    { XML_ERROR_NO_ELEMENTS, QT_TRANSLATE_NOOP("DAmlReader", "unexpected end of file") },
    { XML_ERROR_INVALID_TOKEN, QT_TRANSLATE_NOOP("DAmlReader", "invalid character or markup") },
    { XML_ERROR_UNCLOSED_TOKEN, QT_TRANSLATE_NOOP("DAmlReader", "unexpected end of file") },
    { XML_ERROR_PARTIAL_CHAR, QT_TRANSLATE_NOOP("DAmlReader", "incomplete character") },
    { XML_ERROR_TAG_MISMATCH, QT_TRANSLATE_NOOP("DAmlReader", "tag mismatch") },
    { XML_ERROR_DUPLICATE_ATTRIBUTE, QT_TRANSLATE_NOOP("DAmlReader", "duplicate attribute") },
    { XML_ERROR_JUNK_AFTER_DOC_ELEMENT,
        QT_TRANSLATE_NOOP("DAmlReader", "text or markup after the root element") },
    { XML_ERROR_UNDEFINED_ENTITY, QT_TRANSLATE_NOOP("DAmlReader", "undefined entity") },
    { XML_ERROR_RECURSIVE_ENTITY_REF, QT_TRANSLATE_NOOP("DAmlReader", "recursive entity reference") },
    { XML_ERROR_BAD_CHAR_REF, QT_TRANSLATE_NOOP("DAmlReader", "reference to an invalid character") },
    { XML_ERROR_MISPLACED_XML_PI,
        QT_TRANSLATE_NOOP("DAmlReader", "XML declaration not at the start of the file") },
    { XML_ERROR_UNKNOWN_ENCODING, QT_TRANSLATE_NOOP("DAmlReader", "unsupported encoding") },
    { XML_ERROR_INCORRECT_ENCODING,
        QT_TRANSLATE_NOOP("DAmlReader", "content does not match the declared encoding") },
    { XML_ERROR_UNCLOSED_CDATA_SECTION, QT_TRANSLATE_NOOP("DAmlReader", "unexpected end of file") },
};


// Code points of windows-1252 bytes 0x80 to 0x9f (0: unassigned); the other bytes are those of
// ISO-8859-1. Windows tools write it, and expat knows only UTF-8, UTF-16, ISO-8859-1 and ASCII.
const int windows1252High[32] = {
    0x20ac, 0, 0x201a, 0x0192, 0x201e, 0x2026, 0x2020, 0x2021, 0x02c6, 0x2030, 0x0160, 0x2039,
    0x0152, 0, 0x017d, 0, 0, 0x2018, 0x2019, 0x201c, 0x201d, 0x2022, 0x2013, 0x2014,
    0x02dc, 0x2122, 0x0161, 0x203a, 0x0153, 0, 0x017e, 0x0178,
};

int XMLCALL unknownEncoding(void*, const XML_Char* name, XML_Encoding* info)
{
    const QByteArray encoding = QByteArray(name).toLower();
    if (encoding != "windows-1252" && encoding != "cp1252")
        return XML_STATUS_ERROR;
    for (int byte = 0; byte < 256; ++byte) {
        const bool high = byte >= 0x80 && byte < 0xa0;
        const int code = high ? windows1252High[byte - 0x80] : byte;
        info->map[byte] = code ? code : -1;
    }
    info->data = nullptr;
    info->convert = nullptr;
    info->release = nullptr;
    return XML_STATUS_OK;
}

} // namespace

QString DAmlExpat::errorText(int code)
{
    for (const ErrorText& entry : errorTexts) {
        if (entry.code == code)
            return QCoreApplication::translate("DAmlReader", entry.text);
    }
    return QCoreApplication::translate("DAmlReader", "not well-formed (%1)")
        .arg(QString::fromUtf8(XML_ErrorString(XML_Error(code))));
}

void DAmlExpat::acceptCodePages(XML_ParserStruct* parser)
{
    XML_SetUnknownEncodingHandler(parser, unknownEncoding, nullptr);
}
