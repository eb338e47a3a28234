#include "korvatreporter/data/junit/qajunitformat.h"

#include "korvatreporter/data/junit/qajunitreader.h"

#include <QCoreApplication>

QString QAJUnitFormat::name() const
{
    return QCoreApplication::translate("Reporter", "JUnit XML results");
}

QStringList QAJUnitFormat::patterns() const
{
    return {QStringLiteral("*.xml")};
}

bool QAJUnitFormat::recognises(const QByteArray &head) const
{
    const QString rootElement = QAReportFormat::rootElement(head);
    return rootElement == QLatin1String("testsuites") || rootElement == QLatin1String("testsuite");
}

std::unique_ptr<QAReportReader> QAJUnitFormat::createReader() const
{
    return std::make_unique<QAJUnitReader>();
}
