#include "rendoc/html/dhtmltotals.h"

#include "rendoc/html/dhtmlescape.h"
#include "rendoc/html/dhtmloutput.h"

void DHTMLTotals::clear()
{
    m_heading.clear();
    m_rows.clear();
}

void DHTMLTotals::write(DHTMLOutput& out) const
{
    if (m_rows.isEmpty())
        return;
    out << QLatin1String("<table class=\"totals\">\n");
    if (!m_heading.isEmpty()) {
        out << QLatin1String("<thead><tr>");
        for (const QString& cell : m_heading) {
            out << QLatin1String("<th>");
            DHTMLEscape::write(out, cell, false);
            out << QLatin1String("</th>");
        }
        out << QLatin1String("</tr></thead>\n");
    }
    out << QLatin1String("<tbody>\n");
    for (const Row& row : m_rows) {
        out << (row.failed ? QLatin1String("<tr class=\"ko\">")
                           : QLatin1String("<tr class=\"ok\">"));
        // Counts are right-aligned, names and words are not.
        for (const QString& cell : row.cells) {
            bool count = false;
            cell.toLongLong(&count);
            out << (count ? QLatin1String("<td class=\"n\">") : QLatin1String("<td>"));
            DHTMLEscape::write(out, cell, false);
            out << QLatin1String("</td>");
        }
        out << QLatin1String("</tr>\n");
    }
    out << QLatin1String("</tbody>\n</table>\n");
}

QLatin1String DHTMLTotals::css()
{
    return QLatin1String(
        "table.totals{margin:0 0 1em}\n"
        "table.totals th,table.totals td{border:1px solid #a8a8a8;padding:2px 8px}\n"
        "table.totals th{background:#f0f0f0;text-align:left}\n"
        "table.totals td.n{text-align:right}\n"
        "table.totals tr.ko td{background:#fde8e8}table.totals tr.ok td{background:#e8f5e8}\n");
}
