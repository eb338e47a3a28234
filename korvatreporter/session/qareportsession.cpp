#include "korvatreporter/session/qareportsession.h"

#include "korvatreporter/data/qareporterdata.h"
#include "korvatreporter/data/qareporterdatatree.h"
#include "korvatreporter/data/qareporterloader.h"
#include "korvatreporter/data/qareportformat.h"
#include "korvatreporter/data/qareportformats.h"
#include "korvatreporter/data/qareportertotal.h"
#include "korvatreporter/document/qareporterfilteredlist.h"
#include "korvatreporter/document/qareporterheader.h"
#include "korvatreporter/document/qareporterplaintext.h"
#include "korvatreporter/export/qareporterhtmlexport.h"
#include "korvatreporter/link/qareporterlinklocator.h"
#include "korvatreporter/prefs/qareporterpref.h"
#include "korvatreporter/prefs/qareporterprefstyles.h"
#include "korvatreporter/session/qareportcases.h"
#include "korvatreporter/session/qareportleaftests.h"
#include "korvatreporter/session/qareportsessiontext.h"
#include "rendoc/model/ddocument.h"
#include "rendoc/model/ditems.h"
#include "sdk/qastudiointerface.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>
#include <utility>
#include <vector>

namespace {

// The pattern a failed-only filter matches verdicts with.
const QString FailedState = QStringLiteral("ko");

// Appends `tests` to `results`, sharing the list instead of copying it when `results` is
// empty: the list of a large report holds hundreds of thousands of tests.
void appendShared(QList<QAStTestResult> *results, const QList<QAStTestResult> &tests)
{
    if (results->isEmpty())
        *results = tests;
    else
        *results += tests;
}

// Appends the tests of `record`'s batches (as handed to a TestsListed receiver) to `results`
// under the record's document name; `detailed`: with the counted cases' suite, name and duration.
void appendListed(QList<QAStTestResult> *results, const QAReporterData &record, bool detailed)
{
    qsizetype count = 0;
    for (const QAStListedTests &batch : record.listed)
        count += batch.paths.size();
    results->reserve(results->size() + count);
    for (const QAStListedTests &batch : record.listed) {
        for (qsizetype i = 0; i < batch.paths.size(); ++i) {
            const QAStListedTests::Outcome &outcome = batch.outcomes.at(i);
            QAStTestResult &test = results->emplaceBack();
            test.document = record.documentName;
            test.path = batch.paths.at(i);
            test.verdict = outcome.verdict;
            test.passedAfterRetry = outcome.passedAfterRetry;
            if (!detailed || outcome.suiteLength < 0)
                continue;
            test.suite = test.path.left(outcome.suiteLength);
            test.name = outcome.suiteLength == 0 ? test.path : test.path.mid(outcome.suiteLength + 1);
            test.seconds = outcome.seconds;
        }
    }
}

// Whether the batches handed over of `record` hold its tests as detailedTestResults() gives
// them: under the document name it kept, and with no case whose message they lack.
bool listedComplete(const QAReporterData &record)
{
    if (record.hasFailedCase)
        return false;
    return std::all_of(record.listed.cbegin(), record.listed.cend(),
                       [&record](const QAStListedTests &batch) { return batch.document == record.documentName; });
}

} // namespace

QAReportSession::QAReportSession(QAReporterPref *pref, QObject *parent)
    : QObject(parent), m_pref(pref)
{
}

QAReportSession::~QAReportSession()
{
    // Shown copies point into the records: they go first.
    m_summary.reset();
    m_retired.clear();
    m_shown.reset();
    m_records.clear();
}

bool QAReportSession::failedOnly() const
{
    return m_filter.isSet(QAReporterFilter::StateMatch);
}

// ---------------------------------------------------------------- loading

QStringList QAReportSession::load(const QStringList &files, QAILogMonitor *log)
{
    m_files = files;
    m_unreadable = QAReporterLoader::loadFiles(m_files, m_records, readContext(), log);
    collectTypes();
    Q_EMIT recordsLoaded(m_unreadable);
    return m_unreadable;
}

QStringList QAReportSession::reload(QAILogMonitor *log)
{
    Q_EMIT recordsAboutToReload();
    Q_EMIT shownAboutToChange();
    m_summary.reset();
    m_retired.clear();
    m_shown.reset();
    m_shownRecords.clear();
    m_records.clear();
    return load(m_files, log);
}

void QAReportSession::collectTypes()
{
    for (const auto &record : m_records) {
        for (const QString &type : record->types) {
            if (!m_typeSet.contains(type)) {
                m_typeSet.insert(type);
                m_types.append(type);
            }
        }
    }
}

// ---------------------------------------------------------------- filter

