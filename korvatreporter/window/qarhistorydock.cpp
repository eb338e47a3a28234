#include "korvatreporter/window/qarhistorydock.h"

#include "history/historystore.h"
#include "korvatreporter/data/qareporterdata.h"
#include "korvatreporter/prefs/qareporterpref.h"
#include "korvatreporter/prefs/qareporterprefhistory.h"
#include "korvatreporter/session/qareportsession.h"
#include "korvatreporter/window/qareporter.h"
#include "korvatreporter/window/qareporterstate.h"
#include "korvatreporter/window/qarhistorymodel.h"
#include "korvatreporter/window/qartreemodel.h"
#include "rendoc/model/ddocument.h"

#include <QBarCategoryAxis>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QFileInfo>
#include <QLabel>
#include <QListView>
#include <QStackedBarSeries>
#include <QVBoxLayout>
#include <QValueAxis>

namespace {

constexpr int SquareSize = 14;
constexpr int ChartHeight = 180;
constexpr int DockWidth = 380;

} // namespace

QARHistoryDock::QARHistoryDock(QAReporter *window)
    : QDockWidget(tr("History"), window), m_window(window)
{
    setObjectName(QStringLiteral("historyDock"));
    auto *content = new QWidget(this);
    auto *layout = new QVBoxLayout(content);
    m_message = new QLabel(content);
    m_message->setWordWrap(true);
    layout->addWidget(m_message);

    m_model = new QARHistoryModel(this);
    m_strip = new QListView(content);
    m_strip->setObjectName(QStringLiteral("historySquares"));
    m_strip->setModel(m_model);
    m_strip->setViewMode(QListView::IconMode);
    m_strip->setFlow(QListView::LeftToRight);
    m_strip->setWrapping(false);
    m_strip->setMovement(QListView::Static);
    m_strip->setIconSize(QSize(SquareSize, SquareSize));
    m_strip->setSelectionMode(QAbstractItemView::NoSelection);
    m_strip->setFixedHeight(SquareSize * 4);
    layout->addWidget(m_strip);

    m_chartView = new QChartView(new QChart(), content);
    m_chartView->setRenderHint(QPainter::Antialiasing);
    m_chartView->setMinimumHeight(ChartHeight);
    m_chartView->chart()->legend()->setAlignment(Qt::AlignBottom);
    layout->addWidget(m_chartView, 1);
    content->setMinimumWidth(DockWidth);
    setWidget(content);

    window->addDockWidget(Qt::RightDockWidgetArea, this);
    hide();
    connect(window->treeView(), &QAListView::currentIndexChanged, this, &QARHistoryDock::showItem);
    connect(this, &QDockWidget::visibilityChanged, this, [this](bool visible) {
        if (visible)
            refresh();
    });
}

QARHistoryDock::~QARHistoryDock() = default;

QChart *QARHistoryDock::chart() const
{
    return m_chartView->chart();
}

QString QARHistoryDock::storeUrl()
{
    QAReporterPref *pref = QAReporterState::pref();
    const QString configured = pref && pref->history() ? pref->history()->storeUrl() : QString();
    return configured.isEmpty() ? qEnvironmentVariable("KORVAT_DB") : configured;
}

void QARHistoryDock::showItem(const QModelIndex &index)
{
    m_item = index.siblingAtColumn(QARTreeModel::NameColumn);
    if (isVisible())
        refresh();
}

QString QARHistoryDock::keyOf(QAReporter *window, const QModelIndex &index)
{
    QARTreeModel *tree = window ? window->treeModel() : nullptr;
    if (!tree || !index.isValid())
        return QString();
    QStringList names;
    for (QModelIndex row = index; row.isValid() && !tree->isFile(row); row = row.parent()) {
        const QAReporterNode *node = tree->node(row);
        names.prepend(node ? node->name : QString());
    }
    // The document is named as the recorded runs name it.
    const QString file = tree->filePath(index);
    QString document = QFileInfo(file).completeBaseName();
    for (const auto &record : window->reportSession()->records())
        if (record && record->fileName == file && record->document && !record->document->name().isEmpty())
            document = record->document->name();
    names.prepend(document);
    return names.join(QLatin1Char('/'));
}

HistoryStore *QARHistoryDock::store()
{
    // A changed address opens the new store; a failed one is tried again.
    const QString url = storeUrl();
    if (m_store && url == m_storeUrl)
        return m_store.get();
    m_storeUrl = url;
    m_storeError.clear();
    m_store = HistoryStore::open(url, &m_storeError);
    return m_store.get();
}

