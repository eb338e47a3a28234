#include "xrdview/gui/xrdmainwindow.h"

#include "sdk/qamodal.h"
#include "sdk/qares.h"
#include "sdk/qastoutputwidget.h"
#include "sdk/qastreportsession.h"
#include "sdk/qastviewerplugin.h"
#include "sdk/qastviewerwindow.h"
#include "xrdview/gui/xrddockmenu.h"
#include "xrdview/gui/xrddefectpage.h"
#include "xrdview/cli/xrdhtmlexport.h"
#include "xrdview/cli/xrdinputfiles.h"
#include "xrdview/host/xrdlauncher.h"
#include "xrdview/host/xrdpaths.h"
#include "xrdview/gui/xrdpreferencedialog.h"
#include "xrdview/gui/xrdrecentnames.h"
#include "xrdview/cli/xrdreporttext.h"
#include "xrdview/host/xrdresourcestore.h"
#include "xrdview/gui/xrdsourcelink.h"
#include "xrdview/gui/xrdsourceview.h"
#include "xrdview/host/xrdstudio.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QDockWidget>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QLabel>
#include <QMenuBar>
#include <QMimeData>
#include <QSettings>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTabWidget>
#include <QUrl>

namespace {

constexpr int MaxRecentFiles = 8;

// Set on each report window: the folder of its first report, against which
// relative source links are resolved.
constexpr const char* ReportFolderProperty = "xrdviewReportFolder";
// Set on each report window: the source file and line its links last showed.
constexpr const char* SourceFileProperty = "xrdviewSourceFile";
constexpr const char* SourceLineProperty = "xrdviewSourceLine";

// The local files and folders among dropped URLs.
QStringList localFiles(const QMimeData* mime)
{
    QStringList files;
    if (!mime || !mime->hasUrls())
        return files;
    for (const QUrl& url : mime->urls()) {
        const QFileInfo info(url.toLocalFile());
        if (url.isLocalFile() && (info.isFile() || info.isDir()))
            files << url.toLocalFile();
    }
    return files;
}

} // namespace

XrdMainWindow::XrdMainWindow(QAStViewerPlugin* plugin, XrdStudio* studio,
                             const QString& resourceFile, QWidget* parent)
    : QMainWindow(parent),
      m_plugin(plugin),
      m_studio(studio),
      m_resourceFile(resourceFile),
      m_tabs(new QTabWidget(this))
{
    setObjectName(QStringLiteral("xrdview-main"));
    setWindowTitle(tr("xrdview"));
    setAcceptDrops(true);
    resize(1200, 800);

    m_tabs->setDocumentMode(true);
    m_tabs->setTabsClosable(true);
    m_tabs->setMovable(true);
    m_tabs->setElideMode(Qt::ElideMiddle);
    setCentralWidget(m_tabs);
    connect(m_tabs, &QTabWidget::currentChanged, this, &XrdMainWindow::currentTabChanged);
    connect(m_tabs, &QTabWidget::tabCloseRequested, this, &XrdMainWindow::tabCloseRequested);

    createDocks();
    createMenus();
    statusBar()->showMessage(tr("Ready"));

    m_studio->setMainWindow(this);
    m_studio->setOutputPane(m_output);
    m_studio->setMenuAnchor(m_settingsMenu->menuAction());
    m_studio->setDefectSettingsFile(QFileInfo(m_resourceFile).absolutePath()
                                    + QStringLiteral("/defect-tracker.ini"));
    connect(m_studio, &XrdStudio::sourceFileRequested, this, &XrdMainWindow::openSource);
    connect(m_studio, &XrdStudio::outputPaneRequested, m_outputDock, [this] {
        m_outputDock->show();
        m_outputDock->raise();
    });

    QString error;
    m_resources = XrdResourceStore::load(m_resourceFile, &error);
    if (!error.isEmpty())
        report(error);
    if (m_plugin)
        m_plugin->initialize(m_studio, m_resources.get());

    QSettings recent(QFileInfo(m_resourceFile).absolutePath() + QStringLiteral("/recent.ini"),
                     QSettings::IniFormat);
    m_recent = recent.value(QStringLiteral("files")).toStringList().mid(0, MaxRecentFiles);
    rebuildRecentMenu();
    restoreLayout();
    updateActions();
}

QString XrdMainWindow::layoutFile() const
{
    return QFileInfo(m_resourceFile).absolutePath() + QStringLiteral("/window.ini");
}

