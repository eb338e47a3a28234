#pragma once

#include "rendoc/aml/damleventqueue.h"
#include "rendoc/aml/damllocator.h"
#include "rendoc/aml/damlnamecache.h"
#include "rendoc/aml/damlparseerror.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <atomic>
#include <memory>
#include <vector>

class DAmlAttributes;
class DAmlGuard;
class DAmlRunLimiter;
class QIODevice;
struct XML_ParserStruct;

// The XML parser under the AML reader: expat, fed in blocks, turned into the events of a
// DAmlGuard (start and end tags, character data, CDATA sections, errors) in document order.
//
// A large input is parsed on a thread of its own: the parser's callbacks record each event,
// with the line and column it was met at, into a byte block, and the calling thread hands the
// recorded blocks to the guard (a few hundred KB at a time, at most a few blocks ahead), so
// parsing and building what the handler makes run side by side. A small input, or one whose
// handler does little per event, is parsed on the calling thread, and the callbacks hand tags
// and text runs to the guard straight from the parser's strings; only the rare events (entity
// text, CDATA marks, the end and errors) go through a record there too. Either way the handler
// sees the same events, positions, errors and limits, and runs on the calling thread.
//
// Character data arrives from expat in pieces (one per line and per buffer); they are collected
// as UTF-8 and handed over as UTF-8, one piece per run, at the next tag: the handler keeps text
// as UTF-8, so nobody converts it while reading. Element names repeat, so the last few are kept
// as QStrings and reused (DAmlNameCache). Entities declared in the document are expanded
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
    // Inputs of at least this many bytes are parsed on a thread of their own (when the machine
    // has more than one core).
    static constexpr qint64 DefaultThreadThreshold = qint64(1) << 20;

    // Inputs of at least `bytes` are parsed on a thread of their own, whatever the number of
    // cores; negative: never. Tests and fuzzing drive both ways with it.
    static void setThreadThreshold(qint64 bytes);
    static qint64 threadThreshold();

    DAmlExpatSource(DAmlGuard* guard, DAmlRunLimiter* limiter);
    ~DAmlExpatSource() override;

    DAmlExpatSource(const DAmlExpatSource&) = delete;
    DAmlExpatSource& operator=(const DAmlExpatSource&) = delete;

    // Reads `device` from where it stands to its end, with `before` parsed ahead of its bytes and
    // `after` behind them (a wrapper element around a stream of elements; both must outlive the
    // call). False when the XML is not well-formed, reading failed, or the guard or a limit
    // stopped the parse.
    bool parse(QIODevice* device, QByteArrayView before = {}, QByteArrayView after = {});
    // Parses bytes held in memory; with `utf8` they are taken as UTF-8 whatever their XML
    // declaration names (text that was decoded already).
    bool parse(QByteArrayView data, bool utf8);

    // Where the event being handled was met.
    int lineNumber() const override;
    int columnNumber() const override;
    qint64 inputPosition() const override { return m_inputPosition.load(std::memory_order_relaxed); }

    // Where the parse stopped when it failed, for whatever reason (1-based; 0 when unknown).
    int errorLine() const { return m_errorLine; }
    int errorColumn() const { return m_errorColumn; }
    // The parser's or the device's own error text (empty when the guard, the handler or a
    // limit stopped the parse).
    const QString& readerError() const { return m_readerError; }

