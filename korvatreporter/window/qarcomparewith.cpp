#include "korvatreporter/window/qarcomparewith.h"

#include "history/historyclassifier.h"
#include "history/historycomparison.h"
#include "history/historystore.h"
#include "korvatreporter/session/qareportsession.h"
#include "korvatreporter/window/qareporter.h"
#include "korvatreporter/window/qareporterstate.h"
#include "korvatreporter/window/qarhistorydock.h"
#include "korvatreporter/window/qarlistview.h"
#include "korvatreporter/window/qartreemodel.h"
#include "sdk/qamodal.h"

#include <QFileInfo>
#include <QInputDialog>
#include <QLocale>

#include <memory>
#include <vector>

namespace {

QString markText(QARCompareWith::Mark mark, const QString &against)
{
    switch (mark) {
    case QARCompareWith::Mark::NewFailure:
        return QARCompareWith::tr("New failure since %1").arg(against);
    case QARCompareWith::Mark::Fixed:
        return QARCompareWith::tr("Fixed since %1").arg(against);
    case QARCompareWith::Mark::Flaky:
        return QARCompareWith::tr("Flaky: flips between passed and failed in the recorded runs");
    case QARCompareWith::Mark::None:
        break;
    }
    return QString();
}

} // namespace

QARCompareWith::QARCompareWith(QAReporter *window) : QObject(window), m_window(window), m_model(window->treeModel())
{
    window->treeModel()->setMarker([this](const QModelIndex &index, int role) { return markData(index, role); });
    // A rebuilt tree (another filter, a reload) gets its rows hidden again.
    connect(window->treeModel(), &QAbstractItemModel::modelReset, this, &QARCompareWith::applyRowFilter);
}

QARCompareWith::~QARCompareWith()
{
    if (m_model)
        m_model->setMarker(nullptr);
}

QColor QARCompareWith::colorOf(Mark mark)
{
    switch (mark) {
    case Mark::NewFailure:
        return QColor(0xf6, 0xc4, 0xc2);
    case Mark::Fixed:
        return QColor(0xc7, 0xe9, 0xc9);
    case Mark::Flaky:
        return QColor(0xf8, 0xe1, 0xa6);
    case Mark::None:
        break;
    }
    return QColor();
}

bool QARCompareWith::chooseAndCompare()
{
    QString error;
    std::unique_ptr<HistoryStore> store = HistoryStore::open(QARHistoryDock::storeUrl(), &error);
    const std::optional<QList<HistoryRun>> runs = store ? store->runs(QARHistoryDock::RunCount) : std::nullopt;
    QStringList choices(tr("An older report file…"));
    QList<qint64> ids{ 0 };
    for (auto it = runs ? runs->crbegin() : QList<HistoryRun>::const_reverse_iterator();
         runs && it != runs->crend(); ++it) {
        choices << tr("Recorded run %1 (%2)").arg(it->label.isEmpty() ? QStringLiteral("#%1").arg(it->id) : it->label,
                                                 QLocale().toString(it->time.toLocalTime(), QLocale::ShortFormat));
        ids << it->id;
    }
    int chosen = 0;
    if (choices.size() > 1) {
        QInputDialog dialog(m_window);
        dialog.setObjectName(QStringLiteral("compareWithDialog"));
        dialog.setWindowTitle(tr("Compare With"));
        dialog.setLabelText(tr("Compare the shown reports with:"));
        dialog.setComboBoxItems(choices);
        dialog.setComboBoxEditable(false);
        if (QAModal::exec(&dialog) != QDialog::Accepted)
            return false;
        chosen = int(choices.indexOf(dialog.textValue()));
    }
    if (chosen > 0)
        return compareWithRun(ids.at(chosen));
    const QString file = QAModal::getOpenFileName(m_window, tr("Compare With"), QString(),
                                                  tr("Test reports (*.xrd *.xml);;All files (*)"));
    return !file.isEmpty() && compareWithFile(file);
}

bool QARCompareWith::compareWithFile(const QString &file)
{
    QAReportSession older(QAReporterState::pref());
    if (!older.load({ file }).isEmpty() || older.records().empty()) {
        QAModal::warning(m_window, tr("Compare With"), tr("The report %1 could not be read.").arg(file));
        return false;
    }
    compareWith(QARHistoryDock::resultsOf(older.testResults()), QFileInfo(file).fileName());
    return true;
}

