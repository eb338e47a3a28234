#include "rendoc/html/dhtmlwriter.h"

#include "rendoc/model/ditems.h"
#include "rendoc/html/dexportfile.h"
#include "rendoc/html/dlogmonitor.h"
#include "rendoc/style/dstyle.h"
#include "rendoc/view/dviewgraphic.h"
#include "rendoc/view/dviewtextbuilder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QTextStream>
#include <QUrl>

#include <cmath>

namespace {

// Where a name is in the file system: its folder with every link resolved, and the name
// itself unresolved. Replacing the name replaces what is at that place.
QString placeOf(const QString& path)
{
    const QFileInfo info(path);
    const QString folder = QFileInfo(info.absolutePath()).canonicalFilePath();
    return (folder.isEmpty() ? info.absolutePath() : folder) + QLatin1Char('/') + info.fileName();
}

// The styles every page carries; report styles follow as classes s1, s2, ...
const char* const BaseCss =
    "body{margin:0;font:14px/1.45 \"DejaVu Sans\",Arial,Helvetica,sans-serif;color:#202020;"
    "background:#fff}\n"
    ".layout{display:flex;align-items:flex-start}\n"
    "main{flex:1;min-width:0;padding:1rem 2rem;max-width:70rem}\n"
    "nav.outline{order:-1;position:sticky;top:0;flex:0 0 20rem;height:100vh;overflow:auto;"
    "box-sizing:border-box;padding:1rem .75rem;border-right:1px solid #d8d8d8;background:#f7f7f7;"
    "font-size:13px}\n"
    "nav.outline ul{list-style:none;margin:0;padding-left:1rem}\n"
    "nav.outline>ul{padding-left:0}\n"
    "nav.outline summary{cursor:pointer}\n"
    "nav.outline li.l2{padding-left:1em}nav.outline li.l3{padding-left:2em}\n"
    "nav.outline li.l4,nav.outline li.l5,nav.outline li.l6{padding-left:3em}\n"
    "nav.outline a{color:#1a5fb4;text-decoration:none}\n"
    "nav.outline a:hover{text-decoration:underline}\n"
    ".v{display:inline-block;width:1.2em;font-weight:bold}\n"
    ".v.ok{color:#2c8a2c}.v.ko{color:#c62828}.v.ne{color:#b26a00}\n"
    ".type{color:#777;font-size:90%}\n"
    "article.doc{margin-bottom:2rem}\n"
    "h1,h2,h3,h4,h5,h6{margin:1em 0 .4em;line-height:1.25}\n"
    ".num{margin-right:.5em}\n"
    "div.p{margin:.35em 0}\n"
    "a{color:#1a5fb4}\n"
    "table{border-collapse:collapse;margin:.5em 0}\n"
    "td{padding:2px 6px;vertical-align:top}\n"
    "table.b td{border:1px solid #a8a8a8}\n"
    "details.popup{display:inline-block;vertical-align:top}\n"
    "details.popup>summary{color:#1a5fb4;cursor:pointer}\n"
    ".popup-body{border:1px solid #c0c0c0;background:#fffff0;padding:.25em .5em}\n"
    "figure.graphic{margin:.5em 0}\n"
    "figure.graphic figcaption{font-weight:bold}\n"
    ".missing{color:#999;font-style:italic}\n"
    ".print-only{display:none}\n"
    ".pagebreak{break-after:page}\n"
    "ul.summary,ul.index{list-style:none;padding-left:0}\n"
    "ul.summary li.l2{padding-left:1.5em}ul.summary li.l3{padding-left:3em}\n"
    "ul.summary li.l4,ul.summary li.l5,ul.summary li.l6{padding-left:4.5em}\n"
    "@media print{nav.outline{display:none}.print-only{display:block}}\n";

// A CSS font family name that cannot leave its quotes or the style element.
QString cssFamily(const QString& family)
{
    QString out;
    for (QChar c : family)
        if (c.isLetterOrNumber() || c == QLatin1Char(' ') || c == QLatin1Char('-')
            || c == QLatin1Char('_'))
            out += c;
    return out.trimmed();
}

QString cssColor(const QColor& color)
{
    return color.name(QColor::HexRgb);
}

QString number(double value)
{
    return QString::number(value, 'g', 6);
}

} // namespace

DHTMLWriter::DHTMLWriter(DProgressMonitor* monitor) : DIterator(monitor) {}

DHTMLWriter::~DHTMLWriter() = default;

QString DHTMLWriter::escape(const QString& text)
{
    return escaped(text, false);
}

QString DHTMLWriter::escapeAttribute(const QString& text)
{
    return escaped(text, true);
}