void XrdMainWindow::restoreLayout()
{
    QSettings layout(layoutFile(), QSettings::IniFormat);
    // Either may be missing or from another version: Qt then leaves the default.
    restoreGeometry(layout.value(QStringLiteral("geometry")).toByteArray());
    restoreState(layout.value(QStringLiteral("state")).toByteArray());
}

void XrdMainWindow::saveLayout() const
{
    QSettings layout(layoutFile(), QSettings::IniFormat);
    layout.setValue(QStringLiteral("geometry"), saveGeometry());
    layout.setValue(QStringLiteral("state"), saveState());
}

XrdMainWindow::~XrdMainWindow()
{
    // Report windows go first, while the menus, docks and studio they talk
    // to are still whole.
    if (m_active)
        m_active->desactivated();
    m_active = nullptr;
    for (QAStViewerWindow* window : viewerWindows())
        delete window;
    m_studio->setOutputPane(nullptr);
    m_studio->setMenuAnchor(nullptr);
}

QList<QAStViewerWindow*> XrdMainWindow::viewerWindows() const
{
    QList<QAStViewerWindow*> windows;
    for (int i = 0; i < m_tabs->count(); ++i) {
        if (auto* window = qobject_cast<QAStViewerWindow*>(m_tabs->widget(i)))
            windows << window;
    }
    return windows;
}

QAction* XrdMainWindow::action(const QString& name) const
{
    return findChild<QAction*>(name);
}

void XrdMainWindow::createDocks()
{
    m_outlineDock = new QDockWidget(tr("Outline"), this);
    m_outlineDock->setObjectName(QStringLiteral("outline"));
    m_outlineStack = new QStackedWidget(m_outlineDock);
    m_noOutline = new QLabel(tr("No report open"), m_outlineStack);
    m_noOutline->setAlignment(Qt::AlignCenter);
    m_noOutline->setEnabled(false);
    m_outlineStack->addWidget(m_noOutline);
    m_outlineDock->setWidget(m_outlineStack);
    addDockWidget(Qt::LeftDockWidgetArea, m_outlineDock);

    m_outputDock = new QDockWidget(tr("Output"), this);
    m_outputDock->setObjectName(QStringLiteral("output"));
    m_output = new QAStOutputWidget(m_outputDock);
    m_outputDock->setWidget(m_output);
    addDockWidget(Qt::BottomDockWidgetArea, m_outputDock);
    m_outputDock->hide();

    m_sourceDock = new QDockWidget(tr("Source"), this);
    m_sourceDock->setObjectName(QStringLiteral("source"));
    m_sourceView = new XrdSourceView(m_sourceDock);
    m_sourceDock->setWidget(m_sourceView);
    addDockWidget(Qt::RightDockWidgetArea, m_sourceDock);
    m_sourceDock->hide();

    resizeDocks({ m_outlineDock }, { 300 }, Qt::Horizontal);
    resizeDocks({ m_outputDock }, { 140 }, Qt::Vertical);
}

// The platform's key for a standard command, or `fallback` where the
// platform has none (Preferences on most desktops), so that every command
// shows a key.
static QKeySequence keyOr(QKeySequence::StandardKey standard, const QKeySequence& fallback)
{
    const QList<QKeySequence> keys = QKeySequence::keyBindings(standard);
    return keys.isEmpty() ? fallback : keys.constFirst();
}

QAction* XrdMainWindow::addCommand(QMenu* menu, const QString& name, const QString& text,
                                   const QString& tip, const QKeySequence& key,
                                   void (XrdMainWindow::*slot)())
{
    QAction* action = menu->addAction(text);
    action->setObjectName(name);
    action->setStatusTip(tip);
    if (!key.isEmpty())
        action->setShortcut(key);
    connect(action, &QAction::triggered, this, slot);
    return action;
}

