#include "korvatreporter/data/ctrf/qactrfformat.h"

#include "korvatreporter/data/ctrf/qactrfreader.h"
#include "korvatreporter/data/json/qajsonpullreader.h"

#include <QCoreApplication>

QString QACtrfFormat::name() const
{
    return QCoreApplication::translate("Reporter", "CTRF JSON reports");
}

QStringList QACtrfFormat::patterns() const
{
    return {QStringLiteral("*.json")};
}

bool QACtrfFormat::recognises(const QByteArray &head) const
{
    QAJsonPullReader json(head);
    if (json.next() != QAJsonPullReader::StartObject)
        return false;
    while (json.next() == QAJsonPullReader::Name) {
        if (json.text() == QLatin1String("reportFormat")) {
            if (json.scalar() == QLatin1String("CTRF"))
                return true;
            continue;
        }
        if (json.text() != QLatin1String("results")) {
            if (!json.skipValue())
                return false;
            continue;
        }
        if (json.next() != QAJsonPullReader::StartObject)
            return false;
        while (json.next() == QAJsonPullReader::Name) {
            const QString key = json.text();
            if (key == QLatin1String("tool") || key == QLatin1String("summary") || key == QLatin1String("tests"))
                return true;
            if (!json.skipValue())
                return false;
        }
        return false;
    }
    return false;
}

std::unique_ptr<QAReportReader> QACtrfFormat::createReader() const
{
    return std::make_unique<QACtrfReader>();
}
