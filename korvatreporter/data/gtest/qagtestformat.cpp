#include "korvatreporter/data/gtest/qagtestformat.h"

#include "korvatreporter/data/gtest/qagtestreader.h"
#include "korvatreporter/data/json/qajsonpullreader.h"

#include <QCoreApplication>

QString QAGTestFormat::name() const
{
    return QCoreApplication::translate("Reporter", "GoogleTest JSON results");
}

QStringList QAGTestFormat::patterns() const
{
    return {QStringLiteral("*.json")};
}

bool QAGTestFormat::recognises(const QByteArray &head) const
{
    // The top-level counts come first, then the suites: the head reaches
    // the member's name even when the suites run on for megabytes.
    QAJsonPullReader json(head);
    if (json.next() != QAJsonPullReader::StartObject)
        return false;
    while (json.next() == QAJsonPullReader::Name) {
        if (json.text() == QLatin1String("testsuites"))
            return json.next() == QAJsonPullReader::StartArray;
        if (!json.skipValue())
            return false;
    }
    return false;
}

std::unique_ptr<QAReportReader> QAGTestFormat::createReader() const
{
    return std::make_unique<QAGTestReader>();
}
