// The report window's outline: the tree view, its columns and its rows.
#include "korvatreporter/window/qareporter.h"

#include "korvatreporter/data/qareporterdata.h"
#include "korvatreporter/document/qareporterfilteredlist.h"
#include "korvatreporter/prefs/qareporterpref.h"
#include "korvatreporter/prefs/qareporterprefgeneral.h"
#include "korvatreporter/session/qareportsession.h"
#include "korvatreporter/window/qareporterstate.h"
#include "korvatreporter/window/qarlistview.h"
#include "korvatreporter/window/qartreefilterline.h"
#include "korvatreporter/window/qartreemodel.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <QStyle>

namespace {

// Width of the verdict column of the tree.
constexpr int VerdictColumnWidth = 20;

} // namespace

// The outline: verdict column first, names stretched, durations fitted.
void QAReporter::createTreeView()
{
    m_treeView = new QARListView();
    m_treeModel = new QARTreeModel(this);
    m_treeView->setTreeModel(m_treeModel);
    QHeaderView *header = m_treeView->header();
    header->setSectionResizeMode(1, QHeaderView::Fixed);
    header->resizeSection(1, VerdictColumnWidth);
    // The names take the room the durations leave, so that the durations
    // stay in sight in a narrow outline pane.
    header->setStretchLastSection(false);
    header->setSectionResizeMode(0, QHeaderView::Stretch);
    // Sized from the widest duration texts (fitDurationColumn), not by
    // measuring every row: the user may widen it.
    header->setSectionResizeMode(QARTreeModel::DurationColumn, QHeaderView::Interactive);
    header->moveSection(1, 0);
    // Sorting by a column header cycles ascending, descending, document order.
    header->setSortIndicatorClearable(true);
    header->setSortIndicator(-1, Qt::AscendingOrder);
    m_treeView->setSortingEnabled(true);
}

void QAReporter::fillTreeView()
{
    QAReporterFilteredList *shown = m_session->shownList();
    if (m_session->records().empty() || !m_treeView || !shown)
        return;
    clearTreeView();
    QList<QARTreeModel::File> files;
    for (const QAReporterData *record : shown->records()) {
        if (record)
            files.append({record->fileName, record->dataTree});
    }
    m_treeModel->setFiles(files);
    fitDurationColumn();
    // The model reset left a full relayout pending: opening rows now only
    // records their state.
    const QAReporterPref *pref = QAReporterState::pref();
    m_treeFilter->setOpenDepth(pref ? pref->general()->autoDepth()
                                    : QAReporterPrefGeneral::DefaultAutoDepth);
    m_treeFilter->openRows();
    const QModelIndex first = m_treeModel->index(0, 0);
    if (first.isValid())
        m_treeView->setCurrentRow(first);
}

void QAReporter::fitDurationColumn()
{
    QHeaderView *header = m_treeView->header();
    int width = header->sectionSizeHint(QARTreeModel::DurationColumn);
    const QFontMetrics metrics(m_treeView->font());
    // The item delegate's text margins on both sides, and a little air.
    const int margins =
        2 * (m_treeView->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, m_treeView) + 1)
        + metrics.averageCharWidth();
    for (const QString &text : m_treeModel->widestDurationTexts())
        width = qMax(width, metrics.horizontalAdvance(text) + margins);
    header->resizeSection(QARTreeModel::DurationColumn, width);
}
