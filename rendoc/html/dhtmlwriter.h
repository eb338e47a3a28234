#pragma once

#include "rendoc/html/dexportscope.h"
#include "rendoc/html/dhtmlconfig.h"
#include "rendoc/html/dhtmlitemmap.h"
#include "rendoc/html/dhtmlpageplan.h"
#include "rendoc/html/dhtmlstylesheet.h"
#include "rendoc/html/dhtmltotals.h"
#include "rendoc/model/diterator.h"

#include <QCoreApplication>
#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <memory>
#include <vector>

class DHTMLImageCopier;
class DHTMLOutline;
class DHTMLOutput;
class DUtf8String;
class DLogMonitor;
class QTextStream;

// Writes a document as one HTML5 page.
//
// The page holds the document and the documents chained after it (a file with several
// documents becomes one page), each as an <article>. Every item kind is written as the report
// view shows it: numbered titles, paragraphs and styled text runs, lists, tables with spans,
// images, graphics as inline SVG, popups as <details> at their first popup link (later links
// to a popup lead there, so each popup is written once per page), tags as id
// anchors ("tag-" + name) with tag pointers and in-page links pointing at them, summaries and
// indexes as link lists. Headers and footers are kept for printing only. Styles become one
// CSS block with a class per style in use. Every text and attribute taken from the document
// is escaped and link targets are limited to safe schemes, so a report cannot inject markup
// or script; the page also forbids scripts through its content security policy.
//
// In stream mode (the default) doAll() writes into the stream given with setStream(). In file
// mode writeFile() writes a page to a temporary file renamed over its name (DExportFile), so a
// failed or cancelled write leaves no partial page behind and a symbolic link at the name is
// replaced, never followed; it copies the images next to it the same way, and never writes over
// a file named with addInputFile(). Output goes straight to the
// stream: memory does not grow with the size of the document beyond small per-page tables.
//
// With a node outline (setOutline()) every page carries that outline and the page script,
// and in file mode a report larger than the configured page size is written as a report
// page plus pages of nodes below it (DHTMLPagePlan); every link to a tag, a title or a node
// leads to the page that holds it.
//
// The walk is iterative; only a link inside a link (and a popup inside a popup) nests a call.
class DHTMLWriter : public DIterator
{
    Q_DECLARE_TR_FUNCTIONS(DHTMLWriter)

public:
    enum Mode { StreamMode = 0, FileMode = 1 };

    explicit DHTMLWriter(DProgressMonitor* monitor = nullptr);
    ~DHTMLWriter() override;

    void setMode(int mode) { m_mode = mode == FileMode ? FileMode : StreamMode; }
    int mode() const { return m_mode; }

    // The stream of stream mode; not owned. Writes reach it as they are made.
    void setStream(QTextStream* stream);
    QTextStream* stream() const { return m_stream; }

    void setConfig(const DHTMLConfig& config) { m_config = config; }
    const DHTMLConfig& config() const { return m_config; }

    // File mode: the folder pages and copied images are written to.
    void setOutputDir(const QString& dir) { m_outputDir = dir; }
    const QString& outputDir() const { return m_outputDir; }
    // Where images named by a relative path are looked for.
    void setPixmapDir(const QString& dir) { m_pixmapDir = dir; }
    const QString& pixmapDir() const { return m_pixmapDir; }
    // A note written at the top of every page (what the pages leave out); "" for none.
    void setPageNote(const QString& note) { m_pageNote = note; }
    // The totals table written at the top of the next pages (after the note); empty for none.
    void setPageTotals(const DHTMLTotals& totals) { m_pageTotals = totals; }

    // The node tree shown as the outline of the next pages and split along; not owned, null
    // for the titles outline and one page per document. Its nodes' anchors are written too.
    void setOutline(const DHTMLOutline* outline);
    // The page the outline links back to, with the link's text; empty page for none.
    void setBackLink(const QString& page, const QString& text)
    {
        m_backPage = page;
        m_backText = text;
    }
    // The pages of the last document written by writeFile() (or doAll()).
    const DHTMLPagePlan& pagePlan() const { return m_plan; }

    // The folders images may be copied from (empty: any); see DExportScope.
    void setScope(const DExportScope& scope) { m_scope = scope; }
    const DExportScope& scope() const { return m_scope; }
    // Receives warnings (an image that could not be copied); not owned, may be null.
    void setLogMonitor(DLogMonitor* log) { m_log = log; }
    DLogMonitor* logMonitor() const { return m_log; }

