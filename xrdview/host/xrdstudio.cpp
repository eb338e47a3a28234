#include "xrdview/host/xrdstudio.h"

#include "sdk/qastoutputwidget.h"
#include "xrdview/tracker/xrddefectclient.h"
#include "xrdview/tracker/xrddefectsettings.h"

#include <QCoreApplication>
#include <QDir>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QProgressDialog>
#include <QStandardPaths>
#include <QTimer>

#include <cstdio>

XrdStudio::XrdStudio(const QString& installDirectory, QObject* parent)
    : QObject(parent), m_installDir(installDirectory)
{
}

XrdStudio::~XrdStudio() = default;

void XrdStudio::setMainWindow(QMainWindow* window)
{
    m_mainWindow = window;
}

void XrdStudio::setOutputPane(QAStOutputWidget* pane)
{
    m_pane = pane;
}

void XrdStudio::setMenuAnchor(QAction* before)
{
    m_menuAnchor = before;
}

void XrdStudio::useStandardErrorOutput()
{
    if (m_ownPane)
        return;
    m_ownPane = std::make_unique<QAStOutputWidget>();
    m_pane = m_ownPane.get();
    connect(m_ownPane->document(), &QTextDocument::contentsChanged, this,
            &XrdStudio::mirrorOutput);
}

void XrdStudio::mirrorOutput()
{
    // The pane only ever grows at its end: write out what is new.
    const QString text = m_ownPane->toPlainText();
    if (text.size() <= m_mirrored) {
        m_mirrored = int(text.size());
        return;
    }
    const QByteArray bytes = text.mid(m_mirrored).toLocal8Bit();
    m_mirrored = int(text.size());
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stderr);
    std::fflush(stderr);
}

QRESULT XrdStudio::queryInterface(const QUuid& id, QUnknownInterface** iface)
{
    if (!iface)
        return QE_NOINTERFACE;
    if (id == IID_QAStudioInterface || id == IID_QUnknown) {
        *iface = this;
        return QS_OK;
    }
    *iface = nullptr;
    return QE_NOINTERFACE;
}

// The host owns the studio; references are only counted.
unsigned long XrdStudio::addRef()
{
    return ++m_refs;
}

unsigned long XrdStudio::release()
{
    return m_refs ? --m_refs : 0;
}

QMainWindow* XrdStudio::mainWindow()
{
    return m_mainWindow;
}

QAStOutputWidget* XrdStudio::outputWidget()
{
    return m_pane;
}

QAStOutputWidget* XrdStudio::showOutputWidget(QAStOutputWidget* pane)
{
    if (!pane || pane == m_pane) {
        Q_EMIT outputPaneRequested();
        return m_pane;
    }
    pane->show();
    return pane;
}

QString XrdStudio::installDirectory()
{
    return m_installDir;
}

QString XrdStudio::exportDirectory()
{
    // The export configuration lives with the user's other settings.
    const QString dir = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    QDir().mkpath(dir);
    return dir;
}

QString XrdStudio::searchPath()
{
    return QDir::cleanPath(m_installDir + QStringLiteral("/lib"));
}

void XrdStudio::startProgress(int steps, const QString& label, const QString& cancelText,
                              int minimum, int)
{
    m_canceled = false;
    if (!m_mainWindow)
        return;
    delete m_progress.data();
    m_progress = new QProgressDialog(label, cancelText, minimum,
                                                   qMax(minimum, steps), m_mainWindow);
    m_progress->setWindowTitle(QCoreApplication::translate("XrdStudio", "xrdview"));
    // Window-modal: while the plug-in works, the only input the window
    // takes is the cancel button.
    m_progress->setWindowModality(Qt::WindowModal);
    m_progress->setAutoClose(false);
    m_progress->setAutoReset(false);
    m_progress->setMinimumDuration(500);
    connect(m_progress, &QProgressDialog::canceled, this, [this] { m_canceled = true; });
    m_progress->setValue(minimum);
}

void XrdStudio::setProgress(int value)
{
    if (!m_progress)
        return;
    if (value > m_progress->maximum())
        m_progress->setMaximum(value);
    // A window-modal dialog processes events here, which lets the cancel
    // button be pressed.
    m_progress->setValue(value);
}

void XrdStudio::endProgress()
{
    delete m_progress.data();
}

void XrdStudio::openSourceFile(const QString& target, int, bool)
{
    Q_EMIT sourceFileRequested(target);
}

void XrdStudio::registerPreferences(QAResProducer* producer)
{
    if (producer && !m_producers.contains(producer))
        m_producers << producer;
}

int XrdStudio::insertMenu(const QString& title, QMenu* menu)
{
    if (!menu || !m_mainWindow)
        return -1;
    menu->setTitle(title);
    QMenuBar* bar = m_mainWindow->menuBar();
    QAction* action = m_menuAnchor ? bar->insertMenu(m_menuAnchor, menu) : bar->addMenu(menu);
    const int id = m_nextMenuId++;
    m_menus.insert(id, action);
    return id;
}

void XrdStudio::removeMenu(int id)
{
    const QPointer<QAction> action = m_menus.take(id);
    if (action && m_mainWindow)
        m_mainWindow->menuBar()->removeAction(action);
}

MerrowInterface* XrdStudio::defectClient()
{
    const XrdDefectSettings settings = XrdDefectSettings::load(m_defectSettingsFile);
    if (settings.kind == XrdDefectSettings::None) {
        // Said after the caller's own message about the missing client.
        if (m_mainWindow) {
            QTimer::singleShot(0, this, [this] {
                if (!m_pane)
                    return;
                m_pane->append(QCoreApplication::translate(
                    "XrdStudio", "No defect tracker is configured: choose one in Settings > "
                                 "Preferences > Defect tracker.\n"));
                Q_EMIT outputPaneRequested();
            });
        }
        return nullptr;
    }
    if (!m_defectClient) {
        m_defectClient = std::make_unique<XrdDefectClient>();
        m_defectClient->setReporter([this](const QString& message) {
            if (!m_pane)
                return;
            m_pane->append(message);
            Q_EMIT outputPaneRequested();
        });
    }
    m_defectClient->setSettings(settings);
    m_defectClient->setParentWidget(m_mainWindow);
    return m_defectClient.get();
}

QString XrdStudio::productName()
{
    return QStringLiteral("xrdview");
}

bool XrdStudio::progressCanceled()
{
    return m_canceled;
}
