#include "korvatreporter/data/catch2/qacatch2format.h"

#include "korvatreporter/data/catch2/qacatch2reader.h"

#include <QCoreApplication>

QString QACatch2Format::name() const
{
    return QCoreApplication::translate("Reporter", "Catch2 XML results");
}

QStringList QACatch2Format::patterns() const
{
    return {QStringLiteral("*.xml")};
}

bool QACatch2Format::recognises(const QByteArray &head) const
{
    const QString root = QAReportFormat::rootElement(head);
    return root == QLatin1String("Catch") || root == QLatin1String("Catch2TestRun");
}

std::unique_ptr<QAReportReader> QACatch2Format::createReader() const
{
    return std::make_unique<QACatch2Reader>();
}
