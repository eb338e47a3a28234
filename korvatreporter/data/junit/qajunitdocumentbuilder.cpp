#include "korvatreporter/data/junit/qajunitdocumentbuilder.h"

#include "korvatreporter/data/junit/qajunittracelinks.h"

#include "rendoc/aml/damlreader.h"
#include "rendoc/model/dcelltext.h"
#include "rendoc/model/ddocument.h"
#include "rendoc/model/dlink.h"
#include "rendoc/model/dparagraph.h"
#include "rendoc/model/dpopup.h"
#include "rendoc/model/dpopuplink.h"
#include "rendoc/model/drow.h"
#include "rendoc/style/dstyle.h"
#include "rendoc/model/dtable.h"
#include "rendoc/model/dtext.h"
#include "rendoc/model/dtitle.h"
#include "rendoc/model/dutf8string.h"

#include <QCoreApplication>
#include <QStringTokenizer>
#include <QVarLengthArray>

#include <algorithm>


namespace {

// Lines longer than this are cut into several paragraphs: laying out a line
// of megabytes at once would stall the view.
constexpr int MaxLineLength = 4000;
constexpr int TabWidth = 4;
const QChar Nbsp(0x00a0);

// The line with its indentation, tabs and runs of blanks made of no-break
// spaces, which the view keeps; single blanks between words stay breakable,
// except the one after a stack frame's leading "at".
// True when the line has a tab, a leading space or two spaces in a row:
// blanks the view would collapse. Most lines have none and are copied whole.
bool hasCollapsingBlanks(QStringView line)
{
    for (qsizetype i = 0; i < line.size(); ++i) {
        const QChar c = line.at(i);
        if (c == QLatin1Char('\t') || (c == QLatin1Char(' ') && (i == 0 || line.at(i - 1) == QLatin1Char(' '))))
            return true;
    }
    return false;
}

QString visibleBlanks(QStringView line)
{
    QString out;
    if (!hasCollapsingBlanks(line)) {
        out = line.toString();
    } else {
        // Written in place: a tab takes TabWidth characters, anything else one.
        out.resize(line.size() + (TabWidth - 1) * line.count(QLatin1Char('\t')));
        QChar *to = out.data();
        bool leading = true;
        QChar previous;
        for (QChar c : line) {
            if (c == QLatin1Char('\t')) {
                to = std::fill_n(to, TabWidth, Nbsp);
            } else if (c == QLatin1Char(' ') && (leading || previous == QLatin1Char(' '))) {
                *to++ = Nbsp;
            } else {
                if (c != QLatin1Char(' '))
                    leading = false;
                *to++ = c;
            }
            previous = c;
        }
        out.truncate(to - out.constData());
    }
    // A stack frame's "at" stays on the line of the frame it names.
    qsizetype first = 0;
    while (first < out.size() && out.at(first) == Nbsp)
        ++first;
    if (QStringView(out).mid(first, 3) == QLatin1String("at "))
        out[first + 2] = Nbsp;
    return out;
}

bool isBlank(QStringView line)
{
    return line.trimmed().isEmpty();
}

} // namespace

QAJUnitDocumentBuilder::QAJUnitDocumentBuilder(const QList<DStyle *> &styles, qint64 inputSize)
    // The same text growth bound the AML reader applies to an input this size.
    : m_textLimit(DAmlReader::textLimitFor(inputSize))
{
    for (DStyle *style : styles) {
        if (style)
            m_styles.insert(style->name(), style);
    }
}

QAJUnitDocumentBuilder::~QAJUnitDocumentBuilder() = default;

void QAJUnitDocumentBuilder::startDocument(const QString &title, const QString &name)
{
    m_document = std::make_unique<DDocument>(title, name);
    applyStyle(m_document.get(), QString(), QStringLiteral("Normal"));
    m_last = nullptr;
}

DItemContainer *QAJUnitDocumentBuilder::newTitle(int level, const QString &style)
{
    static const QString conventional[] = {QStringLiteral("Title0"), QStringLiteral("Title1"),
                                           QStringLiteral("Title2"), QStringLiteral("Title3"),
                                           QStringLiteral("Title4"), QStringLiteral("Title5"),
                                           QStringLiteral("Title6")};
    level = qBound(0, level, 6);
    auto *title = new DTitle(level);
    applyStyle(title, style, conventional[level]);
    appendToDocument(title);
    return title;
}

bool QAJUnitDocumentBuilder::title(int level, const QString &style, const QString &text)
{
    DItem *last = nullptr;
    return addText(newTitle(level, style), last, text);
}

bool QAJUnitDocumentBuilder::titleUtf8(int level, const QString &style, QByteArrayView text)
{
    DItem *last = nullptr;
    return addText(newTitle(level, style), last, text);
}

