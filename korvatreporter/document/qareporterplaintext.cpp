#include "korvatreporter/document/qareporterplaintext.h"

#include "rendoc/model/ditems.h"

#include <QStringList>

namespace {

// The most columns a line gets from spans in a table without column widths.
constexpr int kMaxColumns = 1000;

QString cellText(const DItem *cell)
{
    QString text;
    if (const DCellText *ct = cell->toCellText())
        text += ct->text();
    const DItemContainer *container = cell->toContainer();
    if (!container)
        return text;
    for (const DItem *i = container->child(); i; i = i->nextInDocument(cell)) {
        if (const DText *t = i->toText())
            text += t->text();
        else if (const DCellText *ct = i->toCellText())
            text += ct->text();
    }
    return text;
}

// The columns a cell covers beyond its own (0 for a plain cell).
int extraColumns(const DItem *cell)
{
    int span = 0;
    if (const DCellText *ct = cell->toCellText())
        span = ct->hspan();
    else if (const DCell *c = cell->toCell())
        span = c->hspan();
    return qMax(span, 0);
}

} // namespace

QString QAReporterPlainText::table(const DDocument &document)
{
    QString text;
    for (const DItem *item = &document; item; item = item->nextInDocument(nullptr)) {
        const DRow *row = item->toRow();
        if (!row)
            continue;
        // A spanning cell is followed by an empty cell for every further
        // column it covers, so a line has one cell per column it fills. The
        // padding stops at the table's column count (or at a generous bound
        // when the table gives none), so a huge span cannot blow up the text.
        const DTable *table = row->parent() ? row->parent()->toTable() : nullptr;
        const int widths = table ? int(table->widths().size()) : 0;
        const int columns = widths > 0 ? widths : kMaxColumns;
        QStringList cells;
        for (const DItem *cell = row->child(); cell; cell = cell->next()) {
            cells.append(cellText(cell));
            const int pad = qMin(extraColumns(cell), qMax(columns - int(cells.size()), 0));
            for (int i = 0; i < pad; ++i)
                cells.append(QString());
        }
        text += cells.join(QLatin1Char('\t')) + QLatin1Char('\n');
    }
    return text;
}
