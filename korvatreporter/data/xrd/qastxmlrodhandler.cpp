#include "korvatreporter/data/xrd/qastxmlrodhandler.h"

#include "korvatreporter/data/qareportertotal.h"

#include "korvatreporter/data/qareporterdatatree.h"
#include "korvatreporter/data/qareporternode.h"
#include "korvatreporter/data/results/qaresultwords.h"
#include "rendoc/aml/damlvaluereader.h"
#include "rendoc/model/ddocument.h"
#include "sdk/qastudiointerface.h"

#include <QCoreApplication>
#include <QFile>

#include <algorithm>
#include <utility>

#include <cmath>
#include <cstdio>

namespace {

// One progress display at a time: the counter and its length are shared by
// every reader of the process.
int s_progressStep = 0;
int s_progressSteps = 0;

const QLatin1String RootName("XROD");
const QLatin1String NodeName("XROD:NODE");

// A present attribute keeps an empty value non-null, so that "present but
// empty" and "absent" stay apart in the node's fields.
QString presentValue(const DAmlAttributes &atts, int index)
{
    QString value = atts.value(index);
    if (value.isNull())
        value = QLatin1String("");
    return value;
}

// Whether `text` reads as the ASCII `bytes`, compared in place: verdicts,
// types and icons nearly always are ASCII, so a repeated value costs no
// conversion.
bool sameAscii(const QString &text, QByteArrayView bytes)
{
    if (text.size() != bytes.size())
        return false;
    const QChar *chars = text.constData();
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (chars[i].unicode() != char16_t(bytes[i]))
            return false;
    }
    return true;
}

// Whether the bytes are ASCII: such a text is compared with a recent one
// in place, without converting it first.
bool isAscii(QByteArrayView bytes)
{
    for (const char byte : bytes) {
        if (static_cast<unsigned char>(byte) >= 0x80)
            return false;
    }
    return true;
}

// Appends UTF-8 `bytes` to `text`, ASCII without a conversion of its own.
void appendUtf8(QString &text, QByteArrayView bytes)
{
    if (isAscii(bytes))
        text += QLatin1String(bytes.data(), bytes.size());
    else
        text += QString::fromUtf8(bytes);
}

// The attribute's value, null when the attribute is absent.
QString optionalValue(const DAmlAttributes &atts, QLatin1String name)
{
    const int index = atts.index(name);
    return index < 0 ? QString() : presentValue(atts, index);
}

} // namespace

QAstXmlRodHandler::QAstXmlRodHandler() = default;

QAstXmlRodHandler::~QAstXmlRodHandler() = default;

void QAstXmlRodHandler::setProgressTarget(QFile *file, QAStudioInterface *studio)
{
    m_file = file;
    m_studio = studio;
    m_throttle.reset();
}

void QAstXmlRodHandler::flushProgress()
{
    if (m_file && m_studio && m_throttle.told() && m_stepValue != m_throttle.toldValue()) {
        m_throttle.setTold(m_stepValue);
        m_studio->setProgress(m_stepValue);
    }
}

void QAstXmlRodHandler::resetProgress(int steps)
{
    s_progressStep = 0;
    s_progressSteps = steps;
}

void QAstXmlRodHandler::setTotalsOnly(bool totalsOnly)
{
    m_totalsOnly = totalsOnly;
    setCheckOnly(m_totalsOnly || m_testsOnly || m_treeOnly);
}

void QAstXmlRodHandler::setTestsOnly(bool testsOnly)
{
    m_testsOnly = testsOnly;
    setCheckOnly(m_totalsOnly || m_testsOnly || m_treeOnly);
}

void QAstXmlRodHandler::setTreeOnly(bool treeOnly)
{
    m_treeOnly = treeOnly;
    setCheckOnly(m_totalsOnly || m_testsOnly || m_treeOnly);
}

QAReporterDataTree *QAstXmlRodHandler::takeDataTree()
{
    return m_tree.release();
}

bool QAstXmlRodHandler::startDocument()
{
    // The node counter and the tree are not reset: a handler reads one file.
    m_pending.clear();
    m_openSerials.clear();
    m_pendingSerials.clear();
    m_testFrames.clear();
    m_candidates.clear();
    m_testPath.clear();
    m_tests.clear();
    m_testsHanded = 0;
    m_listed.clear();
    m_hasFailedCase = false;
    m_types.clear();
    m_passed = 0;
    m_failed = 0;
    m_inconclusive = -1;
    m_canceled = false;
    return DAmlHandler::startDocument();
}

