#pragma once

#include "sdk/qailogmonitor.h"

#include <QStringList>

// A log monitor that keeps every message, in order, for the test to inspect.
class RecordingLog : public QAILogMonitor
{
public:
    QStringList lines;
    void message(const QString &text) override { lines << text; }
};