private:
    // What a block holds: records of one byte of kind, the line and the column, then the
    // kind's data.
    enum Record : char {
        StartRecord, // value bytes, attribute count, name, attribute names and values
        EndRecord, // name
        TextRecord, // a run of character data
        CdataStartRecord,
        CdataEndRecord,
        TrippedRecord, // the run limiter stopped the parse
        ParseErrorRecord, // expat's error code
        ReadFailureRecord, // the text of a device's failure
        DoneRecord, // the input ended well-formed
        DoctypeRecord, // a document type declaration starts
    };
    enum Outcome { More, Succeeded, Failed };

    // Both sides.
    bool begin(const char* encoding);
    bool end(bool ok);
    // Starts the parse: `feed` runs on a thread of its own when `size` reaches the threshold.
    template <typename Feed>
    bool run(qint64 size, Feed feed);

    // Parsing side.
    void feedDevice(QIODevice* device, QByteArrayView before, QByteArrayView after);
    void feedData(QByteArrayView data);
    // After a block was parsed: false when the parse is over (its last record written).
    bool fed(bool parsed, bool final);
    void position(int* line, int* column) const;
    // The place of an ordinary event: recorded when the events go to the other thread, left to
    // be asked (line 0) when they are handled in turn.
    void eventPosition(int* line, int* column) const;
    // Closes the text run being collected, as met at `line`, `column`; false: the guard
    // refused it when handled in turn.
    bool closeText(int line, int column);
    void dropText();
    void finishEvent();
    // The start of a tag or CDATA mark at its place (given back): the text before it is closed
    // and the run ends; false when the parse stopped or the text was refused.
    bool beginEvent(int* line, int* column);
    void readFailed(const QString& text);
    // The run limiter stopped the parse here.
    void trip();
    // Hands the recorded events over (in turn or to the other thread); false: stop parsing.
    bool deliver(bool last);
    void stopParser();
    // Either side, instead of waiting for the other: maps and touches one pool chunk for the
    // handler's items when the reserve wants one; false when none is wanted.
    bool prepareChunk() const;
    // A CDATA section starts or ends (`kind`): the text before it is closed, the mark recorded.
    void markCdata(Record kind);
    bool isReplacementText(const char* text, int size) const;

    static void onStart(void* self, const char* name, const char** atts);
    static void onEnd(void* self, const char* name);
    static void onText(void* self, const char* text, int size);
    static void onCdataStart(void* self);
    static void onCdataEnd(void* self);
    static void onComment(void* self, const char* text);
    static void onInstruction(void* self, const char* target, const char* data);
    static void onOther(void* self, const char* text, int size);
    static void onDoctype(void* self, const char* name, const char* systemId, const char* publicId,
                          int hasInternalSubset);
    // Input the handler is not told of (comments, instructions, declarations) of `size` bytes.
    void skip(qint64 size);

    // Handling side.
    Outcome handle(const DAmlEventQueue::Block& block);
    Outcome stop();
    // Events handled in turn go from the parser's callbacks to the guard without being
    // recorded; false: the guard refused the event, and the parse stops here.
    bool handled(bool accepted);

    DAmlGuard* m_guard;
    DAmlRunLimiter* m_limiter;
    XML_ParserStruct* m_parser = nullptr;

    // Parsing side's state.
    DAmlEventQueue::Block m_block; // recorded events not handed over yet
    std::unique_ptr<DAmlRunLimiter> m_runLimiter; // the parsing side's copy of the limiter
    DAmlEventQueue* m_queue = nullptr; // to the handling thread; none: handled in turn
    static constexpr size_t NoText = ~size_t(0);
    size_t m_textAt = NoText; // offset of the text record being collected
    qint64 m_unreported = 0; // bytes fed since the last event
    bool m_parserStopped = false;
    std::size_t m_chunksToPrepare = 0; // the reserve of pool chunks kept for this input
    qint64 m_prepareUntil = 0; // input position after which no chunk is prepared
    Outcome m_inTurnOutcome = More;
    std::atomic<qint64> m_inputPosition { 0 }; // input bytes fed, asked from the handling side

    // Handling side's state.
    int m_line = 0; // where the event being handled was met
    int m_column = 0;
    int m_errorLine = 0;
    int m_errorColumn = 0;
    QString m_readerError;
    DAmlNameCache m_names;
    std::vector<const char*> m_pairs; // the attributes of the start tag being handled
    std::vector<quint32> m_lengths; // and their lengths
    // Start tags with more attributes measure the rest twice.
    static constexpr quint32 MaxRecordedAttributes = 16;
};
