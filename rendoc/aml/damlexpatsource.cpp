#include "rendoc/aml/damlexpatsource.h"

#include "rendoc/aml/damlattributes.h"
#include "rendoc/aml/damlguard.h"
#include "rendoc/aml/damlrunlimiter.h"

#include <QCoreApplication>
#include <QIODevice>

// Debian's expat is built with DTD support; its header shows the entity limits only then.
#define XML_DTD
#include <expat.h>

#include <cstring>

#if XML_MAJOR_VERSION < 2 || (XML_MAJOR_VERSION == 2 && XML_MINOR_VERSION < 4)
#error "expat 2.4 or later is needed for its entity amplification limits"
#endif

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

QString DAmlExpatSource::errorText(int code)
{
    for (const ErrorText& entry : errorTexts) {
        if (entry.code == code)
            return QCoreApplication::translate("DAmlReader", entry.text);
    }
    return QCoreApplication::translate("DAmlReader", "not well-formed (%1)")
        .arg(QString::fromUtf8(XML_ErrorString(XML_Error(code))));
}

void DAmlExpatSource::acceptCodePages(XML_ParserStruct* parser)
{
    XML_SetUnknownEncodingHandler(parser, unknownEncoding, nullptr);
}

DAmlExpatSource::DAmlExpatSource(DAmlGuard* guard, DAmlRunLimiter* limiter)
    : m_guard(guard)
    , m_limiter(limiter)
{
}

DAmlExpatSource::~DAmlExpatSource()
{
    if (m_parser)
        XML_ParserFree(m_parser);
}

int DAmlExpatSource::lineNumber() const
{
    return m_parser ? int(XML_GetCurrentLineNumber(m_parser)) : 0;
}

int DAmlExpatSource::columnNumber() const
{
    return m_parser ? int(XML_GetCurrentColumnNumber(m_parser)) + 1 : 0;
}

bool DAmlExpatSource::begin(const char* encoding)
{
    if (m_parser)
        XML_ParserFree(m_parser);
    m_parser = XML_ParserCreate(encoding);
    m_text.resize(0);
    m_unreported = 0;
    m_stopped = false;
    m_errorLine = 0;
    m_errorColumn = 0;
    m_readerError.clear();
    if (!m_parser)
        return readFailure(errorText(XML_ERROR_NO_MEMORY));
    XML_SetUserData(m_parser, this);
    XML_SetElementHandler(m_parser, onStart, onEnd);
    XML_SetCharacterDataHandler(m_parser, onText);
    XML_SetCdataSectionHandler(m_parser, onCdataStart, onCdataEnd);
    XML_SetCommentHandler(m_parser, onComment);
    XML_SetProcessingInstructionHandler(m_parser, onInstruction);
    // Keeps entity expansion on; sees the prolog, declarations and skipped references.
    XML_SetDefaultHandlerExpand(m_parser, onOther);
    acceptCodePages(m_parser);
    XML_SetParamEntityParsing(m_parser, XML_PARAM_ENTITY_PARSING_NEVER);
    XML_SetBillionLaughsAttackProtectionMaximumAmplification(m_parser, MaxAmplification);
    XML_SetBillionLaughsAttackProtectionActivationThreshold(m_parser, AmplificationThreshold);
    m_guard->setLocator(this);
    if (!m_guard->startDocument()) {
        m_errorLine = 1;
        m_errorColumn = 1;
        return false;
    }
    return true;
}

bool DAmlExpatSource::parse(QIODevice* device)
{
    if (!begin(nullptr))
        return end(false);
    if (!device || !device->isReadable())
        return end(readFailure(QCoreApplication::translate("DAmlReader", "input not readable")));
    for (;;) {
        void* buffer = XML_GetBuffer(m_parser, BlockSize);
        if (!buffer)
            return end(readFailure(errorText(XML_ERROR_NO_MEMORY)));
        const qint64 size = device->read(static_cast<char*>(buffer), BlockSize);
        if (size < 0) {
            return end(readFailure(QCoreApplication::translate("DAmlReader", "read error: %1")
                                       .arg(device->errorString())));
        }
        m_unreported += size;
        const bool final = size == 0;
        if (XML_ParseBuffer(m_parser, int(size), final) != XML_STATUS_OK)
            return end(failed());
        if (final)
            return end(true);
        if (!m_limiter->fits(m_unreported))
            return end(false);
    }
}

bool DAmlExpatSource::parse(QByteArrayView data, bool utf8)
{
    if (!begin(utf8 ? "UTF-8" : nullptr))
        return end(false);
    qsizetype at = 0;
    do {
        const int size = int(qMin<qsizetype>(BlockSize, data.size() - at));
        m_unreported += size;
        const bool final = at + size == data.size();
        if (XML_Parse(m_parser, data.data() + at, size, final) != XML_STATUS_OK)
            return end(failed());
        at += size;
        if (!final && !m_limiter->fits(m_unreported))
            return end(false);
    } while (at < data.size());
    return end(true);
}

bool DAmlExpatSource::failed()
{
    const XML_Error code = XML_GetErrorCode(m_parser);
    if (code == XML_ERROR_ABORTED && m_stopped)
        return false; // the guard, the handler or a limit said why
    m_errorLine = int(XML_GetErrorLineNumber(m_parser));
    m_errorColumn = int(XML_GetErrorColumnNumber(m_parser)) + 1;
    if (code == XML_ERROR_AMPLIFICATION_LIMIT_BREACH) {
        m_guard->expansionRefused(m_errorLine);
        return false;
    }
    m_readerError = errorText(code);
    m_guard->fatalError(DAmlParseError { m_readerError, m_errorLine, m_errorColumn });
    return false;
}