QString DHTMLWriter::escaped(const QString& text, bool attribute)
{
    QString out;
    QTextStream stream(&out);
    DHTMLWriter writer;
    writer.setStream(&stream);
    writer.writeEscaped(text, attribute);
    stream.flush();
    return out;
}

QString DHTMLWriter::tagId(const QString& name)
{
    return QStringLiteral("tag-") + name;
}

void DHTMLWriter::writeEscaped(QStringView text, bool attribute)
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
            *m_out << text.mid(start, i - start);
        *m_out << QLatin1String(replacement);
        start = i + 1;
    }
    if (start == 0)
        *m_out << text;
    else if (start < size)
        *m_out << text.mid(start);
}

void DHTMLWriter::write(QLatin1String markup)
{
    *m_out << markup;
}

void DHTMLWriter::write(const QString& markup)
{
    *m_out << markup;
}

void DHTMLWriter::logMessage(const QString& text)
{
    if (m_log)
        m_log->message(text);
}

void DHTMLWriter::addAnchor(const DItem* item, const QString& id)
{
    if (item)
        m_anchors.insert(item, id);
}

void DHTMLWriter::clearAnchors()
{
    m_anchors.clear();
    m_writtenAnchors.clear();
}

void DHTMLWriter::addInputFile(const QString& path)
{
    m_inputs.insert(placeOf(path));
    const QString canonical = QFileInfo(path).canonicalFilePath();
    if (!canonical.isEmpty())
        m_inputs.insert(canonical);
}

bool DHTMLWriter::isInputFile(const QString& path) const
{
    return !m_inputs.isEmpty() && m_inputs.contains(placeOf(path));
}

bool DHTMLWriter::writeFile(DDocument* document, const QString& path)
{
    m_error.clear();
    if (isInputFile(path)) {
        m_error = tr("Not written: %1 is an exported report; choose another folder")
                      .arg(QDir::toNativeSeparators(path));
        return false;
    }
    DExportFile file(path);
    if (!file.open()) {
        m_error = tr("Cannot write %1: %2").arg(QDir::toNativeSeparators(path),
                                                          file.errorString());
        return false;
    }
    QTextStream stream(file.device());
    stream.setEncoding(QStringConverter::Utf8);
    QTextStream* previous = m_out;
    m_out = &stream;
    writePage(document);
    stream.flush();
    m_out = previous;
    if (isCanceled()) {
        file.cancel();
        m_error = tr("Cancelled");
        return false;
    }
    if (stream.status() != QTextStream::Ok || !file.commit()) {
        m_error = tr("Cannot write %1: %2").arg(QDir::toNativeSeparators(path),
                                                          file.errorString());
        return false;
    }
    m_written << path;
    return true;
}

void DHTMLWriter::doAll(DDocument* document)
{
    if (m_out)
        writePage(document);
}

void DHTMLWriter::scanPage(DDocument* document)
{
    m_styleClass.clear();
    m_styles.clear();
    m_popups.clear();
    m_documentIndex.clear();
    m_openPopups.clear();
    m_writtenAnchors.clear();
    int documents = 0;
    for (DItem* it = document; it; it = it->nextInDocument(nullptr)) {
        if (const DStyle* style = it->style(); style && !m_styleClass.contains(style)) {
            m_styles.push_back(style);
            m_styleClass.insert(style, int(m_styles.size()));
        }
        switch (it->kind()) {
        case DItem::Document:
            if (it->parent() == nullptr) {
                const QString& name = it->toDocument()->name();
                if (!name.isEmpty() && !m_documentIndex.contains(name))
                    m_documentIndex.insert(name, documents);
                ++documents;
            }
            break;
        case DItem::Popup:
            if (!m_popups.contains(it->toPopup()->name()))
                m_popups.insert(it->toPopup()->name(), it);
            break;
        default:
            break;
        }
    }
}

void DHTMLWriter::writePage(DDocument* document)
{
    if (!document)
        return;
    scanPage(document);
    m_itemCount = 0;
    write(QLatin1String("<!DOCTYPE html>\n<html lang=\"en\">\n"));
    writeHead(document);
    write(QLatin1String("<body>\n<div class=\"layout\">\n<main>\n"));
    m_documentNumber = 0;
    writeRange(document);
    write(QLatin1String("</main>\n"));
    m_currentDocument = nullptr;
    if (m_config.outline())
        writeOutline(document);
    write(QLatin1String("</div>\n</body>\n</html>\n"));
}