QAstXmlRodHandler::Kind QAstXmlRodHandler::classify(const QString &qName)
{
    // Exact, case-sensitive comparison of the qualified name; namespaces play
    // no part, so "xrod:node" or "NODE" are AML.
    if (qName.isSharedWith(m_nodeName))
        return Node;
    if (qName == NodeName) {
        m_nodeName = qName;
        return Node;
    }
    if (qName == RootName)
        return Root;
    return Aml;
}

bool QAstXmlRodHandler::stepProgress()
{
    if (!m_file || !m_studio)
        return true;
    // Once the tags outnumber the steps the display stays at its last step.
    const int value = s_progressStep < s_progressSteps ? s_progressStep++ : s_progressSteps - 1;
    m_stepValue = value;
    if (!m_throttle.due(value, s_progressSteps))
        return true;
    m_studio->setProgress(value);
    if (!m_studio->progressCanceled())
        return true;
    m_canceled = true;
    setErrorString(QCoreApplication::translate("Reporter", "Canceled.\n"));
    return false;
}

bool QAstXmlRodHandler::startElement(const QString &, const QString &, const QString &qName,
                                     const DAmlAttributes &atts)
{
    if (!stepProgress())
        return false;
    switch (classify(qName)) {
    case Root:
        return startRoot();
    case Node:
        return m_totalsOnly || m_testsOnly ? startCountedNode(atts) : startNode(atts);
    case Aml:
        break;
    }
    if (!DAmlHandler::startElement(QString(), QString(), qName, atts))
        return false;
    // A checked item lives only while its element is open: its name is taken now.
    if ((m_testsOnly || m_treeOnly) && m_documentName.isNull() && currentItem()
        && currentItem()->kind() == DItem::Document)
        m_documentName = static_cast<const DDocument *>(currentItem())->name();
    // Every node waiting at this point is anchored to the item just opened
    // (reading the tree only, the item is a checked one that does not stay:
    // the nodes only stop waiting).
    if (!m_pendingSerials.empty() && currentItem())
        m_pendingSerials.clear();
    if (!m_pending.empty()) {
        if (DItem *item = currentItem()) {
            if (!m_treeOnly) {
                for (QAReporterNode *node : m_pending)
                    node->startItem = item;
            }
            m_pending.clear();
        }
    }
    return true;
}

bool QAstXmlRodHandler::startRoot()
{
    // A second root, nested or not, would replace the tree read so far and
    // silently drop its nodes: the file is refused instead.
    if (m_tree || !m_openSerials.empty())
        return failWith(QT_TRANSLATE_NOOP("Reporter", "Xml/ROD, more than one XROD element (line %1).\n"));
    m_rootOpen = true;
    if (m_totalsOnly || m_testsOnly) {
        m_openSerials.push_back(0);
        m_pendingSerials.push_back(0);
        if (m_testsOnly && !m_totalsOnly)
            m_testFrames.emplace_back();
        return true;
    }
    auto *root = new QAReporterNode;
    m_tree = std::make_unique<QAReporterDataTree>(root);
    m_pending.push_back(root);
    return true;
}

bool QAstXmlRodHandler::startNode(const DAmlAttributes &atts)
{
    // Without an open root there is no tree to put the node in.
    if (!m_rootOpen)
        return failWith(QT_TRANSLATE_NOOP("Reporter", "Xml/ROD, XROD:NODE element outside XROD (line %1).\n"));
    auto node = std::make_unique<QAReporterNode>();
    QAReporterNode *raw = node.get();
    if (!m_tree->insert(raw))
        return false;
    node.release(); // the tree owns it now
    m_tree->toLastChild();
    if (!readNodeAttributes(raw, atts))
        return false;
    m_pending.push_back(raw);
    return true;
}