bool QARCompareWith::compareWithRun(qint64 runId)
{
    QString error;
    std::unique_ptr<HistoryStore> store = HistoryStore::open(QARHistoryDock::storeUrl(), &error);
    const std::optional<QList<HistoryRun>> runs = store ? store->runs(0) : std::nullopt;
    const HistoryRun *run = nullptr;
    for (const HistoryRun &candidate : runs ? *runs : QList<HistoryRun>())
        if (candidate.id == runId)
            run = &candidate;
    const std::optional<QList<HistoryResult>> results = run ? store->results(runId) : std::nullopt;
    if (!results) {
        QAModal::warning(m_window, tr("Compare With"),
                         !store ? error : run ? store->errorString() : tr("The store holds no run %1.").arg(runId));
        return false;
    }
    compareWith(*results, run->label.isEmpty() ? QStringLiteral("#%1").arg(runId) : run->label);
    return true;
}

void QARCompareWith::compareWith(const QList<HistoryResult> &older, const QString &against)
{
    const QList<HistoryResult> newer = QARHistoryDock::resultsOf(m_window->reportSession()->testResults());
    const HistoryComparison comparison = HistoryComparison::compare(older, newer);
    m_marks.clear();
    for (const QString &key : comparison.newFailures)
        m_marks.insert(key, Mark::NewFailure);
    for (const QString &key : comparison.fixed)
        m_marks.insert(key, Mark::Fixed);
    flakyFromStore();
    m_against = against;
    m_active = true;
    applyRowFilter();
    m_window->treeView()->viewport()->update();
}

void QARCompareWith::flakyFromStore()
{
    QString error;
    std::unique_ptr<HistoryStore> store = HistoryStore::open(QARHistoryDock::storeUrl(), &error);
    const std::optional<QList<HistoryRun>> runs = store ? store->recentRuns(QARHistoryDock::RunCount) : std::nullopt;
    if (!runs)
        return;
    // Flaky wins over fixed, which its flips explain; a new failure stays one.
    for (const HistoryLine &line : HistoryClassifier::classify(*runs))
        if (line.state == HistoryLine::State::Flaky && m_marks.value(line.key) != Mark::NewFailure)
            m_marks.insert(line.key, Mark::Flaky);
}

void QARCompareWith::clear()
{
    m_marks.clear();
    m_active = false;
    m_newFailuresOnly = false;
    applyRowFilter();
    m_window->treeView()->viewport()->update();
}

QARCompareWith::Mark QARCompareWith::markOf(const QModelIndex &index) const
{
    if (m_marks.isEmpty() || !m_window)
        return Mark::None;
    return m_marks.value(QARHistoryDock::keyOf(m_window, index), Mark::None);
}

int QARCompareWith::count(Mark mark) const
{
    int n = 0;
    for (const Mark value : m_marks)
        n += value == mark ? 1 : 0;
    return n;
}

QVariant QARCompareWith::markData(const QModelIndex &index, int role) const
{
    if (role != Qt::BackgroundRole && role != Qt::ToolTipRole)
        return QVariant();
    const Mark mark = markOf(index);
    if (mark == Mark::None)
        return QVariant();
    return role == Qt::BackgroundRole ? QVariant(colorOf(mark)) : QVariant(markText(mark, m_against));
}

void QARCompareWith::setNewFailuresOnly(bool on)
{
    m_newFailuresOnly = on && m_active;
    applyRowFilter();
}

void QARCompareWith::applyRowFilter()
{
    // Nothing to show again, nothing to hide: a large tree is not walked.
    if (!m_window || (!m_newFailuresOnly && !m_rowsHidden))
        return;
    m_rowsHidden = m_newFailuresOnly;
    QARTreeModel *model = m_window->treeModel();
    QARListView *view = m_window->treeView();
    // Post-order without recursion: a row stays when it is a new failure or
    // holds one; its parent learns that from `keep`.
    struct Pending { QModelIndex index; bool expanded; };
    std::vector<Pending> pending;
    QHash<QModelIndex, bool> keep;
    QSet<const QARTreeModel::Node *> hidden;
    for (int row = 0; row < model->rowCount(); ++row)
        pending.push_back({ model->index(row, 0), false });
    while (!pending.empty()) {
        Pending &top = pending.back();
        const QModelIndex index = top.index;
        if (!top.expanded) {
            top.expanded = true;
            for (int row = 0; row < model->rowCount(index); ++row)
                pending.push_back({ model->index(row, 0, index), false });
            continue;
        }
        pending.pop_back();
        const bool shown = !m_newFailuresOnly || model->isFile(index) || keep.value(index)
                           || markOf(index) == Mark::NewFailure;
        if (!shown)
            hidden.insert(model->nodeOf(index));
        if (shown && index.parent().isValid())
            keep.insert(index.parent(), true);
    }
    view->setHiddenRows(hidden);
}
