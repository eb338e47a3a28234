#include "rendoc/html/dhtmlescape.h"

#include "rendoc/html/dhtmloutput.h"

namespace DHTMLEscape {

void write(DHTMLOutput& out, QStringView text, bool attribute)
{
    out.writeEscaped(text, attribute);
}

QString escaped(QStringView text, bool attribute)
{
    // The same rules as DHTMLOutput::writeEscaped(), for a string.
    QString result;
    result.reserve(text.size());
    for (const QChar ch : text) {
        const char16_t c = ch.unicode();
        switch (c) {
        case u'&': result += QLatin1String("&amp;"); break;
        case u'<': result += QLatin1String("&lt;"); break;
        case u'>': result += QLatin1String("&gt;"); break;
        case u'"': result += QLatin1String("&quot;"); break;
        case u'\'':
            if (attribute)
                result += QLatin1String("&#39;");
            else
                result += ch;
            break;
        default:
            if ((c < 0x20 && c != u'\t' && c != u'\n' && c != u'\r') || c == 0xFFFE || c == 0xFFFF)
                break;
            result += ch;
            break;
        }
    }
    return result;
}

} // namespace DHTMLEscape
