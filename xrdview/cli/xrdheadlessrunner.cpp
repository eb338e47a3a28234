#include "xrdview/cli/xrdheadlessrunner.h"

#include "sdk/qailogmonitor.h"
#include "sdk/qastreportsession.h"
#include "sdk/qastviewerplugin.h"
#include "xrdview/cli/xrdhistorycommands.h"
#include "xrdview/cli/xrdcioutput.h"
#include "xrdview/cli/xrdhtmlexport.h"
#include "xrdview/cli/xrdinputfiles.h"
#include "xrdview/cli/xrdreporttext.h"
#include "history/historycomparison.h"
#include "history/historyrecorder.h"
#include "history/historytext.h"
#include "xrdview/host/xrdstudio.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#ifdef __GLIBC__
#include <malloc.h>
#endif
#include <future>
#include <iostream>
#include <memory>

namespace {

// The file name as the host hands it to the plug-in: absolute and clean,
// as the GUI hands it.
QString hostPath(const QString& file)
{
    return QFileInfo(file).absoluteFilePath();
}

// The messages of a headless load (files that could not be read, with
// their reasons) go to standard error.
class StandardErrorLog : public QAILogMonitor
{
public:
    void message(const QString& text) override { XrdHeadlessRunner::printError(text); }
};

} // namespace

XrdHeadlessRunner::XrdHeadlessRunner(QAStViewerPlugin* plugin, XrdStudio* studio)
    : m_plugin(plugin), m_studio(studio)
{
}

XrdHeadlessRunner::~XrdHeadlessRunner() = default;

void XrdHeadlessRunner::exitNow(int status)
{
    std::cout.flush();
    std::cerr.flush();
    std::fflush(stdout);
    std::fflush(stderr);
    std::_Exit(status);
}

void XrdHeadlessRunner::print(const QString& text)
{
    printUtf8(text.toUtf8());
}

void XrdHeadlessRunner::printUtf8(const QByteArray& bytes)
{
    // The plug-in may write to the same stream through the C++ streams.
    std::cout.flush();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
    std::fflush(stdout);
}

void XrdHeadlessRunner::printError(const QString& text)
{
    const QByteArray bytes = XrdReportText::withFinalNewline(text).toLocal8Bit();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stderr);
    std::fflush(stderr);
}

int XrdHeadlessRunner::run(const XrdCommandLine& line)
{
    if (line.mode == XrdCommandLine::Compare)
        return compare(hostPath(line.files.value(0)), hostPath(line.files.value(1)));
    if (line.mode == XrdCommandLine::History)
        return XrdHistoryCommands::history(line);
    if (line.mode == XrdCommandLine::CompareRuns)
        return XrdHistoryCommands::compareRuns(line);
    m_session = m_plugin->createSession();
    if (!m_session) {
        printError(QCoreApplication::translate("XrdHeadlessRunner",
                                               "The plug-in cannot read reports without a window."));
        return Error;
    }
    QStringList files;
    if (const std::optional<int> status = expandInputs(line, &files))
        return *status;
    // The filter is set before anything is shown, so the shown list is
    // built once.
    m_session->setFailedOnly(line.failedOnly);
    // The summary and the results table print totals alone: the files need
    // not be kept (a totals-only read judges and counts a file as a full
    // read does).
    m_session->setTotalsOnly(line.mode == XrdCommandLine::Summary || line.mode == XrdCommandLine::PrintSummary);
    // The outline needs the node tree, not the documents.
    m_session->setTreeOnly(line.mode == XrdCommandLine::PrintTree);
    // A recording needs the tests, not the documents.
    m_session->setTestsOnly(line.mode == XrdCommandLine::Record);
    for (const QString& type : line.hiddenTypes)
        m_session->hideType(type);
    // A recording hashes the files while they are read, and the store takes
    // their tests as they are listed.
    std::future<XrdHistoryCommands::ContentHash> hash;
    std::unique_ptr<HistoryRecorder> recorder;
    if (line.mode == XrdCommandLine::Record) {
        hash = XrdHistoryCommands::hashInBackground(files);
        recorder = XrdHistoryCommands::startRecorder(line, m_session.get());
    }
    StandardErrorLog log;
    const bool allRead = m_session->load(files, &log).isEmpty();

    if (line.mode == XrdCommandLine::Record) {
        const XrdHistoryCommands::ContentHash content = hash.get();
        if (!allRead)
            m_session->setTestsListed({});
        return allRead ? XrdHistoryCommands::record(line, content, m_session.get(), recorder.get()) : Error;
    }
    int status = allRead ? Passed : Error;
    printMode(line, allRead, &status);
    if ((line.mode == XrdCommandLine::Summary || line.mode == XrdCommandLine::ToFormat) && !line.allowEmpty
        && allRead && XrdCiOutput::isEmpty(*m_session)) {
        printError(XrdCiOutput::emptyMessage());
        status = std::max<int>(status, Failed);
    }
    return status;
}

std::optional<int> XrdHeadlessRunner::expandInputs(const XrdCommandLine& line, QStringList* files)
{
    QStringList messages;
    const QAStReportSession* session = m_session.get();
    const QStringList found = XrdInputFiles::expand(
        line.files, [session](const QString& file) { return session->recognises(file); }, &messages);
    for (const QString& message : messages)
        printError(message);
    for (const QString& file : found)
        *files << hostPath(file);
    if (!files->isEmpty())
        return std::nullopt;
    if (!line.allowEmpty) {
        printError(XrdCiOutput::emptyMessage());
        return Failed;
    }
    // Allowed to find nothing: the modes that gate answer as for no test.
    if (line.mode == XrdCommandLine::Summary)
        print(m_session->totalsText(QString()));
    else if (line.mode == XrdCommandLine::ToFormat)
        return XrdCiOutput::write(*m_session, line, true);
    return Passed;
}