bool QAstXmlRodHandler::readNodeAttributes(QAReporterNode *node, const DAmlAttributes &atts)
{
    const int nameIndex = atts.index(QLatin1String("name"));
    if (nameIndex < 0) {
        setErrorString(QCoreApplication::translate("Reporter", "Xml/ROD, unvalable name attribute.\n"));
        return false;
    }
    const QByteArrayView nameBytes = atts.utf8Value(nameIndex);
    const QString *recentName = isAscii(nameBytes) ? m_recentNames.findAscii(nameBytes) : nullptr;
    if (recentName) {
        node->name = *recentName;
    } else {
        node->name = presentValue(atts, nameIndex);
        m_recentNames.remember(node->name);
    }

    if (!readType(atts, &node->type))
        return false;
    node->state = sharedValue(atts, QLatin1String("state"));
    node->icone = sharedValue(atts, QLatin1String("icone"));
    node->id.setNumber(quint64(++m_nodeCounter));
    node->count = countSum(node->state, atts);
    bool timeOk = false;
    const double seconds = optionalValue(atts, QLatin1String("time")).trimmed().toDouble(&timeOk);
    if (timeOk && seconds >= 0 && std::isfinite(seconds))
        node->seconds = seconds;
    node->base = sharedValue(atts, QLatin1String("base"));
    return true;
}

bool QAstXmlRodHandler::readType(const DAmlAttributes &atts, QAReporterText *type)
{
    const int typeIndex = atts.index(QLatin1String("type"));
    if (typeIndex < 0) {
        setErrorString(QCoreApplication::translate("Reporter", "Xml/ROD, unvalable type attribute.\n"));
        return false;
    }
    // A set, not the list, answers "seen before?": a file with many
    // distinct types must not make the check quadratic.
    if (const QAReporterText *recent = m_recentTypes.find(atts.utf8Value(typeIndex))) {
        *type = *recent;
        return true;
    }
    const QString value = presentValue(atts, typeIndex);
    auto seen = m_typeTexts.constFind(value);
    if (seen == m_typeTexts.constEnd()) {
        seen = m_typeTexts.insert(value, QAReporterText(value));
        m_types.append(value);
    }
    *type = *seen;
    m_recentTypes.remember(*seen);
    return true;
}

bool QAstXmlRodHandler::startCountedNode(const DAmlAttributes &atts)
{
    if (!m_rootOpen)
        return failWith(QT_TRANSLATE_NOOP("Reporter", "Xml/ROD, XROD:NODE element outside XROD (line %1).\n"));
    if (atts.index(QLatin1String("name")) < 0) {
        setErrorString(QCoreApplication::translate("Reporter", "Xml/ROD, unvalable name attribute.\n"));
        return false;
    }
    QAReporterText type;
    if (!readType(atts, &type))
        return false;
    const QAReporterText state = sharedValue(atts, QLatin1String("state"));
    const int count = countSum(state, atts);
    const int serial = ++m_nodeCounter;
    m_openSerials.push_back(serial);
    m_pendingSerials.push_back(serial);
    if (!m_totalsOnly && m_testsOnly)
        startTestNode(atts, state, count);
    return true;
}

void QAstXmlRodHandler::startTestNode(const DAmlAttributes &atts, const QString &state, qint64 count)
{
    TestFrame &parent = m_testFrames.back();
    parent.hasChildren = true;
    TestFrame frame;
    frame.pathBefore = m_testPath.size();
    frame.count = count;
    frame.verdict = QAResultWords::verdictOf(state);
    frame.candidatesFrom = qsizetype(m_candidates.size());
    if (count == 0 && frame.verdict)
        ++parent.uncounted;
    // The duration matters only to a node that may be a counted case.
    const int timeIndex = count == 1 || (count == 0 && parent.mayHaveCases()) ? atts.index(QLatin1String("time")) : -1;
    if (timeIndex >= 0) {
        bool ok = false;
        const double seconds = presentValue(atts, timeIndex).trimmed().toDouble(&ok);
        if (ok && seconds >= 0 && std::isfinite(seconds))
            frame.seconds = seconds;
    }
    if (!m_testPath.isEmpty())
        m_testPath += QLatin1Char('/');
    appendUtf8(m_testPath, atts.utf8Value(atts.index(QLatin1String("name"))));
    m_testFrames.push_back(frame);
}