void XrdMainWindow::createMenus()
{
    QMenu* file = menuBar()->addMenu(tr("&File"));
    addCommand(file, QStringLiteral("open"), tr("&Open..."), tr("Open report files"),
               QKeySequence::Open, &XrdMainWindow::open);
    m_recentMenu = file->addMenu(tr("Open &Recent"));
    m_recentMenu->setObjectName(QStringLiteral("recent"));
    file->addSeparator();
    addCommand(file, QStringLiteral("reload"), tr("&Reload"), tr("Read the shown reports again"),
               QKeySequence::Refresh, &XrdMainWindow::reload);
    addCommand(file, QStringLiteral("saveAs"), tr("Save Report &As..."),
               tr("Save a copy of the shown report files"),
               keyOr(QKeySequence::SaveAs, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)),
               &XrdMainWindow::saveAs);
    addCommand(
        file, QStringLiteral("exportHtml"), tr("&Export All Reports as HTML..."),
        tr("Export every loaded report, the reports they link to and the results summary as HTML"),
        QKeySequence(), &XrdMainWindow::exportHtml);
    addCommand(file, QStringLiteral("print"), tr("&Print..."), tr("Print the shown report"),
               QKeySequence::Print, &XrdMainWindow::print);
    file->addSeparator();
    addCommand(file, QStringLiteral("close"), tr("&Close"), tr("Close the shown report"),
               QKeySequence::Close, &XrdMainWindow::closeWindow);
    QAction* quit = file->addAction(tr("&Quit"));
    quit->setObjectName(QStringLiteral("quit"));
    quit->setStatusTip(tr("Leave xrdview"));
    quit->setShortcut(QKeySequence::Quit);
    connect(quit, &QAction::triggered, this, &QWidget::close);

    QMenu* edit = menuBar()->addMenu(tr("&Edit"));
    addCommand(edit, QStringLiteral("copy"), tr("&Copy"), tr("Copy the selected report text"),
               QKeySequence::Copy, &XrdMainWindow::copy);
    addCommand(edit, QStringLiteral("find"), tr("&Find..."), tr("Search the report text"),
               QKeySequence::Find, &XrdMainWindow::find);
    addCommand(edit, QStringLiteral("findNext"), tr("Find &Next"), tr("Search again for the last text"),
               keyOr(QKeySequence::FindNext, QKeySequence(Qt::Key_F3)), &XrdMainWindow::findNext);

    QMenu* view = menuBar()->addMenu(tr("&View"));
    QAction* outline = m_outlineDock->toggleViewAction();
    outline->setObjectName(QStringLiteral("viewOutline"));
    outline->setStatusTip(tr("Show or hide the report tree"));
    view->addAction(outline);
    QAction* output = m_outputDock->toggleViewAction();
    output->setObjectName(QStringLiteral("viewOutput"));
    output->setStatusTip(tr("Show or hide the output pane"));
    view->addAction(output);
    QAction* source = m_sourceDock->toggleViewAction();
    source->setObjectName(QStringLiteral("viewSource"));
    source->setStatusTip(tr("Show or hide the source pane"));
    view->addAction(source);
    m_dockMenu = new XrdDockMenu(view);

    m_settingsMenu = menuBar()->addMenu(tr("&Settings"));
    addCommand(m_settingsMenu, QStringLiteral("preferences"), tr("&Preferences..."),
               tr("Change the viewer's preferences"),
               keyOr(QKeySequence::Preferences, QKeySequence(Qt::CTRL | Qt::Key_Comma)),
               &XrdMainWindow::preferences);

    QMenu* help = menuBar()->addMenu(tr("&Help"));
    addCommand(help, QStringLiteral("about"), tr("&About xrdview"),
               tr("Show the version of xrdview"), QKeySequence(), &XrdMainWindow::about);
    QAction* aboutPlugin = addCommand(help, QStringLiteral("aboutPlugin"), tr("About the &Plug-in"),
                                      tr("Show the loaded plug-in's names, version and date"),
                                      QKeySequence(), &XrdMainWindow::aboutPlugin);
    if (m_plugin && !m_plugin->pluginName().isEmpty())
        aboutPlugin->setText(tr("About %1").arg(m_plugin->pluginName()));
}