void DHTMLWriter::writeHead(DDocument* document)
{
    QString title = document->title();
    if (title.trimmed().isEmpty())
        title = document->name();
    write(QLatin1String("<head>\n<meta charset=\"utf-8\">\n"
                        "<meta http-equiv=\"Content-Security-Policy\" content=\"script-src 'none'\">\n"
                        "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n"
                        "<title>"));
    writeEscaped(title);
    write(QLatin1String("</title>\n"));
    writeStyles();
    if (!m_config.stylesheet().isEmpty()) {
        write(QLatin1String("<link rel=\"stylesheet\" href=\""));
        writeEscaped(m_config.stylesheet(), true);
        write(QLatin1String("\">\n"));
    }
    write(QLatin1String("</head>\n"));
}

void DHTMLWriter::writeStyles()
{
    write(QLatin1String("<style>\n"));
    write(QLatin1String(BaseCss));
    for (size_t i = 0; i < m_styles.size(); ++i) {
        const DStyle* style = static_cast<const DStyle*>(m_styles[i]);
        QString css = QStringLiteral(".s%1{").arg(i + 1);
        const QString family = cssFamily(style->family());
        if (!family.isEmpty())
            css += QStringLiteral("font-family:\"%1\";").arg(family);
        if (style->pointSize() > 0 && style->pointSize() < 500)
            css += QStringLiteral("font-size:%1pt;").arg(style->pointSize());
        if (style->bold())
            css += QLatin1String("font-weight:bold;");
        if (style->italic())
            css += QLatin1String("font-style:italic;");
        if (style->underline())
            css += QLatin1String("text-decoration:underline;");
        if (style->foreground().isValid())
            css += QStringLiteral("color:%1;").arg(cssColor(style->foreground()));
        if (style->background().isValid())
            css += QStringLiteral("background:%1;").arg(cssColor(style->background()));
        const Qt::Alignment align = style->alignment() & Qt::AlignHorizontal_Mask;
        if (align & Qt::AlignRight)
            css += QLatin1String("text-align:right;");
        else if (align & Qt::AlignHCenter)
            css += QLatin1String("text-align:center;");
        else if (align & Qt::AlignJustify)
            css += QLatin1String("text-align:justify;");
        if (style->marginLeft() || style->marginTop() || style->marginRight()
            || style->marginBottom())
            css += QStringLiteral("margin:%1px %2px %3px %4px;")
                       .arg(style->marginTop())
                       .arg(style->marginRight())
                       .arg(style->marginBottom())
                       .arg(style->marginLeft());
        css += QLatin1String("}\n");
        write(css);
    }
    write(QLatin1String("</style>\n"));
}

void DHTMLWriter::doItemChildren(DItemContainer* container)
{
    if (container && container->child())
        writeRange(container->child());
}

void DHTMLWriter::writeRange(DItem* first)
{
    std::vector<DItem*> open;
    DItem* it = first;
    while (it) {
        if ((++m_itemCount & 0xff) == 0 && isCanceled())
            return;
        bool skipChildren = false;
        const bool descend = this->open(it, skipChildren);
        DItemContainer* container = it->toContainer();
        if (descend && !skipChildren && container && container->child()) {
            open.push_back(it);
            it = container->child();
            continue;
        }
        if (descend)
            close(it);
        else if (it->parent() && it->parent()->kind() == DItem::List)
            write(QLatin1String("</li>\n"));
        // Climb to the next item, closing the containers left behind.
        DItem* current = it;
        it = nullptr;
        while (current) {
            if (current->next()) {
                it = current->next();
                break;
            }
            if (open.empty())
                break;
            current = open.back();
            open.pop_back();
            close(current);
        }
    }
    // A cancel leaves containers open; close them so the page stays well formed.
    while (!open.empty()) {
        close(open.back());
        open.pop_back();
    }
}

void DHTMLWriter::writeAnchors(const DItem* item)
{
    if (m_anchors.isEmpty())
        return;
    for (auto it = m_anchors.constFind(item); it != m_anchors.cend() && it.key() == item; ++it) {
        write(QLatin1String("<span id=\""));
        writeEscaped(it.value(), true);
        write(QLatin1String("\"></span>"));
        m_writtenAnchors.insert(it.value());
    }
}

void DHTMLWriter::writeClassAttribute(const DItem* item, const char* base)
{
    const int styleClass = item->style() ? m_styleClass.value(item->style()) : 0;
    if (!base && !styleClass)
        return;
    write(QLatin1String(" class=\""));
    if (base)
        write(QLatin1String(base));
    if (styleClass) {
        if (base)
            write(QLatin1String(" "));
        write(QStringLiteral("s%1").arg(styleClass));
    }
    write(QLatin1String("\""));
}

