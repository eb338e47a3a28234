#pragma once

#include "korvatreporter/data/qaxmlreportreader.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QStringList>

#include <memory>
#include <utility>
#include <vector>

class QAJUnitTraceLinks;
class QAReporterNode;
class DItem;
class QFileInfo;

// Reads JUnit XML results (testsuites/testsuite/testcase, as pytest, Maven
// Surefire, Gradle, ctest, gotestsum, jest-junit or Qt Test write them) in
// one streaming pass (QAXmlReportReader). The root becomes the tree's root, each testcase a
// "TestCase" node with "ko" (failure or error), "NE" (skipped) or "ok" and
// each testsuite a "TestSuite" node with "ko" when a case under it failed,
// else "NE" when one was skipped, else "ok". The counts shown for suites
// are those of the cases read, with the file's own where they differ. The report text of
// every node is built as the AML handler builds an XRD file's text
// (QAJUnitDocumentBuilder, through the shared QAResultsBuilder), so the
// document is the one an XRD file with the same markup would give; the
// totals count test cases.
class QAJUnitReader : public QAXmlReportReader
{
public:
    QAJUnitReader();
    ~QAJUnitReader() override;

    bool read(QFile &file, QAStudioInterface *studio, const QList<DStyle *> &styles,
              QAReporterData &record) override;

protected:
    bool startRoot(QStringView name, const DAmlAttributes &atts, const QFileInfo &file) override;
    bool startElement(QStringView name, const DAmlAttributes &atts) override;
    bool endElement(QStringView name) override;
    bool finish() override;
    void reset() override;

private:
    using Properties = QList<std::pair<QString, QString>>;

    // What the open elements are, innermost last. The elements after
    // Properties are read whole: their text is what they give.
    enum class Open {
        Root,
        Suite,
        Case,
        Rerun,
        Properties,
        Property,   // a property's value
        Outcome,    // a failure's, error's or skip's trace
        SuiteOut,   // the output of a suite
        SuiteErr,
        CaseOut,    // the output of a case
        CaseErr,
        RerunTrace, // a rerun's trace and output
        RerunOut,
        RerunErr,
    };

    // A failure, error or skip of a test case, or one of its reruns.
    struct Outcome
    {
        enum Kind { Failure, Error, Skipped, FlakyFailure, FlakyError, RerunFailure, RerunError };
        Kind kind;
        QString message;
        QString type;
        QString text;
        QString out;
        QString err;
    };

    // One test case, kept until its end tag tells its verdict. The
    // attributes that only make up its line are kept as written (UTF-8):
    // the line goes to the document as UTF-8 without a QString in between,
    // and their buffers are reused from case to case.
    struct TestCase
    {
        QString name;
        QByteArray utf8Name;
        QByteArray classname;
        QByteArray time;
        QByteArray file;
        QByteArray line;
        std::vector<Outcome> outcomes;
        Properties properties;
        QString out;
        QString err;
        // Empties the case, keeping the attribute buffers allocated.
        void clear();
    };

    // An open suite (or the testsuites root): the cases counted in it so
    // far, the counts its attributes give (null when absent) and the
    // paragraph that shows them, written before its cases and rewritten
    // with the counted values when it ends.
    struct Suite
    {
        QAReporterNode *node = nullptr;
        DItem *countsItem = nullptr;
        qint64 tests = 0;
        qint64 failures = 0; // cases with a failure and no error
        qint64 errors = 0; // cases with an error
        qint64 skipped = 0; // cases skipped that neither failed nor had an error
        QString saidTests;
        QString saidFailures;
        QString saidErrors;
        QString saidSkipped;
        QString time;
    };

    bool startSuite(const DAmlAttributes &atts);
    bool endSuite();
    void startCase(const DAmlAttributes &atts);
    bool endCase();
    void startOutcome(Outcome::Kind kind, const DAmlAttributes &atts);
    // Opens an element read whole.
    void startText(Open open);
    // The end of an element read whole, with its text.
    bool endText(Open open, const QString &text);
    bool writeCase(const QString &state, quint8 rerun);
    bool writeOutcome(const Outcome &outcome);
    bool writeOutput(const QString &label, const QString &text);
    bool writeProperties(const Properties &properties);
    // Takes the counts and the time a suite's attributes give.
    static void readCounts(Suite &suite, const DAmlAttributes &atts);
    // The counts line of a suite: written after its cases (then naming it)
    // when it has no `tests` attribute, else rewritten in place.
    bool writeCounts(const Suite &suite, bool after);
    QString countsText(const Suite &suite) const;
    // A counted value, with what the file says when it says otherwise.
    QString countText(qint64 counted, const QString &said) const;

    // A translated text with one %1, split there once per read: filled in
    // with appends instead of QString::arg()'s parse of the whole text.
    struct Pattern
    {
        QString format;
        qsizetype at = -1; // where its %1 is; -1 when it has not exactly one
        QByteArray before; // UTF-8 of the text around the %1
        QByteArray after;
        void set(const QString &text);
        // Appends the text with `value` (UTF-8) in place of the %1, as UTF-8.
        void fill(QByteArray &out, QByteArrayView value) const;
    };

    // Translated texts used for every test case, looked up once per read.
    struct Texts
    {
        Pattern classFormat;
        Pattern timeFormat;
        Pattern fileFormat;
        QByteArray sourceFirst; // UTF-8
        QByteArray sourceNext;
        QString standardOutput;
        QString standardError;
        QString fileSays;
        QString outcomes[7]; // the label of each Outcome::Kind
        QString runOutput;   // of a rerun's own output
        QString runError;
    };

    Texts m_texts;
    std::unique_ptr<QAJUnitTraceLinks> m_traceLinks; // frames -> files under the report's folder
    std::vector<Open> m_open;
    std::vector<Suite> m_suites;
    Suite m_root; // the counts of a testsuites root
    TestCase m_case;
    QByteArray m_line; // a case's line being made, UTF-8; reused
    QByteArray m_target; // the target of its source link, UTF-8; reused
    Properties m_properties; // of the open properties element
    QString m_propertyName;  // of the open property element
    QString m_propertyValue; // null when it has no value attribute
    qint64 m_flaky = 0;
};
