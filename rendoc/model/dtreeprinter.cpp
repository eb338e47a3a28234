#include "rendoc/model/dtreeprinter.h"

#include "rendoc/model/ditems.h"
#include "rendoc/style/dstyle.h"

#include <QStringList>

namespace {

QString quoted(const QString& text)
{
    if (text.isNull())
        return QStringLiteral("<null>");
    QString out;
    out.reserve(text.size() + 2);
    out += QLatin1Char('"');
    for (const QChar c : text) {
        switch (c.unicode()) {
        case '"': out += QLatin1String("\\\""); break;
        case '\\': out += QLatin1String("\\\\"); break;
        case '\n': out += QLatin1String("\\n"); break;
        case '\r': out += QLatin1String("\\r"); break;
        case '\t': out += QLatin1String("\\t"); break;
        default: out += c; break;
        }
    }
    out += QLatin1Char('"');
    return out;
}

QString field(const char* name, const QString& value)
{
    return QLatin1Char(' ') + QLatin1String(name) + QLatin1Char('=') + quoted(value);
}

QString field(const char* name, double value)
{
    return QLatin1Char(' ') + QLatin1String(name) + QLatin1Char('=') + QString::number(value);
}

QString flag(const char* name, bool value)
{
    return QLatin1Char(' ') + QLatin1String(name) + QLatin1Char('=')
        + QLatin1String(value ? "yes" : "no");
}

QString fields(const DItem* item)
{
    switch (item->kind()) {
    case DItem::Document: {
        const DDocument* d = item->toDocument();
        return field("title", d->title()) + field("name", d->name());
    }
    case DItem::Section:
        return field("name", item->toSection()->name());
    case DItem::Title:
        return field("level", item->toTitle()->level())
            + field("number", item->toTitle()->numberText());
    case DItem::Text:
        return QLatin1Char(' ') + quoted(item->toText()->text());
    case DItem::Image: {
        const DImage* i = item->toImage();
        return field("src", i->src()) + field("width", i->width()) + field("height", i->height());
    }
    case DItem::List:
        return QLatin1String(item->toList()->ordered() ? " ordered=true" : " ordered=false");
    case DItem::Link:
        return field("target", item->toLink()->target());
    case DItem::Tag:
        return field("name", item->toTag()->name());
    case DItem::Table: {
        QStringList widths;
        for (float w : item->toTable()->widths())
            widths.append(QString::number(w));
        return field("border", item->toTable()->border()) + QLatin1String(" widths=")
            + widths.join(QLatin1Char(','));
    }
    case DItem::Cell:
        return field("hspan", item->toCell()->hspan()) + field("vspan", item->toCell()->vspan());
    case DItem::CellText: {
        const DCellText* c = item->toCellText();
        return QLatin1Char(' ') + quoted(c->text()) + field("hspan", c->hspan())
            + field("vspan", c->vspan());
    }
    case DItem::TagPointer:
        return field("name", item->toTagPointer()->name())
            + flag("resolved", item->toTagPointer()->tag() != nullptr);
    case DItem::PopupLink:
        return field("target", item->toPopupLink()->target());
    case DItem::Popup:
        return field("name", item->toPopup()->name());
    case DItem::Summary:
        return field("titles", item->toSummary()->titles().size());
    case DItem::SEntry: {
        const DSEntry* e = item->toSEntry();
        return QLatin1Char(' ') + quoted(e->text()) + field("level", e->level())
            + flag("target", e->target() != nullptr);
    }
    case DItem::Index:
        return field("entries", item->toIndex()->entries().size());
    case DItem::IEntry:
        return QLatin1Char(' ') + quoted(item->toIEntry()->text())
            + flag("target", item->toIEntry()->target() != nullptr);
    case DItem::Graphic:
        return field("title", item->toGraphic()->title());
    case DItem::Axis: {
        const DAxis* a = item->toAxis();
        return QLatin1String(a->orientation() == Qt::Horizontal ? " orientation=horizontal"
                                                                : " orientation=vertical")
            + field("label", a->label()) + field("min", a->minimum())
            + field("max", a->maximum());
    }
    case DItem::Curve:
        return field("name", item->toCurve()->name());
    case DItem::Point:
        return field("x", item->toPoint()->x()) + field("y", item->toPoint()->y());
    default:
        return QString();
    }
}

} // namespace

QString DTreePrinter::line(const DItem* item)
{
    if (!item)
        return QString();
    QString text = QLatin1String(DItem::kindName(item->kind())) + fields(item);
    if (item->style())
        text += field("style", item->style()->name());
    else if (!item->styleName().isNull())
        text += field("styleName", item->styleName());
    return text;
}

QString DTreePrinter::print(const DItem* item, bool withSiblings)
{
    QString out;
    const DItem* stopAt = item && withSiblings ? item->parent() : item;
    int depth = 0;
    for (const DItem* current = item; current;) {
        out += QString(depth * 2, QLatin1Char(' '));
        out += line(current);
        out += QLatin1Char('\n');
        int change = 0;
        current = current->nextInDocument(stopAt, &change);
        depth += change;
    }
    return out;
}
