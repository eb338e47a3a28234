#include "korvatreporter/export/qareporterhtmlwriter.h"

#include "korvatreporter/data/qareporterdata.h"
#include "korvatreporter/data/qareporterdatatree.h"
#include "korvatreporter/data/qareporternode.h"
#include "korvatreporter/link/qareporterlinklocator.h"
#include "korvatreporter/link/qareporterlinktarget.h"
#include "rendoc/html/dhtmloutput.h"
#include "rendoc/model/ddocument.h"
#include "rendoc/model/dlink.h"
#include "sdk/qafileutil.h"
#include "sdk/qailogmonitor.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

#include <algorithm>
#include <limits>
#include <utility>
#include <vector>

QAReporterHTMLWriter::QAReporterHTMLWriter(const QList<QAReporterData*>& reports,
                                           const QList<QAReporterData*>& shown,
                                           QAIProgressMonitor* progress, QAILogMonitor* log)
    : m_reports(reports), m_shown(shown), m_progress(progress), m_hostLog(log)
{
    for (const QAReporterData* record : reports)
        m_reportNames << (record && record->document ? record->document->name() : QString());
}

QAReporterHTMLWriter::~QAReporterHTMLWriter() = default;

void QAReporterHTMLWriter::setBaseForLink(const QString& base)
{
    m_baseForLink = QDir::toNativeSeparators(QDir::cleanPath(base));
}

void QAReporterHTMLWriter::setXrdLinkedFiles(const QStringList& files)
{
    m_linkedFiles = files;
    m_linkedSet = QSet<QString>(files.cbegin(), files.cend());
}

QString QAReporterHTMLWriter::getHtmlFilenameForXrd(const QString& xrd) const
{
    return QFileInfo(xrd).baseName() + config().suffix();
}

QString QAReporterHTMLWriter::linkedPath(const QString& file) const
{
    return QAFileUtil::isRelativePath(file) && !m_linkFolder.isEmpty()
               ? m_linkFolder + QDir::separator() + file
               : file;
}

QString QAReporterHTMLWriter::reportPathForLink(const QString& file) const
{
    const QString path = linkedPath(file);
    if (!m_pageNames.find(path).isEmpty() || QFileInfo(file).fileName() != file)
        return path;
    // A bare file name also reaches a shown report of that name in another folder.
    for (const QAReporterData* record : std::as_const(m_shown))
        if (record && QFileInfo(record->fileName).fileName() == file)
            return record->fileName;
    return path;
}

QString QAReporterHTMLWriter::pageForLink(const QString& file)
{
    return m_pageNames.nameFor(reportPathForLink(file)) + config().suffix();
}

bool QAReporterHTMLWriter::reachesReport(const QString& file) const
{
    // Without the folder links are read from, a relative link cannot be checked.
    if (m_linkFolder.isEmpty() && QAFileUtil::isRelativePath(file))
        return true;
    const QString path = linkedPath(file);
    if (QFileInfo(path).isFile())
        return !m_reportCheck || m_reportCheck(path);
    if (QFileInfo(file).fileName() != file)
        return false;
    for (const QAReporterData* record : std::as_const(m_shown))
        if (record && QFileInfo(record->fileName).fileName() == file)
            return true;
    return false;
}

void QAReporterHTMLWriter::doLink(DItem* item)
{
    if (DLink* link = item ? item->toLink() : nullptr)
        doLink(link);
}

void QAReporterHTMLWriter::doLink(DLink* link)
{
    if (!link)
        return;
    const QAReporterLinkTarget target(link->target());
    switch (target.kind()) {
    case QAReporterLinkTarget::SourceLink:
        doSourceLink(link, target);
        return;
    case QAReporterLinkTarget::ReportLink:
        doReportLink(link, target);
        return;
    case QAReporterLinkTarget::OtherLink:
        break;
    }
    doDocumentLink(link);
}