void QARHistoryDock::recordIfWanted()
{
    QAReporterPref *pref = QAReporterState::pref();
    if (!m_window || !pref || !pref->history() || !pref->history()->recordOpened())
        return;
    QStringList files;
    for (const auto &record : m_window->reportSession()->records())
        if (record)
            files << record->fileName;
    HistoryRun run;
    run.contentHash = HistoryRun::contentHashOf(files, &m_recordError);
    run.sha256 = HistoryRun::sha256Of(files);
    run.time = QDateTime::currentDateTimeUtc();
    run.results = QARHistoryDock::resultsOf(m_window->reportSession()->detailedTestResults());
    HistoryStore *history = run.contentHash.isEmpty() ? nullptr : store();
    if (!history) {
        if (m_recordError.isEmpty())
            m_recordError = m_storeError;
    } else if (!history->recordRun(run)) {
        m_recordError = history->errorString();
    } else {
        m_recordError.clear();
    }
    if (isVisible())
        refresh();
}

QList<HistoryResult> QARHistoryDock::resultsOf(const QList<QAStTestResult> &tests)
{
    QList<HistoryResult> results;
    results.reserve(tests.size());
    for (const QAStTestResult &test : tests) {
        HistoryResult result;
        result.document = test.document;
        result.path = test.path;
        result.verdict = test.verdict == QAStTestResult::Failed         ? HistoryResult::Verdict::Ko
                         : test.verdict == QAStTestResult::Inconclusive ? HistoryResult::Verdict::Inconclusive
                                                                        : HistoryResult::Verdict::Ok;
        result.passedAfterRetry = test.passedAfterRetry && result.verdict == HistoryResult::Verdict::Ok;
        result.durationMs = HistoryResult::durationOf(test.seconds);
        result.fingerprint = HistoryResult::fingerprintOf(test.message);
        results.append(result);
    }
    return results;
}

void QARHistoryDock::refresh()
{
    m_key = keyOf(m_window, m_item);
    HistoryStore *history = m_key.isEmpty() ? nullptr : store();
    std::optional<QList<HistoryRun>> runs;
    if (history)
        runs = history->recentRuns(RunCount, m_key);
    if (!m_recordError.isEmpty()) {
        m_model->clear();
        m_message->setText(tr("The report could not be recorded: %1").arg(m_recordError));
    } else if (runs) {
        m_model->setRuns(*runs, m_key);
        m_message->setText(runs->isEmpty() ? tr("No run is recorded yet.") : m_key);
    } else {
        m_model->clear();
        m_message->setText(m_key.isEmpty() ? tr("Select a node of the report tree.")
                           : history        ? history->errorString()
                                            : m_storeError);
    }
    rebuildChart();
}

void QARHistoryDock::rebuildChart()
{
    QChart *chart = m_chartView->chart();
    chart->removeAllSeries();
    for (QAbstractAxis *axis : chart->axes())
        chart->removeAxis(axis);
    if (m_model->rows().isEmpty())
        return;
    auto *passed = new QBarSet(tr("Passed"));
    auto *failed = new QBarSet(tr("Failed"));
    auto *inconclusive = new QBarSet(tr("Inconclusive"));
    passed->setColor(QARHistoryModel::colorOf(QLatin1Char('P')));
    failed->setColor(QARHistoryModel::colorOf(QLatin1Char('F')));
    inconclusive->setColor(QARHistoryModel::colorOf(QLatin1Char('N')));
    QStringList labels;
    int most = 0;
    for (const QARHistoryModel::Row &row : m_model->rows()) {
        *passed << row.passed;
        *failed << row.failed;
        *inconclusive << row.inconclusive;
        labels << row.label;
        most = std::max(most, row.passed + row.failed + row.inconclusive);
    }
    auto *series = new QStackedBarSeries();
    series->append({ passed, failed, inconclusive });
    chart->addSeries(series);
    auto *runs = new QBarCategoryAxis();
    runs->append(labels);
    chart->addAxis(runs, Qt::AlignBottom);
    series->attachAxis(runs);
    auto *tests = new QValueAxis();
    // Whole numbers of tests: one tick per test up to five, then round steps.
    tests->setRange(0, std::max(1, most));
    if (most <= 5)
        tests->setTickCount(std::max(1, most) + 1);
    else
        tests->applyNiceNumbers();
    tests->setLabelFormat(QStringLiteral("%d"));
    chart->addAxis(tests, Qt::AlignLeft);
    series->attachAxis(tests);
}
