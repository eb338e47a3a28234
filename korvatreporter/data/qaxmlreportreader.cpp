#include "korvatreporter/data/qaxmlreportreader.h"

#include "korvatreporter/data/junit/qajunitdocumentbuilder.h"
#include "korvatreporter/data/qareporterdata.h"
#include "korvatreporter/data/qareporterdatatree.h"
#include "korvatreporter/data/qareporternode.h"
#include "korvatreporter/data/qareportformat.h"
#include "korvatreporter/data/xrd/qastxmlrodreader.h"
#include "rendoc/aml/damlexpat.h"
#include "rendoc/aml/damlreader.h"
#include "rendoc/model/ddocument.h"
#include "sdk/qastudiointerface.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#include <expat.h>

#include <algorithm>
#include <climits>
#include <cstring>

namespace {

// The file is fed to the parser in pieces of this size, so that only the
// token being read is held, whatever the file's size.
constexpr qint64 ChunkBytes = 64 * 1024;
// Element names kept as text for reuse: a runner's format has a few dozen.
constexpr size_t MaxElementNames = 64;

bool isXmlBlank(char c)
{
    return c == ' ' || c == '\n' || c == '\t' || c == '\r';
}

} // namespace

QAXmlReportReader::QAXmlReportReader(const QString &format)
    : m_format(format), m_textRunLimit(DAmlReader::MaxTextRun)
{
}

QAXmlReportReader::~QAXmlReportReader() = default;

QByteArray QAXmlReportReader::wrapperElement(const QByteArray &) const
{
    return QByteArray();
}

qsizetype QAXmlReportReader::prologSize(const QByteArray &head)
{
    qsizetype at = head.startsWith("\xef\xbb\xbf") ? 3 : 0;
    if (head.mid(at, 5) == "<?xml") {
        const qsizetype end = head.indexOf("?>", at);
        if (end >= 0)
            at = end + 2;
    }
    return at;
}

bool QAXmlReportReader::read(QFile &file, QAStudioInterface *studio, const QList<DStyle *> &styles,
                             QAReporterData &record)
{
    m_depth = 0;
    m_heldDepth = 0;
    m_text.clear();
    m_run.clear();
    m_file = &file;
    reset();
    m_builder = std::make_unique<QAResultsBuilder>(m_format, file, studio, styles);
    const bool ok = parse(QFileInfo(file.fileName()), wrapperElement(QAReportFormat::head(file)));
    if (ok)
        m_builder->finish(record);
    m_error = ok ? QString() : m_builder->errorString();
    m_canceled = m_builder->canceled();
    m_builder.reset();
    return ok;
}

bool QAXmlReportReader::parse(const QFileInfo &file, const QByteArray &wrapper)
{
    // Names are taken as written: a prefix without a declaration is no error.
    m_parser = XML_ParserCreate(nullptr);
    if (!m_parser)
        return fail(m_format + QStringLiteral(", ") + DAmlExpat::errorText(XML_ERROR_NO_MEMORY) + QLatin1Char('\n'));
    XML_SetUserData(m_parser, this);
    XML_SetElementHandler(m_parser, onStart, onEnd);
    XML_SetCharacterDataHandler(m_parser, onText);
    XML_SetCdataSectionHandler(m_parser, onBoundary, onBoundary);
    XML_SetCommentHandler(m_parser, onComment);
    XML_SetProcessingInstructionHandler(m_parser, onInstruction);
    XML_SetStartDoctypeDeclHandler(m_parser, onDoctype);
    XML_SetParamEntityParsing(m_parser, XML_PARAM_ENTITY_PARSING_NEVER);
    DAmlExpat::acceptCodePages(m_parser);
    m_fileInfo = &file;
    m_stopped = false;
    m_rootSeen = false;
    m_unreported = 0;
    m_wrapperColumns = 0;
    bool ok = true;
    if (!wrapper.isEmpty()) {
        // A byte order mark and an XML declaration stay in front of the
        // wrapper, where they are allowed.
        const QByteArray prolog = m_file->read(prologSize(QAReportFormat::head(*m_file)));
        const QByteArray open = '<' + wrapper + '>';
        if (!prolog.contains('\n'))
            m_wrapperColumns = int(open.size());
        ok = feed(prolog.constData(), prolog.size(), false) && feed(open.constData(), open.size(), false);
    }
    while (ok) {
        const QByteArray chunk = m_file->read(ChunkBytes);
        if (chunk.isEmpty()) {
            const QByteArray close = wrapper.isEmpty() ? QByteArray() : "</" + wrapper + '>';
            ok = feed(close.constData(), close.size(), true);
            break;
        }
        ok = feed(chunk.constData(), chunk.size(), false);
    }
    XML_ParserFree(m_parser);
    m_parser = nullptr;
    m_fileInfo = nullptr;
    m_names.clear();
    return ok && finish();
}

