#include "korvatreporter/data/qaxmlreportreader.h"

#include "korvatreporter/data/junit/qajunitdocumentbuilder.h"
#include "korvatreporter/data/qareporterdata.h"
#include "korvatreporter/data/qareporterdatatree.h"
#include "korvatreporter/data/qareporternode.h"
#include "korvatreporter/data/qareportformat.h"
#include "korvatreporter/data/xrd/qastxmlrodreader.h"
#include "rendoc/aml/damlreader.h"
#include "rendoc/model/ddocument.h"
#include "sdk/qastudiointerface.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QXmlStreamReader>

#include <algorithm>
#include <climits>

namespace {

// The file is fed to the XML reader in pieces of this size, so that only
// the token being read is held, whatever the file's size.
constexpr qint64 ChunkBytes = 64 * 1024;

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
    m_text.clear();
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
    QXmlStreamReader xml;
    // Names are taken as written; a prefix without a declaration is no error.
    xml.setNamespaceProcessing(false);
    m_xml = &xml;
    m_wrapperColumns = 0;
    if (!wrapper.isEmpty()) {
        // A byte order mark and an XML declaration stay in front of the
        // wrapper, where they are allowed.
        const QByteArray prolog = m_file->read(prologSize(QAReportFormat::head(*m_file)));
        const QByteArray open = '<' + wrapper + '>';
        xml.addData(prolog + open);
        if (!prolog.contains('\n'))
            m_wrapperColumns = int(open.size());
    }
    bool rootSeen = false;
    bool fileDone = false;
    qint64 fedSinceToken = 0;
    bool ok = true;
    while (ok) {
        const QXmlStreamReader::TokenType token = xml.readNext();
        if (token == QXmlStreamReader::Invalid) {
            if (xml.error() != QXmlStreamReader::PrematureEndOfDocumentError || fileDone)
                break;
            const QByteArray chunk = m_file->read(ChunkBytes);
            if (chunk.isEmpty()) {
                fileDone = true;
                if (!wrapper.isEmpty())
                    xml.addData("</" + wrapper + '>');
                else
                    break;
                continue;
            }
            fedSinceToken += chunk.size();
            // A token that never ends would grow the reader's buffer without bound.
            if (fedSinceToken > m_textRunLimit)
                ok = failAtLine(QCoreApplication::translate("Reporter",
                                                            "text, attribute value or comment longer than %1 bytes.")
                                    .arg(m_textRunLimit));
            else
                xml.addData(chunk);
            continue;
        }
        fedSinceToken = 0;
        if (token == QXmlStreamReader::EndDocument)
            break;
        ok = handle(rootSeen, file);
    }
    m_xml = nullptr;
    if (!ok)
        return false;
    if (xml.hasError()) {
        const qint64 line = xml.lineNumber();
        const qint64 column = xml.columnNumber() - (line == 1 ? m_wrapperColumns : 0);
        return fail(QCoreApplication::translate("Reporter", "%1, line %2, column %3: %4\n")
                        .arg(m_format)
                        .arg(line)
                        .arg(std::max<qint64>(column, 1))
                        .arg(xml.errorString()));
    }
    return finish();
}

bool QAXmlReportReader::handle(bool &rootSeen, const QFileInfo &file)
{
    switch (m_xml->tokenType()) {
    case QXmlStreamReader::DTD:
        // Reports never need one, and entity definitions are the way to
        // blow a small file up.
        return failAtLine(QCoreApplication::translate("Reporter", "document type declarations are not accepted."));
    case QXmlStreamReader::StartElement: {
        if (m_depth == 0 && rootSeen)
            return true; // the XML reader reports the second root
        if (++m_depth > DAmlReader::MaxDepth)
            return failAtLine(QCoreApplication::translate("Reporter", "elements nested deeper than %1.")
                                  .arg(DAmlReader::MaxDepth));
        m_text.clear();
        if (!rootSeen) {
            rootSeen = true;
            return startRoot(m_xml->qualifiedName(), m_xml->attributes(), file);
        }
        return startElement(m_xml->qualifiedName(), m_xml->attributes());
    }
    case QXmlStreamReader::EndElement: {
        --m_depth;
        const bool ok = endElement(m_xml->qualifiedName());
        m_text.clear();
        return ok;
    }
    case QXmlStreamReader::Characters:
        // The indentation between elements is no element's text.
        if (m_xml->isWhitespace())
            return true;
        m_text += m_xml->text();
        if (m_text.size() > m_textRunLimit)
            return failAtLine(QCoreApplication::translate("Reporter",
                                                          "text, attribute value or comment longer than %1 bytes.")
                                  .arg(m_textRunLimit));
        return true;
    default:
        return true;
    }
}

QString QAXmlReportReader::attribute(const QXmlStreamAttributes &atts, QLatin1String name)
{
    for (const QXmlStreamAttribute &att : atts) {
        if (att.qualifiedName() == name) {
            QString value = att.value().toString();
            return value.isNull() ? QLatin1String("") : value;
        }
    }
    return QString();
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
                    .arg(m_xml ? m_xml->lineNumber() : 0)
                    .arg(text));
}
