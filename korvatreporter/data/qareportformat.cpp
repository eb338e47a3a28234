#include "korvatreporter/data/qareportformat.h"

#include <QIODevice>
#include <QXmlStreamReader>

namespace {

// How much of a file is looked at to find its root element: enough for an
// XML declaration and any comments or document type declaration a writer
// puts first. The parse starts at the first start tag, so only a prolog
// this long is ever read twice.
constexpr qint64 PeekBytes = 1024 * 1024;

} // namespace

QAReportFormat::~QAReportFormat() = default;

QString QAReportFormat::filter() const
{
    return name() + QStringLiteral(" (") + patterns().join(QLatin1Char(' ')) + QLatin1Char(')');
}

QString QAReportFormat::rootElement(QIODevice &device)
{
    QXmlStreamReader xml(device.peek(PeekBytes));
    // Prefixes need no declaration here ("XROD:NODE" style names).
    xml.setNamespaceProcessing(false);
    while (!xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::StartElement)
            return xml.qualifiedName().toString();
    }
    return QString();
}