bool QAJUnitDocumentBuilder::paragraph(const QString &style, const QString &text, const QString &link)
{
    auto *paragraph = new DParagraph;
    applyStyle(paragraph, style, QString());
    appendToDocument(paragraph);
    DItem *last = nullptr;
    return addText(paragraph, last, text) && addLink(paragraph, last, link);
}

bool QAJUnitDocumentBuilder::paragraphUtf8(const QString &style, QByteArrayView text, QByteArrayView link)
{
    auto *paragraph = new DParagraph;
    applyStyle(paragraph, style, QString());
    appendToDocument(paragraph);
    DItem *last = nullptr;
    return addText(paragraph, last, text) && addLinkUtf8(paragraph, last, link);
}

bool QAJUnitDocumentBuilder::addLink(DItemContainer *paragraph, DItem *&last, const QString &link)
{
    return link.isNull() || addLinkItem(paragraph, last, new DLink(link), link.size());
}

bool QAJUnitDocumentBuilder::addLinkUtf8(DItemContainer *paragraph, DItem *&last, QByteArrayView link)
{
    return link.isNull()
           || addLinkItem(paragraph, last, new DLink(DUtf8String(link)), DUtf8String::utf16Length(link));
}

bool QAJUnitDocumentBuilder::addLinkItem(DItemContainer *paragraph, DItem *&last, DLink *link, qint64 characters)
{
    applyStyle(link, QString(), QStringLiteral("Link"));
    append(paragraph, last, link);
    if (characters == 0)
        return true;
    // The link shows its target: its text shares the target's bytes.
    if (!grow(characters))
        return false;
    DItem *lastInLink = nullptr;
    append(link, lastInLink, new DText(link->utf8Target()));
    return true;
}

bool QAJUnitDocumentBuilder::rewriteParagraph(DItem *paragraph, const QString &style, const QString &text)
{
    applyStyle(paragraph, style, QString());
    DItemContainer *container = paragraph->toContainer();
    DText *first = container->child() ? container->child()->toText() : nullptr;
    if (!first) {
        DItem *last = nullptr;
        return addText(container, last, text);
    }
    if (!grow(text.size() - first->text().size()))
        return false;
    first->setText(text);
    return true;
}

QList<QStringView> QAJUnitDocumentBuilder::blockLines(const QString &text)
{
    QList<QStringView> lines = QStringView(text).split(QLatin1Char('\n'));
    while (!lines.isEmpty() && isBlank(lines.constFirst()))
        lines.removeFirst();
    while (!lines.isEmpty() && isBlank(lines.constLast()))
        lines.removeLast();
    return lines;
}

bool QAJUnitDocumentBuilder::preformatted(const QString &text)
{
    // The lines as blockLines() gives them, without a list: blank lines wait
    // until a line with words follows them, and those at either end are
    // never written.
    DItem *none = nullptr;
    QVarLengthArray<QStringView, 4> blanks;
    bool started = false;
    for (QStringView line : QStringTokenizer(text, QLatin1Char('\n'))) {
        if (isBlank(line)) {
            if (started)
                blanks.append(line);
            continue;
        }
        for (QStringView blank : blanks) {
            if (!outputLine(blank, nullptr, nullptr, none))
                return false;
        }
        blanks.clear();
        started = true;
        if (!outputLine(line, nullptr, nullptr, none))
            return false;
    }
    return true;
}

bool QAJUnitDocumentBuilder::trace(const QString &text, QAJUnitTraceLinks *links)
{
    const QList<QStringView> lines = blockLines(text);
    DItem *none = nullptr;
    for (qsizetype i = 0; i < lines.size() && i < FoldedLines; ++i) {
        if (!outputLine(lines.at(i), links, nullptr, none))
            return false;
    }
    if (lines.size() <= FoldedLines)
        return true;
    // The rest of the trace waits in a popup, out of the text flow.
    const QString name = QStringLiteral("trace%1").arg(++m_popups);
    auto *paragraph = new DParagraph;
    applyStyle(paragraph, QString(), QString());
    appendToDocument(paragraph);
    auto *link = new DPopupLink(name);
    applyStyle(link, QString(), QStringLiteral("Link"));
    DItem *last = nullptr;
    append(paragraph, last, link);
    DItem *lastInLink = nullptr;
    const int more = int(lines.size()) - FoldedLines;
    if (!addText(link, lastInLink, QCoreApplication::translate("Reporter", "Show all (%n more lines)", nullptr, more)))
        return false;
    auto *popup = new DPopup(name);
    appendToDocument(popup);
    DItem *lastInPopup = nullptr;
    for (qsizetype i = FoldedLines; i < lines.size(); ++i) {
        if (!outputLine(lines.at(i), links, popup, lastInPopup))
            return false;
    }
    return true;
}

