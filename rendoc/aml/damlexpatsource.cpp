#include "rendoc/aml/damlexpatsource.h"

#include "rendoc/aml/damlexpat.h"
#include "rendoc/aml/damlattributes.h"
#include "rendoc/aml/damleventqueue.h"
#include "rendoc/aml/damleventrecord.h"
#include "rendoc/aml/damlguard.h"
#include "rendoc/aml/damlrunlimiter.h"
#include "rendoc/model/dpool.h"

#include <QIODevice>
#include <QThread>

// Debian's expat is built with DTD support; its header shows the entity limits only then.
#define XML_DTD
#include <expat.h>

#include <atomic>
#include <cstring>
#include <limits>
#include <system_error>
#include <thread>

#if XML_MAJOR_VERSION < 2 || (XML_MAJOR_VERSION == 2 && XML_MINOR_VERSION < 4)
#error "expat 2.4 or later is needed for its entity amplification limits"
#endif

namespace {

// Blocks handed to the handling thread: large enough that the two threads meet a few hundred
// times in a large file, small enough to stay in the caches; a few at most wait.
constexpr size_t queueBlockBytes = 256 * 1024;
constexpr int queueDepth = 4;
// Pool chunks kept ready while the handler uses chunks up (2 MiB each), by whichever thread would
// wait for the other: one per this many bytes of input, at most eight, so that the reserve stays
// small beside what a smaller input builds.
constexpr qint64 inputBytesPerPreparedChunk = qint64(4) << 20;
constexpr std::size_t preparedChunks = 8;

// -2: the default (a threshold when the machine has more than one core).
std::atomic<qint64> threadThresholdBytes { -2 };

} // namespace

void DAmlExpatSource::setThreadThreshold(qint64 bytes)
{
    threadThresholdBytes.store(bytes);
}

qint64 DAmlExpatSource::threadThreshold()
{
    const qint64 bytes = threadThresholdBytes.load();
    if (bytes != -2)
        return bytes;
    return QThread::idealThreadCount() > 1 ? DefaultThreadThreshold : -1;
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
    // Line 0: an event handled in turn, recorded without its place; the parser still stands on it.
    if (m_line == 0 && m_parser)
        return int(XML_GetCurrentLineNumber(m_parser));
    return m_line;
}

int DAmlExpatSource::columnNumber() const
{
    if (m_line == 0 && m_parser)
        return int(XML_GetCurrentColumnNumber(m_parser)) + 1;
    return m_column;
}

bool DAmlExpatSource::begin(const char* encoding)
{
    if (m_parser)
        XML_ParserFree(m_parser);
    m_parser = XML_ParserCreate(encoding);
    m_line = 1;
    m_column = 1;
    m_errorLine = 0;
    m_errorColumn = 0;
    m_readerError.clear();
    m_guard->setLocator(this);
    if (!m_parser) {
        m_readerError = DAmlExpat::errorText(XML_ERROR_NO_MEMORY);
        m_errorLine = 1;
        m_errorColumn = 1;
        m_guard->fatalError(DAmlParseError { m_readerError, m_errorLine, m_errorColumn });
        return false;
    }
    XML_SetUserData(m_parser, this);
    XML_SetElementHandler(m_parser, onStart, onEnd);
    XML_SetCharacterDataHandler(m_parser, onText);
    XML_SetCdataSectionHandler(m_parser, onCdataStart, onCdataEnd);
    XML_SetCommentHandler(m_parser, onComment);
    XML_SetProcessingInstructionHandler(m_parser, onInstruction);
    // Keeps entity expansion on; sees the prolog, declarations and skipped references.
    XML_SetDefaultHandlerExpand(m_parser, onOther);
    XML_SetStartDoctypeDeclHandler(m_parser, onDoctype);
    DAmlExpat::acceptCodePages(m_parser);
    XML_SetParamEntityParsing(m_parser, XML_PARAM_ENTITY_PARSING_NEVER);
    XML_SetBillionLaughsAttackProtectionMaximumAmplification(m_parser, MaxAmplification);
    XML_SetBillionLaughsAttackProtectionActivationThreshold(m_parser, AmplificationThreshold);
    if (!m_guard->startDocument()) {
        m_errorLine = 1;
        m_errorColumn = 1;
        return false;
    }
    return true;
}

bool DAmlExpatSource::end(bool ok)
{
    if (ok && !m_guard->endDocument())
        ok = false;
    if (!ok && m_errorLine == 0 && m_parser) {
        m_errorLine = qMax(1, lineNumber());
        m_errorColumn = qMax(1, columnNumber());
    }
    m_guard->setLocator(nullptr);
    return ok;
}

