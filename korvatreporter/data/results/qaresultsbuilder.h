#pragma once

#include "korvatreporter/data/qaprogressthrottle.h"

#include <QByteArrayView>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

#include <memory>
#include <utility>
#include <vector>

class DItem;
class DStyle;
class QAJUnitDocumentBuilder;
class QAJUnitTraceLinks;
class QAReporterData;
class QAReporterDataTree;
class QAStudioInterface;
class QFile;

// The record every reader other than the XRD one builds: the node tree
// with its ids, types and verdicts, the report text built item by item as
// for JUnit results, the totals of test cases (64-bit, from -1 for "no
// inconclusive case") and the studio's progress display with its cancel
// button. A reader opens suites and cases in file order and writes each
// node's text between its open and close; suites take the worst verdict of
// what is under them. Readers that write their own titles and verdicts
// (the XML readers) use the steps underneath: addNode(), endNode(),
// count().
class QAResultsBuilder
{
public:
    // `format` prefixes the error texts ("TAP", "GoogleTest JSON").
    QAResultsBuilder(const QString &format, QFile &file, QAStudioInterface *studio,
                     const QList<DStyle *> &styles);
    ~QAResultsBuilder();

    QAResultsBuilder(const QAResultsBuilder &) = delete;
    QAResultsBuilder &operator=(const QAResultsBuilder &) = delete;

    // The document, named after the file, with its level-0 title.
    bool start(const QString &title);
    // A group of tests; its verdict is the worst of the nodes under it
    // ("ok" when it has none), set when it closes.
    bool openSuite(const QString &name, const QString &type, const QString &titleText);
    // A test case whose verdict is known: counted in the totals, its title
    // in the verdict's style.
    bool openCase(const QString &name, const QString &type, const QString &state);
    // A test case whose verdict comes after the nodes under it (a TAP test
    // with subtests): closeNode() gives the verdict, counts it and restyles
    // the title.
    bool openPendingCase(const QString &name, const QString &type);
    // Closes the innermost node. A pending case takes `state` as its verdict
    // (without one, the worst of the nodes under it) and `name` when it had
    // none. Reading for the totals or the tree alone, a case that closes
    // outside any other case is forgotten (forgetClosedCase()).
    bool closeNode(const QString &state = QString(), const QString &name = QString());
    // Open nodes below the root.
    int openNodes() const { return int(m_open.size()); }

    // A new node under the current one, made current, with the next id; its
    // type joins the record's types. No title is written and the verdict,
    // when null, is set later by the reader.
    bool addNode(const QString &name, const QString &type, const QString &state);
    // Ends the current node's text at the last item written and makes its
    // parent current.
    void endNode();
    // Reading for the totals alone (see closeNode()).
    void setTotalsOnly(bool totalsOnly) { m_totalsOnly = totalsOnly; }
    // Reading for the node tree alone (see closeNode()): a case forgotten
    // keeps its node and those under it, anchored nowhere; only its items go.
    void setTreeOnly(bool treeOnly) { m_treeOnly = treeOnly; }
    // For a read of the totals alone: frees the node closed last, a case,
    // and the items written since `before` (the last item before its
    // title). Its verdict stays counted and its type listed, and the text
    // it took stays counted against the bound, so that the read refuses
    // what a full read refuses; nothing else of it is kept. Reading for the
    // tree alone, the case's nodes stay, anchored nowhere.
    void forgetClosedCase(DItem *before);
    // Counts a verdict ("ok", "ko" or "NE") in the totals.
    void count(const QString &state);
    // The title level of the current node: its depth below the root, at most 6.
    int titleLevel() const;
    // "TitleN", "TitleN Failed" or "TitleN Passed" for a verdict.
    const QString &titleStyle(int level, const QString &state);

    QAJUnitDocumentBuilder &document() { return *m_document; }
    QAReporterDataTree &tree() { return *m_tree; }

    // A title of `level` (no style attribute when style is null), outside
    // the open and close steps.
    bool title(int level, const QString &style, const QString &text);
    bool paragraph(const QString &style, const QString &text, const QString &link = QString());
    // The same of texts in UTF-8, which go to the document without a
    // conversion: a runner's file has a title and a line of them per case.
    bool titleUtf8(int level, const QString &style, QByteArrayView text);
    bool paragraphUtf8(const QString &style, QByteArrayView text, QByteArrayView link = {});
    bool preformatted(const QString &text);
    // A failure's trace, folded when long, frames linked through links (may be null).
    bool trace(const QString &text, QAJUnitTraceLinks *links);
    bool table(const QList<std::pair<QString, QString>> &rows);
    // A paragraph written before with another style and text (counts
    // written before the tests that give them).
    bool rewrite(DItem *paragraph, const QString &style, const QString &text);
    // The item written last, where a node's text ends so far.
    DItem *lastItem() const;

    // Moves the progress display to `position` (a byte offset); false when
    // the user canceled. The display hears of it only when QAProgressThrottle
    // lets it through.
    bool progress(qint64 position);
    // Records the first error and returns false.
    bool fail(const QString &text);
    // "FORMAT, TEXT\n", the form of every reader error.
    QString error(const QString &text) const;
    QString errorString() const { return m_error; }
    bool canceled() const { return m_canceled; }

    // Cases counted so far.
    qint64 passed() const { return m_passed; }
    qint64 failed() const { return m_failed; }
    qint64 inconclusive() const { return m_inconclusive; }

    // Hands the tree, the document, the types and the totals to `record`.
    void finish(QAReporterData &record);

private:
    // What is known of an open node.
    struct Open
    {
        enum Kind { Suite, Case, Pending } kind;
        int worst; // 0 nothing under it, 1 ok, 2 NE, 3 ko
        DItem *title;
        DItem *before; // the last item before its title
    };

    bool openNode(const QString &name, const QString &type, const QString &state, Open::Kind kind,
                  const QString &titleText);
    // The document refused an item: its one fault is the bound on the text.
    bool documentFailed();

    QString m_format;
    QFile &m_file;
    QAStudioInterface *m_studio;
    std::unique_ptr<QAJUnitDocumentBuilder> m_document;
    std::unique_ptr<QAReporterDataTree> m_tree;
    std::vector<Open> m_open;
    QStringList m_types;
    QSet<QString> m_typeSet;
    QString m_lastType; // of the node added last, in m_typeSet
    QString m_titleStyles[7][3]; // by level and verdict (NE, ko, ok), made when first used
    int m_nodeCounter = 0;
    int m_steps = 0;
    QAProgressThrottle m_progress;
    qint64 m_passed = 0;
    qint64 m_failed = 0;
    qint64 m_inconclusive = -1;
    QString m_error;
    bool m_canceled = false;
    bool m_totalsOnly = false;
    bool m_treeOnly = false;
};
