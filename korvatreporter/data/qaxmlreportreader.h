#pragma once

#include "korvatreporter/data/qareportreader.h"
#include "korvatreporter/data/results/qaresultsbuilder.h"

#include "rendoc/aml/damlattributes.h"
#include "rendoc/aml/damlcontenthandler.h"

#include <QByteArray>
#include <QString>
#include <QStringView>

#include <memory>

class QAJUnitDocumentBuilder;
class QAReporterDataTree;
class QAReporterNode;
class QFileInfo;
class DAmlLocator;

// The common part of the readers of test runners' XML outputs: one
// streaming pass over the file with the parser under the XRD reader
// (DAmlExpatSource: expat, on a thread of its own for large files, so that
// parsing and building run side by side), with the hostile-input limits (no
// document type declarations, nesting, text runs, report text), errors with
// the line and column in the XRD reader's words, progress and cancel; the node tree, document and
// totals are built by a QAResultsBuilder. A reader of one format handles
// the elements as they start and end; the text of an element reaches it as
// text() at its end tag, when no child element came after the text, and the
// text before a child reaches startElement() of the child. Runs of blanks
// alone between tags and CDATA sections are no text; comments are left out. A reader may
// take an element whole instead (takeWholeText(), skipElement()). Files in
// UTF-8, UTF-16, ISO-8859-1, ASCII and windows-1252 are read.
class QAXmlReportReader : public QAReportReader, private DAmlContentHandler
{
public:
    ~QAXmlReportReader() override;

    bool read(QFile &file, QAStudioInterface *studio, const QList<DStyle *> &styles,
              QAReporterData &record) override;
    QString errorString() const override { return m_error; }
    bool canceled() const override { return m_canceled; }

    // The longest text of one element, and the most bytes fed to the XML
    // reader without a token (a tag that never ends). Tests lower it.
    void setTextRunLimit(qint64 limit) { m_textRunLimit = limit; }

protected:
    // `format` names the format in error messages ("Qt Test").
    explicit QAXmlReportReader(const QString &format);

    // The element to wrap a file in when it has no root element of its own
    // (a stream of elements), judged from the file's first bytes; empty when
    // the file is one document.
    virtual QByteArray wrapperElement(const QByteArray &head) const;
    // The first element of the file (or the wrapper); false to refuse the file.
    // The attributes are valid during the call only.
    virtual bool startRoot(QStringView name, const DAmlAttributes &atts, const QFileInfo &file) = 0;
    virtual bool startElement(QStringView name, const DAmlAttributes &atts) = 0;
    // The end of an element (the root's too); text() holds its text.
    virtual bool endElement(QStringView name) = 0;

    // Called from startElement(): the elements inside the element are not
    // handed over, and its text, with theirs and every blank, reaches
    // endElement() of the element as text().
    void takeWholeText();
    // Called from startElement(): neither what the element holds nor its
    // end is handed over.
    void skipElement();
    // After the last element: totals and closing words.
    virtual bool finish() { return true; }

    // Resets the state of a reader of one format before a read.
    virtual void reset() {}

    QAJUnitDocumentBuilder &document() { return m_builder->document(); }
    // The record's builder, for the steps without a shortcut here.
    QAResultsBuilder &results() { return *m_builder; }
    QAReporterDataTree &tree() { return m_builder->tree(); }
    // Decoded from UTF-8 at each call.
    QString text() const { return QString::fromUtf8(m_text); }
    // The attribute's value, null when absent, empty when given empty.
    static QString attribute(const DAmlAttributes &atts, QLatin1String name) { return atts.value(name); }
    // True when the value has something besides blanks.
    static bool given(const QString &value);

    // The record's steps (QAResultsBuilder): a new node under the current
    // one, made current, its state possibly set at its end; the end of the
    // current node's text; a verdict counted in the totals.
    bool openNode(const QString &name, const QString &type, const QString &state)
    {
        return m_builder->addNode(name, type, state);
    }
    void closeNode() { m_builder->endNode(); }
    void count(const QString &state) { m_builder->count(state); }
    // The totals counted so far (inconclusive is -1 while none was).
    qint64 passed() const { return m_builder->passed(); }
    qint64 failed() const { return m_builder->failed(); }
    qint64 inconclusive() const { return m_builder->inconclusive(); }
    int titleLevel() const { return m_builder->titleLevel(); }
    QString titleStyle(int level, const QString &state) { return m_builder->titleStyle(level, state); }
    bool writeTitle(int level, const QString &style, const QString &text);
    bool writeParagraph(const QString &style, const QString &text, const QString &link = QString());
    bool writePreformatted(const QString &text);
    // A link target "FILE line N" when both are given and the line is not 0.
    static QString sourceLink(const QString &file, const QString &line);
    // Moves the progress display; false (canceled) when the user pressed its
    // cancel button.
    bool stepProgress();
    bool fail(const QString &text);
    // "FORMAT, line N: text"
    bool failAtLine(const QString &text);
    QString format() const { return m_format; }

private:
    // Bytes of a UTF-8 byte order mark and an XML declaration at the start
    // of `head`, which must stay before a wrapper element.
    static qsizetype prologSize(const QByteArray &head);
    bool parse(const QFileInfo &file, const QByteArray &wrapper);
    // Ends a run of character data outside an element taken whole: kept as
    // text unless it is blanks only.
    void addRun(QByteArrayView run);
    int lineNumber() const;

    // The parser's events (DAmlContentHandler).
    void setDocumentLocator(const DAmlLocator *locator) override { m_locator = locator; }
    bool startDocument() override { return true; }
    bool endDocument() override { return true; }
    bool startElement(const QString &, const QString &, const QString &name, const DAmlAttributes &atts) override;
    bool endElement(const QString &, const QString &, const QString &name) override;
    bool charactersUtf8(QByteArrayView utf8, qint64 units) override;
    bool startDTD() override;
    void fatalError(const DAmlParseError &error) override;
    void setErrorString(const QString &text) override;

    QString m_format;
    QString m_error;
    bool m_canceled = false;
    qint64 m_textRunLimit;
    QFile *m_file = nullptr;
    const QFileInfo *m_fileInfo = nullptr;
    const DAmlLocator *m_locator = nullptr;
    qint64 m_startPosition = 0; // where the parser began in the file (after a prolog read ahead)
    bool m_rootSeen = false;
    int m_wrapperColumns = 0; // columns the wrapper adds to line 1
    int m_depth = 0;
    // An element taken whole: its depth (0 when none) and whether its text is kept.
    int m_heldDepth = 0;
    bool m_heldText = false;
    QByteArray m_text; // the current element's text, UTF-8
    std::unique_ptr<QAResultsBuilder> m_builder;
};