void QAstXmlRodHandler::endTestNode()
{
    const TestFrame frame = m_testFrames.back();
    m_testFrames.pop_back();
    // A counted case takes the name of its own node and the path of its parent as suite.
    const auto describe = [this](FoundTest &test, qsizetype suiteLength, double seconds) {
        test.suiteLength = suiteLength;
        test.seconds = seconds;
        if (test.verdict != QAStTestResult::Passed)
            m_hasFailedCase = true;
    };
    if (frame.hasChildren) {
        if (frame.mayHaveCases() && frame.uncounted == frame.count) {
            for (auto it = m_candidates.cbegin() + frame.candidatesFrom; it != m_candidates.cend(); ++it)
                describe(m_tests[size_t(it->test) - m_testsHanded], m_testPath.size(), it->seconds);
        }
        m_candidates.resize(size_t(frame.candidatesFrom));
    } else if (frame.verdict && !m_testPath.isEmpty()) {
        // A leaf with a verdict is a test; its own copy of the path, so that the path being built
        // keeps its buffer.
        FoundTest test;
        test.path = QString(m_testPath.constData(), m_testPath.size());
        test.verdict = *frame.verdict;
        if (frame.count == 1)
            describe(test, frame.pathBefore, frame.seconds);
        else if (frame.count == 0 && m_testFrames.back().mayHaveCases())
            m_candidates.push_back({qsizetype(m_testsHanded + m_tests.size()), frame.seconds});
        m_tests.push_back(std::move(test));
        if (m_testsListed && m_tests.size() >= ListedBatch)
            handListedTests(false);
    }
    m_testPath.truncate(frame.pathBefore);
}

void QAstXmlRodHandler::handListedTests(bool all)
{
    // A leaf that may still turn out to be a counted case (its parent is open) is held back with
    // the tests after it, so that each test is handed over with its outcome complete.
    size_t ready = m_tests.size();
    if (!all && !m_candidates.empty())
        ready = std::min(ready, size_t(m_candidates.front().test) - m_testsHanded);
    if (!m_testsListed || ready == 0)
        return;
    QAStListedTests batch;
    batch.file = m_listedFile;
    batch.document = m_documentName;
    batch.paths.reserve(qsizetype(ready));
    batch.outcomes.reserve(qsizetype(ready));
    for (size_t i = 0; i < ready; ++i) {
        FoundTest &found = m_tests[i];
        batch.paths.append(std::move(found.path));
        QAStListedTests::Outcome &outcome = batch.outcomes.emplaceBack();
        outcome.verdict = found.verdict;
        outcome.seconds = found.suiteLength < 0 ? -1 : found.seconds;
        outcome.suiteLength = found.suiteLength;
    }
    // Handed tests leave the list: the batches are all that is kept of them.
    m_tests.erase(m_tests.begin(), m_tests.begin() + std::ptrdiff_t(ready));
    m_testsHanded += ready;
    m_testsListed(batch);
    m_listed.append(std::move(batch));
}

QList<QAStListedTests> QAstXmlRodHandler::takeListedTests()
{
    handListedTests(true);
    return std::exchange(m_listed, {});
}

QList<QAStTestResult> QAstXmlRodHandler::takeTests()
{
    QList<QAStTestResult> tests;
    tests.reserve(qsizetype(m_tests.size()));
    for (FoundTest &found : m_tests) {
        QAStTestResult &test = tests.emplaceBack();
        test.path = std::move(found.path);
        test.verdict = found.verdict;
        if (found.suiteLength < 0)
            continue;
        test.suite = test.path.left(found.suiteLength);
        test.name = found.suiteLength == 0 ? test.path : test.path.mid(found.suiteLength + 1);
        test.seconds = found.seconds;
    }
    m_tests = {};
    return tests;
}

bool QAstXmlRodHandler::endCountedNode()
{
    // The root stays open below every node.
    if (m_openSerials.size() < 2)
        return false;
    const int serial = m_openSerials.back();
    m_openSerials.pop_back();
    if (m_pendingSerials.empty())
        return true;
    const int waiting = m_pendingSerials.back();
    m_pendingSerials.pop_back();
    if (waiting == serial)
        return true;
    setErrorString(QCoreApplication::translate("Reporter", "unvalable stack elements.\n"));
    return false;
}

QAReporterText QAstXmlRodHandler::sharedValue(const DAmlAttributes &atts, QLatin1String name)
{
    const int index = atts.index(name);
    if (index < 0)
        return QAReporterText();
    if (const QAReporterText *recent = m_recentShared.find(atts.utf8Value(index)))
        return *recent;
    return shared(presentValue(atts, index));
}

