#pragma once

#include "korvatreporter/data/qareportformat.h"

// XRD reports: root element "XROD", files "*.xrd".
class QAXrdFormat : public QAReportFormat
{
public:
    QString name() const override;
    QStringList patterns() const override;
    bool recognises(const QByteArray &head) const override;
    std::unique_ptr<QAReportReader> createReader() const override;
};
