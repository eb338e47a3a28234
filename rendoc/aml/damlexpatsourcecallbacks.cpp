// DAmlExpatSource, parsing side: expat's callbacks. Each event is recorded into the block for the
// handling thread, or handed to the guard at once when the events are handled in turn.
#include "rendoc/aml/damlexpatsource.h"

#include "rendoc/aml/damlattributes.h"
#include "rendoc/aml/damleventrecord.h"
#include "rendoc/aml/damlguard.h"
#include "rendoc/aml/damlrunlimiter.h"

#include <cstring>

bool DAmlExpatSource::beginEvent(int* line, int* column)
{
    if (m_parserStopped)
        return false;
    eventPosition(line, column);
    if (!closeText(*line, *column))
        return false;
    finishEvent();
    return true;
}

void DAmlExpatSource::onStart(void* data, const char* name, const char** atts)
{
    auto* self = static_cast<DAmlExpatSource*>(data);
    int line = 0;
    int column = 0;
    if (!self->beginEvent(&line, &column))
        return;
    // Lengths first, so that the record is written in one piece.
    quint32 lengths[2 * MaxRecordedAttributes];
    const size_t nameLength = std::strlen(name);
    size_t bytes = nameLength;
    quint32 count = 0;
    qint64 valueBytes = 0;
    for (; atts[2 * count]; ++count) {
        const size_t nameSize = std::strlen(atts[2 * count]);
        const size_t valueSize = std::strlen(atts[2 * count + 1]);
        if (!self->m_runLimiter->fits(qint64(valueSize)))
            return self->trip();
        valueBytes += qint64(valueSize);
        bytes += nameSize + valueSize;
        if (count < MaxRecordedAttributes) {
            lengths[2 * count] = quint32(nameSize);
            lengths[2 * count + 1] = quint32(valueSize);
        }
    }
    if (!self->m_queue) {
        self->m_line = 0;
        self->m_column = 0;
        const DAmlAttributes attributes(atts, count <= MaxRecordedAttributes ? lengths : nullptr);
        self->handled(self->m_guard->startElement(self->m_names.text(name, nameLength), attributes,
                                                  valueBytes));
        return;
    }
    DAmlEventRecord::writeHeader(self->m_block, StartRecord, line, column);
    const size_t strings = 2 * size_t(count) + 1;
    char* at = self->m_block.append(sizeof valueBytes + sizeof count + bytes
                                    + strings * (sizeof(quint32) + 1));
    std::memcpy(at, &valueBytes, sizeof valueBytes);
    at += sizeof valueBytes;
    std::memcpy(at, &count, sizeof count);
    at += sizeof count;
    at = DAmlEventRecord::writeString(at, name, nameLength);
    for (quint32 i = 0; i < 2 * count; ++i)
        at = DAmlEventRecord::writeString(
            at, atts[i], i < 2 * MaxRecordedAttributes ? lengths[i] : std::strlen(atts[i]));
    if (!self->deliver(false))
        self->stopParser();
}

void DAmlExpatSource::onEnd(void* data, const char* name)
{
    auto* self = static_cast<DAmlExpatSource*>(data);
    int line = 0;
    int column = 0;
    if (!self->beginEvent(&line, &column))
        return;
    const size_t length = std::strlen(name);
    if (!self->m_queue) {
        self->m_line = 0;
        self->m_column = 0;
        self->handled(self->m_guard->endElement(self->m_names.text(name, length)));
        return;
    }
    DAmlEventRecord::writeHeader(self->m_block, EndRecord, line, column);
    DAmlEventRecord::writeString(self->m_block.append(sizeof(quint32) + length + 1), name, length);
    if (!self->deliver(false))
        self->stopParser();
}

void DAmlExpatSource::onText(void* data, const char* text, int size)
{
    auto* self = static_cast<DAmlExpatSource*>(data);
    if (self->m_parserStopped)
        return;
    self->m_unreported = 0;
    if (self->isReplacementText(text, size)) {
        // The replacement text of an entity: handed over on its own, so that it does not add
        // to the run it sits in; the guard counts it with the document's text.
        int line = 0;
        int column = 0;
        self->eventPosition(&line, &column);
        if (!self->closeText(line, column))
            return;
        DAmlEventRecord::writeHeader(self->m_block, TextRecord, line, column);
        DAmlEventRecord::writeCount(self->m_block, size);
        self->m_block.append(text, size_t(size));
        if (!self->deliver(false))
            self->stopParser();
        return;
    }
    if (!self->m_runLimiter->add(size))
        return self->trip();
    if (self->m_textAt == NoText) {
        // Its place and length are filled in when the run ends.
        self->m_textAt = self->m_block.size();
        DAmlEventRecord::writeHeader(self->m_block, TextRecord, 0, 0);
        DAmlEventRecord::writeCount(self->m_block, 0);
    }
    self->m_block.append(text, size_t(size));
}

void DAmlExpatSource::onCdataStart(void* data)
{
    static_cast<DAmlExpatSource*>(data)->markCdata(CdataStartRecord);
}

void DAmlExpatSource::onCdataEnd(void* data)
{
    static_cast<DAmlExpatSource*>(data)->markCdata(CdataEndRecord);
}

void DAmlExpatSource::markCdata(Record kind)
{
    int line = 0;
    int column = 0;
    if (!beginEvent(&line, &column))
        return;
    DAmlEventRecord::writeHeader(m_block, kind, line, column);
    if (!deliver(false))
        stopParser();
}

void DAmlExpatSource::onComment(void* data, const char* text)
{
    static_cast<DAmlExpatSource*>(data)->skip(qint64(std::strlen(text)));
}

void DAmlExpatSource::onInstruction(void* data, const char*, const char* text)
{
    static_cast<DAmlExpatSource*>(data)->skip(qint64(std::strlen(text)));
}

void DAmlExpatSource::onOther(void* data, const char*, int size)
{
    static_cast<DAmlExpatSource*>(data)->skip(size);
}

void DAmlExpatSource::onDoctype(void* data, const char*, const char*, const char*, int)
{
    auto* self = static_cast<DAmlExpatSource*>(data);
    if (self->m_parserStopped)
        return;
    self->finishEvent();
    if (!self->m_queue) {
        self->m_line = 0;
        self->m_column = 0;
        self->handled(self->m_guard->startDTD());
        return;
    }
    int line = 0;
    int column = 0;
    self->position(&line, &column);
    DAmlEventRecord::writeHeader(self->m_block, DoctypeRecord, line, column);
    if (!self->deliver(false))
        self->stopParser();
}

void DAmlExpatSource::skip(qint64 size)
{
    if (m_parserStopped)
        return;
    m_unreported = 0;
    if (!m_runLimiter->fits(size))
        trip();
}
