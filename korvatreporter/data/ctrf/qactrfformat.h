#pragma once

#include "korvatreporter/data/qareportformat.h"

// CTRF JSON reports (the common JSON test report of many JavaScript
// runners): a JSON object whose "results" object holds "tool", "summary" or
// "tests", or which says "reportFormat": "CTRF"; files "*.json".
class QACtrfFormat : public QAReportFormat
{
public:
    QString name() const override;
    QStringList patterns() const override;
    bool recognises(const QByteArray &head) const override;
    std::unique_ptr<QAReportReader> createReader() const override;
};
