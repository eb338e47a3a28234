#pragma once

#include "sdk/qastfileresults.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QList>
#include <QString>
#include <QStringList>

class QAStReportSession;
class XrdCommandLine;

// The CI side of the command line: `--to FORMAT` writes the loaded results
// as JUnit XML, CTRF JSON, a Markdown job summary or workflow annotations,
// on standard output or into `-o FILE`, and the gate that a run finding no
// test case fails unless `--allow-empty` says it may.
class XrdCiOutput
{
    Q_DECLARE_TR_FUNCTIONS(XrdCiOutput)

public:
    XrdCiOutput() = delete;

    // The formats `--to` takes, in the order the help lists them.
    static QStringList formats();
    // Why the output options of `line` are wrong; null when they are fine.
    static QString argumentError(const XrdCommandLine &line);

    // `files` in `format`; report paths inside the current folder are
    // written relative to it.
    static QByteArray render(const QString &format, QList<QAStFileResults> files);
    // Writes the session's results for `line` where it asks; the exit
    // status as the summary mode gives it (2 when `allRead` is false or the
    // output file cannot be written).
    static int write(const QAStReportSession &session, const XrdCommandLine &line, bool allRead);

    // True when the session counted no test at all.
    static bool isEmpty(const QAStReportSession &session);
    // The paragraph of the help text on folders and patterns as inputs.
    static QString inputsHelp();
    // The message of a run without any test case.
    static QString emptyMessage();
};