// A link to a source file: made relative to the export's base where one is set.
void QAReporterHTMLWriter::doSourceLink(DLink* link, const QAReporterLinkTarget& target)
{
    DHTMLOutput& out = output();
    QString file = QDir::toNativeSeparators(QDir::cleanPath(target.fileText()));
    if (file == QLatin1String("."))
        file.clear();
    if (file.isEmpty() || QAFileUtil::isRelativePath(file)) {
        // The page plan's walk found the node of each link; a link of a document without its
        // tree is looked up as the window looks it up.
        if (m_outlineTree) {
            const int node = pagePlan().nodeOfItem(link);
            const QAReporterNode* holder =
                node >= 0 && size_t(node) < m_nodeBases.size() ? m_nodeBases[size_t(node)] : nullptr;
            file = (holder ? holder->base.text() : m_rootBase) + file;
        } else {
            for (QAReporterData* record : std::as_const(m_shown)) {
                if (!record->dataTree)
                    continue;
                if (QAReporterNode* node = QAReporterLinkLocator::findNode(*record->dataTree, link)) {
                    file = node->base.text() + file;
                    break;
                }
            }
        }
    }
    if (!m_baseForLink.isEmpty())
        file = QAFileUtil::absPathToRelative(m_baseForLink, file);
    const bool relative = QAFileUtil::isRelativePath(file);
    QString href = QDir::fromNativeSeparators(file);
    // "file:///" already holds the root of an absolute path that starts with '/'.
    if (!relative)
        while (href.startsWith(QLatin1Char('/')))
            href.remove(0, 1);
    // A relative path whose first segment holds a colon would read as a URL scheme
    // ("javascript:alert(1)" is a file name too); "./" keeps it a path.
    if (relative) {
        const qsizetype colon = href.indexOf(QLatin1Char(':'));
        const qsizetype slash = href.indexOf(QLatin1Char('/'));
        if (colon >= 0 && (slash < 0 || colon < slash))
            href.prepend(QLatin1String("./"));
    }
    out << (relative ? QLatin1String("<a href=\"") : QLatin1String("<a href=\"file:///"));
    // Percent-encoded, the href is ASCII without a character to escape ('&', quotes and angle
    // brackets are encoded): its bytes go out as they are.
    out << QLatin1String(QUrl::toPercentEncoding(href, "/:~+,;=@!$()*"));
    out << QLatin1String("\">");
    doItemChildren(link);
    out << QLatin1String("</a>");
}

// A link to another report: its page when the export writes one, else its text.
void QAReporterHTMLWriter::doReportLink(DLink* link, const QAReporterLinkTarget& target)
{
    DHTMLOutput& out = output();
    const QString file = target.filePart();
    if (file.isEmpty()) {
        // A place in this report: its tag in this page, or nothing to link to.
        const bool linked =
            !target.anchor().isEmpty() && writeLinkStart(placeHref(target.anchor(), QString()));
        doItemChildren(link);
        if (linked)
            out << QLatin1String("</a>");
        return;
    }
    if (!scope().contains(linkedPath(file))) {
        // Outside the folders the export may read: the text stays, as for a missing page.
        if (!m_outsideLinks.contains(file)) {
            m_outsideLinks.insert(file);
            if (m_hostLog)
                m_hostLog->message(QCoreApplication::translate(
                    "QAReporter", "Linked report outside the report's folder, not exported: %1")
                                       .arg(linkedPath(file)));
        }
        doItemChildren(link);
        return;
    }
    // A report that is not there gets no page: its link stays text, and the export names
    // it when it tries to read it.
    const bool reachable = reachesReport(file);
    if (reachable) {
        // A split report is linked at the page that holds the tag; one page is linked whole.
        const QString path = reportPathForLink(file);
        const std::optional<QString> part =
            m_tagPage && !target.anchor().isEmpty() ? m_tagPage(path, target.anchor()) : std::nullopt;
        QString href = QString::fromUtf8(
            QUrl::toPercentEncoding(m_pageNames.nameFor(path) + part.value_or(QString()) + config().suffix()));
        if (part)
            href += QLatin1Char('#') + QString::fromLatin1(QUrl::toPercentEncoding(tagId(target.anchor())));
        out << QLatin1String("<a href=\"");
        writeEscaped(href, true);
        out << QLatin1String("\">");
    }
    doItemChildren(link);
    if (reachable)
        out << QLatin1String("</a>");
    if (!m_linkedSet.contains(file)) {
        m_linkedSet.insert(file);
        m_linkedFiles.append(file);
    }
}

// A link naming a document of the export by name, or a place in this page.
void QAReporterHTMLWriter::doDocumentLink(DLink* link)
{
    DHTMLOutput& out = output();
    QString file, tag, document;
    link->split(file, tag, document);
    const QAReporterData* named = nullptr;
    for (qsizetype i = 0; i < m_reports.size() && !document.isEmpty(); ++i) {
        if (m_reports.at(i) && m_reports.at(i)->document && m_reportNames.at(i) == document) {
            named = m_reports.at(i);
            break;
        }
    }
    if (!named) {
        // Not a report of the export: a place in this page, or nothing.
        DHTMLWriter::doLink(link);
        return;
    }
    out << QLatin1String("<a href=\"");
    const QString page = m_pageNames.nameFor(named->fileName) + config().suffix();
    writeEscaped(QString::fromUtf8(QUrl::toPercentEncoding(page)), true);
    out << QLatin1String("\">");
    doItemChildren(link);
    out << QLatin1String("</a>");
}

