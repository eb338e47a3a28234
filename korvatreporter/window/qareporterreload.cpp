// Reading the reports again, by the user (Reload, F5) or because their files
// changed on disk, with the selection, the tree's scroll position and the
// report view's kept where the selected node still exists.

#include "korvatreporter/window/qareporter.h"

#include "korvatreporter/prefs/qareporterpref.h"
#include "korvatreporter/prefs/qareporterprefgeneral.h"
#include "korvatreporter/session/qareportsession.h"
#include "korvatreporter/window/qareporterstate.h"
#include "korvatreporter/window/qarfilewatch.h"
#include "korvatreporter/window/qartreemodel.h"
#include "sdk/qastoutputwidget.h"
#include "sdk/qastudiointerface.h"

#include <QCoreApplication>
#include <QDir>
#include <QScrollBar>

namespace {

bool liveReload()
{
    QAReporterPref *pref = QAReporterState::pref();
    return !pref || !pref->general() || pref->general()->liveReload();
}

} // namespace

void QAReporter::createFileWatch()
{
    m_fileWatch = new QARFileWatch(this);
    connect(m_fileWatch, &QARFileWatch::changed, this, &QAReporter::reloadAll);
    connect(m_fileWatch, &QARFileWatch::vanished, this, &QAReporter::fileVanished);
}

void QAReporter::watchFiles()
{
    // The files asked for, read or not: one written again may read now.
    m_fileWatch->setFiles(liveReload() ? m_session->fileList() : QStringList());
}

void QAReporter::fileVanished(const QString &file)
{
    const QString message =
        tr("The report file %1 was removed or renamed; the window keeps showing what it last read.")
            .arg(QDir::toNativeSeparators(file));
    QAStudioInterface *studio = QAReporterState::studio();
    if (QAStOutputWidget *pane = studio ? studio->outputWidget() : nullptr) {
        pane->append(message);
        studio->showOutputWidget(pane);
    }
    else
        qWarning("%s", qPrintable(message));
}

QAReporter::ViewPlace QAReporter::viewPlace() const
{
    ViewPlace place;
    if (m_treeView)
        place.treeScroll = m_treeView->verticalScrollBar()->value();
    if (m_mainView)
        place.reportScroll = m_mainView->verticalScrollBar()->value();
    const QModelIndex current = m_treeView ? m_treeView->currentRow() : QModelIndex();
    if (!current.isValid() || !m_treeModel)
        return place;
    place.file = m_treeModel->filePath(current);
    if (const QAReporterNode *node = m_treeModel->node(current))
        place.id = node->id;
    place.path = rowPath(current);
    return place;
}

void QAReporter::restoreViewPlace(const ViewPlace &place)
{
    if (!m_treeModel || !m_treeView || place.file.isEmpty())
        return;
    // The id names the same node only while the file's structure is the
    // same: it must agree with the path, else the path alone decides.
    QModelIndex found = m_treeModel->findNode(place.file, place.id, place.path);
    if (found.isValid() && rowPath(found) != place.path)
        found = m_treeModel->findNode(place.file, QString(), place.path);
    if (!found.isValid())
        return;
    m_treeView->setCurrentRow(found);
    m_treeView->verticalScrollBar()->setValue(place.treeScroll);
    if (m_mainView)
        m_mainView->verticalScrollBar()->setValue(place.reportScroll);
}

QString QAReporter::rowPath(const QModelIndex &row) const
{
    QStringList names;
    for (QModelIndex at = row.siblingAtColumn(0); at.parent().isValid(); at = at.parent())
        names.prepend(at.data().toString());
    return names.join(QStringLiteral(" › "));
}

void QAReporter::reloadAll()
{
    const ViewPlace place = viewPlace();
    m_session->reload();
    afterLoad();
    restoreViewPlace(place);
}
