#include "rendoc/html/dhtmlwriter.h"

#include "rendoc/model/ditems.h"

#include <QUrl>

// The link part of the writer: hyperlinks, tag pointers, popups, summaries and indexes.

void DHTMLWriter::writeStyledLink(DItem* item)
{
    // A styled link keeps its style around whatever anchor the writer makes of it.
    const int styleClass = m_styleSheet.classOf(item->style());
    if (styleClass) {
        write(QLatin1String("<span class=\"s"));
        writeNumber(styleClass);
        write(QLatin1String("\">"));
    }
    doLink(item->toLink());
    if (styleClass)
        write(QLatin1String("</span>"));
}

void DHTMLWriter::writeTagPointer(DItem* item)
{
    const QString& name = item->toTagPointer()->name();
    const bool linked = writeLinkStart(placeHref(name, QString()));
    writeTextItem(name, item);
    if (linked)
        write(QLatin1String("</a>"));
}

bool DHTMLWriter::writeLinkStart(const QString& href)
{
    if (href.isEmpty())
        return false;
    const int colon = href.indexOf(QLatin1Char(':'));
    const int slash = href.indexOf(QLatin1Char('/'));
    const int hash = href.indexOf(QLatin1Char('#'));
    // A colon before any '/' or '#' starts a scheme (a one-letter one is a drive letter).
    if (colon > 1 && (slash < 0 || colon < slash) && (hash < 0 || colon < hash)) {
        const QString scheme = href.left(colon).toLower();
        static const QStringList safe = {QStringLiteral("http"), QStringLiteral("https"),
                                         QStringLiteral("ftp"), QStringLiteral("mailto"),
                                         QStringLiteral("file")};
        if (!safe.contains(scheme))
            return false;
    }
    write(QLatin1String("<a href=\""));
    writeEscaped(href, true);
    write(QLatin1String("\">"));
    return true;
}

QString DHTMLWriter::placeHref(const QString& tag, const QString& document) const
{
    // Only places of this page: nothing says which page another document went to, if any.
    // A tag the page lacks gets no link (a link written outside a page cannot tell).
    if (!document.isEmpty() && !m_documentIndex.contains(document))
        return QString();
    if (!tag.isEmpty()) {
        if (m_inPage && !holdsTag(tag))
            return QString();
        const QString fragment = QLatin1Char('#') + QString::fromLatin1(QUrl::toPercentEncoding(tagId(tag)));
        return m_plan.isSplit() ? onPage(m_plan.pageOfTag(tag), fragment) : fragment;
    }
    // Articles start on the report page.
    return onPage(0, QStringLiteral("#x-d%1").arg(m_documentIndex.value(document)));
}

void DHTMLWriter::doLink(DLink* item)
{
    if (!item)
        return;
    QString href;
    const QString& target = item->target();
    static const QStringList schemes = {QStringLiteral("http://"), QStringLiteral("https://"),
                                        QStringLiteral("ftp://"), QStringLiteral("mailto:")};
    bool isUrl = false;
    for (const QString& scheme : schemes)
        isUrl = isUrl || target.startsWith(scheme, Qt::CaseInsensitive);
    if (isUrl) {
        href = target;
    } else if (!target.contains(QLatin1String("://"))) {
        QString file, tag, document;
        item->split(file, tag, document);
        if (file.isEmpty() && (!tag.isEmpty() || !document.isEmpty()))
            href = placeHref(tag, document);
    }
    const bool linked = writeLinkStart(href);
    doItemChildren(item);
    if (linked)
        write(QLatin1String("</a>"));
}

void DHTMLWriter::writePopupLink(DPopupLink* link)
{
    DItem* popup = m_popups.value(link->target());
    if (popup) {
        // A popup is written once, at its first link; later links (its own links inside it
        // among them) lead there, so nested popups cannot multiply the page.
        const QString id = m_popupIds.value(popup);
        if (!id.isEmpty()) {
            write(QLatin1String("<a class=\"popup-ref\" href=\"#"));
            writeEscaped(id, true);
            write(QLatin1String("\">"));
            doItemChildren(link);
            write(QLatin1String("</a>"));
            return;
        }
    }
    // Popups shown inside popups nest a call each; a deeper one is left to a shallower link.
    if (!popup || m_popupDepth >= 16) {
        doItemChildren(link);
        return;
    }
    const QString id = QStringLiteral("x-p%1").arg(m_popupIds.size() + 1);
    m_popupIds.insert(popup, id);
    ++m_popupDepth;
    write(QLatin1String("<details class=\"popup\" id=\""));
    writeEscaped(id, true);
    write(QLatin1String("\"><summary>"));
    doItemChildren(link);
    write(QLatin1String("</summary><div"));
    writeClassAttribute(popup, "popup-body");
    write(QLatin1String(">"));
    doItemChildren(popup->toContainer());
    write(QLatin1String("</div></details>"));
    --m_popupDepth;
}

void DHTMLWriter::writeSummary(DSummary* summary)
{
    write(QLatin1String("<ul"));
    writeClassAttribute(summary, "summary");
    write(QLatin1String(">\n"));
    auto entry = [this](const QString& text, int level, const DItem* target) {
        write(QLatin1String("<li class=\"l"));
        writeNumber(qBound(1, level, 6));
        write(QLatin1String("\">"));
        const QString id = titleId(target);
        const bool linked = !id.isEmpty() && writeLinkStart(onPage(m_plan.pageOfItem(target), QLatin1Char('#') + id));
        writeEscaped(text);
        if (linked)
            write(QLatin1String("</a>"));
        write(QLatin1String("</li>\n"));
    };
    bool explicitEntries = false;
    for (DItem* c = summary->child(); c && !stopWriting(); c = c->next()) {
        if (const DSEntry* e = c->toSEntry()) {
            explicitEntries = true;
            entry(e->text(), e->level(), e->target());
        }
    }
    if (!explicitEntries) {
        for (const DTitle* title : summary->titles())
            if (!stopWriting())
                entry(title->numberText() + QLatin1Char(' ') + plainText(title), title->level(), title);
    }
    write(QLatin1String("</ul>\n"));
}

void DHTMLWriter::writeIndex(DIndex* index)
{
    write(QLatin1String("<ul"));
    writeClassAttribute(index, "index");
    write(QLatin1String(">\n"));
    auto entry = [this](const QString& text, const DTag* target) {
        write(QLatin1String("<li>"));
        const QString fragment =
            target ? QLatin1Char('#') + QString::fromLatin1(QUrl::toPercentEncoding(tagId(target->name())))
                   : QString();
        const bool linked =
            target && writeLinkStart(m_plan.isSplit() ? onPage(m_plan.pageOfTag(target->name()), fragment) : fragment);
        writeEscaped(text);
        if (linked)
            write(QLatin1String("</a>"));
        write(QLatin1String("</li>\n"));
    };
    bool explicitEntries = false;
    for (DItem* c = index->child(); c && !stopWriting(); c = c->next()) {
        if (const DIEntry* e = c->toIEntry()) {
            explicitEntries = true;
            entry(e->text(), e->target());
        }
    }
    if (!explicitEntries)
        for (const DTag* tag : index->entries())
            if (!stopWriting())
                entry(tag->name(), tag);
    write(QLatin1String("</ul>\n"));
}