QString DHTMLWriter::titleId(const DItem* title) const
{
    const DTitle* t = title ? title->toTitle() : nullptr;
    if (!t || t->numberText().isEmpty())
        return QString();
    return QStringLiteral("x-%1-t%2").arg(m_documentNumber).arg(t->numberText());
}

bool DHTMLWriter::open(DItem* item, bool& skipChildren)
{
    if (item->parent() && item->parent()->kind() == DItem::List)
        write(QLatin1String("<li>"));
    switch (item->kind()) {
    case DItem::Document:
    case DItem::Section:
    case DItem::Title:
    case DItem::Header:
    case DItem::Footer:
    case DItem::Paragraph:
    case DItem::List:
    case DItem::Table:
    case DItem::Row:
    case DItem::Cell:
    case DItem::CellText:
        openContainer(item);
        return true;
    default:
        return writeLeaf(item, skipChildren);
    }
}

void DHTMLWriter::openContainer(DItem* item)
{
    switch (item->kind()) {
    case DItem::Document:
        m_currentDocument = item->toDocument();
        write(QStringLiteral("<article id=\"x-d%1\"").arg(m_documentNumber));
        writeClassAttribute(item, "doc");
        write(QLatin1String(">\n"));
        writeAnchors(item);
        break;
    case DItem::Section:
        write(QLatin1String("<section"));
        writeClassAttribute(item, nullptr);
        write(QLatin1String(">"));
        writeAnchors(item);
        break;
    case DItem::Title:
        writeTitleStart(item);
        break;
    case DItem::Header:
    case DItem::Footer:
        write(QLatin1String("<div"));
        writeClassAttribute(item, "print-only");
        write(QLatin1String(">"));
        break;
    case DItem::Paragraph:
        write(QLatin1String("<div"));
        writeClassAttribute(item, "p");
        write(QLatin1String(">"));
        writeAnchors(item);
        break;
    case DItem::List:
        write(item->toList()->ordered() ? QLatin1String("<ol") : QLatin1String("<ul"));
        writeClassAttribute(item, nullptr);
        write(QLatin1String(">"));
        writeAnchors(item);
        break;
    case DItem::Table:
        writeTableStart(item);
        break;
    case DItem::Row:
        write(QLatin1String("<tr"));
        writeClassAttribute(item, nullptr);
        write(QLatin1String(">"));
        break;
    default:
        writeCellStart(item);
        break;
    }
}

void DHTMLWriter::writeTitleStart(DItem* item)
{
    const DTitle* title = item->toTitle();
    const int h = qBound(1, title->level() + 1, 6);
    write(QStringLiteral("<h%1").arg(h));
    const QString id = titleId(item);
    if (!id.isEmpty()) {
        write(QLatin1String(" id=\""));
        writeEscaped(id, true);
        write(QLatin1String("\""));
    }
    writeClassAttribute(item, nullptr);
    write(QLatin1String(">"));
    writeAnchors(item);
    if (!title->numberText().isEmpty()) {
        write(QLatin1String("<span class=\"num\">"));
        writeEscaped(title->numberText());
        write(QLatin1String("</span>"));
    }
}

void DHTMLWriter::writeTableStart(DItem* item)
{
    const DTable* table = item->toTable();
    write(QLatin1String("<table"));
    writeClassAttribute(item, table->border() > 0 ? "b" : nullptr);
    write(QLatin1String(">"));
    float total = 0;
    for (float w : table->widths())
        total += w > 0 ? w : 0;
    if (total > 0) {
        write(QLatin1String("<colgroup>"));
        for (float w : table->widths())
            write(QStringLiteral("<col style=\"width:%1%\">")
                      .arg(number(100.0 * (w > 0 ? w : 0) / total)));
        write(QLatin1String("</colgroup>"));
    }
    write(QLatin1String("\n"));
}

void DHTMLWriter::writeCellStart(DItem* item)
{
    const DCell* cell = item->toCell();
    const DCellText* cellText = item->toCellText();
    // The model counts the extra columns and rows a cell covers.
    const qint64 hspan = 1 + qint64(cell ? cell->hspan() : cellText->hspan());
    const qint64 vspan = 1 + qint64(cell ? cell->vspan() : cellText->vspan());
    write(QLatin1String("<td"));
    if (hspan > 1)
        write(QStringLiteral(" colspan=\"%1\"").arg(qMin(hspan, qint64(1000))));
    if (vspan > 1)
        write(QStringLiteral(" rowspan=\"%1\"").arg(qMin(vspan, qint64(65534))));
    writeClassAttribute(item, nullptr);
    write(QLatin1String(">"));
    writeAnchors(item);
    if (cellText)
        writeEscaped(cellText->text());
}

