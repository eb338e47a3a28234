#include "korvatreporter/data/xrd/qaxrdformat.h"

#include "korvatreporter/data/xrd/qaxrdreportreader.h"

#include <QCoreApplication>

QString QAXrdFormat::name() const
{
    return QCoreApplication::translate("Reporter", "XRD reports");
}

QStringList QAXrdFormat::patterns() const
{
    return {QStringLiteral("*.xrd")};
}

bool QAXrdFormat::recognises(const QByteArray &head) const
{
    const QString rootElement = QAReportFormat::rootElement(head);
    return rootElement == QLatin1String("XROD");
}

std::unique_ptr<QAReportReader> QAXrdFormat::createReader() const
{
    return std::make_unique<QAXrdReportReader>();
}
