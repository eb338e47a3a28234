#pragma once

#include "sdk/nodedata.h"
#include "sdk/qastdockoffer.h"
#include "sdk/qastresulttotals.h"
#include "sdk/qastudiowindow.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

class QAIProgressMonitor;
class QAILogMonitor;
class QAStReportSession;

// How the host opens a viewer window; the meaning of each mode is the
// host's. ViewerSummary asks the viewer to print its results summary.
enum ViewerMode {
    ViewerNormal = 0,
    ViewerMode1 = 1,
    ViewerMode2 = 2,
    ViewerMode3 = 3,
    ViewerMode4 = 4,
    ViewerSummary = 5
};

// Base of viewer windows: the host hands them files and its test node,
// wires its commands to their slots and asks what they support. The base
// answers every query with a harmless constant and ignores every command.
class QAStViewerWindow : public QAStudioWindow
{
    Q_OBJECT
public:
    // Parts of a viewer's content that a headless host can print (the
    // outline it prints itself from contentOutlineWidget()).
    enum PlainTextPart { SummaryText, DocumentText };

    using ResultTotals = QAStResultTotals;

    explicit QAStViewerWindow(QWidget* parent = nullptr, const char* name = nullptr,
                              Qt::WindowFlags flags = {});
    ~QAStViewerWindow() override;

    virtual bool hasContentOutline();
    virtual QWidget* contentOutlineWidget();
    virtual bool canSave();
    virtual bool canSaveAs();
    virtual bool canPrint();
    virtual bool canCopy();
    virtual bool canPaste();
    virtual bool canCut();
    virtual bool canUndo();
    virtual bool canRedo();
    virtual bool canDelete();
    virtual bool canSelectAll();
    virtual bool canFind();
    virtual bool canReplace();
    virtual bool canGoTo();
    virtual bool canReload();
    virtual bool canZoom();
    virtual bool canExportHTML();
    virtual bool isModified();
    virtual bool isEditable();

    // Full export of the viewer's content as HTML into `outDir`.
    virtual void exportHTML(const QString& outDir, const QString& extra,
                            QAIProgressMonitor* progress, QAILogMonitor* log);

    // Hands the window a list of files (and a second list whose meaning is
    // the host's). The base only remembers the mode.
    virtual void setFiles(QStringList* files, QStringList* others, ViewerMode mode);
    // Moves the view to the place a tag names; the numbers are the host's.
    virtual void scrollToTag(const QString& tag, int line, int column);

    virtual void setNode(const ::nodeData& node);
    const ::nodeData& nodeData() const;

    bool isActivated() const;
    ViewerMode viewerMode() const;

    // Text of one part of the content, for hosts without a screen; empty
    // when the viewer has none.
    virtual QString plainText(PlainTextPart part);
    // The verdict totals of the shown files; none when the viewer counts no
    // verdicts (the base) or holds no file.
    virtual std::optional<ResultTotals> resultTotals();
    // The session the window shows, which the host may drive and export
    // through; null (the base) when the viewer has none. Owned by the window.
    virtual QAStReportSession* session();

    // The docks the window offers to the host's View menu, in menu order;
    // none (the base) by default.
    virtual QList<QAStDockOffer> offeredDocks();
    // Shows or hides the offered dock `id`. The base shows or hides the
    // offer's dock widget; a window overrides it when a dock needs more.
    virtual void showOfferedDock(const QString& id, bool shown);

public Q_SLOTS:
    virtual void activated();
    virtual void desactivated();
    virtual void save();
    virtual void saveAs();
    virtual void print();
    virtual void copy();
    virtual void paste();
    virtual void cut();
    virtual void undo();
    virtual void redo();
    virtual void del();
    virtual void selectAll();
    virtual void find(const QString& text);
    virtual void replace();
    virtual void goTo();
    virtual void reload();
    virtual void zoomIn();
    virtual void zoomOut();
    virtual void zoom(int percent);
    virtual void mnFilter();
    virtual void exportDoc();
    // Reloads every file the window shows.
    virtual void reloadAll();

Q_SIGNALS:
    // Asks the host to reload one file.
    void reloadFile(const QString& file);

protected:
    bool m_activated = false;

private:
    ::nodeData m_node;
    ViewerMode m_mode = ViewerNormal;
};