void QAReportSession::setFailedOnly(bool failedOnly)
{
    if (failedOnly)
        m_filter.set(QAReporterFilter::StateMatch, QRegularExpression(FailedState));
    else
        m_filter.clear(QAReporterFilter::StateMatch);
}

void QAReportSession::hideType(const QString &type)
{
    m_typeShown.insert(type, false);
    const QRegularExpression pattern(type);
    m_filter.removeTypeExclusion(pattern);
    m_filter.set(QAReporterFilter::TypeExclusion, pattern);
}

bool QAReportSession::isTypeShown(const QString &type) const
{
    return m_typeShown.value(type, !m_typesSettled);
}

void QAReportSession::setTypeShown(const QString &type, bool shown)
{
    if (!shown) {
        hideType(type);
        return;
    }
    m_typeShown.insert(type, true);
    m_filter.removeTypeExclusion(QRegularExpression(type));
}

void QAReportSession::settleTypes()
{
    m_filter.clear(QAReporterFilter::TypeExclusion);
    for (const QString &type : std::as_const(m_types)) {
        // Before the first call every type starts shown, unless it was
        // hidden on purpose; later a new type has no entry and starts hidden.
        if (!m_typesSettled && !m_typeShown.contains(type))
            m_typeShown.insert(type, true);
        if (!m_typeShown.value(type, false))
            m_filter.set(QAReporterFilter::TypeExclusion, QRegularExpression(type));
    }
    m_typesSettled = true;
}

// ---------------------------------------------------------------- shown list

bool QAReportSession::showsInputs() const
{
    // The shown list is built from the records and the filter: with the same
    // records (the same objects) and an equal filter a rebuild gives the same.
    if (!m_shown || m_shownRecords.size() != m_records.size())
        return false;
    for (size_t i = 0; i < m_records.size(); ++i) {
        if (m_shownRecords[i] != m_records[i].get())
            return false;
    }
    return m_shown->filter() == m_filter;
}

bool QAReportSession::refresh()
{
    if (showsInputs())
        return false;
    Q_EMIT shownAboutToChange();
    if (m_shown)
        m_retired.push_back(std::move(m_shown));
    m_shown = std::make_unique<QAReporterFilteredList>();
    m_shown->setFilter(m_filter);
    m_shown->buildFilteredReports(m_records);
    m_shownRecords.clear();
    for (const auto &record : m_records)
        m_shownRecords.push_back(record.get());
    m_summary = buildSummary();
    Q_EMIT shownChanged();
    return true;
}

void QAReportSession::releaseRetired()
{
    m_retired.clear();
}

QAReporterReadContext QAReportSession::readContext() const
{
    QAReporterReadContext context;
    context.totalsOnly = m_totalsOnly;
    context.testsOnly = m_testsOnly;
    context.treeOnly = m_treeOnly;
    context.testsListed = m_testsListed;
    if (m_pref) {
        // A read for the tests alone may run on another thread: no progress display.
        context.studio = m_testsOnly ? nullptr : m_pref->studio();
        if (m_pref->stylesPage())
            context.styles = m_pref->stylesPage()->styles();
    }
    return context;
}

std::unique_ptr<DDocument> QAReportSession::buildSummary() const
{
    std::unique_ptr<DDocument> summary = buildHeaderDocument(m_records, readContext().styles);
    summary->setName(QStringLiteral("index"));
    return summary;
}

QAReporterNode *QAReportSession::findLinkNode(DLink *link) const
{
    if (!link || !m_shown)
        return nullptr;
    for (const QAReporterData *record : m_shown->records()) {
        if (!record->dataTree)
            continue;
        if (QAReporterNode *node = QAReporterLinkLocator::findNode(*record->dataTree, link))
            return node;
    }
    return nullptr;
}

// ---------------------------------------------------------------- answers

std::optional<QAStResultTotals> QAReportSession::resultTotals() const
{
    if (m_records.empty())
        return std::nullopt;
    QAStResultTotals totals;
    for (const auto &record : m_records) {
        totals.passed = QAReporterTotal::add(totals.passed, record->passed);
        totals.failed = QAReporterTotal::add(totals.failed, record->failed);
        if (record->inconclusive >= 0)
            totals.inconclusive =
                QAReporterTotal::add(qMax<qint64>(totals.inconclusive, 0), record->inconclusive);
    }
    return totals;
}

QString QAReportSession::totalsText(const QString &testNode) const
{
    qint64 flaky = 0;
    for (const auto &record : m_records)
        flaky = QAReporterTotal::add(flaky, record->flaky);
    return QAReportSessionText::totals(resultTotals().value_or(QAStResultTotals()), testNode, flaky);
}

