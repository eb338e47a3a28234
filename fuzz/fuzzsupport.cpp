#include "fuzz/fuzzsupport.h"

#include <QApplication>
#include <QtGlobal>

namespace {

void quiet(QtMsgType, const QMessageLogContext&, const QString&)
{
}

} // namespace

void FuzzSupport::ensureApplication()
{
    if (QCoreApplication::instance())
        return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("KORVAT_FUZZ_VERBOSE"))
        qInstallMessageHandler(quiet);
    static int argc = 1;
    static char name[] = "korvat-fuzz";
    static char* argv[] = {name, nullptr};
    static QApplication application(argc, argv);
}