bool DHTMLWriter::writeLeaf(DItem* item, bool& skipChildren)
{
    switch (item->kind()) {
    case DItem::PageBreak:
        writeAnchors(item);
        write(QLatin1String("<div class=\"pagebreak\"></div>\n"));
        break;
    case DItem::Text:
        writeAnchors(item);
        writeTextItem(item->toText()->text(), item);
        break;
    case DItem::Image:
        writeAnchors(item);
        writeImage(item->toImage());
        break;
    case DItem::Link:
        writeAnchors(item);
        writeStyledLink(item);
        break;
    case DItem::Tag:
        // A tag without a name only marks a place; no link can name it.
        if (!item->toTag()->name().isEmpty()) {
            write(QLatin1String("<span id=\""));
            writeEscaped(tagId(item->toTag()->name()), true);
            write(QLatin1String("\"></span>"));
        }
        writeAnchors(item);
        break;
    case DItem::TagPointer:
        writeAnchors(item);
        writeTagPointer(item);
        break;
    case DItem::PopupLink:
        writeAnchors(item);
        writePopupLink(item->toPopupLink());
        break;
    case DItem::Summary:
        writeAnchors(item);
        writeSummary(item->toSummary());
        break;
    case DItem::Index:
        writeAnchors(item);
        writeIndex(item->toIndex());
        break;
    case DItem::Graphic:
        writeAnchors(item);
        writeGraphic(item->toGraphic());
        break;
    case DItem::SEntry:
    case DItem::IEntry:
    case DItem::Axis:
    case DItem::Curve:
    case DItem::Point:
        // Parts of summaries, indexes and graphics, written with them.
        skipChildren = true;
        break;
    case DItem::Popup:
        // Shown where a popup link names it, as the view shows it on demand.
        break;
    default:
        break;
    }
    return false;
}

void DHTMLWriter::writeStyledLink(DItem* item)
{
    // A styled link keeps its style around whatever anchor the writer makes of it.
    const int styleClass = item->style() ? m_styleClass.value(item->style()) : 0;
    if (styleClass)
        write(QStringLiteral("<span class=\"s%1\">").arg(styleClass));
    doLink(item->toLink());
    if (styleClass)
        write(QLatin1String("</span>"));
}

void DHTMLWriter::writeTagPointer(DItem* item)
{
    const QString& name = item->toTagPointer()->name();
    const bool linked = writeLinkStart(QLatin1Char('#') + tagId(name));
    writeTextItem(name, item);
    if (linked)
        write(QLatin1String("</a>"));
}

void DHTMLWriter::close(DItem* item)
{
    switch (item->kind()) {
    case DItem::Document:
        write(QLatin1String("</article>\n"));
        if (!item->parent())
            ++m_documentNumber;
        break;
    case DItem::Section:
        write(QLatin1String("</section>\n"));
        break;
    case DItem::Title:
        write(QStringLiteral("</h%1>\n").arg(qBound(1, item->toTitle()->level() + 1, 6)));
        break;
    case DItem::Header:
    case DItem::Footer:
    case DItem::Paragraph:
        write(QLatin1String("</div>\n"));
        break;
    case DItem::List:
        write(item->toList()->ordered() ? QLatin1String("</ol>\n") : QLatin1String("</ul>\n"));
        break;
    case DItem::Table:
        write(QLatin1String("</table>\n"));
        break;
    case DItem::Row:
        write(QLatin1String("</tr>\n"));
        break;
    case DItem::Cell:
    case DItem::CellText:
        write(QLatin1String("</td>"));
        break;
    default:
        break;
    }
    if (item->parent() && item->parent()->kind() == DItem::List)
        write(QLatin1String("</li>\n"));
}

void DHTMLWriter::writeTextItem(const QString& text, const DItem* item)
{
    const int styleClass = item->style() ? m_styleClass.value(item->style()) : 0;
    if (styleClass)
        write(QStringLiteral("<span class=\"s%1\">").arg(styleClass));
    writeEscaped(text);
    if (styleClass)
        write(QLatin1String("</span>"));
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
    if (!document.isEmpty() && !m_documentIndex.contains(document))
        return QString();
    if (!tag.isEmpty())
        return QLatin1Char('#') + QString::fromLatin1(QUrl::toPercentEncoding(tagId(tag)));
    return QStringLiteral("#x-d%1").arg(m_documentIndex.value(document));
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
    // Popups shown inside popups nest a call each; a hostile chain of them stops early.
    if (!popup || m_openPopups.contains(popup) || m_openPopups.size() >= 16) {
        doItemChildren(link);
        return;
    }
    m_openPopups.insert(popup);
    write(QLatin1String("<details class=\"popup\"><summary>"));
    doItemChildren(link);
    write(QLatin1String("</summary><div"));
    writeClassAttribute(popup, "popup-body");
    write(QLatin1String(">"));
    doItemChildren(popup->toContainer());
    write(QLatin1String("</div></details>"));
    m_openPopups.remove(popup);
}

