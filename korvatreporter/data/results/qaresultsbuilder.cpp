#include "korvatreporter/data/results/qaresultsbuilder.h"

#include "korvatreporter/data/results/qaresultwords.h"
#include "korvatreporter/data/junit/qajunitdocumentbuilder.h"
#include "korvatreporter/data/qareporterdata.h"
#include "korvatreporter/data/qareporterdatatree.h"
#include "korvatreporter/data/qareporternode.h"
#include "korvatreporter/data/xrd/qastxmlrodreader.h"
#include "rendoc/aml/damlhandler.h"
#include "rendoc/model/ddocument.h"
#include "sdk/qastudiointerface.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <climits>
#include <vector>

using QAResultWords::StateKo;
using QAResultWords::StateNe;
using QAResultWords::StateOk;

namespace {

int rank(const QString &state)
{
    return state == QAResultWords::StateKo ? 3 : state == QAResultWords::StateNe ? 2 : 1;
}

} // namespace

QAResultsBuilder::QAResultsBuilder(const QString &format, QFile &file, QAStudioInterface *studio,
                                   const QList<DStyle *> &styles)
    : m_format(format)
    , m_file(file)
    , m_studio(studio)
    , m_document(std::make_unique<QAJUnitDocumentBuilder>(styles, file.size()))
    , m_tree(std::make_unique<QAReporterDataTree>(new QAReporterNode))
{
    m_steps = int(qMin<qint64>(file.size() / QAstXmlRodReader::BytesPerStep, INT_MAX));
    if (m_studio) {
        const QString label = QCoreApplication::translate("Reporter", "Analysing %1")
                                  .arg(QFileInfo(file.fileName()).fileName());
        m_studio->startProgress(m_steps, label, QCoreApplication::translate("Reporter", "Cancel"), 0, 0);
    }
}

QAResultsBuilder::~QAResultsBuilder()
{
    if (m_studio)
        m_studio->endProgress();
    // The nodes point into the document: the tree goes first.
    m_tree.reset();
    m_document.reset();
}

bool QAResultsBuilder::start(const QString &title)
{
    m_document->startDocument(title, QFileInfo(m_file.fileName()).completeBaseName());
    m_tree->root()->startItem = m_document->document();
    return m_document->title(0, QString(), title) || documentFailed();
}

bool QAResultsBuilder::openSuite(const QString &name, const QString &type, const QString &titleText)
{
    return openNode(name, type, QString(), Open::Suite, titleText);
}

bool QAResultsBuilder::openCase(const QString &name, const QString &type, const QString &state)
{
    return openNode(name, type, state, Open::Case, name);
}

bool QAResultsBuilder::openPendingCase(const QString &name, const QString &type)
{
    return openNode(name, type, QString(), Open::Pending, name);
}

bool QAResultsBuilder::addNode(const QString &name, const QString &type, const QString &state)
{
    auto node = std::make_unique<QAReporterNode>();
    node->name = name.isNull() ? QLatin1String("") : name;
    node->type = type;
    node->state = state;
    node->id.setNumber(quint64(++m_nodeCounter));
    // Nodes come in runs of one type: the set is asked only when it changes.
    if ((m_lastType.isNull() || type != m_lastType) && !m_typeSet.contains(type)) {
        m_typeSet.insert(type);
        m_types.append(type);
    }
    m_lastType = type;
    if (!m_tree->insert(node.get()))
        return fail(error(QCoreApplication::translate("Reporter", "the node tree refused a node.")));
    node.release(); // the tree owns it now
    m_tree->toLastChild();
    return true;
}

void QAResultsBuilder::endNode()
{
    m_tree->current()->endItem = m_document->lastItem();
    m_tree->toParent();
}

bool QAResultsBuilder::openNode(const QString &name, const QString &type, const QString &state,
                                Open::Kind kind, const QString &titleText)
{
    // The node tree and everything that walks it are sized for what the XRD
    // reader accepts.
    if (m_open.size() + 1 >= size_t(DAmlHandler::MaxDepth))
        return fail(error(QCoreApplication::translate("Reporter", "tests nested deeper than %1."))
                            .arg(DAmlHandler::MaxDepth));
    DItem *const before = m_document->lastItem();
    if (!addNode(name, type, state))
        return false;
    const int level = titleLevel();
    if (!m_document->title(level, kind == Open::Case ? titleStyle(level, state) : QString(), titleText))
        return documentFailed();
    m_tree->current()->startItem = m_document->lastItem();
    m_open.push_back({kind, 0, m_document->lastItem(), before});
    if (kind == Open::Case)
        count(state);
    return true;
}

