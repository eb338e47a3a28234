#pragma once

#include "sdk/qastfileresults.h"

#include <QByteArray>
#include <QList>

// Writes loaded results as a CTRF JSON report (the common test report format
// that CI reporters read): one test per counted case, inconclusive ones as
// "skipped", the report's document and suite nodes as the suite list, the
// source location as file path and line. Durations are in milliseconds, 0
// when unknown; the run's start and stop are 0, as reports carry no clock.
class XrdCtrfWriter
{
public:
    XrdCtrfWriter() = delete;

    static QByteArray write(const QList<QAStFileResults> &files);
};