bool DAmlExpatSource::readFailure(const QString& text)
{
    m_readerError = text;
    m_errorLine = qMax(1, lineNumber());
    m_errorColumn = qMax(1, columnNumber());
    m_guard->fatalError(DAmlParseError { text, m_errorLine, m_errorColumn });
    return false;
}

bool DAmlExpatSource::end(bool ok)
{
    if (ok && !(flushText() && m_guard->endDocument()))
        ok = false;
    if (!ok && m_errorLine == 0 && m_parser) {
        m_errorLine = qMax(1, lineNumber());
        m_errorColumn = qMax(1, columnNumber());
    }
    m_guard->setLocator(nullptr);
    return ok;
}

void DAmlExpatSource::stop()
{
    if (m_stopped)
        return;
    m_stopped = true;
    m_errorLine = lineNumber();
    m_errorColumn = columnNumber();
    XML_StopParser(m_parser, XML_FALSE);
}

// An event other than character data: whatever was collected is handed over first, and the
// next run starts.
bool DAmlExpatSource::flushText()
{
    m_unreported = 0;
    if (m_text.isEmpty())
        return true;
    m_limiter->endRun();
    const bool ok = m_guard->charactersUtf8(m_text);
    m_text.resize(0);
    return ok;
}

void DAmlExpatSource::endEvent()
{
    m_limiter->endRun();
    m_unreported = 0;
}

bool DAmlExpatSource::isReplacementText(const char* text, int size) const
{
    // Newlines, character references and predefined entities come one character at a time
    // from outside the input too; they are part of the run around them.
    if (size <= 4)
        return false;
    int offset = 0;
    int length = 0;
    const char* input = XML_GetInputContext(m_parser, &offset, &length);
    if (!input)
        return false;
    const auto at = reinterpret_cast<quintptr>(text);
    const auto begin = reinterpret_cast<quintptr>(input);
    return at < begin || at >= begin + quintptr(length);
}

const QString& DAmlExpatSource::elementName(const char* utf8)
{
    // Most names differ from each other in their first byte: compared first, it spares most
    // full comparisons.
    for (const Name& name : m_names) {
        const char* known = name.utf8.constData();
        if (known[0] == utf8[0] && std::strcmp(known, utf8) == 0)
            return name.text;
    }
    // A file with more names than this (few real ones have) converts the rest each time.
    if (m_names.size() >= MaxNames)
        m_names.erase(m_names.begin());
    const QByteArray bytes(utf8);
    m_names.push_back(Name { bytes, QString::fromUtf8(bytes) });
    return m_names.back().text;
}

void DAmlExpatSource::onStart(void* data, const char* name, const char** atts)
{
    auto* self = static_cast<DAmlExpatSource*>(data);
    if (self->m_stopped)
        return;
    if (!self->flushText())
        return self->stop();
    self->endEvent();
    const DAmlAttributes attributes(atts);
    qint64 valueBytes = 0;
    for (int i = 0; i < attributes.count(); ++i) {
        const qint64 size = attributes.utf8Value(i).size();
        if (!self->m_limiter->fits(size))
            return self->stop();
        valueBytes += size;
    }
    if (!self->m_guard->startElement(self->elementName(name), attributes, valueBytes))
        self->stop();
}

void DAmlExpatSource::onEnd(void* data, const char* name)
{
    auto* self = static_cast<DAmlExpatSource*>(data);
    if (self->m_stopped)
        return;
    if (!self->flushText())
        return self->stop();
    self->endEvent();
    if (!self->m_guard->endElement(self->elementName(name)))
        self->stop();
}

void DAmlExpatSource::onText(void* data, const char* text, int size)
{
    auto* self = static_cast<DAmlExpatSource*>(data);
    if (self->m_stopped)
        return;
    self->m_unreported = 0;
    if (self->isReplacementText(text, size)) {
        // The replacement text of an entity: handed over on its own, so that it does not add
        // to the run it sits in; the guard counts it with the document's text.
        if (!self->flushText())
            return self->stop();
        if (!self->m_guard->charactersUtf8(QByteArrayView(text, size)))
            self->stop();
        return;
    }
    if (!self->m_limiter->add(size))
        return self->stop();
    self->m_text.append(text, size);
}

void DAmlExpatSource::onCdataStart(void* data)
{
    auto* self = static_cast<DAmlExpatSource*>(data);
    if (self->m_stopped)
        return;
    if (!self->flushText() || !self->m_guard->startCDATA())
        return self->stop();
    self->endEvent();
}

void DAmlExpatSource::onCdataEnd(void* data)
{
    auto* self = static_cast<DAmlExpatSource*>(data);
    if (self->m_stopped)
        return;
    if (!self->flushText() || !self->m_guard->endCDATA())
        return self->stop();
    self->endEvent();
}

void DAmlExpatSource::onComment(void* data, const char* text)
{
    auto* self = static_cast<DAmlExpatSource*>(data);
    if (self->m_stopped)
        return;
    self->m_unreported = 0;
    if (!self->m_limiter->fits(qint64(std::strlen(text))))
        self->stop();
}

void DAmlExpatSource::onInstruction(void* data, const char*, const char* text)
{
    auto* self = static_cast<DAmlExpatSource*>(data);
    if (self->m_stopped)
        return;
    self->m_unreported = 0;
    if (!self->m_limiter->fits(qint64(std::strlen(text))))
        self->stop();
}

void DAmlExpatSource::onOther(void* data, const char*, int size)
{
    auto* self = static_cast<DAmlExpatSource*>(data);
    if (self->m_stopped)
        return;
    self->m_unreported = 0;
    if (!self->m_limiter->fits(size))
        self->stop();
}