bool QAJUnitDocumentBuilder::outputLine(QStringView line, QAJUnitTraceLinks *links, DItemContainer *popup,
                                        DItem *&lastInPopup)
{
    static const QString output = QStringLiteral("Output");
    if (line.endsWith(QLatin1Char('\r')))
        line.chop(1);
    do {
        const QStringView part = line.left(MaxLineLength);
        auto *paragraph = new DParagraph;
        applyStyle(paragraph, output, QString());
        if (popup)
            append(popup, lastInPopup, paragraph);
        else
            appendToDocument(paragraph);
        DItem *last = nullptr;
        const QAJUnitTraceLinks::Frame frame = links ? links->frame(part) : QAJUnitTraceLinks::Frame();
        if (frame.target.isEmpty()) {
            // An empty paragraph would take no height: a blank line keeps one space.
            const QString text = visibleBlanks(part);
            if (!addText(paragraph, last, text.isEmpty() ? QString(Nbsp) : text))
                return false;
        } else {
            auto *link = new DLink(frame.target);
            applyStyle(link, QString(), QStringLiteral("Link"));
            DItem *lastInLink = nullptr;
            if (!addText(paragraph, last, visibleBlanks(part.left(frame.start))))
                return false;
            append(paragraph, last, link);
            if (!addText(link, lastInLink, part.mid(frame.start, frame.length).toString())
                || !addText(paragraph, last, part.mid(frame.start + frame.length).toString()))
                return false;
        }
        line = line.mid(part.size());
    } while (!line.isEmpty());
    return true;
}

void QAJUnitDocumentBuilder::table(const QList<std::pair<QString, QString>> &rows)
{
    if (rows.isEmpty())
        return;
    auto *table = new DTable(1);
    table->setWidth({0.35f, 0.65f});
    applyStyle(table, QString(), QStringLiteral("Array"));
    appendToDocument(table);
    DItem *lastRow = nullptr;
    for (const auto &row : rows) {
        auto *item = new DRow;
        append(table, lastRow, item);
        DItem *lastCell = nullptr;
        append(item, lastCell, new DCellText(row.first, 0, 0));
        append(item, lastCell, new DCellText(row.second, 0, 0));
    }
}

DItem *QAJUnitDocumentBuilder::lastItem() const
{
    return m_last ? m_last : m_document.get();
}

DDocument *QAJUnitDocumentBuilder::takeDocument()
{
    m_last = nullptr;
    return m_document.release();
}

void QAJUnitDocumentBuilder::dropAfter(DItem *item)
{
    DItem *first = nullptr;
    if (item == m_document.get()) {
        first = m_document->child();
        m_document->setChild(nullptr);
        m_last = nullptr;
    } else if (item) {
        first = item->next();
        item->setNext(nullptr);
        m_last = item;
    }
    DItem::deleteChain(first);
}

void QAJUnitDocumentBuilder::append(DItemContainer *parent, DItem *&last, DItem *item)
{
    item->setParent(parent);
    if (last)
        last->setNext(item);
    else
        parent->setChild(item);
    last = item;
}

void QAJUnitDocumentBuilder::appendToDocument(DItem *item)
{
    append(m_document.get(), m_last, item);
}

bool QAJUnitDocumentBuilder::addText(DItemContainer *parent, DItem *&last, const QString &text)
{
    if (text.isEmpty())
        return true;
    if (!grow(text.size()))
        return false;
    append(parent, last, new DText(text));
    return true;
}

bool QAJUnitDocumentBuilder::addText(DItemContainer *parent, DItem *&last, QByteArrayView utf8)
{
    if (utf8.isEmpty())
        return true;
    if (!grow(DUtf8String::utf16Length(utf8)))
        return false;
    append(parent, last, new DText(DUtf8String(utf8)));
    return true;
}

bool QAJUnitDocumentBuilder::grow(qint64 characters)
{
    m_textCount += characters;
    return m_textCount <= m_textLimit;
}

void QAJUnitDocumentBuilder::applyStyle(DItem *item, const QString &style, const QString &conventional)
{
    // A style given by name is kept by name even when the list lacks it; the
    // conventional style of the kind is taken only when the list has it.
    if (!style.isNull()) {
        item->setStyleName(style);
        item->setStyle(styleNamed(style));
    } else if (!conventional.isNull()) {
        item->setStyle(styleNamed(conventional));
    }
}

DStyle *QAJUnitDocumentBuilder::styleNamed(const QString &name)
{
    // A report uses a handful of styles over and over: the last few found
    // are compared before the table is hashed into.
    for (const auto &recent : m_recentStyles) {
        if (recent.first == name && !recent.first.isNull())
            return recent.second;
    }
    DStyle *style = m_styles.value(name, nullptr);
    m_recentStyles[m_nextRecentStyle] = {name, style};
    m_nextRecentStyle = (m_nextRecentStyle + 1) % RecentStyles;
    return style;
}
