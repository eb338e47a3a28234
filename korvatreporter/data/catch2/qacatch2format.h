#pragma once

#include "korvatreporter/data/qareportformat.h"

// The output of Catch2's XML reporter ("-r xml"): root element "Catch"
// (Catch2 v2) or "Catch2TestRun" (v3), files "*.xml".
class QACatch2Format : public QAReportFormat
{
public:
    QString name() const override;
    QStringList patterns() const override;
    bool recognises(const QByteArray &head) const override;
    std::unique_ptr<QAReportReader> createReader() const override;
};
