#pragma once

#include <QLatin1String>
#include <QList>
#include <QString>
#include <QStringList>

class DHTMLOutput;

// The totals table at the top of a report page: a heading row and one row per counted file,
// the same columns as that file's row in the results summary, so a page read alone still
// says how its run went. Texts are given by the caller (translated there) and escaped here.
class DHTMLTotals
{
public:
    // A counted row; `failed` marks the row as a failed run (class "ko", else "ok").
    struct Row
    {
        QStringList cells;
        bool failed = false;
    };

    void setHeading(const QStringList& cells) { m_heading = cells; }
    void addRow(const QStringList& cells, bool failed) { m_rows.append(Row{cells, failed}); }
    void clear();
    bool isEmpty() const { return m_rows.isEmpty(); }

    // Writes the table; nothing when there is no row.
    void write(DHTMLOutput& out) const;
    // The style rules of the table, for the page's style block.
    static QLatin1String css();

private:
    QStringList m_heading;
    QList<Row> m_rows;
};
