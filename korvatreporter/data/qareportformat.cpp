#include "korvatreporter/data/qareportformat.h"

#include <QIODevice>
#include <QXmlStreamReader>

QAReportFormat::~QAReportFormat() = default;

QString QAReportFormat::filter() const
{
    return name() + QStringLiteral(" (") + patterns().join(QLatin1Char(' ')) + QLatin1Char(')');
}

QByteArray QAReportFormat::head(QIODevice &device)
{
    return device.peek(HeadBytes);
}

QString QAReportFormat::rootElement(const QByteArray &head)
{
    QXmlStreamReader xml(head);
    // Prefixes need no declaration here ("XROD:NODE" style names).
    xml.setNamespaceProcessing(false);
    while (!xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::StartElement)
            return xml.qualifiedName().toString();
    }
    return QString();
}