bool DAmlExpatSource::parse(QIODevice* device, QByteArrayView before, QByteArrayView after)
{
    if (!begin(nullptr))
        return end(false);
    if (!device || !device->isReadable()) {
        m_readerError = QCoreApplication::translate("DAmlReader", "input not readable");
        m_errorLine = 1;
        m_errorColumn = 1;
        m_guard->fatalError(DAmlParseError { m_readerError, m_errorLine, m_errorColumn });
        return end(false);
    }
    const qint64 size = device->isSequential() ? 0 : device->size() - device->pos();
    return run(size, [this, device, before, after] { feedDevice(device, before, after); });
}

bool DAmlExpatSource::parse(QByteArrayView data, bool utf8)
{
    if (!begin(utf8 ? "UTF-8" : nullptr))
        return end(false);
    return run(data.size(), [this, data] { feedData(data); });
}

template <typename Feed>
bool DAmlExpatSource::run(qint64 size, Feed feed)
{
    // The parsing side counts runs on a copy: it may run ahead of the handler, which may stop
    // the parse before the point where the limit was passed.
    m_runLimiter = std::make_unique<DAmlRunLimiter>(*m_limiter);
    m_block.clear();
    m_textAt = NoText;
    m_unreported = 0;
    m_parserStopped = false;
    m_inTurnOutcome = More;
    m_queue = nullptr;
    m_inputPosition.store(0, std::memory_order_relaxed);
    // An input of unknown size keeps the full reserve to its end.
    m_chunksToPrepare = size > 0 ? qMin<std::size_t>(preparedChunks, std::size_t(size / inputBytesPerPreparedChunk))
                                 : preparedChunks;
    m_prepareUntil = size > 0 ? size - size / 5 : std::numeric_limits<qint64>::max();

    const qint64 threshold = threadThreshold();
    if (threshold >= 0 && size >= threshold) {
        DAmlEventQueue queue(queueDepth);
        std::thread parser;
        m_queue = &queue;
        try {
            parser = std::thread([&queue, &feed] {
                feed();
                queue.finish();
            });
        } catch (const std::system_error&) {
            m_queue = nullptr; // no thread to be had: parsed in turn below
        }
        if (m_queue) {
            Outcome outcome = More;
            {
                // Stops and waits for the parsing thread however this side leaves.
                struct Join
                {
                    DAmlEventQueue& queue;
                    std::thread& thread;
                    ~Join()
                    {
                        queue.cancel();
                        thread.join();
                    }
                } join { queue, parser };
                DAmlEventQueue::Block block;
                const DAmlEventQueue::IdleWork prepare = [this] { return prepareChunk(); };
                while (outcome == More && queue.pop(block, prepare))
                    outcome = handle(block);
            }
            m_queue = nullptr;
            DPool::releasePreparedChunks();
            // Every parse ends with a record that ends it; More is not left.
            return end(outcome == Succeeded);
        }
    }
    feed();
    return end(m_inTurnOutcome == Succeeded);
}

// ---- Parsing side ----

void DAmlExpatSource::feedDevice(QIODevice* device, QByteArrayView before, QByteArrayView after)
{
    if (!before.isEmpty()) {
        m_unreported += before.size();
        if (!fed(XML_Parse(m_parser, before.data(), int(before.size()), XML_FALSE) == XML_STATUS_OK, false))
            return;
    }
    qint64 position = 0;
    for (;;) {
        void* buffer = XML_GetBuffer(m_parser, BlockSize);
        if (!buffer)
            return readFailed(DAmlExpat::errorText(XML_ERROR_NO_MEMORY));
        const qint64 size = device->read(static_cast<char*>(buffer), BlockSize);
        if (size < 0) {
            return readFailed(QCoreApplication::translate("DAmlReader", "read error: %1")
                                  .arg(device->errorString()));
        }
        position += size;
        m_inputPosition.store(position, std::memory_order_relaxed);
        m_unreported += size;
        if (size == 0 && !after.isEmpty()) {
            // The device ended: what follows its bytes ends the input.
            m_unreported += after.size();
            fed(XML_Parse(m_parser, after.data(), int(after.size()), XML_TRUE) == XML_STATUS_OK, true);
            return;
        }
        const bool final = size == 0;
        if (!fed(XML_ParseBuffer(m_parser, int(size), final) == XML_STATUS_OK, final))
            return;
    }
}