std::optional<HistoryComparison::Sorted> XrdHeadlessRunner::resultsOf(QAStReportSession* session,
                                                                      const QString& file,
                                                                      QList<QAStTestResult>* tests)
{
    StandardErrorLog log;
    if (!session->load({ file }, &log).isEmpty())
        return std::nullopt;
    // A comparison needs each test's key and verdict alone: the entries view the session's
    // list instead of converting each test.
    *tests = session->testResults();
    HistoryComparison::Sorted entries;
    entries.reserve(size_t(tests->size()));
    for (const QAStTestResult& test : std::as_const(*tests))
        entries.push_back({ test.document, test.path, XrdHistoryCommands::verdictOf(test.verdict),
                            qsizetype(entries.size()) });
    HistoryComparison::sort(entries);
    return entries;
}

int XrdHeadlessRunner::compare(const QString& oldFile, const QString& newFile)
{
    for (std::unique_ptr<QAStReportSession>& session : m_compared) {
        session = m_plugin->createSession();
        if (!session) {
            printError(QCoreApplication::translate("XrdHeadlessRunner",
                                                   "The plug-in cannot read reports without a window."));
            return Error;
        }
        session->setTestsOnly(true);
    }
#ifdef __GLIBC__
    // Two threads building large trees grow their heaps a few pages at a time, and each growth
    // (mprotect) stops the other thread's page faults: growing by 64 MB steps lets them run.
    mallopt(M_TOP_PAD, 64 * 1024 * 1024);
#endif
    // The older report is read on a thread of its own while this one reads the newer.
    QAStReportSession* older = m_compared[0].get();
    QList<QAStTestResult>* olderTests = &m_comparedTests[0];
    std::future<std::optional<HistoryComparison::Sorted>> reading = std::async(
        std::launch::async, [older, oldFile, olderTests]() { return resultsOf(older, oldFile, olderTests); });
    const std::optional<HistoryComparison::Sorted> after =
        resultsOf(m_compared[1].get(), newFile, &m_comparedTests[1]);
    const std::optional<HistoryComparison::Sorted> before = reading.get();
    if (!before || !after)
        return Error;
    const HistoryComparison::Sections sections = HistoryComparison::sections(*before, *after);
    printUtf8(HistoryText::comparisonUtf8(sections));
    return sections[0].empty() ? Passed : Failed;
}

void XrdHeadlessRunner::printOutline()
{
    // Every line with its line end, printed in blocks: the outline of a large report is
    // never held whole.
    QByteArray block;
    block.reserve(PrintBlockSize + 1024);
    m_session->outlineText([&](QStringView line) {
        block += line.toUtf8();
        block += '\n';
        printFullBlock(block);
    });
    printUtf8(block);
}

void XrdHeadlessRunner::printFullBlock(QByteArray& block)
{
    if (block.size() >= PrintBlockSize) {
        printUtf8(block);
        block.clear();
    }
}

void XrdHeadlessRunner::printDocumentText()
{
    // Lines are joined by line ends and the text ends with one, as the
    // other modes print; a line that ends with its own gets no second.
    QByteArray block;
    block.reserve(PrintBlockSize + 1024);
    bool started = false;
    bool ended = true;
    m_session->documentText([&](QStringView line) {
        if (started)
            block += '\n';
        block += line.toUtf8();
        started = true;
        ended = line.endsWith(QLatin1Char('\n'));
        printFullBlock(block);
    });
    if (!ended)
        block += '\n';
    printUtf8(block);
}

void XrdHeadlessRunner::printMode(const XrdCommandLine& line, bool allRead, int* status)
{
    switch (line.mode) {
    case XrdCommandLine::Summary: {
        print(m_session->totalsText(QString()));
        const std::optional<QAStResultTotals> totals = m_session->resultTotals();
        if (!totals && allRead) {
            printError(QCoreApplication::translate("XrdHeadlessRunner",
                                                   "The report window gave no results totals."));
            *status = Error;
        } else if (allRead && totals->failed > 0) {
            *status = Failed;
        }
        break;
    }
    case XrdCommandLine::PrintTree:
        printOutline();
        break;
    case XrdCommandLine::PrintSummary:
        print(XrdReportText::withFinalNewline(m_session->summaryText()));
        break;
    case XrdCommandLine::ExportHtml:
        // An export that stands answers by the verdicts, as --summary does; 2 is kept for an
        // export that wrote nothing (what it had written is removed again).
        if (!allRead)
            break;
        if (!XrdHtmlExport::exportToFolder(m_session.get(), m_studio, line.exportDir)) {
            *status = Error;
        } else {
            const std::optional<QAStResultTotals> totals = m_session->resultTotals();
            if (totals && totals->failed > 0)
                *status = Failed;
        }
        break;
    case XrdCommandLine::ToFormat:
        *status = XrdCiOutput::write(*m_session, line, allRead);
        break;
    case XrdCommandLine::PrintText:
        printDocumentText();
        break;
    default:
        break;
    }
}
