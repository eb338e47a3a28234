#pragma once

#include "korvatreporter/data/qareportformat.h"

// Qt Test's own XML output: "-o FILE,xml" (one document, root element
// "TestCase") and "-o FILE,lightxml" (a stream of elements without a root,
// starting with "Environment" or "TestFunction").
class QAQtTestFormat : public QAReportFormat
{
public:
    QString name() const override;
    QStringList patterns() const override;
    bool recognises(const QByteArray &head) const override;
    std::unique_ptr<QAReportReader> createReader() const override;

    // True when `head` starts a lightxml stream rather than a document.
    static bool isLightXml(const QByteArray &head);
};