QAStViewerWindow* XrdMainWindow::openFiles(const QStringList& files)
{
    if (!m_plugin)
        return nullptr;
    QStringList fresh;
    QAStViewerWindow* shown = nullptr;
    for (const QString& file : files) {
        // One spelling per file, so that openedWindow recognises it later.
        const QString path = QFileInfo(file).absoluteFilePath();
        if (QAStViewerWindow* window = m_plugin->openedWindow(path))
            shown = window;
        else if (!fresh.contains(path))
            fresh << path;
    }
    if (fresh.isEmpty()) {
        if (shown && m_tabs->indexOf(shown) >= 0)
            m_tabs->setCurrentWidget(shown);
        return shown;
    }

    QStringList none;
    QAStViewerWindow* window = m_plugin->create(none, m_tabs, "report");
    if (!window) {
        report(tr("The plug-in could not open a report window."));
        return shown;
    }
    statusBar()->showMessage(tr("Loading %n report(s)...", nullptr, int(fresh.size())));
    window->setFiles(&fresh, nullptr, ViewerNormal);
    statusBar()->showMessage(tr("Ready"));
    QStringList opened;
    for (const QString& path : std::as_const(fresh)) {
        if (m_plugin->openedWindow(path) == window)
            opened << path;
    }
    if (opened.isEmpty()) {
        // Nothing was readable; the plug-in has said why in the output pane.
        delete window;
        m_outputDock->show();
        return shown;
    }

    connect(window, &QAStViewerWindow::captionChanged, this, &XrdMainWindow::captionChanged);
    connect(window, &QAStViewerWindow::stateChanged, this, &XrdMainWindow::updateActions);
    if (QWidget* outline = window->contentOutlineWidget())
        m_outlineStack->addWidget(outline);
    // A tab is named after its files; the report window's own title stays in the title bar.
    const int index = m_tabs->addTab(window, window->windowIcon(),
                                     XrdRecentNames::labels(opened).join(QStringLiteral(", ")));
    QStringList names;
    for (const QString& path : std::as_const(opened))
        names << QDir::toNativeSeparators(path);
    m_tabs->setTabToolTip(index, names.join(QLatin1Char('\n')));
    window->setProperty(ReportFolderProperty, QFileInfo(opened.constFirst()).absolutePath());
    m_tabs->setCurrentIndex(index);
    addRecent(opened);
    return window;
}

void XrdMainWindow::currentTabChanged(int index)
{
    auto* next = qobject_cast<QAStViewerWindow*>(m_tabs->widget(index));
    if (next != m_active) {
        if (m_active)
            m_active->desactivated();
        m_active = next;
        if (next) {
            QWidget* outline = next->contentOutlineWidget();
            if (outline && m_outlineStack->indexOf(outline) < 0)
                m_outlineStack->addWidget(outline);
            m_outlineStack->setCurrentWidget(outline ? outline : m_noOutline);
            next->activated();
        }
        showSourceOf(next);
        m_dockMenu->setWindow(next);
    }
    if (!m_active)
        m_outlineStack->setCurrentWidget(m_noOutline);
    setWindowTitle(m_active ? tr("%1 - xrdview").arg(m_active->windowTitle()) : tr("xrdview"));
    updateActions();
}

void XrdMainWindow::tabCloseRequested(int index)
{
    if (QWidget* window = m_tabs->widget(index))
        window->close();
}

void XrdMainWindow::captionChanged(QWidget* window)
{
    if (window == m_active)
        setWindowTitle(tr("%1 - xrdview").arg(window->windowTitle()));
}

bool XrdMainWindow::windowOffers(const char* property) const
{
    // A command the plug-in has not finished says so through a property of
    // its window; without one the command stays disabled.
    const QVariant offered = m_active ? m_active->property(property) : QVariant();
    return offered.isValid() && offered.toBool();
}

void XrdMainWindow::updateActions()
{
    QAStViewerWindow* w = m_active;
    action(QStringLiteral("open"))->setEnabled(m_plugin != nullptr);
    action(QStringLiteral("reload"))->setEnabled(w && w->canReload());
    action(QStringLiteral("saveAs"))->setEnabled(w && w->canSaveAs());
    action(QStringLiteral("exportHtml"))->setEnabled(w && w->canExportHTML()
                                                     && windowOffers("exportHtmlAvailable"));
    action(QStringLiteral("print"))->setEnabled(w && w->canPrint());
    action(QStringLiteral("close"))->setEnabled(w != nullptr);
    action(QStringLiteral("copy"))->setEnabled(w && w->canCopy());
    action(QStringLiteral("find"))->setEnabled(w && w->canFind());
    action(QStringLiteral("findNext"))->setEnabled(w && w->canFind());
    action(QStringLiteral("preferences"))->setEnabled(m_plugin && m_plugin->preferenceSettings());
    action(QStringLiteral("aboutPlugin"))->setEnabled(m_plugin != nullptr);
}

