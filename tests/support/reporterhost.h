#pragma once

#include "korvatreporter/prefs/qareporterpref.h"
#include "korvatreporter/window/qareporter.h"
#include "tests/support/fakestudio.h"

#include <QMainWindow>
#include <QStringList>

#include <memory>

// The host the report-window tests share: a fake studio with a main window,
// the preferences made current, the shared tool bar and modal questions
// answered with nothing (a test may set its own answerer afterwards).
class ReporterHost
{
public:
    FakeStudio studio;
    QMainWindow mainWindow;
    std::unique_ptr<QAReporterPref> pref;

    // Sets everything up; styles come from `installDir` (the examples' parent
    // when empty). Called once, from initTestCase().
    void setUp(const QString &installDir = QString());

    // A window on `files` in normal mode, activated when asked; nothing loaded when empty.
    static std::unique_ptr<QAReporter> open(QStringList files = {}, bool activate = false);
};