void QAReporterHTMLWriter::setSummaryPage(const QString& page)
{
    setBackLink(page, QCoreApplication::translate("QAReporter", "Results summary"));
}

void QAReporterHTMLWriter::setOutlineTree(const QAReporterDataTree* tree)
{
    m_outlineTree = tree;
    setOutline(nullptr);
    m_nodeBases.clear();
    m_rootBase.clear();
    walkTree(tree, m_outline, &m_nodeBases);
    if (!tree || !tree->rootNode())
        return;
    if (const QAReporterNode* root = tree->rootNode()->data())
        m_rootBase = root->base.text();
    setOutline(&m_outline);
}

void QAReporterHTMLWriter::outlineOf(const QAReporterDataTree* tree, DHTMLOutline& outline)
{
    walkTree(tree, outline, nullptr);
}

QHash<QString, QString> QAReporterHTMLWriter::tagPageNames(const QAReporterData& record, qint64 pageBytes)
{
    if (!record.document || !record.dataTree)
        return {};
    DHTMLOutline outline;
    outlineOf(record.dataTree.data(), outline);
    DHTMLPagePlan plan;
    plan.build(&outline, record.document, pageBytes);
    return plan.tagPageNames();
}

void QAReporterHTMLWriter::walkTree(const QAReporterDataTree* tree, DHTMLOutline& outline,
                                    std::vector<const QAReporterNode*>* bases)
{
    outline.clear();
    // A node's anchor id is "x-n" and its id, else its ordinal in the tree (the root's is 0).
    outline.setIdPrefix(QStringLiteral("x-n"));
    if (bases)
        bases->clear();
    if (!tree || !tree->rootNode())
        return;
    // Pre-order walk: the outline's nodes, each with its text's first and last item.
    struct Pending
    {
        const QTree<QAReporterNode>::QTreeNode* node;
        int outlineParent; // -2 for the root, which the outline leaves out
    };
    // Counted first, so that the outline's tables are allocated once.
    int count = 0;
    std::vector<const QTree<QAReporterNode>::QTreeNode*> counting{tree->rootNode()};
    while (!counting.empty()) {
        const auto* node = counting.back();
        counting.pop_back();
        ++count;
        for (const auto* child : node->children())
            counting.push_back(child);
    }
    outline.reserve(count);
    if (bases)
        bases->reserve(size_t(count));
    std::vector<Pending> pending{{tree->rootNode(), -2}};
    int ordinal = 0;
    while (!pending.empty()) {
        const Pending entry = pending.back();
        pending.pop_back();
        const QAReporterNode* data = entry.node->data();
        int index = -1;
        if (entry.outlineParent != -2 && data) {
            DHTMLOutline::Node node;
            // A node's id is mostly its sequence number: written as one, not spelled out here.
            const quint64 idNumber = data->id.number();
            QString textId;
            if (idNumber > 0 && idNumber <= quint64(std::numeric_limits<int>::max())) {
                node.number = int(idNumber);
            } else {
                textId = data->id;
                node.number = ordinal;
            }
            node.label = data->name.isEmpty() ? data->type.text() : data->name;
            node.type = data->type;
            node.verdict = data->state == QLatin1String("ok")   ? DHTMLOutline::Passed
                           : data->state == QLatin1String("ko") ? DHTMLOutline::Failed
                           : data->state == QLatin1String("NE") ? DHTMLOutline::Inconclusive
                                                                : DHTMLOutline::NoVerdict;
            node.tests = data->count;
            node.first = data->startItem;
            node.last = data->endItem;
            node.parent = entry.outlineParent;
            index = outline.add(std::move(node), textId);
        }
        if (bases && index >= 0) {
            // The node itself when it has a base, else its parent's holder (the root's base
            // for a top-level node: no holder).
            bases->push_back(!data->base.isEmpty()     ? data
                             : entry.outlineParent >= 0 ? (*bases)[size_t(entry.outlineParent)]
                                                        : nullptr);
        }
        ++ordinal;
        const auto& children = entry.node->children();
        for (auto it = children.crbegin(); it != children.crend(); ++it)
            pending.push_back({*it, index});
    }
}