void XrdMainWindow::open()
{
    QStringList filters = m_plugin ? m_plugin->filters() : QStringList();
    filters << tr("All files (*)");
    QString dir = m_recent.isEmpty() ? XrdPaths::examplesDirectory()
                                     : QFileInfo(m_recent.constFirst()).absolutePath();
    const QStringList files =
        QAModal::getOpenFileNames(this, tr("Open Reports"), dir, filters.join(QStringLiteral(";;")));
    if (!files.isEmpty())
        openFiles(files);
}

void XrdMainWindow::reload()
{
    if (m_active && m_active->canReload())
        m_active->reload();
}

void XrdMainWindow::saveAs()
{
    if (m_active && m_active->canSaveAs())
        m_active->saveAs();
}

void XrdMainWindow::exportHtml()
{
    if (m_active && m_active->canExportHTML())
        XrdHtmlExport::askAndExport(this, m_active, m_studio);
}

void XrdMainWindow::print()
{
    if (m_active && m_active->canPrint())
        m_active->print();
}

void XrdMainWindow::closeWindow()
{
    if (m_active)
        m_active->close();
}

void XrdMainWindow::copy()
{
    if (m_active && m_active->canCopy())
        m_active->copy();
}

void XrdMainWindow::find()
{
    // A null text asks the window for its find dialog.
    if (m_active && m_active->canFind())
        m_active->find(QString());
}

void XrdMainWindow::findNext()
{
    // An empty text repeats the window's last search.
    if (m_active && m_active->canFind())
        m_active->find(QStringLiteral(""));
}

void XrdMainWindow::preferences()
{
    if (!m_plugin || !m_plugin->preferenceSettings())
        return;
    XrdDefectPage defectPage(m_studio->defectSettingsFile());
    XrdPreferenceDialog dialog(m_plugin, this, { &defectPage });
    const int result = QAModal::exec(&dialog);
    dialog.finish(result);
    if (result == QDialog::Accepted)
        saveResources();
}

void XrdMainWindow::saveResources()
{
    QString error;
    if (XrdResourceStore::save(m_resourceFile, m_studio->producers(), &error))
        return;
    report(error);
    QAModal::warning(this, tr("Preferences"), error);
}

void XrdMainWindow::about()
{
    QAModal::information(
        this, tr("About xrdview"),
        tr("xrdview %1\n\nA viewer for XRD test reports, built on Qt %2.")
            .arg(QStringLiteral(XRDVIEW_VERSION), QString::fromLatin1(qVersion())));
}

void XrdMainWindow::aboutPlugin()
{
    if (!m_plugin)
        return;
    const QAStViewerPlugin* p = m_plugin;
    QStringList lines;
    lines << p->pluginName() + QLatin1Char(' ') + p->pluginVersion();
    if (!p->pluginDescription().isEmpty())
        lines << p->pluginDescription();
    lines << QString();
    lines << tr("Component: %1, %2").arg(p->name(), p->version());
    if (!p->description().isEmpty())
        lines << tr("Description: %1").arg(p->description());
    lines << tr("Maker: %1").arg(p->pluginCompanyName());
    if (!p->pluginCompanyDescription().isEmpty())
        lines << p->pluginCompanyDescription();
    if (!p->pluginCopyRight().isEmpty())
        lines << p->pluginCopyRight();
    lines << tr("Created: %1").arg(p->pluginCreation().toString(Qt::ISODate));
    lines << tr("Loaded from: %1").arg(QDir::toNativeSeparators(m_pluginFile));
    QAModal::information(this, tr("About %1").arg(p->pluginName()), lines.join(QLatin1Char('\n')));
}

QString XrdMainWindow::linkFolder() const
{
    const QString folder = m_active ? m_active->property(ReportFolderProperty).toString() : QString();
    return folder.isEmpty() ? QDir::currentPath() : folder;
}