void DAmlExpatSource::feedData(QByteArrayView data)
{
    qsizetype at = 0;
    for (;;) {
        const int size = int(qMin<qsizetype>(BlockSize, data.size() - at));
        m_inputPosition.store(at + size, std::memory_order_relaxed);
        m_unreported += size;
        const bool final = at + size == data.size();
        if (!fed(XML_Parse(m_parser, data.data() + at, size, final) == XML_STATUS_OK, final))
            return;
        at += size;
    }
}

bool DAmlExpatSource::fed(bool parsed, bool final)
{
    if (!parsed) {
        if (m_parserStopped)
            return false; // the records say why
        const XML_Error code = XML_GetErrorCode(m_parser);
        dropText();
        DAmlEventRecord::writeHeader(m_block, ParseErrorRecord,
                                     int(XML_GetErrorLineNumber(m_parser)),
                                     int(XML_GetErrorColumnNumber(m_parser)) + 1);
        const qint32 number = code;
        m_block.append(reinterpret_cast<const char*>(&number), sizeof number);
        deliver(true);
        return false;
    }
    if (final) {
        int line = 0;
        int column = 0;
        position(&line, &column);
        if (!closeText(line, column))
            return false;
        DAmlEventRecord::writeHeader(m_block, DoneRecord, line, column);
        deliver(true);
        return false;
    }
    if (!m_runLimiter->fits(m_unreported)) {
        trip();
        return false;
    }
    return true;
}

void DAmlExpatSource::eventPosition(int* line, int* column) const
{
    // Handled in turn, an event is asked for its place only when something goes wrong: expat
    // works it out over the bytes once more, which would cost a full pass for every read.
    if (!m_queue) {
        *line = 0;
        *column = 0;
        return;
    }
    position(line, column);
}

void DAmlExpatSource::position(int* line, int* column) const
{
    *line = int(XML_GetCurrentLineNumber(m_parser));
    *column = int(XML_GetCurrentColumnNumber(m_parser)) + 1;
}

bool DAmlExpatSource::closeText(int line, int column)
{
    if (m_textAt == NoText)
        return true;
    m_runLimiter->endRun();
    if (!m_queue) {
        // In turn: the run goes to the guard from where it was collected.
        const size_t at = m_textAt + DAmlEventRecord::HeaderBytes + sizeof(qint64);
        const QByteArrayView text(m_block.data() + at, qsizetype(m_block.size() - at));
        m_line = line;
        m_column = column;
        const bool accepted = handled(m_guard->charactersUtf8(text));
        m_block.resize(m_textAt);
        m_textAt = NoText;
        return accepted;
    }
    const qint32 numbers[2] = { line, column };
    std::memcpy(m_block.data() + m_textAt + 1, numbers, sizeof numbers);
    const qint64 size = qint64(m_block.size() - (m_textAt + 1 + sizeof numbers + sizeof(qint64)));
    std::memcpy(m_block.data() + m_textAt + 1 + sizeof numbers, &size, sizeof size);
    m_textAt = NoText;
    return true;
}

void DAmlExpatSource::dropText()
{
    if (m_textAt == NoText)
        return;
    m_block.resize(m_textAt);
    m_textAt = NoText;
}

void DAmlExpatSource::finishEvent()
{
    m_runLimiter->endRun();
    m_unreported = 0;
}

void DAmlExpatSource::readFailed(const QString& text)
{
    int line = 0;
    int column = 0;
    position(&line, &column);
    dropText();
    DAmlEventRecord::writeHeader(m_block, ReadFailureRecord, qMax(1, line), qMax(1, column));
    const QByteArray utf8 = text.toUtf8();
    DAmlEventRecord::writeCount(m_block, utf8.size());
    m_block.append(utf8.constData(), size_t(utf8.size()));
    deliver(true);
}

void DAmlExpatSource::trip()
{
    int line = 0;
    int column = 0;
    position(&line, &column);
    dropText(); // a run cut short is never handed over
    DAmlEventRecord::writeHeader(m_block, TrippedRecord, line, column);
    stopParser();
    deliver(true);
}

bool DAmlExpatSource::deliver(bool last)
{
    if (m_queue) {
        if (!last && m_block.size() < queueBlockBytes)
            return true;
        if (m_block.capacity() < queueBlockBytes)
            m_block.reserve(queueBlockBytes + queueBlockBytes / 4);
        if (!m_queue->push(m_block, [this] { return prepareChunk(); }))
            return false;
        if (m_block.capacity() < queueBlockBytes)
            m_block.reserve(queueBlockBytes + queueBlockBytes / 4);
        return true;
    }
    // In turn: every event is handled as soon as it is recorded, so the parser never runs
    // ahead of the handler.
    const Outcome outcome = handle(m_block);
    m_block.clear();
    if (outcome == More)
        return true;
    // The parse stops here: its place is taken while the parser still stands on the event.
    if (m_line == 0 && m_parser)
        position(&m_line, &m_column);
    m_inTurnOutcome = outcome;
    return false;
}

