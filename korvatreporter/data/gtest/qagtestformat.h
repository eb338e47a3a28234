#pragma once

#include "korvatreporter/data/qareportformat.h"

// GoogleTest's JSON results (--gtest_output=json): a JSON object with a
// "testsuites" array among its top-level members, files "*.json".
class QAGTestFormat : public QAReportFormat
{
public:
    QString name() const override;
    QStringList patterns() const override;
    bool recognises(const QByteArray &head) const override;
    std::unique_ptr<QAReportReader> createReader() const override;
};
