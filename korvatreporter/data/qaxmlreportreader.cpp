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

const QString StateOk = QStringLiteral("ok");
const QString StateKo = QStringLiteral("ko");

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

bool QAXmlReportReader::read(QFile &file, QAStudioInterface *studio, const QList<DStyle *> &styles,
                             QAReporterData &record)
{
    m_error.clear();
    m_canceled = false;
    m_types.clear();
    m_typeSet.clear();
    m_nodeCounter = 0;
    m_passed = 0;
    m_failed = 0;
    m_inconclusive = -1;
    m_depth = 0;
    m_text.clear();
    m_file = &file;
    m_studio = studio;
    m_steps = int(qMin<qint64>(file.size() / QAstXmlRodReader::BytesPerStep, INT_MAX));
    m_progress = -2;
    reset();
    if (m_studio) {
        const QString label = QCoreApplication::translate("Reporter", "Analysing %1")
                                  .arg(QFileInfo(file.fileName()).fileName());
        m_studio->startProgress(m_steps, label, QCoreApplication::translate("Reporter", "Cancel"), 0, 0);
    }
    m_document = std::make_unique<QAJUnitDocumentBuilder>(styles, file.size());
    m_tree = std::make_unique<QAReporterDataTree>(new QAReporterNode);
    const bool ok = parse(QFileInfo(file.fileName()), wrapperElement(QAReportFormat::head(file)));
    if (m_studio)
        m_studio->endProgress();
    if (ok) {
        record.document = std::unique_ptr<DDocument>(m_document->takeDocument());
        record.dataTree = std::move(m_tree);
        record.types = m_types;
        record.passed = m_passed;
        record.failed = m_failed;
        record.inconclusive = m_inconclusive;
    }
    // The nodes point into the document: the tree goes first.
    m_tree.reset();
    m_document.reset();
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
        const QByteArray open = '<' + wrapper + '>';
        xml.addData(open);
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

bool QAXmlReportReader::openNode(const QString &name, const QString &type, const QString &state)
{
    auto node = std::make_unique<QAReporterNode>();
    node->name = name.isNull() ? QLatin1String("") : name;
    node->type = type;
    node->state = state;
    node->id = QString::number(++m_nodeCounter);
    if (!m_typeSet.contains(type)) {
        m_typeSet.insert(type);
        m_types.append(type);
    }
    if (!m_tree->insert(node.get()))
        return fail(QCoreApplication::translate("Reporter", "%1, the node tree refused a node.\n").arg(m_format));
    node.release(); // the tree owns it now
    m_tree->toLastChild();
    return true;
}

void QAXmlReportReader::closeNode()
{
    m_tree->current()->endItem = m_document->lastItem();
    m_tree->toParent();
}

void QAXmlReportReader::count(const QString &state)
{
    if (state == StateKo)
        ++m_failed;
    else if (state == StateOk)
        ++m_passed;
    else
        m_inconclusive = std::max<qint64>(m_inconclusive, 0) + 1;
}

int QAXmlReportReader::titleLevel() const
{
    // The root is at depth 1 and has the document's level-0 title.
    return std::min(m_tree->depth() - 1, 6);
}

QString QAXmlReportReader::titleStyle(int level, const QString &state)
{
    level = qBound(0, level, 6);
    const int variant = state == StateKo ? 1 : state == StateOk ? 2 : 0;
    QString &style = m_titleStyles[level][variant];
    if (style.isNull()) {
        static const char *const suffixes[] = {"", " Failed", " Passed"};
        style = QStringLiteral("Title%1").arg(level) + QLatin1String(suffixes[variant]);
    }
    return style;
}

bool QAXmlReportReader::writeTitle(int level, const QString &style, const QString &text)
{
    return m_document->title(level, style, text) || documentFailed();
}

bool QAXmlReportReader::writeParagraph(const QString &style, const QString &text, const QString &link)
{
    return m_document->paragraph(style, text, link) || documentFailed();
}

bool QAXmlReportReader::writePreformatted(const QString &text)
{
    return m_document->preformatted(text) || documentFailed();
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
    if (!m_studio)
        return true;
    // The position in the file, in the XRD reader's steps of 50 bytes; the
    // display moves only when the value changes.
    const int value =
        m_steps > 0 ? int(std::min<qint64>(m_file->pos() / QAstXmlRodReader::BytesPerStep, m_steps - 1)) : -1;
    if (value != m_progress) {
        m_progress = value;
        m_studio->setProgress(value);
    }
    if (!m_studio->progressCanceled())
        return true;
    m_canceled = true;
    return fail(QCoreApplication::translate("Reporter", "Canceled.\n"));
}

bool QAXmlReportReader::fail(const QString &text)
{
    if (m_error.isEmpty())
        m_error = text;
    return false;
}

bool QAXmlReportReader::failAtLine(const QString &text)
{
    return fail(QCoreApplication::translate("Reporter", "%1, line %2: %3\n")
                    .arg(m_format)
                    .arg(m_xml ? m_xml->lineNumber() : 0)
                    .arg(text));
}

bool QAXmlReportReader::documentFailed()
{
    // The builder's one failure is the bound on the report text.
    return fail(QCoreApplication::translate("Reporter", "%1, the report text grows larger than the input allows.\n")
                    .arg(m_format));
}
