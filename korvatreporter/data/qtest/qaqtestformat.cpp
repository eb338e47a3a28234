#include "korvatreporter/data/qtest/qaqtestformat.h"

#include "korvatreporter/data/qtest/qaqtestreader.h"

#include <QCoreApplication>

QString QAQtTestFormat::name() const
{
    return QCoreApplication::translate("Reporter", "Qt Test XML results");
}

QStringList QAQtTestFormat::patterns() const
{
    return {QStringLiteral("*.xml")};
}

bool QAQtTestFormat::recognises(const QByteArray &head) const
{
    return QAReportFormat::rootElement(head) == QLatin1String("TestCase") || isLightXml(head);
}

bool QAQtTestFormat::isLightXml(const QByteArray &head)
{
    // The stream's first element; the XML reader stops at it, before the
    // second top-level element that makes the stream no document.
    const QString first = QAReportFormat::rootElement(head);
    return first == QLatin1String("Environment") || first == QLatin1String("TestFunction");
}

std::unique_ptr<QAReportReader> QAQtTestFormat::createReader() const
{
    return std::make_unique<QAQtTestReader>();
}
