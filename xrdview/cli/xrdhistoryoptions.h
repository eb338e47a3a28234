#pragma once

#include "xrdview/cli/xrdcommandline.h"

#include <QCoreApplication>
#include <QString>

class QCommandLineParser;

// The options of the history modes (--record, --history, --compare-runs):
// the store address, the run label, the window of runs, the output form and
// the run ids, read into an XrdCommandLine and checked against its mode.
class XrdHistoryOptions
{
    Q_DECLARE_TR_FUNCTIONS(XrdCommandLine)

public:
    // Fills the history fields of `line` from `parser` (its mode and files
    // already read). The error message, or a null string when they are valid.
    static QString read(const QCommandLineParser& parser, XrdCommandLine& line);

    // True for the modes that read the store and take no report file.
    static bool readsStore(XrdCommandLine::Mode mode);
};