QAReporterText QAstXmlRodHandler::shared(const QString &value)
{
    // Verdicts, icons, types and bases repeat on most nodes of a large
    // report: nodes share one copy of each distinct text instead of one
    // per node. Null stays null.
    if (value.isNull())
        return QAReporterText();
    if (const QAReporterText *recent = m_recentShared.find(value))
        return *recent;
    auto found = m_sharedTexts.constFind(value);
    if (found == m_sharedTexts.constEnd())
        found = m_sharedTexts.insert(value, QAReporterText(value));
    m_recentShared.remember(*found);
    return *found;
}

template <class T>
const T *QAstXmlRodHandler::RecentTexts<T>::find(QByteArrayView utf8) const
{
    if (isAscii(utf8))
        return findAscii(utf8);
    const QString value = QString::fromUtf8(utf8);
    return find(value);
}

template <class T>
const T *QAstXmlRodHandler::RecentTexts<T>::findAscii(QByteArrayView ascii) const
{
    for (const T &text : texts) {
        if (!text.isNull() && sameAscii(text, ascii))
            return &text;
    }
    return nullptr;
}

template <class T>
const T *QAstXmlRodHandler::RecentTexts<T>::find(const QString &value) const
{
    for (const T &text : texts) {
        if (!text.isNull() && text == value)
            return &text;
    }
    return nullptr;
}

template <class T>
void QAstXmlRodHandler::RecentTexts<T>::remember(const T &value)
{
    texts[next] = value;
    next = (next + 1) % Size;
}

int QAstXmlRodHandler::countSum(const QString &state, const DAmlAttributes &atts)
{
    const int index = atts.index(QLatin1String("sum"));
    if (index < 0)
        return 0;
    // Plain digits, as counts nearly always are, need no text.
    int value = 0;
    if (!DAmlValueReader::readDigits(atts.utf8Value(index), &value)) {
        bool ok = false;
        value = presentValue(atts, index).toInt(&ok, 10);
        if (!ok)
            return 0;
    }
    if (state == QLatin1String("ok")) {
        m_passed = QAReporterTotal::add(m_passed, value);
    } else if (state == QLatin1String("ko")) {
        m_failed = QAReporterTotal::add(m_failed, value);
    } else if (state == QLatin1String("NE")) {
        // -1 means "no inconclusive count given": the first counted node
        // starts the total at 0.
        if (m_inconclusive == -1)
            m_inconclusive = 0;
        m_inconclusive = QAReporterTotal::add(m_inconclusive, value);
    }
    return value;
}

bool QAstXmlRodHandler::endElement(const QString &, const QString &, const QString &qName)
{
    switch (classify(qName)) {
    case Root:
        m_rootOpen = false;
        // The root, or a node, that never met a document item.
        if (!m_pending.empty() || !m_pendingSerials.empty()) {
            setErrorString(QCoreApplication::translate("Reporter", "nested XMLROD init element.\n"));
            return false;
        }
        return true;
    case Node:
        if (m_totalsOnly || m_testsOnly) {
            if (!endCountedNode())
                return false;
            if (!m_totalsOnly)
                endTestNode();
            return true;
        }
        return endNode();
    case Aml:
        break;
    }
    return DAmlHandler::endElement(QString(), QString(), qName);
}

bool QAstXmlRodHandler::endNode()
{
    QAReporterNode *node = m_tree ? m_tree->current() : nullptr;
    if (!node)
        return false;
    m_tree->toParent();
    if (m_pending.empty()) {
        if (!m_treeOnly)
            node->endItem = endPosition();
        return true;
    }
    QAReporterNode *waiting = m_pending.back();
    m_pending.pop_back();
    // A node that ends while still waiting keeps no anchor.
    if (waiting == node)
        return true;
    setErrorString(QCoreApplication::translate("Reporter", "unvalable stack elements.\n"));
    return false;
}

bool QAstXmlRodHandler::failWith(const char *text)
{
    setErrorString(QCoreApplication::translate("Reporter", text).arg(lineNumber()));
    return false;
}

bool QAstXmlRodHandler::startCDATA()
{
    std::fputs("QAstXmlRodHandler::startCDATA()\n", stderr);
    return true;
}

bool QAstXmlRodHandler::endCDATA()
{
    std::fputs("QAstXmlRodHandler::endCDATA()\n", stderr);
    return true;
}