bool QAXmlReportReader::feed(const char *data, qsizetype size, bool final)
{
    m_unreported += size;
    if (XML_Parse(m_parser, data, int(size), final) != XML_STATUS_OK) {
        if (m_stopped)
            return false; // a handler or a limit said why
        const qint64 line = qint64(XML_GetErrorLineNumber(m_parser));
        const qint64 column = qint64(XML_GetErrorColumnNumber(m_parser)) + 1 - (line == 1 ? m_wrapperColumns : 0);
        return fail(QCoreApplication::translate("Reporter", "%1, line %2, column %3: %4\n")
                        .arg(m_format)
                        .arg(line)
                        .arg(std::max<qint64>(column, 1))
                        .arg(DAmlExpat::errorText(XML_GetErrorCode(m_parser))));
    }
    // A token that never ends would grow the parser's buffer without bound.
    if (m_unreported > m_textRunLimit)
        return failAtLine(QCoreApplication::translate("Reporter", "text, attribute value or comment longer than %1 bytes.")
                              .arg(m_textRunLimit));
    return true;
}

void QAXmlReportReader::takeWholeText()
{
    m_heldDepth = m_depth;
    m_heldText = true;
}

void QAXmlReportReader::skipElement()
{
    m_heldDepth = m_depth;
    m_heldText = false;
}

void QAXmlReportReader::stop()
{
    m_stopped = true;
    XML_StopParser(m_parser, XML_FALSE);
}

int QAXmlReportReader::lineNumber() const
{
    return m_parser ? int(XML_GetCurrentLineNumber(m_parser)) : 0;
}

const QString &QAXmlReportReader::elementName(const char *utf8)
{
    const qsizetype size = qsizetype(std::strlen(utf8));
    for (const auto &name : m_names) {
        if (name.first.size() == size && std::memcmp(name.first.constData(), utf8, size_t(size)) == 0)
            return name.second;
    }
    if (m_names.size() >= MaxElementNames)
        m_names.erase(m_names.begin());
    m_names.emplace_back(QByteArray(utf8), QString::fromUtf8(utf8));
    return m_names.back().second;
}

void QAXmlReportReader::endRun()
{
    // The indentation between elements is no element's text.
    if (std::any_of(m_run.cbegin(), m_run.cend(), [](char c) { return !isXmlBlank(c); }))
        m_text += m_run;
    // Emptied, not freed: the next run reuses the buffer.
    m_run.resize(0);
}

void QAXmlReportReader::onStart(void *self, const char *name, const char **atts)
{
    auto *reader = static_cast<QAXmlReportReader *>(self);
    if (reader->m_stopped)
        return;
    reader->m_unreported = 0;
    if (++reader->m_depth > DAmlReader::MaxDepth) {
        reader->failAtLine(QCoreApplication::translate("Reporter", "elements nested deeper than %1.").arg(DAmlReader::MaxDepth));
        reader->stop();
        return;
    }
    if (reader->m_heldDepth)
        return; // inside an element taken whole
    reader->endRun();
    const DAmlAttributes attributes(atts);
    const QString &element = reader->elementName(name);
    bool ok;
    if (!reader->m_rootSeen) {
        reader->m_rootSeen = true;
        ok = reader->startRoot(element, attributes, *reader->m_fileInfo);
    } else {
        ok = reader->startElement(element, attributes);
    }
    // The text before the child was the parent's; the child's own starts now.
    reader->m_text.resize(0);
    if (!ok)
        reader->stop();
}

