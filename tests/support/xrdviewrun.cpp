#include "xrdviewrun.h"

#include <QProcess>
#include <QProcessEnvironment>

XrdviewRun runXrdview(const QStringList &args, const QString &config, const QString &workingDir,
                      const QStringList &env)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), config);
    environment.remove(QStringLiteral("XRDVIEW_PLUGIN_PATH"));
    for (const QString &setting : env) {
        const QString name = setting.section(QLatin1Char('='), 0, 0);
        const QString value = setting.section(QLatin1Char('='), 1);
        if (value.isEmpty())
            environment.remove(name);
        else
            environment.insert(name, value);
    }
    QProcess process;
    process.setProcessEnvironment(environment);
    if (!workingDir.isEmpty())
        process.setWorkingDirectory(workingDir);
    process.start(QStringLiteral(KORVAT_BIN_DIR "/xrdview"), args);
    XrdviewRun run;
    if (!process.waitForFinished(120000)) {
        process.kill();
        process.waitForFinished();
    }
    run.out = process.readAllStandardOutput();
    run.err = process.readAllStandardError();
    if (process.state() == QProcess::NotRunning && process.exitStatus() == QProcess::NormalExit)
        run.status = process.exitCode();
    return run;
}
