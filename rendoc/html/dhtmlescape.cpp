#include "rendoc/html/dhtmlescape.h"

#include <QTextStream>

namespace DHTMLEscape {

void write(QTextStream& out, QStringView text, bool attribute)
{
    qsizetype start = 0;
    const qsizetype size = text.size();
    for (qsizetype i = 0; i < size; ++i) {
        const char16_t c = text[i].unicode();
        const char* replacement = nullptr;
        switch (c) {
        case u'&': replacement = "&amp;"; break;
        case u'<': replacement = "&lt;"; break;
        case u'>': replacement = "&gt;"; break;
        case u'"': replacement = "&quot;"; break;
        case u'\'': replacement = attribute ? "&#39;" : nullptr; break;
        default:
            // Control characters other than tab, line feed and carriage return are not
            // allowed in HTML text; they are dropped.
            if (c < 0x20 && c != u'\t' && c != u'\n' && c != u'\r')
                replacement = "";
            else if (c == 0xFFFE || c == 0xFFFF)
                replacement = "";
            break;
        }
        if (!replacement)
            continue;
        if (i > start)
            out << text.mid(start, i - start);
        out << QLatin1String(replacement);
        start = i + 1;
    }
    if (start == 0)
        out << text;
    else if (start < size)
        out << text.mid(start);
}

QString escaped(QStringView text, bool attribute)
{
    QString result;
    QTextStream stream(&result);
    write(stream, text, attribute);
    stream.flush();
    return result;
}

} // namespace DHTMLEscape