void QAXmlReportReader::onEnd(void *self, const char *name)
{
    auto *reader = static_cast<QAXmlReportReader *>(self);
    if (reader->m_stopped)
        return;
    reader->m_unreported = 0;
    if (reader->m_heldDepth) {
        const bool held = reader->m_depth-- == reader->m_heldDepth;
        if (!held)
            return; // an element inside the one taken whole
        reader->m_heldDepth = 0;
        if (!reader->m_heldText)
            return; // skipped with all it held
    } else {
        reader->endRun();
        --reader->m_depth;
    }
    const bool ok = reader->endElement(reader->elementName(name));
    reader->m_text.resize(0);
    if (!ok)
        reader->stop();
}

void QAXmlReportReader::onText(void *self, const char *text, int size)
{
    auto *reader = static_cast<QAXmlReportReader *>(self);
    if (reader->m_stopped)
        return;
    reader->m_unreported = 0;
    if (reader->m_heldDepth) {
        // A whole text keeps every piece as it comes; a skipped element's is dropped.
        if (!reader->m_heldText)
            return;
        reader->m_text.append(text, size);
    } else {
        reader->m_run.append(text, size);
    }
    if (reader->m_text.size() + reader->m_run.size() > reader->m_textRunLimit) {
        reader->failAtLine(QCoreApplication::translate("Reporter", "text, attribute value or comment longer than %1 bytes.")
                               .arg(reader->m_textRunLimit));
        reader->stop();
    }
}

void QAXmlReportReader::onBoundary(void *self)
{
    auto *reader = static_cast<QAXmlReportReader *>(self);
    reader->m_unreported = 0;
    if (!reader->m_heldDepth)
        reader->endRun();
}

void QAXmlReportReader::onComment(void *self, const char *)
{
    onBoundary(self);
}

void QAXmlReportReader::onInstruction(void *self, const char *, const char *)
{
    onBoundary(self);
}

void QAXmlReportReader::onDoctype(void *self, const char *, const char *, const char *, int)
{
    // Reports never need one, and entity definitions are the way to blow a
    // small file up.
    auto *reader = static_cast<QAXmlReportReader *>(self);
    reader->failAtLine(QCoreApplication::translate("Reporter", "document type declarations are not accepted."));
    reader->stop();
}

bool QAXmlReportReader::given(const QString &value)
{
    return std::any_of(value.cbegin(), value.cend(), [](QChar c) { return !c.isSpace(); });
}

bool QAXmlReportReader::writeTitle(int level, const QString &style, const QString &text)
{
    return m_builder->title(level, style, text);
}

bool QAXmlReportReader::writeParagraph(const QString &style, const QString &text, const QString &link)
{
    return m_builder->paragraph(style, text, link);
}

bool QAXmlReportReader::writePreformatted(const QString &text)
{
    return m_builder->preformatted(text);
}

QString QAXmlReportReader::sourceLink(const QString &file, const QString &line)
{
    const QString number = line.trimmed();
    if (!given(file) || number.isEmpty() || number == QLatin1String("0"))
        return QString();
    return file + QStringLiteral(" line ") + number;
}

bool QAXmlReportReader::stepProgress()
{
    return m_builder->progress(m_file->pos());
}

bool QAXmlReportReader::fail(const QString &text)
{
    return m_builder->fail(text);
}

bool QAXmlReportReader::failAtLine(const QString &text)
{
    return fail(QCoreApplication::translate("Reporter", "%1, line %2: %3\n")
                    .arg(m_format)
                    .arg(lineNumber())
                    .arg(text));
}