void XrdMainWindow::openSource(const QString& target)
{
    const XrdSourceLink link = XrdSourceLink::parse(target);
    switch (link.problem) {
    case XrdSourceLink::NoProblem:
        break;
    case XrdSourceLink::NoFile:
        report(tr("The link \"%1\" names no file.").arg(target));
        return;
    case XrdSourceLink::ControlCharacter:
        report(tr("The link \"%1\" was not followed: its file name holds a control character.")
                   .arg(target.simplified()));
        return;
    case XrdSourceLink::UnsafeScheme:
        report(tr("The link \"%1\" was not followed: only files and http, https, ftp and "
                          "mailto addresses are opened.")
                   .arg(target));
        return;
    }
    if (link.isUrl()) {
        if (!XrdLauncher::openUrl(QUrl(link.file)))
            report(tr("Cannot open %1.").arg(link.file));
        return;
    }
    const QString path = link.absoluteFile(linkFolder());
    const QString editor = qEnvironmentVariable("XRDVIEW_EDITOR");
    if (!editor.trimmed().isEmpty()) {
        QStringList args = link.editorCommand(editor, linkFolder());
        const QString program = args.isEmpty() ? QString() : args.takeFirst();
        if (program.isEmpty() || !XrdLauncher::startDetached(program, args))
            report(tr("Cannot start the editor command \"%1\" (XRDVIEW_EDITOR).").arg(editor));
        return;
    }
    QString error;
    if (!m_sourceView->showFile(path, link.line, &error)) {
        report(error);
        return;
    }
    if (m_active) {
        m_active->setProperty(SourceFileProperty, path);
        m_active->setProperty(SourceLineProperty, link.line);
    }
    showSourceTitle();
    m_sourceDock->show();
    m_sourceDock->raise();
}

void XrdMainWindow::showSourceTitle()
{
    const QString name = QFileInfo(m_sourceView->fileName()).fileName();
    const int line = m_sourceView->highlightedLine();
    if (name.isEmpty())
        m_sourceDock->setWindowTitle(tr("Source"));
    else if (line > 0)
        m_sourceDock->setWindowTitle(tr("Source: %1, line %2").arg(name).arg(line));
    else
        m_sourceDock->setWindowTitle(tr("Source: %1").arg(name));
}

void XrdMainWindow::showSourceOf(QAStViewerWindow* window)
{
    // Each report window keeps the source its links last showed.
    const QString file = window ? window->property(SourceFileProperty).toString() : QString();
    if (file.isEmpty() || !m_sourceView->showFile(file, window->property(SourceLineProperty).toInt()))
        m_sourceView->clearFile();
    showSourceTitle();
}

void XrdMainWindow::report(const QString& message)
{
    m_output->append(XrdReportText::withFinalNewline(message));
    m_outputDock->show();
}

void XrdMainWindow::addRecent(const QStringList& files)
{
    for (const QString& file : files) {
        m_recent.removeAll(file);
        m_recent.prepend(file);
    }
    m_recent = m_recent.mid(0, MaxRecentFiles);
    QSettings recent(QFileInfo(m_resourceFile).absolutePath() + QStringLiteral("/recent.ini"),
                     QSettings::IniFormat);
    recent.setValue(QStringLiteral("files"), m_recent);
    rebuildRecentMenu();
}

void XrdMainWindow::rebuildRecentMenu()
{
    m_recentMenu->clear();
    const QStringList labels = XrdRecentNames::labels(m_recent);
    for (int i = 0; i < m_recent.size(); ++i) {
        const QString file = m_recent.at(i);
        QAction* entry = m_recentMenu->addAction(labels.at(i));
        entry->setStatusTip(QDir::toNativeSeparators(file));
        connect(entry, &QAction::triggered, this, [this, file] { openFiles({ file }); });
    }
    m_recentMenu->setEnabled(!m_recent.isEmpty());
}

void XrdMainWindow::closeEvent(QCloseEvent* event)
{
    // Each report window takes its own menus away as it closes.
    for (QAStViewerWindow* window : viewerWindows()) {
        if (!window->close()) {
            event->ignore();
            return;
        }
    }
    saveLayout();
    event->accept();
}

void XrdMainWindow::dragEnterEvent(QDragEnterEvent* event)
{
    if (!localFiles(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void XrdMainWindow::dropEvent(QDropEvent* event)
{
    const QStringList files = localFiles(event->mimeData());
    if (files.isEmpty())
        return;
    event->acceptProposedAction();
    // A folder stands for the reports under it, recognised by content.
    QStringList reports;
    std::unique_ptr<QAStReportSession> session;
    for (const QString& file : files) {
        if (!QFileInfo(file).isDir()) {
            reports << file;
            continue;
        }
        if (!session && m_plugin)
            session = m_plugin->createSession();
        if (!session)
            continue;
        QStringList passedOver;
        const QStringList found = XrdInputFiles::expand(
            {file}, [&session](const QString& path) { return session->recognises(path); }, &passedOver);
        if (found.isEmpty())
            report(tr("No report file was found in the folder %1.").arg(QDir::toNativeSeparators(file)));
        reports << found;
    }
    if (!reports.isEmpty())
        openFiles(reports);
}