void DHTMLWriter::writeSummary(DSummary* summary)
{
    write(QLatin1String("<ul"));
    writeClassAttribute(summary, "summary");
    write(QLatin1String(">\n"));
    auto entry = [this](const QString& text, int level, const DItem* target) {
        write(QStringLiteral("<li class=\"l%1\">").arg(qBound(1, level, 6)));
        const QString id = titleId(target);
        const bool linked = !id.isEmpty() && writeLinkStart(QLatin1Char('#') + id);
        writeEscaped(text);
        if (linked)
            write(QLatin1String("</a>"));
        write(QLatin1String("</li>\n"));
    };
    bool explicitEntries = false;
    for (DItem* c = summary->child(); c; c = c->next()) {
        if (const DSEntry* e = c->toSEntry()) {
            explicitEntries = true;
            entry(e->text(), e->level(), e->target());
        }
    }
    if (!explicitEntries) {
        for (const DTitle* title : summary->titles())
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
        const bool linked = target && writeLinkStart(QLatin1Char('#') + QString::fromLatin1(
                                                         QUrl::toPercentEncoding(tagId(target->name()))));
        writeEscaped(text);
        if (linked)
            write(QLatin1String("</a>"));
        write(QLatin1String("</li>\n"));
    };
    bool explicitEntries = false;
    for (DItem* c = index->child(); c; c = c->next()) {
        if (const DIEntry* e = c->toIEntry()) {
            explicitEntries = true;
            entry(e->text(), e->target());
        }
    }
    if (!explicitEntries)
        for (const DTag* tag : index->entries())
            entry(tag->name(), tag);
    write(QLatin1String("</ul>\n"));
}

QString DHTMLWriter::plainText(const DItem* item)
{
    return DViewTextBuilder::plainText(item);
}

QString DHTMLWriter::imageHref(const QString& src)
{
    if (m_mode != FileMode)
        return src;
    if (auto found = m_images.constFind(src); found != m_images.cend())
        return found.value();
    QString path;
    const QFileInfo info(src);
    if (info.isAbsolute())
        path = src;
    else if (!m_pixmapDir.isEmpty() && QFileInfo::exists(QDir(m_pixmapDir).filePath(src)))
        path = QDir(m_pixmapDir).filePath(src);
    else if (!m_outputDir.isEmpty() && QFileInfo::exists(QDir(m_outputDir).filePath(src)))
        path = QDir(m_outputDir).filePath(src);
    QString href;
    // Only files that read as images are copied next to the pages.
    if (!path.isEmpty() && QFileInfo(path).isFile() && !QImageReader::imageFormat(path).isEmpty()) {
        if (imageFolderReady()) {
            const QFileInfo source(path);
            QString name = source.fileName();
            for (int n = 2; m_imageNames.contains(name); ++n)
                name = QStringLiteral("%1-%2.%3").arg(source.completeBaseName()).arg(n).arg(source.suffix());
            const QString dirName = m_config.imageDir();
            const QString relative = dirName.isEmpty() ? name : dirName + QLatin1Char('/') + name;
            const QString destination = QDir(m_outputDir).filePath(relative);
            const QFileInfo target(destination);
            // The image already in place (not through a link) is used as it is.
            const bool same = !target.isSymLink()
                && target.canonicalFilePath() == source.canonicalFilePath();
            QString why;
            if (!same && isInputFile(destination))
                why = tr("it is an exported report");
            if (same || (why.isEmpty() && DExportFile::copy(path, destination, &why))) {
                m_imageNames.insert(name);
                if (!same)
                    m_written << destination;
                href = QString::fromLatin1(QUrl::toPercentEncoding(relative, "/"));
            } else {
                logMessage(tr("Cannot copy the image %1 to %2: %3").arg(path, destination, why));
            }
        }
    } else {
        logMessage(tr("Image not found: %1").arg(src));
    }
    m_images.insert(src, href);
    return href;
}

