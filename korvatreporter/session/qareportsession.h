#pragma once

#include "korvatreporter/data/qareporterreadcontext.h"
#include "korvatreporter/document/qareporterfilter.h"
#include "sdk/qastreportsession.h"

#include <QList>
#include <QMap>
#include <QObject>
#include <QPointer>
#include <QSet>
#include <QStringList>

#include <memory>
#include <vector>

class DDocument;
class DLink;
class QAReporterData;
class QAReporterFilteredList;
class QAReporterNode;
class QAReporterPref;

// The reports of one window, or of one headless run, apart from any widget:
// the records of the loaded files in load order, the filter (failed tests
// only, hidden node types), the shown list built from both, the node types
// met and the summary document.
//
// Views subscribe to its signals: each "about to" signal comes before
// anything a view may point into (records, shown copies, summary) changes,
// the matching signal after. Shown lists that a refresh replaces are kept
// until releaseRetired(), so that a view can let go of them at its own pace.
class QAReportSession : public QObject, public QAStReportSession
{
    Q_OBJECT
public:
    using Records = std::vector<std::unique_ptr<QAReporterData>>;

    // `pref` gives the report styles, the export folders and the studio; it
    // may be null (no styles, the current folder).
    explicit QAReportSession(QAReporterPref *pref, QObject *parent = nullptr);
    ~QAReportSession() override;

    // The files last asked for, and the records of those that were read.
    const QStringList &fileList() const { return m_files; }
    const Records &records() const { return m_records; }
    // The files of the last load that could not be read.
    const QStringList &unreadableFiles() const { return m_unreadable; }
    // Distinct node types of every record, in order of first appearance.
    const QStringList &types() const { return m_types; }
    const QAReporterFilter &filter() const { return m_filter; }
    // The shown list; null before the first refresh.
    QAReporterFilteredList *shownList() const { return m_shown.get(); }
    // The summary of the last refresh; null before it.
    DDocument *summary() const { return m_summary.get(); }
    bool failedOnly() const;

    // Replaces the file list with `files` and reads those not held yet.
    QStringList load(const QStringList &files, QAILogMonitor *log = nullptr) override;
    // Replaces the file list without reading anything (reload() reads it).
    void setFileList(const QStringList &files) { m_files = files; }
    // Drops every record and reads the file list again.
    QStringList reload(QAILogMonitor *log = nullptr);

    // Files loaded while set are read for their totals and types only:
    // their records hold no tree and no documents, so nothing but the
    // totals answers for them.
    void setTotalsOnly(bool totalsOnly) override { m_totalsOnly = totalsOnly; }
    void setTestsOnly(bool testsOnly) override { m_testsOnly = testsOnly; }
    // Files loaded while set may be read without their documents: their
    // records hold the node tree, the totals and types only.
    void setTreeOnly(bool treeOnly) override { m_treeOnly = treeOnly; }
    void setTestsListed(TestsListed listener) override { m_testsListed = std::move(listener); }
    void setFailedOnly(bool failedOnly) override;
    // Hides `type` whatever its entry said before.
    void hideType(const QString &type) override;
    // Whether nodes of `type` are shown: until settleTypes() first ran every
    // type not hidden on purpose is; after that only the types marked shown.
    bool isTypeShown(const QString &type) const;
    void setTypeShown(const QString &type, bool shown);
    // Gives every known type its entry (shown before the first call unless
    // hidden on purpose, hidden when first met later) and rebuilds the type
    // exclusions from the entries.
    void settleTypes();

    // Rebuilds the shown list and the summary when the records or the
    // filter differ from those it was built from. True when it rebuilt.
    bool refresh();
    // True when the shown list was built from the current records and filter.
    bool showsInputs() const;
    // Frees the shown lists that refreshes replaced.
    void releaseRetired();

    // The report node whose text holds `link`, searched in the shown list,
    // first file first; null when none holds it.
    QAReporterNode *findLinkNode(DLink *link) const;

    std::optional<QAStResultTotals> resultTotals() const override;
    QString totalsText(const QString &testNode) const override;
    QString summaryText() override;
    void documentText(const TextLines &lines) override;
    void outlineText(const TextLines &lines) override;
    QList<QAStTestResult> testResults() const override;
    QList<QAStTestResult> detailedTestResults() const override;
    QList<QAStTestResult> unlistedTestResults(QStringList *superseded) const override;
    QList<QAStFileResults> fileResults() const override;
    bool recognises(const QString &file) const override;
    QAStExportResult exportHtml(const QString &dir, QAIProgressMonitor *progress,
                                QAILogMonitor *log) override;

Q_SIGNALS:
    // Before a reload drops the records.
    void recordsAboutToReload();
    // After a load or reload; `unreadable` lists the files not read.
    void recordsLoaded(const QStringList &unreadable);
    // Before the shown list and the summary are replaced.
    void shownAboutToChange();
    void shownChanged();

private:
    void collectTypes();
    std::unique_ptr<DDocument> buildSummary() const;
    // Appends the tests of `record` as detailedTestResults() gives them.
    void appendDetailed(const QAReporterData &record, QList<QAStTestResult> *results) const;
    // The studio and the current report styles, for reading files.
    QAReporterReadContext readContext() const;

    QPointer<QAReporterPref> m_pref;
    QStringList m_files;
    QStringList m_unreadable;
    Records m_records;
    QStringList m_types;
    // The same types as m_types, to answer "met before?" without a scan.
    QSet<QString> m_typeSet;
    QAReporterFilter m_filter;
    QMap<QString, bool> m_typeShown;
    bool m_typesSettled = false;
    bool m_totalsOnly = false;
    bool m_testsOnly = false;
    bool m_treeOnly = false;
    TestsListed m_testsListed;
    std::unique_ptr<QAReporterFilteredList> m_shown;
    // The records the shown list was built from, in order.
    std::vector<const QAReporterData *> m_shownRecords;
    std::vector<std::unique_ptr<QAReporterFilteredList>> m_retired;
    std::unique_ptr<DDocument> m_summary;
};
