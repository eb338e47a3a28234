#pragma once

#include "xrdview/tracker/xrddefect.h"

#include <QCoreApplication>
#include <QString>
#include <QStringList>

#include <functional>

// Hands a defect to the user's own tracker command, e.g.
// "gh issue create --title %t --body-file %d". The template is split into
// arguments like a shell would split it (quotes group words), then in each
// argument %t becomes the headline, %d the path of a temporary file holding
// the description and %% a percent sign; an argument holding %a is
// repeated once per attachment path (and dropped without attachments).
// The command runs without a shell, so no text of the defect is ever
// interpreted: each value is exactly one argument. Attachments are absolute,
// normalised paths, and a headline starting with "-" or "+" is refused where
// it would start an argument, so no value can pass for an option.
class XrdCommandTracker
{
    Q_DECLARE_TR_FUNCTIONS(XrdCommandTracker)

public:
    explicit XrdCommandTracker(const QString& commandTemplate);

    // The program and its arguments for `defect`, the description being in
    // `descriptionFile`. Empty when the template names no program.
    // Attachment paths are made absolute and normalised; `descriptionFile`
    // is the caller's (a temporary file, or a placeholder for display).
    QStringList arguments(const XrdDefect& defect, const QString& descriptionFile) const;

    // Why `defect` cannot be submitted with this template: its headline
    // starts with "-" or "+" and "%t" starts an argument. Empty when it can.
    QString unsafeHeadline(const XrdDefect& defect) const;

    // Arguments shown as one line, quoted where a shell would need it.
    static QString displayLine(const QStringList& arguments);

    // Answers whether the user asked to stop a running command.
    using CancelQuery = std::function<bool()>;

    // Runs the command for `defect` and waits for it, at most the timeout.
    // Events, user input included, keep being processed meanwhile, so the
    // window stays usable and a Cancel button can answer `canceled`. The
    // command runs in a process group of its own: on a timeout or a cancel
    // the whole group is stopped, the command's children with it. True when
    // it exited with status 0; `output` then holds what it printed (e.g. the
    // new defect's address). Otherwise `error` says why. `commandLine` gets
    // the line run.
    bool submit(const XrdDefect& defect, QString* output, QString* error, QString* commandLine = nullptr,
                const CancelQuery& canceled = {}) const;

    void setTimeoutSeconds(int seconds) { m_timeoutMs = qMax(1, seconds) * 1000; }

private:
    QString m_template;
    int m_timeoutMs = 120000;
};
