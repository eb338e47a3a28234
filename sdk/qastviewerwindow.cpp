#include "sdk/qastviewerwindow.h"

QAStViewerWindow::QAStViewerWindow(QWidget* parent, const char* name, Qt::WindowFlags flags)
    : QAStudioWindow(parent, name, flags)
{
}

QAStViewerWindow::~QAStViewerWindow() = default;

// Capability queries: the base window supports nothing; viewers answer for
// what they implement.
bool QAStViewerWindow::hasContentOutline() { return false; }
QWidget* QAStViewerWindow::contentOutlineWidget() { return nullptr; }
bool QAStViewerWindow::canSave() { return false; }
bool QAStViewerWindow::canSaveAs() { return false; }
bool QAStViewerWindow::canPrint() { return false; }
bool QAStViewerWindow::canCopy() { return false; }
bool QAStViewerWindow::canPaste() { return false; }
bool QAStViewerWindow::canCut() { return false; }
bool QAStViewerWindow::canUndo() { return false; }
bool QAStViewerWindow::canRedo() { return false; }
bool QAStViewerWindow::canDelete() { return false; }
bool QAStViewerWindow::canSelectAll() { return false; }
bool QAStViewerWindow::canFind() { return false; }
bool QAStViewerWindow::canReplace() { return false; }
bool QAStViewerWindow::canGoTo() { return false; }
bool QAStViewerWindow::canReload() { return false; }
bool QAStViewerWindow::canZoom() { return false; }
bool QAStViewerWindow::canExportHTML() { return false; }
bool QAStViewerWindow::isModified() { return false; }
bool QAStViewerWindow::isEditable() { return false; }

void QAStViewerWindow::exportHTML(const QString&, const QString&, QAIProgressMonitor*,
                                  QAILogMonitor*)
{
}

void QAStViewerWindow::setFiles(QStringList*, QStringList*, ViewerMode mode)
{
    m_mode = mode;
}

void QAStViewerWindow::scrollToTag(const QString&, int, int) {}

void QAStViewerWindow::setNode(const ::nodeData& node)
{
    m_node = node;
}

const ::nodeData& QAStViewerWindow::nodeData() const
{
    return m_node;
}

bool QAStViewerWindow::isActivated() const
{
    return m_activated;
}

ViewerMode QAStViewerWindow::viewerMode() const
{
    return m_mode;
}

QString QAStViewerWindow::plainText(PlainTextPart)
{
    return QString();
}

std::optional<QAStViewerWindow::ResultTotals> QAStViewerWindow::resultTotals()
{
    return std::nullopt;
}

QAStReportSession* QAStViewerWindow::session()
{
    return nullptr;
}

QList<QAStDockOffer> QAStViewerWindow::offeredDocks()
{
    return {};
}

void QAStViewerWindow::showOfferedDock(const QString& id, bool shown)
{
    const QList<QAStDockOffer> offers = offeredDocks();
    for (const QAStDockOffer& offer : offers) {
        if (offer.id == id && offer.dock)
            offer.dock->setVisible(shown);
    }
}

void QAStViewerWindow::activated()
{
    m_activated = true;
}

void QAStViewerWindow::desactivated()
{
    m_activated = false;
}

void QAStViewerWindow::save() {}
void QAStViewerWindow::saveAs() {}
void QAStViewerWindow::print() {}
void QAStViewerWindow::copy() {}
void QAStViewerWindow::paste() {}
void QAStViewerWindow::cut() {}
void QAStViewerWindow::undo() {}
void QAStViewerWindow::redo() {}
void QAStViewerWindow::del() {}
void QAStViewerWindow::selectAll() {}
void QAStViewerWindow::find(const QString&) {}
void QAStViewerWindow::replace() {}
void QAStViewerWindow::goTo() {}
void QAStViewerWindow::reload() {}
void QAStViewerWindow::zoomIn() {}
void QAStViewerWindow::zoomOut() {}
void QAStViewerWindow::zoom(int) {}
void QAStViewerWindow::mnFilter() {}
void QAStViewerWindow::exportDoc() {}
void QAStViewerWindow::reloadAll() {}
