#pragma once

#include "korvatreporter/data/qaprogressthrottle.h"
#include "korvatreporter/data/qareportertext.h"
#include "rendoc/aml/damlhandler.h"
#include "sdk/qastreportsession.h"
#include "sdk/qasttestresult.h"

#include <QByteArrayView>
#include <QList>
#include <QHash>
#include <QStringList>

#include <memory>
#include <optional>
#include <utility>
#include <deque>
#include <vector>

class QAReporterDataTree;
class QAReporterNode;
class QAStudioInterface;
class QFile;

// Handler of the AML reader's events for XRD files. It keeps the "XROD"
// and "XROD:NODE" elements for itself and builds the report node tree from them, counting verdict
// totals and tying each node to the first document item that follows its
// start tag. Every other element, and all character data, goes to the AML
// handler it derives from, which builds the report document.
//
// A handler reads one file. It owns the node tree until takeDataTree().
class QAstXmlRodHandler : public DAmlHandler
{
public:
    QAstXmlRodHandler();
    ~QAstXmlRodHandler() override;

    // Progress display: with both a file and a studio every start tag moves
    // the progress one step, then stops the parse when the user pressed the
    // display's cancel button (null turns it off). Neither is owned. The
    // studio hears of a step only when QAProgressThrottle lets it through.
    void setProgressTarget(QFile *file, QAStudioInterface *studio);
    // Tells the studio the last step taken when the throttle held it back,
    // so that the display ends where the unthrottled count would.
    void flushProgress();
    // The progress counter shared by all readers (one parse at a time):
    // resets it to 0 and sets the number of steps.
    static void resetProgress(int steps);
    // True once the parse stopped on the user's cancel.
    bool canceled() const { return m_canceled; }

    // Totals only: the file is checked as for a full read and its types and
    // totals are counted, but neither the node tree nor the document is
    // kept (dataTree() stays null). Set before the parse.
    void setTotalsOnly(bool totalsOnly);
    bool totalsOnly() const { return m_totalsOnly; }
    // Tests only: the file is checked as for a full read and its types and
    // totals are counted; neither the node tree nor the document is kept, but
    // its tests are listed as their nodes end: every leaf node with a verdict
    // and a path, in document order, as QAReportLeafTests lists them from a
    // tree (detailed, without messages; no document name). documentName()
    // gives the first document's name. Set before the parse.
    void setTestsOnly(bool testsOnly);
    const QString &documentName() const { return m_documentName; }
    // Hands the tests to `listener`, in batches as they are listed, each test once its outcome is
    // complete, and the rest when they are taken (takeListedTests() instead of takeTests()).
    // `file` names the file in the batches. Set before the parse.
    void setTestsListed(QAStReportSession::TestsListed listener, const QString &file)
    {
        m_testsListed = std::move(listener);
        m_listedFile = file;
    }
    // Tree only: the file is checked as for a full read and its node tree
    // is kept, its totals and types counted, but no document is built (the
    // nodes are anchored nowhere). documentName() gives the first
    // document's name. Set before the parse.
    void setTreeOnly(bool treeOnly);
    // The tests listed, as takeTests() gives them; without a listener.
    QList<QAStTestResult> takeTests();
    // With a listener: hands over the tests not handed yet, then gives every batch handed.
    QList<QAStListedTests> takeListedTests();
    // Tests only: whether a test is a counted case that did not pass, whose
    // message only a full read gives.
    bool hasFailedCase() const { return m_hasFailedCase; }

    QAReporterDataTree *dataTree() const { return m_tree.get(); }
    QAReporterDataTree *takeDataTree();
    const QStringList &types() const { return m_types; }
    qint64 passed() const { return m_passed; }
    qint64 failed() const { return m_failed; }
    qint64 inconclusive() const { return m_inconclusive; }

    bool startDocument() override;
    bool startElement(const QString &namespaceURI, const QString &localName, const QString &qName,
                      const DAmlAttributes &atts) override;
    bool endElement(const QString &namespaceURI, const QString &localName,
                    const QString &qName) override;
    bool startCDATA() override;
    bool endCDATA() override;

private:
    enum Kind { Root, Node, Aml };
    Kind classify(const QString &qName);