bool DHTMLWriter::imageFolderReady()
{
    const QString dirName = m_config.imageDir();
    QDir dir(m_outputDir);
    // Each part of the image folder must be a real folder: a link planted there would send
    // the copies elsewhere.
    QString part;
    for (const QString& name : dirName.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        part = part.isEmpty() ? name : part + QLatin1Char('/') + name;
        if (QFileInfo(dir.filePath(part)).isSymLink()) {
            logMessage(tr("The image folder %1 is a symbolic link; images are not copied")
                           .arg(dir.filePath(part)));
            return false;
        }
    }
    if (!dirName.isEmpty() && !dir.mkpath(dirName)) {
        logMessage(tr("Cannot create the image folder %1").arg(dir.filePath(dirName)));
        return false;
    }
    return true;
}

void DHTMLWriter::writeImage(DImage* image)
{
    const QString href = imageHref(image->src());
    if (href.isEmpty()) {
        write(QLatin1String("<span class=\"missing\">["));
        writeEscaped(image->src());
        write(QLatin1String("]</span>"));
        return;
    }
    write(QLatin1String("<img src=\""));
    writeEscaped(href, true);
    write(QLatin1String("\" alt=\""));
    writeEscaped(QFileInfo(image->src()).fileName(), true);
    write(QLatin1String("\""));
    if (image->width() > 0)
        write(QStringLiteral(" width=\"%1\"").arg(qMin(image->width(), 4000)));
    if (image->height() > 0)
        write(QStringLiteral(" height=\"%1\"").arg(qMin(image->height(), 4000)));
    writeClassAttribute(image, nullptr);
    write(QLatin1String(">"));
}

// Where a graphic's values land in its drawing: the value range of each axis (the axis's own
// when it gives a usable one, else the points'), and the plot's place in the picture.
struct DHTMLWriter::PlotArea
{
    // A value range that grows to hold every value added.
    struct Range
    {
        double min = 0;
        double max = 1;
        bool any = false;
        void add(double v)
        {
            if (!any) {
                min = max = v;
                any = true;
            }
            min = qMin(min, v);
            max = qMax(max, v);
        }
    };

    explicit PlotArea(const DGraphic* graphic);
    double sx(double x) const { return left + (x - ranges[0].min) / (ranges[0].max - ranges[0].min) * plotW; }
    double sy(double y) const { return top + plotH - (y - ranges[1].min) / (ranges[1].max - ranges[1].min) * plotH; }

    const DAxis* axes[2] = {nullptr, nullptr};
    Range ranges[2];
    static constexpr double width = 480, height = 280, left = 56, right = 16, top = 16, bottom = 44;
    static constexpr double plotW = width - left - right, plotH = height - top - bottom;
};

DHTMLWriter::PlotArea::PlotArea(const DGraphic* graphic)
{
    for (DItem* c = graphic->child(); c; c = c->next()) {
        if (const DAxis* axis = c->toAxis())
            axes[axis->orientation() == Qt::Horizontal ? 0 : 1] = axis;
        else if (const DCurve* curve = c->toCurve())
            for (DItem* p = curve->child(); p; p = p->next())
                if (const DPoint* point = p->toPoint();
                    point && std::isfinite(point->x()) && std::isfinite(point->y())) {
                    ranges[0].add(point->x());
                    ranges[1].add(point->y());
                }
    }
    for (int i = 0; i < 2; ++i) {
        if (axes[i] && axes[i]->minimum() < axes[i]->maximum() && std::isfinite(axes[i]->minimum())
            && std::isfinite(axes[i]->maximum())) {
            ranges[i].min = axes[i]->minimum();
            ranges[i].max = axes[i]->maximum();
        }
        if (!(ranges[i].max > ranges[i].min)) {
            ranges[i].min -= 1;
            ranges[i].max += 1;
        }
    }
}

void DHTMLWriter::writeGraphic(DGraphic* graphic)
{
    const PlotArea area(graphic);
    write(QLatin1String("<figure"));
    writeClassAttribute(graphic, "graphic");
    write(QLatin1String(">"));
    if (!graphic->title().isEmpty()) {
        write(QLatin1String("<figcaption>"));
        writeEscaped(graphic->title());
        write(QLatin1String("</figcaption>"));
    }
    write(QStringLiteral("<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%1\" height=\"%2\" "
                         "viewBox=\"0 0 %1 %2\" role=\"img\" font-size=\"11\">")
              .arg(area.width)
              .arg(area.height));
    write(QStringLiteral("<rect x=\"0.5\" y=\"0.5\" width=\"%1\" height=\"%2\" fill=\"#fff\" "
                         "stroke=\"#c0c0c0\"/>")
              .arg(area.width - 1)
              .arg(area.height - 1));
    writeGraphicAxes(area);
    int curveIndex = 0;
    for (DItem* c = graphic->child(); c; c = c->next()) {
        if (const DCurve* curve = c->toCurve())
            writeGraphicCurve(curve, curveIndex++, area);
    }
    write(QLatin1String("</svg></figure>\n"));
}

