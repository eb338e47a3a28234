#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// One finished run of the built xrdview program: its exit status (-1 when it crashed or did
// not finish within two minutes) and everything it printed.
struct XrdviewRun
{
    int status = -1;
    QByteArray out;
    QByteArray err;

    // The standard error as text, for failure messages and searches.
    QString errText() const { return QString::fromLocal8Bit(err); }
    // The status and standard error, for failure messages.
    QString describe() const { return QStringLiteral("status %1, stderr: %2").arg(status).arg(errText()); }
};

// Runs xrdview with `args` in `workingDir` (the test's own when empty). Settings come from
// `config` only and plug-ins from the program's default folder, so the developer's home
// cannot change the outcome. `env` adds NAME=VALUE settings; NAME= unsets one.
XrdviewRun runXrdview(const QStringList &args, const QString &config, const QString &workingDir = QString(),
                      const QStringList &env = QStringList());
