#pragma once

#include "korvatreporter/data/qareportformat.h"

// TAP, the Test Anything Protocol (versions 12 to 14): a text whose first
// line that is neither blank nor a comment is "TAP version N", a plan
// "1..N" or a test point ("ok" or "not ok" followed by a number, a dash, a
// directive or nothing, so that prose starting with "ok" is not taken);
// files "*.tap".
class QATapFormat : public QAReportFormat
{
public:
    QString name() const override;
    QStringList patterns() const override;
    bool recognises(const QByteArray &head) const override;
    std::unique_ptr<QAReportReader> createReader() const override;
};
