#pragma once

#include "rendoc/aml/damllocator.h"
#include "rendoc/aml/damlparseerror.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <vector>

class DAmlAttributes;
class DAmlGuard;
class DAmlRunLimiter;
class QIODevice;
struct XML_ParserStruct;

// The XML parser under the AML reader: expat, fed in blocks, turned into the events of a
// DAmlGuard (start and end tags, character data, CDATA sections, errors) in document order.
//
// Character data arrives from expat in pieces (one per line and per buffer); they are collected
// as UTF-8 and handed over as UTF-8, one piece per run, at the next tag: the handler keeps text
// as UTF-8, so nobody converts it while reading. Element names repeat, so the last few are kept
// as QStrings and reused. Entities declared in the document are expanded
// within expat's amplification limits; external entities and external DTDs are never loaded.
// The run limiter bounds what is fed without an event being reported and every run collected.
class DAmlExpatSource : public DAmlLocator
{
public:
    // Bytes read from a device at a time.
    static constexpr int BlockSize = 64 * 1024;
    // Entity expansion may produce this many times the bytes of the input...
    static constexpr float MaxAmplification = 100.0f;
    // ...once it has produced this many bytes; below that, small files use entities freely.
    static constexpr unsigned long long AmplificationThreshold = 16ull * 1024 * 1024;

    // The words of one of expat's error codes (an XML_Error), translated: every reader that
    // parses with expat reports the parser's faults in them.
    static QString errorText(int code);
    // Lets `parser` read the single-byte code pages expat does not know itself (windows-1252,
    // which Windows tools write); any other declared encoding stays an "unsupported encoding".
    static void acceptCodePages(XML_ParserStruct* parser);

    DAmlExpatSource(DAmlGuard* guard, DAmlRunLimiter* limiter);
    ~DAmlExpatSource() override;
    DAmlExpatSource(const DAmlExpatSource&) = delete;
    DAmlExpatSource& operator=(const DAmlExpatSource&) = delete;

    // Reads `device` from where it stands to its end. False when the XML is not well-formed,
    // reading failed, or the guard or a limit stopped the parse.
    bool parse(QIODevice* device);
    // Parses bytes held in memory; with `utf8` they are taken as UTF-8 whatever their XML
    // declaration names (text that was decoded already).
    bool parse(QByteArrayView data, bool utf8);

    int lineNumber() const override;
    int columnNumber() const override;

    // Where the parse stopped when it failed, for whatever reason (1-based; 0 when unknown).
    int errorLine() const { return m_errorLine; }
    int errorColumn() const { return m_errorColumn; }
    // The parser's or the device's own error text (empty when the guard, the handler or a
    // limit stopped the parse).
    const QString& readerError() const { return m_readerError; }

private:
    bool begin(const char* encoding);
    bool feed(const char* data, int size, bool final);
    bool end(bool ok);
    bool failed();
    // Reading the input failed: tells the guard and returns false.
    bool readFailure(const QString& text);
    // Stops the parse from inside a callback and notes where.
    void stop();
    bool flushText();
    void endEvent();
    const QString& elementName(const char* utf8);
    // True when character data comes from an entity's replacement text rather than the
    // input (expat hands the input's text over in place).
    bool isReplacementText(const char* text, int size) const;

    static void onStart(void* self, const char* name, const char** atts);
    static void onEnd(void* self, const char* name);
    static void onText(void* self, const char* text, int size);
    static void onCdataStart(void* self);
    static void onCdataEnd(void* self);
    static void onComment(void* self, const char* text);
    static void onInstruction(void* self, const char* target, const char* data);
    static void onOther(void* self, const char* text, int size);

    DAmlGuard* m_guard;
    DAmlRunLimiter* m_limiter;
    XML_ParserStruct* m_parser = nullptr;
    QByteArray m_text; // character data of the current run, UTF-8
    qint64 m_unreported = 0; // bytes fed since the last event
    bool m_stopped = false;
    int m_errorLine = 0;
    int m_errorColumn = 0;
    QString m_readerError;
    struct Name
    {
        QByteArray utf8;
        QString text;
    };
    std::vector<Name> m_names;
    static constexpr size_t MaxNames = 64;
};
