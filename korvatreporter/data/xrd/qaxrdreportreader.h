#pragma once

#include "korvatreporter/data/qareportreader.h"

// The XRD reader (QAstXmlRodReader and its handler) behind the report
// reader interface.
class QAXrdReportReader : public QAReportReader
{
public:
    bool read(QFile &file, QAStudioInterface *studio, const QList<DStyle *> &styles,
              QAReporterData &record) override;
    QString errorString() const override { return m_error; }
    bool canceled() const override { return m_canceled; }

private:
    QString m_error;
    bool m_canceled = false;
};
