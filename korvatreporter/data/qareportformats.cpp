#include "korvatreporter/data/qareportformats.h"

#include "korvatreporter/data/junit/qajunitformat.h"
#include "korvatreporter/data/qareportformat.h"
#include "korvatreporter/data/xrd/qaxrdformat.h"

const std::vector<const QAReportFormat *> &QAReportFormats::all()
{
    static const QAXrdFormat xrd;
    static const QAJUnitFormat junit;
    static const std::vector<const QAReportFormat *> formats{&xrd, &junit};
    return formats;
}

const QAReportFormat &QAReportFormats::forDevice(QIODevice &device)
{
    const QString root = QAReportFormat::rootElement(device);
    if (!root.isNull()) {
        for (const QAReportFormat *format : all()) {
            if (format->recognises(root))
                return *format;
        }
    }
    return *all().front();
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
