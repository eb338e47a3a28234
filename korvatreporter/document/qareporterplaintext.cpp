#include "korvatreporter/document/qareporterplaintext.h"

#include "rendoc/model/ditems.h"

#include <QStringList>

namespace {

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

} // namespace

QString QAReporterPlainText::table(const DDocument &document)
{
    QString text;
    for (const DItem *item = &document; item; item = item->nextInDocument(nullptr)) {
        const DRow *row = item->toRow();
        if (!row)
            continue;
        QStringList cells;
        for (const DItem *cell = row->child(); cell; cell = cell->next())
            cells.append(cellText(cell));
        text += cells.join(QLatin1Char('\t')) + QLatin1Char('\n');
    }
    return text;
}