QString QAReportSession::summaryText()
{
    // The table counts the full records: no shown list is needed for it.
    if (m_summary)
        return QAReporterPlainText::table(*m_summary);
    if (m_records.empty())
        return QString();
    return QAReporterPlainText::table(*buildSummary());
}

void QAReportSession::documentText(const TextLines &lines)
{
    refresh();
    QAReportSessionText::documents(m_shown->records(), lines);
}

void QAReportSession::outlineText(const TextLines &lines)
{
    refresh();
    QAReportSessionText::outline(m_shown->records(), lines);
}

QList<QAStTestResult> QAReportSession::testResults() const
{
    QList<QAStTestResult> results;
    for (const auto &record : m_records) {
        if (record && record->testsListed && !record->listed.isEmpty()) {
            appendListed(&results, *record, false);
        } else if (record && record->testsListed) {
            const qsizetype from = results.size();
            appendShared(&results, record->tests);
            // The plain list has no details of the counted cases.
            for (qsizetype i = from; i < results.size(); ++i) {
                if (!results.at(i).name.isNull()) {
                    QAStTestResult &test = results[i];
                    test.suite.clear();
                    test.name.clear();
                    test.seconds = -1;
                }
            }
        } else if (record)
            QAReportLeafTests::append(*record, false, &results);
    }
    return results;
}

QList<QAStTestResult> QAReportSession::detailedTestResults() const
{
    QList<QAStTestResult> results;
    for (const auto &record : m_records) {
        if (record)
            appendDetailed(*record, &results);
    }
    return results;
}

QList<QAStTestResult> QAReportSession::unlistedTestResults(QStringList *superseded) const
{
    if (superseded)
        superseded->clear();
    QList<QAStTestResult> results;
    for (const auto &record : m_records) {
        if (!record)
            continue;
        if (record->testsListed && !record->listed.isEmpty()) {
            if (listedComplete(*record))
                continue;
            if (superseded)
                superseded->append(record->fileName);
        }
        appendDetailed(*record, &results);
    }
    return results;
}

void QAReportSession::appendDetailed(const QAReporterData &record, QList<QAStTestResult> *results) const
{
    // A file read for its tests alone has no text for the message of a case that did not
    // pass: it is read again in full when it has such a case.
    if (record.testsListed && record.hasFailedCase) {
        QAReporterData full;
        full.fileName = record.fileName;
        QAReporterReadContext context = readContext();
        context.testsOnly = false;
        context.testsListed = nullptr;
        if (QAReporterLoader::readRecord(full, context, nullptr) == QAReporterLoader::Read && full.document) {
            full.document->setName(record.documentName);
            QAReportLeafTests::append(full, true, results);
            return;
        }
    }
    if (record.testsListed && !record.listed.isEmpty())
        appendListed(results, record, true);
    else if (record.testsListed)
        appendShared(results, record.tests);
    else
        QAReportLeafTests::append(record, true, results);
}

QList<QAStFileResults> QAReportSession::fileResults() const
{
    QList<QAStFileResults> results;
    for (const auto &record : m_records) {
        if (record)
            results.append(QAReportCases::of(*record));
    }
    return results;
}

bool QAReportSession::recognises(const QString &file) const
{
    // Only regular files: a pipe or a device would block or never end.
    const QFileInfo info(file);
    if (!info.isFile())
        return false;
    QFile device(file);
    if (!device.open(QIODevice::ReadOnly))
        return false;
    return QAReportFormats::recognise(QAReportFormat::head(device)) != nullptr;
}

QAStExportResult QAReportSession::exportHtml(const QString &dir, QAIProgressMonitor *progress,
                                             QAILogMonitor *log)
{
    refresh();
    QAStudioInterface *studio = m_pref ? m_pref->studio() : nullptr;
    const QString configDir = studio ? studio->exportDirectory() : QStringLiteral(".");
    QAReporterHTMLExport exporter(dir, configDir + QDir::separator() + QStringLiteral("dhtml.cfg"),
                                  studio ? studio->searchPath() : QString());
    // Linked reports are read for their documents whatever the session holds.
    QAReporterReadContext context = readContext();
    context.totalsOnly = false;
    exporter.setReadContext(context);
    exporter.setFilter(m_filter);
    QList<QAReporterData *> records;
    for (const auto &record : m_records)
        records << record.get();
    const QList<QAReporterData *> shown = m_shown->records();
    exporter.run(records, &shown, m_summary.get(), progress, log);

    QAStExportResult result;
    result.written = exporter.writtenFiles();
    result.unreadable = exporter.unreadable();
    result.failedPages = exporter.failedPages();
    result.canceled = exporter.canceled();
    return result;
}
