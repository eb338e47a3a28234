#pragma once

#include <QByteArrayView>
#include <QHash>
#include <QList>
#include <QString>

#include <memory>
#include <utility>

class DDocument;
class DItem;
class DItemContainer;
class DLink;
class DStyle;
class QAJUnitTraceLinks;

// Builds the report document of JUnit results item by item: the items, the
// links between them and their styles are those the AML handler makes for
// the same markup in an XRD file (DOCUMENT, TITLE, P, LINK, TABLE, ROW,
// CELLTEXT), with the same conventional styles and the same bound on text,
// without the handler's parsing of names and attributes. Items go to the
// document's top level one after the other.
class QAJUnitDocumentBuilder
{
public:
    // The report styles the items take (not owned), and the size of the
    // input, which bounds the text accepted.
    QAJUnitDocumentBuilder(const QList<DStyle *> &styles, qint64 inputSize);
    ~QAJUnitDocumentBuilder();

    QAJUnitDocumentBuilder(const QAJUnitDocumentBuilder &) = delete;
    QAJUnitDocumentBuilder &operator=(const QAJUnitDocumentBuilder &) = delete;

    // <DOCUMENT title name>; every other item goes into it.
    void startDocument(const QString &title, const QString &name);
    // <TITLE level style>text</TITLE>; no style attribute when style is null.
    bool title(int level, const QString &style, const QString &text);
    // title() of a UTF-8 text, kept as it comes.
    bool titleUtf8(int level, const QString &style, QByteArrayView text);
    // <P style>text<LINK target>target</LINK></P>, the link only when a
    // target is given.
    bool paragraph(const QString &style, const QString &text, const QString &link = QString());
    // paragraph() of a UTF-8 text and target, kept as they come; no link
    // when the target is null.
    bool paragraphUtf8(const QString &style, QByteArrayView text, QByteArrayView link = {});
    // Gives a paragraph written earlier without a link a new style and text:
    // counts shown before the items they count are known.
    bool rewriteParagraph(DItem *paragraph, const QString &style, const QString &text);
    // Gives an item written earlier a new style by name: the title of a node
    // whose verdict is known only at its end.
    void restyle(DItem *item, const QString &style) { applyStyle(item, style, QString()); }
    // A paragraph of each line of `text`, in the "Output" style, with leading
    // and repeated blanks kept visible (the view collapses white space) and
    // overlong lines cut into parts; blank lines at both ends are left out.
    bool preformatted(const QString &text);
    // A failure's trace as preformatted() writes it, folded: its first
    // FoldedLines lines, then, when it has more, a "Show all" popup link
    // whose popup holds the rest. Frames that `links` (may be null) finds
    // become links to their source.
    static constexpr int FoldedLines = 10;
    bool trace(const QString &text, QAJUnitTraceLinks *links);
    // A bordered two-column table, one row of two CELLTEXTs per pair.
    void table(const QList<std::pair<QString, QString>> &rows);

    DDocument *document() const { return m_document.get(); }
    // The item written last at the document's level (the document itself
    // before the first): where a node's text begins after its title, and
    // where it ends.
    DItem *lastItem() const;
    DDocument *takeDocument();
    // Frees the items written after `item` (an item at the document's top
    // level, or the document itself for all of them) and goes on writing
    // after it. The text they took stays counted against the bound.
    void dropAfter(DItem *item);

private:
    // Links item as the last child of parent, after `last`, which it replaces.
    static void append(DItemContainer *parent, DItem *&last, DItem *item);
    void appendToDocument(DItem *item);
    // The lines of a block of text without the blank ones at both ends.
    static QList<QStringView> blockLines(const QString &text);
    // One line of output as a paragraph, cut into several when overlong, at
    // the document's level or, with a popup, inside it.
    bool outputLine(QStringView line, QAJUnitTraceLinks *links, DItemContainer *popup, DItem *&lastInPopup);
    bool addText(DItemContainer *parent, DItem *&last, const QString &text);
    bool addText(DItemContainer *parent, DItem *&last, QByteArrayView utf8);
    // The item of a title of that level, styled and appended.
    DItemContainer *newTitle(int level, const QString &style);
    // A link to `link` after `last` in the paragraph, showing its target; none when null.
    bool addLink(DItemContainer *paragraph, DItem *&last, const QString &link);
    // addLink() of a target in UTF-8; none when null.
    bool addLinkUtf8(DItemContainer *paragraph, DItem *&last, QByteArrayView link);
    // Appends a link made from its target, showing that target; `characters`
    // is the target's length in UTF-16.
    bool addLinkItem(DItemContainer *paragraph, DItem *&last, DLink *link, qint64 characters);
    // Counts characters added to the report text; false past the bound,
    // the one way an item is refused.
    bool grow(qint64 characters);
    void applyStyle(DItem *item, const QString &style, const QString &conventional);
    // The style of that name in the list, null when it has none.
    DStyle *styleNamed(const QString &name);

    std::unique_ptr<DDocument> m_document;
    DItem *m_last = nullptr;
    QHash<QString, DStyle *> m_styles; // by name; the last of a name wins
    static constexpr int RecentStyles = 8;
    std::pair<QString, DStyle *> m_recentStyles[RecentStyles]; // styles found last, by name
    int m_nextRecentStyle = 0;
    qint64 m_textLimit;
    qint64 m_textCount = 0;
    int m_popups = 0; // popups written, for their names
};
