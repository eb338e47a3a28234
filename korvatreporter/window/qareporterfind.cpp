// What a report window does after its search found a hit: the tree follows
// it and the find dialog gets out of its way.
#include "korvatreporter/window/qareporter.h"

#include "korvatreporter/window/qareporterstate.h"
#include "korvatreporter/window/qarlistview.h"
#include "korvatreporter/window/qartreemodel.h"
#include "rendoc/view/drendocview.h"
#include "sdk/qaviewerfinddialog.h"

#include <QScreen>

namespace {

// Space left between the hit and the moved dialog.
constexpr int HitGap = 8;

} // namespace

void QAReporter::followHit()
{
    if (m_treeView && m_treeModel) {
        const QModelIndex row = m_treeModel->rowHolding(m_mainView->selectedItem());
        if (row.isValid()) {
            // The view stays on the hit rather than going to the row's start.
            m_followingHit = true;
            m_treeView->setCurrentRow(row);
            m_treeView->scrollToRow(row);
            m_followingHit = false;
        }
    }
    if (QAViewerFindDialog *dialog = QAReporterState::findDialog())
        moveDialogOffHit(dialog);
}

void QAReporter::moveDialogOffHit(QWidget *dialog)
{
    const QRect inView = m_mainView->selectionRect();
    if (inView.isEmpty())
        return;
    const QRect hit(m_mainView->viewport()->mapToGlobal(inView.topLeft()), inView.size());
    const QRect frame = dialog->frameGeometry();
    if (!frame.intersects(hit))
        return;
    // Below the hit when the screen has room there, else above it.
    const QPoint below(frame.x(), hit.bottom() + 1 + HitGap);
    const QPoint above(frame.x(), hit.top() - HitGap - frame.height());
    const QScreen *screen = dialog->screen();
    const bool roomBelow = !screen || below.y() + frame.height() <= screen->availableGeometry().bottom() + 1;
    const bool roomAbove = screen && above.y() >= screen->availableGeometry().top();
    dialog->move(roomBelow || !roomAbove ? below : above);
}