bool DAmlExpatSource::prepareChunk() const
{
    // Not in the last fifth of the input: what is taken there includes each size's last
    // chunk, which is filled only in part, and a prepared chunk is touched whole (on the
    // reference report 7.5 MB of the peak).
    if (m_inputPosition.load(std::memory_order_relaxed) > m_prepareUntil)
        return false;
    return DPool::prepareChunk(m_chunksToPrepare);
}

void DAmlExpatSource::stopParser()
{
    if (m_parserStopped)
        return;
    m_parserStopped = true;
    XML_StopParser(m_parser, XML_FALSE);
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

// ---- Handling side ----

DAmlExpatSource::Outcome DAmlExpatSource::handle(const DAmlEventQueue::Block& block)
{
    const char* at = block.data();
    const char* const end = at + block.size();
    while (at < end) {
        const auto kind = Record(*at++);
        m_line = DAmlEventRecord::readNumber<qint32>(at);
        m_column = DAmlEventRecord::readNumber<qint32>(at);
        switch (kind) {
        case StartRecord: {
            const qint64 valueBytes = DAmlEventRecord::readNumber<qint64>(at);
            const quint32 count = DAmlEventRecord::readNumber<quint32>(at);
            size_t size = 0;
            const char* name = DAmlEventRecord::readString(at, &size);
            m_pairs.clear();
            m_lengths.clear();
            for (quint32 i = 0; i < 2 * count; ++i) {
                size_t length = 0;
                m_pairs.push_back(DAmlEventRecord::readString(at, &length));
                m_lengths.push_back(quint32(length));
            }
            m_pairs.push_back(nullptr);
            const DAmlAttributes attributes(m_pairs.data(), m_lengths.data());
            if (!m_guard->startElement(m_names.text(name, size), attributes, valueBytes))
                return stop();
            break;
        }
        case EndRecord: {
            size_t size = 0;
            const char* name = DAmlEventRecord::readString(at, &size);
            if (!m_guard->endElement(m_names.text(name, size)))
                return stop();
            break;
        }
        case TextRecord: {
            const qint64 size = DAmlEventRecord::readNumber<qint64>(at);
            const QByteArrayView text(at, size);
            at += size;
            if (!m_guard->charactersUtf8(text))
                return stop();
            break;
        }
        case CdataStartRecord:
            if (!m_guard->startCDATA())
                return stop();
            break;
        case CdataEndRecord:
            if (!m_guard->endCDATA())
                return stop();
            break;
        case TrippedRecord:
            // The parsing side stopped at the limit; from here on the reader reports it.
            *m_limiter = *m_runLimiter;
            return stop();
        case ParseErrorRecord: {
            const auto code = XML_Error(DAmlEventRecord::readNumber<qint32>(at));
            m_errorLine = m_line;
            m_errorColumn = m_column;
            if (code == XML_ERROR_AMPLIFICATION_LIMIT_BREACH) {
                m_guard->expansionRefused(m_errorLine);
                return Failed;
            }
            m_readerError = DAmlExpat::errorText(code);
            m_guard->fatalError(DAmlParseError { m_readerError, m_errorLine, m_errorColumn });
            return Failed;
        }
        case ReadFailureRecord: {
            const qint64 size = DAmlEventRecord::readNumber<qint64>(at);
            m_readerError = QString::fromUtf8(at, size);
            at += size;
            m_errorLine = m_line;
            m_errorColumn = m_column;
            m_guard->fatalError(DAmlParseError { m_readerError, m_errorLine, m_errorColumn });
            return Failed;
        }
        case DoctypeRecord:
            if (!m_guard->startDTD())
                return stop();
            break;
        case DoneRecord:
            return Succeeded;
        }
    }
    return More;
}

DAmlExpatSource::Outcome DAmlExpatSource::stop()
{
    m_errorLine = m_line;
    m_errorColumn = m_column;
    return Failed;
}

bool DAmlExpatSource::handled(bool accepted)
{
    if (accepted)
        return true;
    stop();
    // The parse stops here: its place is taken while the parser still stands on the event.
    if (m_line == 0 && m_parser)
        position(&m_line, &m_column);
    m_inTurnOutcome = Failed;
    stopParser();
    return false;
}