bool QAResultsBuilder::closeNode(const QString &state, const QString &name)
{
    if (m_open.empty())
        return true;
    const Open open = m_open.back();
    m_open.pop_back();
    QAReporterNode *node = m_tree->current();
    const QString &worst = open.worst == 3 ? StateKo : open.worst == 2 ? StateNe : StateOk;
    if (open.kind == Open::Suite) {
        node->state = worst;
    } else if (open.kind == Open::Pending) {
        node->state = state.isEmpty() ? worst : state;
        if (node->name.isEmpty() && !name.isEmpty())
            node->name = name;
        count(node->state);
        if (!m_document->rewriteParagraph(open.title, titleStyle(titleLevel(), node->state), node->name))
            return documentFailed();
    }
    endNode();
    if (!m_open.empty())
        m_open.back().worst = std::max(m_open.back().worst, rank(node->state));
    if ((m_totalsOnly || m_treeOnly) && open.kind != Open::Suite
        && std::all_of(m_open.cbegin(), m_open.cend(), [](const Open &outer) { return outer.kind == Open::Suite; }))
        forgetClosedCase(open.before);
    return true;
}

void QAResultsBuilder::forgetClosedCase(DItem *before)
{
    if (!m_treeOnly) {
        m_tree->removeLastChild();
    } else if (const QAReporterDataTree::QTreeNode *parent = m_tree->currentNode(); parent && parent->hasChildren()) {
        // The case's items go: nothing of its subtree may point at them.
        std::vector<const QAReporterDataTree::QTreeNode *> pending{parent->children().last()};
        while (!pending.empty()) {
            const QAReporterDataTree::QTreeNode *node = pending.back();
            pending.pop_back();
            if (QAReporterNode *data = node->data()) {
                data->startItem = nullptr;
                data->endItem = nullptr;
            }
            pending.insert(pending.end(), node->children().cbegin(), node->children().cend());
        }
    }
    m_document->dropAfter(before);
}

void QAResultsBuilder::count(const QString &state)
{
    if (state == StateKo)
        ++m_failed;
    else if (state == StateOk)
        ++m_passed;
    else
        m_inconclusive = std::max<qint64>(m_inconclusive, 0) + 1;
}

int QAResultsBuilder::titleLevel() const
{
    // The root is at depth 1 and has the document's level-0 title.
    return std::min(m_tree->depth() - 1, 6);
}

const QString &QAResultsBuilder::titleStyle(int level, const QString &state)
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

bool QAResultsBuilder::title(int level, const QString &style, const QString &text)
{
    return m_document->title(level, style, text) || documentFailed();
}

bool QAResultsBuilder::paragraph(const QString &style, const QString &text, const QString &link)
{
    return m_document->paragraph(style, text, link) || documentFailed();
}

bool QAResultsBuilder::titleUtf8(int level, const QString &style, QByteArrayView text)
{
    return m_document->titleUtf8(level, style, text) || documentFailed();
}

bool QAResultsBuilder::paragraphUtf8(const QString &style, QByteArrayView text, QByteArrayView link)
{
    return m_document->paragraphUtf8(style, text, link) || documentFailed();
}

bool QAResultsBuilder::preformatted(const QString &text)
{
    return m_document->preformatted(text) || documentFailed();
}

bool QAResultsBuilder::trace(const QString &text, QAJUnitTraceLinks *links)
{
    return m_document->trace(text, links) || documentFailed();
}

bool QAResultsBuilder::table(const QList<std::pair<QString, QString>> &rows)
{
    m_document->table(rows);
    return true;
}

bool QAResultsBuilder::rewrite(DItem *paragraph, const QString &style, const QString &text)
{
    return m_document->rewriteParagraph(paragraph, style, text) || documentFailed();
}

DItem *QAResultsBuilder::lastItem() const
{
    return m_document->lastItem();
}

bool QAResultsBuilder::progress(qint64 position)
{
    if (!m_studio)
        return true;
    // In the XRD reader's steps of 50 bytes; the display moves only when the
    // value changes.
    const int value =
        m_steps > 0 ? int(std::min<qint64>(position / QAstXmlRodReader::BytesPerStep, m_steps - 1)) : -1;
    if (!m_progress.due(value, m_steps))
        return true;
    m_studio->setProgress(value);
    if (!m_studio->progressCanceled())
        return true;
    m_canceled = true;
    return fail(QCoreApplication::translate("Reporter", "Canceled.\n"));
}

bool QAResultsBuilder::fail(const QString &text)
{
    if (m_error.isEmpty())
        m_error = text;
    return false;
}

bool QAResultsBuilder::documentFailed()
{
    return fail(QCoreApplication::translate("Reporter", "%1, the report text grows larger than the input allows.\n")
                    .arg(m_format));
}

QString QAResultsBuilder::error(const QString &text) const
{
    return m_format + QStringLiteral(", ") + text + QLatin1Char('\n');
}

void QAResultsBuilder::finish(QAReporterData &record)
{
    while (!m_open.empty())
        closeNode();
    record.document = std::unique_ptr<DDocument>(m_document->takeDocument());
    record.dataTree = std::move(m_tree);
    record.types = m_types;
    record.passed = m_passed;
    record.failed = m_failed;
    record.inconclusive = m_inconclusive;
}