void DHTMLWriter::writeGraphicAxes(const PlotArea& area)
{
    const double left = area.left, top = area.top, plotW = area.plotW, plotH = area.plotH;
    const PlotArea::Range* ranges = area.ranges;
    // Axes with their end values and labels.
    write(QStringLiteral("<g stroke=\"#404040\"><line x1=\"%1\" y1=\"%2\" x2=\"%3\" y2=\"%2\"/>"
                         "<line x1=\"%1\" y1=\"%4\" x2=\"%1\" y2=\"%2\"/></g>")
              .arg(left)
              .arg(top + plotH)
              .arg(left + plotW)
              .arg(top));
    write(QStringLiteral("<g fill=\"#404040\"><text x=\"%1\" y=\"%2\" text-anchor=\"start\">%3</text>"
                         "<text x=\"%4\" y=\"%2\" text-anchor=\"end\">%5</text>"
                         "<text x=\"%6\" y=\"%7\" text-anchor=\"end\">%8</text>"
                         "<text x=\"%6\" y=\"%9\" text-anchor=\"end\">%10</text></g>")
              .arg(left)
              .arg(top + plotH + 14)
              .arg(number(ranges[0].min))
              .arg(left + plotW)
              .arg(number(ranges[0].max))
              .arg(left - 4)
              .arg(top + plotH)
              .arg(number(ranges[1].min))
              .arg(top + 10)
              .arg(number(ranges[1].max)));
    if (area.axes[0] && !area.axes[0]->label().isEmpty()) {
        write(QStringLiteral("<text x=\"%1\" y=\"%2\" text-anchor=\"middle\">").arg(left + plotW / 2).arg(area.height - 8));
        writeEscaped(area.axes[0]->label());
        write(QLatin1String("</text>"));
    }
    if (area.axes[1] && !area.axes[1]->label().isEmpty()) {
        write(QStringLiteral("<text x=\"14\" y=\"%1\" text-anchor=\"middle\" transform=\"rotate(-90 14 %1)\">")
                  .arg(top + plotH / 2));
        writeEscaped(area.axes[1]->label());
        write(QLatin1String("</text>"));
    }
}

void DHTMLWriter::writeGraphicCurve(const DCurve* curve, int curveIndex, const PlotArea& area)
{
    const QString color = cssColor(DViewGraphic::curveColor(curveIndex));
    write(QLatin1String("<g class=\"curve\"><title>"));
    writeEscaped(curve->name());
    write(QStringLiteral("</title><polyline fill=\"none\" stroke=\"%1\" stroke-width=\"1.5\" points=\"").arg(color));
    QString circles;
    for (DItem* p = curve->child(); p; p = p->next()) {
        const DPoint* point = p->toPoint();
        if (!point || !std::isfinite(point->x()) || !std::isfinite(point->y()))
            continue;
        const QString x = number(area.sx(point->x())), y = number(area.sy(point->y()));
        write(x + QLatin1Char(',') + y + QLatin1Char(' '));
        circles += QStringLiteral("<circle cx=\"%1\" cy=\"%2\" r=\"2.5\"/>").arg(x, y);
    }
    write(QStringLiteral("\"/><g fill=\"%1\">").arg(color));
    write(circles);
    write(QLatin1String("</g></g>"));
}

void DHTMLWriter::writeOutline(DDocument* document)
{
    write(QLatin1String("<nav class=\"outline\" aria-label=\"Outline\">\n<ul>\n"));
    int documentNumber = 0;
    const int saved = m_documentNumber;
    for (DItem* it = document; it; it = it->nextInDocument(nullptr)) {
        if (it->kind() == DItem::Document && !it->parent()) {
            m_documentNumber = documentNumber++;
            const DDocument* doc = it->toDocument();
            write(QStringLiteral("<li><a href=\"#x-d%1\">").arg(m_documentNumber));
            writeEscaped(doc->title().isEmpty() ? doc->name() : doc->title());
            write(QLatin1String("</a></li>\n"));
            continue;
        }
        const QString id = titleId(it);
        if (id.isEmpty())
            continue;
        const DTitle* title = it->toTitle();
        write(QStringLiteral("<li class=\"l%1\"><a href=\"#").arg(qBound(0, title->level(), 6)));
        writeEscaped(id, true);
        write(QLatin1String("\">"));
        writeEscaped(title->numberText() + QLatin1Char(' ') + plainText(title));
        write(QLatin1String("</a></li>\n"));
    }
    m_documentNumber = saved;
    write(QLatin1String("</ul>\n</nav>\n"));
}