    bool stepProgress();
    bool startRoot();
    bool startNode(const DAmlAttributes &atts);
    bool readNodeAttributes(QAReporterNode *node, const DAmlAttributes &atts);
    // The node steps of a totals-only read: the same checks on serial
    // numbers standing for the nodes.
    bool startCountedNode(const DAmlAttributes &atts);
    bool endCountedNode();
    bool readType(const DAmlAttributes &atts, QAReporterText *type);
    QAReporterText shared(const QString &value);
    // The named attribute's value as shared(); null when it is absent.
    QAReporterText sharedValue(const DAmlAttributes &atts, QLatin1String name);
    // Adds a node's "sum" to the totals of its verdict; returns the count
    // (0 when there is none or it is not a number).
    int countSum(const QString &state, const DAmlAttributes &atts);
    bool endNode();
    // The node steps of a tests-only read, after the serial checks.
    void startTestNode(const DAmlAttributes &atts, const QString &state, qint64 count);
    void endTestNode();
    bool failWith(const char *text);

    QFile *m_file = nullptr;
    QAStudioInterface *m_studio = nullptr;
    // The last step taken, and what the progress display was told.
    int m_stepValue = 0;
    QAProgressThrottle m_throttle;
    // Nodes waiting for their first document item, newest last.
    std::vector<QAReporterNode *> m_pending;
    // A totals-only read: the serial numbers of the open nodes (the root
    // is 0) and of those waiting for their first document item.
    std::vector<int> m_openSerials;
    std::vector<int> m_pendingSerials;
    std::unique_ptr<QAReporterDataTree> m_tree;
    // The texts handed out last, looked at before the tables: nodes mostly
    // repeat the few verdicts and types of their neighbours, and comparing
    // a short text costs less than hashing it. T is QString or QAReporterText.
    template <class T>
    struct RecentTexts
    {
        static constexpr int Size = 4;
        const T *find(const QString &value) const;
        const T *find(QByteArrayView utf8) const;
        const T *findAscii(QByteArrayView ascii) const; // bytes known to be ASCII
        void remember(const T &value);
        T texts[Size];
        int next = 0;
    };

    QStringList m_types;
    // The file's tables of repeated texts, one entry per distinct text: bounded by the file.
    QHash<QString, QAReporterText> m_typeTexts;
    RecentTexts<QAReporterText> m_recentTypes;
    QHash<QString, QAReporterText> m_sharedTexts; // verdicts, icons, bases
    RecentTexts<QAReporterText> m_recentShared;
    // Node names repeat among siblings ("check 1" in every case) but are mostly unique over a
    // file: only the last few are looked at, with no table behind them.
    RecentTexts<QString> m_recentNames;
    int m_nodeCounter = 0;
    qint64 m_passed = 0;
    qint64 m_failed = 0;
    qint64 m_inconclusive = -1;
    bool m_rootOpen = false; // inside the one XROD element of the file
    bool m_canceled = false;
    bool m_totalsOnly = false;
    bool m_testsOnly = false;
    bool m_treeOnly = false;
    QString m_documentName; // tests or tree only: the first document's name
    // The reader hands over the same QString each time a name comes back: the node element's
    // is recognised by its data, without comparing its characters.
    QString m_nodeName;

    // Tests only: the open nodes, the root first. A node's path is the
    // first pathEnd characters of m_testPath.
    struct TestFrame
    {
        qsizetype pathBefore = 0; // length of the parent's path
        qint64 count = 0;
        double seconds = -1;
        std::optional<QAStTestResult::Verdict> verdict;
        bool hasChildren = false;
        // Its children with no count and a verdict: they are its cases when
        // it counts for more than one test and has exactly that many.
        qint64 uncounted = 0;
        qsizetype candidatesFrom = 0; // its entries of m_candidates start here
        bool mayHaveCases() const { return count > 1 && verdict; }
    };
    // A leaf child of an open node that may have cases: the index of its test and its duration.
    struct Candidate
    {
        qsizetype test;
        double seconds;
    };
    std::vector<TestFrame> m_testFrames;
    std::vector<Candidate> m_candidates;
    QString m_testPath;
    // A test listed so far, smaller than its QAStTestResult so that the list grows cheaply:
    // for a counted case, the length of its suite in its path (-1: no case) and its duration.
    struct FoundTest
    {
        QString path;
        double seconds = -1;
        qsizetype suiteLength = -1;
        QAStTestResult::Verdict verdict = QAStTestResult::Passed;
    };
    // A deque: a large report's list grows by blocks, without moving the tests listed so far.
    std::deque<FoundTest> m_tests;
    // Tests only: who is handed the tests as they are listed, how many were (they leave m_tests;
    // a candidate's index counts them) and the batches handed.
    QAStReportSession::TestsListed m_testsListed;
    QString m_listedFile;
    size_t m_testsHanded = 0;
    QList<QAStListedTests> m_listed;
    static constexpr size_t ListedBatch = 4096;
    // Hands over the tests listed so far whose outcome is complete (`all`: every test, at the end).
    void handListedTests(bool all);
    bool m_hasFailedCase = false;
};
