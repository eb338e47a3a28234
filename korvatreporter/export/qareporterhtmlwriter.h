#pragma once

#include "korvatreporter/export/qareporterpagenames.h"
#include "rendoc/html/dhtmloutline.h"
#include "rendoc/html/dhtmlwriter.h"

#include <QHash>
#include <QList>
#include <QMultiHash>
#include <QObject>
#include <QSet>
#include <QString>
#include <QStringList>

#include <functional>
#include <vector>
#include <optional>

class DItem;
class QAILogMonitor;
class QAIProgressMonitor;
class QAReporterData;
class QAReporterDataTree;
class QAReporterLinkTarget;
class QAReporterNode;

// The plug-in's HTML writer for the full export. It writes links so that they lead to the
// exported pages and to the source files:
//
// - a source link "<file> line <n>" becomes a link to the file (completed with the base of the
//   report node that holds it when it is relative, then made relative to the base for links);
//   the line number is not written;
// - a report link "xrdlink://<file>[#anchor]" becomes a link to that report's page, without
//   the anchor, and the file joins the linked files (once) so that the export writes it too;
//   "xrdlink://#anchor" is the tag of that name in the same page; a file outside the writer's
//   scope is not linked nor exported, and is logged once; when the linked report is split into
//   pages, the link leads to the page that holds the tag, and to the tag there;
// - any other link naming a document of one of the reports leads to that report's page.
//
// Page names come from its page-name table, which the export fills with the shown reports
// first: every report file has its own page, and every link to it uses that page's name.
//
// It hands the report node tree to the page writer as the pages' outline (DHTMLOutline), which
// large reports are also split along, and the summary page as the outline's link back.
class QAReporterHTMLWriter : public QObject, public DHTMLWriter
{
    Q_OBJECT
public:
    // reports: the window's records, for document-name links; shown: the records whose trees
    // hold the written documents' links (the shown copies), for the nodes of source links.
    // None is owned, nor are the monitors.
    QAReporterHTMLWriter(const QList<QAReporterData*>& reports,
                         const QList<QAReporterData*>& shown, QAIProgressMonitor* progress,
                         QAILogMonitor* log);
    ~QAReporterHTMLWriter() override;

    void setBaseForLink(const QString& base);
    const QStringList& xrdLinkedFiles() const { return m_linkedFiles; }
    void setXrdLinkedFiles(const QStringList& files);
    // The page name of a report file: its base name (up to the first '.') and the suffix.
    QString getHtmlFilenameForXrd(const QString& xrd) const;

    // The folder that relative report links are read from.
    void setLinkFolder(const QString& folder) { m_linkFolder = folder; }
    // The path a report link's file part is read from.
    QString linkedPath(const QString& file) const;
    // The export's page names; a report link names its report's page here when it has none.
    QAReporterPageNames& pageNames() { return m_pageNames; }
    // The report file a report link's file part reaches: the file it reads, or a shown
    // report with that file name when the link gives no folder and names no other page.
    QString reportPathForLink(const QString& file) const;
    // The page (with suffix) of a report link's file part: the page of the report it reaches.
    QString pageForLink(const QString& file);
    // Whether a report link's file part reaches a report file (or a shown report by name)
    // that the report check, when set, accepts.
    bool reachesReport(const QString& file) const;
    // Answers whether the report file at a path can be read; a link to one that cannot stays
    // text, so that no link leads to a page the export does not write.
    using ReportCheck = std::function<bool(const QString& path)>;
    void setReportCheck(ReportCheck check) { m_reportCheck = std::move(check); }
    // Answers, for the report at path and a tag name, the part of the name of the page that
    // holds the tag after the report page's name ("" for the report page, ".n17" for a node
    // page) when the report is split into pages, else nothing: a report link then leads to
    // the report page, without the anchor.
    using TagPage = std::function<std::optional<QString>(const QString& path, const QString& tag)>;
    void setTagPage(TagPage lookup) { m_tagPage = std::move(lookup); }

    // The outline of a report node tree as the pages show it (the tree's root left out).
    static void outlineOf(const QAReporterDataTree* tree, DHTMLOutline& outline);
    // The tag page names of a report's pages at that page size (DHTMLPagePlan::tagPageNames()).
    static QHash<QString, QString> tagPageNames(const QAReporterData& record, qint64 pageBytes);

    // The node tree shown as the outline of the next pages; null gives the titles outline.
    void setOutlineTree(const QAReporterDataTree* tree);
    // The summary page the outline links back to; empty for none.
    void setSummaryPage(const QString& page);

    void doLink(DLink* item) override;
    // Casts the item to a link and writes it; anything else writes nothing.
    void doLink(DItem* item);

private:
    void doSourceLink(DLink* link, const QAReporterLinkTarget& target);
    void doReportLink(DLink* link, const QAReporterLinkTarget& target);
    void doDocumentLink(DLink* link);
    // Fills outline from tree; bases, when given, gets per outline node the report node whose
    // base its source links are read against: itself, else its nearest ancestor with a base
    // (null: the root's base).
    static void walkTree(const QAReporterDataTree* tree, DHTMLOutline& outline,
                         std::vector<const QAReporterNode*>* bases);

    QString m_baseForLink;
    QString m_linkFolder;
    QAReporterPageNames m_pageNames;
    QList<QAReporterData*> m_reports;
    // The names of the reports' first documents when the writer was made: the
    // export renames a page's document while writing it, and that document
    // may be the report's own.
    QStringList m_reportNames;
    QList<QAReporterData*> m_shown;
    QStringList m_linkedFiles;
    QSet<QString> m_linkedSet; // m_linkedFiles as a set: "met before?" without a scan
    QSet<QString> m_outsideLinks; // report links refused as outside the scope, logged once
    QAIProgressMonitor* m_progress;
    QAILogMonitor* m_hostLog;
    const QAReporterDataTree* m_outlineTree = nullptr;
    DHTMLOutline m_outline; // the node tree as the pages show it
    ReportCheck m_reportCheck;
    TagPage m_tagPage;
    std::vector<const QAReporterNode*> m_nodeBases; // per outline node: whose base its source links take
    QString m_rootBase;               // the base of links outside every node
};
