// xrdview: shows XRD test reports and JUnit XML results through the report
// viewer plug-in, in a main window or, for the printing and exporting modes,
// headless on standard output.

#include "sdk/qamodal.h"
#include "sdk/qares.h"
#include "sdk/qastviewerplugin.h"
#include "xrdview/cli/xrdcommandline.h"
#include "xrdview/cli/xrdheadlessrunner.h"
#include "xrdview/gui/xrdmainwindow.h"
#include "xrdview/host/xrdpaths.h"
#include "xrdview/host/xrdpluginloader.h"
#include "xrdview/host/xrdresourcestore.h"
#include "xrdview/host/xrdstudio.h"
#include "xrdview/host/xrdtranslations.h"

#include <QApplication>
#include <QLocale>

#include <memory>

namespace {

QStringList rawArguments(int argc, char** argv)
{
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    return args;
}

// Without a display a message box would wait for ever: every question is
// answered with its default and its text goes to standard error.
void answerModalQuestionsOnStderr()
{
    QAModal::setAnswerer([](const QAModalRequest& request) -> QVariant {
        if (!request.text.isEmpty())
            XrdHeadlessRunner::printError(request.caption.isEmpty()
                                              ? request.text
                                              : request.caption + QStringLiteral(": ")
                                                    + request.text);
        return QVariant();
    });
}

// Qt's own notices while it sets up its platform, such as "QStandardPaths:
// XDG_RUNTIME_DIR not set" for root or in a container without a session:
// the printing modes write only their own messages on standard error.
// Critical and fatal messages still go out.
void dropStartupNotices(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type != QtCriticalMsg && type != QtFatalMsg)
        return;
    XrdHeadlessRunner::printError(qFormatLogMessage(type, context, message));
}

// The headless modes create no widget. The modes that lay out report text
// (the document text, the HTML pages with their images) need fonts: a GUI
// application, on the offscreen platform unless another is set; the others
// run under a core application.
std::unique_ptr<QCoreApplication> headlessApplication(const XrdCommandLine& line, int& argc, char** argv)
{
    if (line.mode != XrdCommandLine::PrintText && line.mode != XrdCommandLine::ExportHtml)
        return std::make_unique<QCoreApplication>(argc, argv);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Fontconfig reads the language from LANG and LC_* and prints a warning
    // on standard error for a value it cannot parse; a command's output must
    // not carry it. Give it the language Qt understood instead.
    if (qEnvironmentVariableIsEmpty("FC_LANG")) {
        const QLocale locale = QLocale::system();
        qputenv("FC_LANG", locale.language() == QLocale::C ? QByteArray("en") : locale.name().toLatin1());
    }
    return std::make_unique<QGuiApplication>(argc, argv);
}

[[noreturn]] void runHeadless(const XrdCommandLine& line, XrdPluginLoader& loader)
{
    XrdStudio studio(XrdPaths::installDirectory());
    answerModalQuestionsOnStderr();
    QString error;
    std::unique_ptr<QARes> resources = XrdResourceStore::load(XrdPaths::resourceFile(), &error);
    if (!error.isEmpty())
        XrdHeadlessRunner::printError(error);
    loader.plugin()->initialize(&studio, resources.get());
    XrdHeadlessRunner runner(loader.plugin(), &studio);
    XrdHeadlessRunner::exitNow(runner.run(line));
}

// Help, version and argument errors end the run before the window's
// application exists; a plain core application carries their translation.
int answerWithoutWindow(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    XrdTranslations translations;
    translations.install(XrdTranslations::languages(), XrdTranslations::directory());
    const XrdCommandLine line = XrdCommandLine::parse(rawArguments(argc, argv));
    if (line.hasError()) {
        XrdHeadlessRunner::printError(QStringLiteral("xrdview: ") + line.error);
        XrdHeadlessRunner::printError(QCoreApplication::translate("xrdview", "Try 'xrdview --help'."));
        return XrdHeadlessRunner::Error;
    }
    if (line.mode == XrdCommandLine::Help)
        XrdHeadlessRunner::print(XrdCommandLine::helpText());
    else
        XrdHeadlessRunner::print(XrdCommandLine::versionText());
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    const XrdCommandLine line = XrdCommandLine::parse(rawArguments(argc, argv));
    if (line.hasError() || line.mode == XrdCommandLine::Help
        || line.mode == XrdCommandLine::Version)
        return answerWithoutWindow(argc, argv);

    std::unique_ptr<QCoreApplication> app;
    if (line.isHeadless()) {
        const QtMessageHandler previousHandler = qInstallMessageHandler(dropStartupNotices);
        app = headlessApplication(line, argc, argv);
        qInstallMessageHandler(previousHandler);
    } else {
        app = std::make_unique<QApplication>(argc, argv);
    }
    QCoreApplication::setApplicationName(QStringLiteral("xrdview"));
    QCoreApplication::setApplicationVersion(QStringLiteral(XRDVIEW_VERSION));
    XrdTranslations translations;
    translations.install(XrdTranslations::languages(), XrdTranslations::directory());

    XrdPluginLoader loader;
    if (!loader.loadFrom(XrdPaths::pluginDirectories())) {
        XrdHeadlessRunner::printError(QStringLiteral("xrdview: ") + loader.errorString());
        if (!line.isHeadless())
            QAModal::warning(nullptr, QCoreApplication::translate("xrdview", "xrdview"), loader.errorString());
        return XrdHeadlessRunner::Error;
    }
    if (line.isHeadless())
        runHeadless(line, loader);

    XrdStudio studio(XrdPaths::installDirectory());
    XrdMainWindow window(loader.plugin(), &studio, XrdPaths::resourceFile());
    window.setPluginFile(loader.fileName());
    window.show();
    if (!line.files.isEmpty())
        window.openFiles(line.files);
    // Entered through QApplication, which the paint-timing probes preload a
    // wrapper of; the loop is the same.
    return QApplication::exec();
}
