#include "reporterhost.h"

#include "korvatreporter/window/qareporterstate.h"
#include "korvatreporter/window/qartoolbar.h"
#include "sdk/qamodal.h"

#include <QStandardPaths>

void ReporterHost::setUp(const QString &installDir)
{
    QStandardPaths::setTestModeEnabled(true);
    studio.setInstallDirectory(installDir.isEmpty() ? QStringLiteral(KORVAT_EXAMPLES "/..") : installDir);
    studio.setMainWindow(&mainWindow);
    pref = std::make_unique<QAReporterPref>(&studio);
    QAReporterPref::setInstance(pref.get());
    QAReporterState::setSharedToolBar(new QARToolBar(QStringLiteral("bar"), &mainWindow));
    QAModal::setAnswerer([](const QAModalRequest &) { return QVariant(); });
}

std::unique_ptr<QAReporter> ReporterHost::open(QStringList files, bool activate)
{
    auto window = std::make_unique<QAReporter>(QStringLiteral("Test Report"), QPixmap());
    if (!files.isEmpty())
        window->setFiles(&files, nullptr, ViewerNormal);
    if (activate)
        window->activated();
    return window;
}
