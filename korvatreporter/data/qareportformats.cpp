#include "korvatreporter/data/qareportformats.h"

#include "korvatreporter/data/catch2/qacatch2format.h"
#include "korvatreporter/data/ctrf/qactrfformat.h"
#include "korvatreporter/data/gtest/qagtestformat.h"
#include "korvatreporter/data/junit/qajunitformat.h"
#include "korvatreporter/data/qareportformat.h"
#include "korvatreporter/data/qtest/qaqtestformat.h"
#include "korvatreporter/data/tap/qatapformat.h"
#include "korvatreporter/data/xrd/qaxrdformat.h"

#include <QCoreApplication>
#include <QIODevice>

const std::vector<const QAReportFormat *> &QAReportFormats::all()
{
    static const QAXrdFormat xrd;
    static const QAJUnitFormat junit;
    static const QAQtTestFormat qtest;
    static const QACatch2Format catch2;
    static const QATapFormat tap;
    static const QAGTestFormat gtest;
    static const QACtrfFormat ctrf;
    static const std::vector<const QAReportFormat *> formats{&xrd, &junit, &qtest, &catch2, &tap, &gtest, &ctrf};
    return formats;
}

const QAReportFormat *QAReportFormats::recognise(const QByteArray &head)
{
    for (const QAReportFormat *format : all()) {
        if (format->recognises(head))
            return format;
    }
    return nullptr;
}

const QAReportFormat &QAReportFormats::forDevice(QIODevice &device)
{
    const QAReportFormat *format = recognise(QAReportFormat::head(device));
    return format ? *format : *all().front();
}

QString QAReportFormats::refusal(const QByteArray &head)
{
    if (recognise(head))
        return QString();
    // A JSON object that no JSON format claims is no report.
    const QByteArray start = head.left(64).trimmed();
    if (start.startsWith('{') || start.startsWith('['))
        return QCoreApplication::translate(
            "Reporter", "not a test report: a JSON file that is neither GoogleTest nor CTRF results");
    const QString root = QAReportFormat::rootElement(head);
    if (root.isNull())
        return QString();
    return QCoreApplication::translate("Reporter",
                                       "not a test report: root element \"%1\" is neither XRD nor JUnit")
        .arg(root);
}

QStringList QAReportFormats::patterns()
{
    QStringList patterns;
    for (const QAReportFormat *format : all()) {
        for (const QString &pattern : format->patterns()) {
            if (!patterns.contains(pattern))
                patterns.append(pattern);
        }
    }
    return patterns;
}
