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
    // Fed a piece at a time: the reader decodes all it is given, and the root element is
    // nearly always within the first few hundred bytes of the head.
    constexpr qsizetype Piece = 16 * 1024;
    QXmlStreamReader xml;
    // Prefixes need no declaration here ("XROD:NODE" style names).
    xml.setNamespaceProcessing(false);
    qsizetype fed = 0;
    for (;;) {
        if (xml.readNext() == QXmlStreamReader::StartElement)
            return xml.qualifiedName().toString();
        if (xml.error() == QXmlStreamReader::PrematureEndOfDocumentError && fed < head.size()) {
            const qsizetype size = qMin(Piece, head.size() - fed);
            xml.addData(head.mid(fed, size));
            fed += size;
            continue;
        }
        if (xml.hasError() || xml.atEnd())
            return QString();
    }
}