    // A file the export reads (a report): no page or image is written over it, under any name
    // that reaches it.
    void addInputFile(const QString& path);
    // Whether path names the place of a file given to addInputFile().
    bool isInputFile(const QString& path) const;

    // Bounds what the writer's pages may add up to: `factor` times the size of the files given
    // to addInputFile() plus `constant` bytes (factor 0: no bound). Past it, the page being
    // written is dropped and writeFile() fails with limitReached() set.
    void setOutputLimit(int factor, qint64 constant);
    qint64 outputLimit() const;
    bool limitReached() const { return m_limitReached; }

    // File mode: writes the page of document into path. False with errorString() set when the
    // file cannot be written or the monitor cancelled; the file is then left as it was.
    bool writeFile(DDocument* document, const QString& path);
    const QString& errorString() const { return m_error; }
    // The files written by this writer, pages and images, in order.
    const QStringList& writtenFiles() const { return m_written; }

    // Writes the whole page of document (and the documents chained after it) to stream().
    void doAll(DDocument* document) override;
    // Writes the children of container with their subtrees.
    void doItemChildren(DItemContainer* container) override;
    // Writes a link: an anchor around its content for targets it can resolve, the bare
    // content otherwise. Writers that know more kinds of targets override it.
    void doLink(DLink* item) override;

    // Text escaped for HTML content (quotes included), and for an attribute value.
    static QString escape(const QString& text);
    static QString escapeAttribute(const QString& text);
    // The id written for the tag of that name.
    static QString tagId(const QString& name);

protected:
    // The sidebar written after the articles (placed on the left by the page's CSS) when the
    // configuration asks for an outline: by default a list of the numbered titles.
    virtual void writeOutline(DDocument* document);

    // The outline nodes whose ids are written at the start of their first item, for links
    // from outside the document; set with the outline. anchorWritten() tells whether the
    // node's id made it into the page being written so far.
    void clearAnchors();
    bool anchorWritten(int node) const
    {
        return node >= 0 && size_t(node) < m_anchorWritten.size() && m_anchorWritten[size_t(node)];
    }

    // Where markup goes: the stream's output, or the file's during writeFile().
    DHTMLOutput& output() const { return *m_out; }
    // Writes text escaped (attribute: for a double-quoted attribute value).
    void writeEscaped(QStringView text, bool attribute = false);
    // Writes raw markup.
    void write(QLatin1String markup);
    void write(const QString& markup);
    // Writes a number in decimal, without a temporary string.
    void writeNumber(qint64 number);
    // An anchor start for a safe href, else nothing; true when one was written. Hrefs with a
    // scheme other than http, https, ftp, mailto and file are refused.
    bool writeLinkStart(const QString& href);
    // The href of a place inside the page ("" for a place elsewhere or a tag the page lacks).
    QString placeHref(const QString& tag, const QString& document) const;
    // The document whose article is being written.
    DDocument* currentDocument() const { return m_currentDocument; }
    // The id of a title of the current page.
    QString titleId(const DItem* title) const;
    // The text of an item's DText descendants, white space collapsed.
    static QString plainText(const DItem* item);
    // Whether the walk must stop: the monitor cancelled or the output limit was passed. Checked
    // every 256 calls; once it answers true it stays true for the page.
    bool stopWriting();

private:

