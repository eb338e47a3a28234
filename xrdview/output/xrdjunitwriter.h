#pragma once

#include "sdk/qastfileresults.h"

#include <QByteArray>
#include <QList>

// Writes loaded results as JUnit XML for CI test pages: one <testsuite> per
// file and suite node holding cases, one <testcase> per counted case with
// <failure> for a failed and <skipped> for an inconclusive one. Only what
// the common JUnit schema allows is written, so the source location goes
// into the failure text ("file:line"), not into attributes.
class XrdJUnitWriter
{
public:
    XrdJUnitWriter() = delete;

    static QByteArray write(const QList<QAStFileResults> &files);
    // `text` without the characters XML 1.0 cannot hold (most controls,
    // unpaired surrogates, U+FFFE and U+FFFF).
    static QString xmlSafe(const QString &text);
};
