#include "korvatreporter/data/qaxmlreportreader.h"

#include "korvatreporter/data/junit/qajunitdocumentbuilder.h"
#include "korvatreporter/data/qareporterdata.h"
#include "korvatreporter/data/qareporterdatatree.h"
#include "korvatreporter/data/qareporternode.h"
#include "korvatreporter/data/qareportformat.h"
#include "korvatreporter/data/xrd/qastxmlrodreader.h"
#include "rendoc/aml/damlexpatsource.h"
#include "rendoc/aml/damlguard.h"
#include "rendoc/aml/damllocator.h"
#include "rendoc/aml/damlparseerror.h"
#include "rendoc/aml/damlreader.h"
#include "rendoc/aml/damlrunlimiter.h"
#include "rendoc/model/ddocument.h"
#include "sdk/qastudiointerface.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace {

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
    m_file = &file;
    reset();
    m_builder = std::make_unique<QAResultsBuilder>(m_format, file, studio, styles);
    m_builder->setTreeOnly(treeOnly());
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
    m_fileInfo = &file;
    m_rootSeen = false;
    m_wrapperColumns = 0;
    QByteArray before;
    QByteArray after;
    if (!wrapper.isEmpty()) {
        // A byte order mark and an XML declaration stay in front of the
        // wrapper, where they are allowed.
        before = m_file->read(prologSize(QAReportFormat::head(*m_file)));
        const QByteArray open = '<' + wrapper + '>';
        if (!before.contains('\n'))
            m_wrapperColumns = int(open.size());
        before += open;
        after = "</" + wrapper + '>';
    }
    m_startPosition = m_file->pos();
    // The guard bounds the nesting one level beyond this reader's own limit,
    // which is met first and says so in the reader's words; without document
    // type declarations no entity can make the text outgrow the file.
    DAmlGuard guard(this, DAmlReader::MaxDepth + 1, DAmlReader::textLimitFor(m_file->size()));
    DAmlRunLimiter limiter(m_textRunLimit);
    DAmlExpatSource source(&guard, &limiter);
    const bool parsed = source.parse(m_file, before, after);
    if (limiter.tripped()) {
        // A token that never ends, or a text or attribute beyond the limit.
        fail(QCoreApplication::translate("Reporter", "%1, line %2: %3\n")
                 .arg(m_format)
                 .arg(source.errorLine())
                 .arg(QCoreApplication::translate("Reporter", "text, attribute value or comment longer than %1 bytes.")
                          .arg(m_textRunLimit)));
    }
    m_fileInfo = nullptr;
    return parsed && finish();
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

int QAXmlReportReader::lineNumber() const
{
    return m_locator ? m_locator->lineNumber() : 0;
}

void QAXmlReportReader::addRun(QByteArrayView run)
{
    // The indentation between elements is no element's text.
    if (std::any_of(run.cbegin(), run.cend(), [](char c) { return !isXmlBlank(c); }))
        m_text.append(run.data(), run.size());
}

bool QAXmlReportReader::startElement(const QString &, const QString &, const QString &name, const DAmlAttributes &atts)
{
    if (++m_depth > DAmlReader::MaxDepth)
        return failAtLine(QCoreApplication::translate("Reporter", "elements nested deeper than %1.").arg(DAmlReader::MaxDepth));
    if (m_heldDepth)
        return true; // inside an element taken whole
    bool ok;
    if (!m_rootSeen) {
        m_rootSeen = true;
        ok = startRoot(name, atts, *m_fileInfo);
    } else {
        ok = startElement(name, atts);
    }
    // The text before the child was the parent's; the child's own starts now.
    m_text.resize(0);
    return ok;
}

bool QAXmlReportReader::endElement(const QString &, const QString &, const QString &name)
{
    if (m_heldDepth) {
        const bool held = m_depth-- == m_heldDepth;
        if (!held)
            return true; // an element inside the one taken whole
        m_heldDepth = 0;
        if (!m_heldText)
            return true; // skipped with all it held
    } else {
        --m_depth;
    }
    const bool ok = endElement(name);
    // Emptied, not freed: the next element reuses the buffer.
    m_text.resize(0);
    return ok;
}

bool QAXmlReportReader::charactersUtf8(QByteArrayView utf8, qint64)
{
    if (m_heldDepth) {
        // A whole text keeps every run as it comes; a skipped element's is dropped.
        if (!m_heldText)
            return true;
        m_text.append(utf8.data(), utf8.size());
    } else {
        addRun(utf8);
    }
    if (m_text.size() > m_textRunLimit)
        return failAtLine(QCoreApplication::translate("Reporter", "text, attribute value or comment longer than %1 bytes.")
                              .arg(m_textRunLimit));
    return true;
}

bool QAXmlReportReader::startDTD()
{
    // Reports never need one, and entity definitions are the way to blow a
    // small file up.
    return failAtLine(QCoreApplication::translate("Reporter", "document type declarations are not accepted."));
}

void QAXmlReportReader::fatalError(const DAmlParseError &error)
{
    const qint64 column = qint64(error.column) - (error.line == 1 ? m_wrapperColumns : 0);
    fail(QCoreApplication::translate("Reporter", "%1, line %2, column %3: %4\n")
             .arg(m_format)
             .arg(error.line)
             .arg(std::max<qint64>(column, 1))
             .arg(error.message));
}

void QAXmlReportReader::setErrorString(const QString &text)
{
    failAtLine(text);
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
    // The file is read on the parser's side: its own count of bytes, never
    // the file's position, which that side moves.
    return m_builder->progress(m_startPosition + (m_locator ? m_locator->inputPosition() : 0));
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