    // Writes one page of the current plan (0: the report page).
    void writePage(DDocument* document, int page = 0);
    bool writeOneFile(DDocument* document, const QString& path, int page);
    void writeNav(DDocument* document);
    // Writes the link that stands for the text of node, which has a page of its own.
    void writeSplitLink(DItem* item, int node);
    // Writes node's anchor id and notes it as written on this page.
    // The id of a node's anchor: the outline's prefix and the node's text id or number.
    void writeAnchorId(int node);
    void writeAnchor(int node);
    void forgetWrittenAnchors();
    // Whether the page being written links to node's anchor: one on this page only once
    // written, unless sameTrusted (a list written before the text).
    bool nodeLinked(int node, bool sameTrusted) const;
    // Writes the href of node's anchor from the page being written, escaped for an attribute.
    void writeNodeHref(int node);
    // The file name (percent-encoded) of page of the plan.
    QString pageFile(int page) const;
    // href prefixed with the page that holds it when that is not the page being written.
    QString onPage(int page, const QString& fragment) const;
    // Notes what the pages of document need before they are written (styles, popups, tags,
    // unnumbered titles), sharing the page plan's walk when it makes one; then plans them.
    void planPages(DDocument* document, qint64 budget);
    void scanItem(DItem* item);
    // Whether the document being written holds a tag of that name.
    bool holdsTag(const QString& name) const
    {
        return m_tagsPlanned ? m_plan.pageOfTag(name) >= 0 : m_tagNames.contains(name);
    }
    void writeHead(DDocument* document);
    void writeStyles();
    // Writes first, its following siblings and their subtrees, without recursion.
    void writeRange(DItem* first);
    // Writes item's start (the whole item when it has no children to descend into); true when
    // the walk must descend into its children and close it later.
    bool open(DItem* item, bool& skipChildren);
    // Writes the start of an item whose children are written inside it.
    void openContainer(DItem* item);
    void writeTitleStart(DItem* item);
    void writeTableStart(DItem* item);
    void writeCellStart(DItem* item);
    // Writes an item whose children, if any, are not walked; returns false.
    bool writeLeaf(DItem* item, bool& skipChildren);
    void writeStyledLink(DItem* item);
    void writeTagPointer(DItem* item);
    void close(DItem* item);
    void writeAnchors(const DItem* item);
    void writeClassAttribute(const DItem* item, const char* base);
    void writeTextItem(const QString& text, const DItem* item);
    void writeTextItem(const DUtf8String& text, const DItem* item);
    // Opens the span of item's style class, if it has one; answers the class (0: none).
    int writeStyleStart(const DItem* item);
    void writeImage(DImage* image);
    void writeGraphic(DGraphic* graphic);
    void writeSummary(DSummary* summary);
    void writeIndex(DIndex* index);
    void writePopupLink(DPopupLink* link);
    void logMessage(const QString& text);

    int m_mode = StreamMode;
    QTextStream* m_stream = nullptr;
    std::unique_ptr<DHTMLOutput> m_streamOutput; // m_stream's, for stream mode
    DHTMLOutput* m_out = nullptr;                // the output being written
    DHTMLConfig m_config;
    QString m_outputDir;
    QString m_pixmapDir;
    DExportScope m_scope;
    QString m_pageNote;
    DHTMLTotals m_pageTotals;
    DLogMonitor* m_log = nullptr;
    QString m_error;
    QStringList m_written;
    QSet<QString> m_inputs;                     // where input files live (see placeOf())
    qint64 m_inputBytes = 0;                    // the size of the input files
    int m_limitFactor = 0;
    qint64 m_limitConstant = 0;
    qint64 m_pagesBytes = 0;                    // the size of the pages written
    bool m_limitReached = false;

    // Per page.
    DHTMLStyleSheet m_styleSheet;
    QHash<QString, DItem*> m_popups;            // first popup of each name
    QHash<QString, int> m_documentIndex;        // document name -> article number
    QHash<const DItem*, int> m_unnumberedTitles; // unnumbered title -> ordinal in the page
    QSet<QString> m_tagNames;                   // the tags of the page, unless the plan has them
    bool m_tagsPlanned = false;                 // the plan's walk noted the tags
    bool m_inPage = false;                      // writing a page (its tags are known)
    int m_scannedDocuments = 0;                 // top-level documents met by scanItem()
    QHash<const DItem*, QString> m_popupIds;    // popups written (or being written) -> id
    int m_popupDepth = 0;                       // popups being written inside each other
    DHTMLItemMap m_anchors;                     // first item -> outline nodes starting there
    std::vector<char> m_anchorWritten;          // per outline node: its id is on the page
    std::vector<int> m_anchorsOnPage;           // the nodes marked so, to unmark per page
    QString m_css;                              // the style block of the document's pages
    DDocument* m_currentDocument = nullptr;
    int m_documentNumber = 0;
    int m_itemCount = 0;
    bool m_stopped = false;

    // The outline, the plan of the document's pages and the page being written.
    const DHTMLOutline* m_outline = nullptr;
    DHTMLPagePlan m_plan;
    QString m_pageBase;                         // the report page's name without suffix
    QString m_backPage;
    QString m_backText;
    int m_page = 0;
    const DItem* m_rangeEnd = nullptr;          // a node page ends after this item
    bool m_rangeDone = false;

    // Per writer: images are copied once.
    std::unique_ptr<DHTMLImageCopier> m_images;
};
