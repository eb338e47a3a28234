#pragma once

#include "korvatreporter/data/qareportformat.h"

// JUnit XML results as test runners write them: root element "testsuites"
// or a bare "testsuite", files "*.xml".
class QAJUnitFormat : public QAReportFormat
{
public:
    QString name() const override;
    QStringList patterns() const override;
    bool recognises(const QByteArray &head) const override;
    std::unique_ptr<QAReportReader> createReader() const override;
};
