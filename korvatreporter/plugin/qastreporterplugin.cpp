#include "korvatreporter/plugin/qastreporterplugin.h"

#include "korvatreporter/data/qareporterdata.h"
#include "korvatreporter/data/qareportformat.h"
#include "korvatreporter/data/qareportformats.h"
#include "korvatreporter/prefs/qareporterpref.h"
#include "korvatreporter/prefs/qareporterprefgeneral.h"
#include "korvatreporter/session/qareportsession.h"
#include "korvatreporter/window/qareporter.h"
#include "korvatreporter/window/qareporterstate.h"
#include "korvatreporter/window/qartoolbar.h"
#include "sdk/getpix.h"
#include "sdk/qares.h"
#include "sdk/qastudiointerface.h"

#include <QCoreApplication>
#include <QMainWindow>

#include "korvatreporter/window/images/reporter.xpm"

QAStReporterPlugin::QAStReporterPlugin(QObject *parent) : QAStViewerPlugin(parent) {}

QAStReporterPlugin::~QAStReporterPlugin() = default;

QString QAStReporterPlugin::name() const
{
    return QStringLiteral("Reporter");
}

QString QAStReporterPlugin::description() const
{
    return QCoreApplication::translate(
        "QAStReporterPlugin",
        "Opens XRD reports and test runners' results (JUnit XML, Qt Test, Catch2, TAP, GoogleTest "
        "JSON, CTRF JSON) in report windows, with a filter for failed tests, search, HTML export and "
        "defect reports.",
        "Reporter Plugin Description");
}

QString QAStReporterPlugin::author() const
{
    return tr("Ostrand Software", "Reporter Plugin Author");
}

QString QAStReporterPlugin::version() const
{
    return tr("Version 1.0.0", "Reporter Plugin Version");
}

void QAStReporterPlugin::initialize(QUnknownInterface *host, QARes *resources)
{
    // The host interface is held for the life of the process; no reference
    // is released.
    QAStudioInterface *studio = nullptr;
    if (host) {
        QUnknownInterface *answer = nullptr;
        if (host->queryInterface(IID_QAStudioInterface, &answer) == QS_OK)
            studio = dynamic_cast<QAStudioInterface *>(answer);
    }
    if (QAReporterState::initialised() || !studio)
        return;

    if (QMainWindow *mainWindow = studio->mainWindow()) {
        auto *toolBar = new QARToolBar(
            QCoreApplication::translate("QAReporter", "Test Report Toolbar", "Tool bar Title"),
            mainWindow);
        QAReporterState::setSharedToolBar(toolBar);
        toolBar->show();
    }

    // The producer lives as long as the process, like the other shared
    // objects: it is never freed.
    auto *pref = new QAReporterPref(studio);
    QAReporterPref::setInstance(pref);

    QAReporterState::ensureWindows();

    if (resources && resources->toResGroup()) {
        QARes *children = resources->child();
        if (QARes *group =
                children ? children->search(QStringLiteral("REPORTER"), QLatin1Char('.')) : nullptr)
            pref->readResources(group);
    }

    studio->registerPreferences(pref);
    QAReporterState::setInitialised(true);
}

QStringList QAStReporterPlugin::accept() const
{
    return QAReportFormats::patterns();
}

QStringList QAStReporterPlugin::filters() const
{
    // Every report file first, then one filter per format.
    QStringList filters{tr("Report", "Reporter Plugin Extended Filters") + QStringLiteral(" (")
                        + QAReportFormats::patterns().join(QLatin1Char(' ')) + QLatin1Char(')')};
    for (const QAReportFormat *format : QAReportFormats::all())
        filters << format->filter();
    return filters;
}

QAStViewerWindow *QAStReporterPlugin::create(QStringList &files, QWidget *parent,
                                             const char *name)
{
    auto *window = new QAReporter(tr("Test Report", "Test Report Window Title"),
                                  GETPIX(QStringLiteral("reporter_xpm"), reporter_xpm), parent,
                                  name);
    window->setAttribute(Qt::WA_DeleteOnClose);
    if (!files.isEmpty())
        window->setFiles(&files, nullptr, ViewerNormal);
    return window;
}

std::unique_ptr<QAStReportSession> QAStReporterPlugin::createSession()
{
    return std::make_unique<QAReportSession>(QAReporterPref::instance());
}

QAStViewerWindow *QAStReporterPlugin::openedWindow(const QString &file)
{
    const QList<QAReporter *> *windows = QAReporterState::windows();
    if (!windows)
        return nullptr;
    for (QAReporter *window : *windows) {
        for (const auto &record : window->reportSession()->records()) {
            if (record->fileName == file)
                return window;
        }
    }
    return nullptr;
}

void QAStReporterPlugin::connectAccepted(QObject *sender, const char *signal)
{
    if (QAReporterPref *pref = QAReporterPref::instance())
        QObject::connect(sender, signal, pref, SLOT(prefDialogAccepted()));
}

void QAStReporterPlugin::connectRejected(QObject *sender, const char *signal)
{
    if (QAReporterPref *pref = QAReporterPref::instance())
        QObject::connect(sender, signal, pref, SLOT(prefDialogRejected()));
}

PreferenceItem *QAStReporterPlugin::preferenceSettings()
{
    QAReporterPref *pref = QAReporterPref::instance();
    return pref ? pref->general() : nullptr;
}

QString QAStReporterPlugin::pluginName() const
{
    return tr("Ostrand Korvat Report Viewer", "Plugin Name");
}

QString QAStReporterPlugin::pluginIcon() const
{
    return QStringLiteral("");
}

QString QAStReporterPlugin::pluginDescription() const
{
    return QCoreApplication::translate(
        "QAStReporterPlugin",
        "Views XRD test reports and test runners' results: a results table, an outline of every "
        "test and the formatted report.",
        "Plugin Description");
}

QString QAStReporterPlugin::pluginCompanyName() const
{
    return tr("Ostrand Software", "Plugin Company Name");
}

QString QAStReporterPlugin::pluginCompanyIcon() const
{
    return QStringLiteral("logo_90x90.xpm");
}

QString QAStReporterPlugin::pluginCompanyDescription() const
{
    return tr("Ostrand and Korvat are trademarks of Ostrand Software.",
              "Plugin Company Description");
}

QString QAStReporterPlugin::pluginCopyRight() const
{
    return tr("Copyright Ostrand Software. All rights reserved.", "Plugin CopyRight");
}

QString QAStReporterPlugin::pluginVersion() const
{
    return tr("Version 1.1.0", "Plugin Version");
}

QDate QAStReporterPlugin::pluginCreation() const
{
    return QDate::currentDate();
}

QList<QToolBar *> QAStReporterPlugin::toolbars()
{
    return {};
}
