#include "korvatreporter/data/junit/qajunitdocumentbuilder.h"

#include "rendoc/damlreader.h"
#include "rendoc/ddocument.h"

namespace {

// Lines longer than this are cut into several paragraphs: laying out a line
// of megabytes at once would stall the view.
constexpr int MaxLineLength = 4000;
constexpr int TabWidth = 4;
const QChar Nbsp(0x00a0);

// The line with its indentation, tabs and runs of blanks made of no-break
// spaces, which the view keeps; single blanks between words stay breakable.
QString visibleBlanks(QStringView line)
{
    QString out;
    out.reserve(line.size());
    bool leading = true;
    QChar previous;
    for (QChar c : line) {
        if (c == QLatin1Char('\t')) {
            out += QString(TabWidth, Nbsp);
        } else if (c == QLatin1Char(' ') && (leading || previous == QLatin1Char(' '))) {
            out += Nbsp;
        } else {
            if (c != QLatin1Char(' '))
                leading = false;
            out += c;
        }
        previous = c;
    }
    return out;
}

bool isBlank(QStringView line)
{
    return line.trimmed().isEmpty();
}

} // namespace

QAJUnitDocumentBuilder::QAJUnitDocumentBuilder(const QList<DStyle *> &styles, qint64 inputSize)
{
    m_handler.setStyles(styles);
    m_handler.setInputSize(inputSize);
    // The same text growth bound the AML reader applies to an input this size.
    m_handler.setTextLimit(DAmlReader::textLimitFor(inputSize));
    m_handler.startDocument();
}

bool QAJUnitDocumentBuilder::start(const char *element, std::initializer_list<Attribute> attributes)
{
    m_attributes.clear();
    for (const Attribute &attribute : attributes)
        m_attributes.append(name(attribute.first), QString(), QString(), attribute.second);
    return m_handler.startElement(QString(), QString(), name(element), m_attributes);
}

bool QAJUnitDocumentBuilder::text(const QString &text)
{
    return text.isEmpty() || m_handler.characters(text);
}

bool QAJUnitDocumentBuilder::end(const char *element)
{
    return m_handler.endElement(QString(), QString(), name(element));
}

const QString &QAJUnitDocumentBuilder::name(const char *literal)
{
    auto found = m_names.find(literal);
    if (found == m_names.end())
        found = m_names.emplace(literal, QString::fromLatin1(literal)).first;
    return found->second;
}

bool QAJUnitDocumentBuilder::element(const char *name, const QString &style, const QString &content)
{
    const bool started = style.isNull() ? start(name) : start(name, {{"style", style}});
    return started && text(content) && end(name);
}

bool QAJUnitDocumentBuilder::preformatted(const QString &text)
{
    const QList<QStringView> lines = QStringView(text).split(QLatin1Char('\n'));
    qsizetype first = 0;
    qsizetype last = lines.size();
    while (first < last && isBlank(lines.at(first)))
        ++first;
    while (last > first && isBlank(lines.at(last - 1)))
        --last;
    for (qsizetype i = first; i < last; ++i) {
        QStringView line = lines.at(i);
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        do {
            if (!this->line(visibleBlanks(line.left(MaxLineLength))))
                return false;
            line = line.mid(qMin<qsizetype>(MaxLineLength, line.size()));
        } while (!line.isEmpty());
    }
    return true;
}

bool QAJUnitDocumentBuilder::line(const QString &text)
{
    // An empty paragraph would take no height: a blank line keeps one space.
    return element("P", QStringLiteral("Output"), text.isEmpty() ? QString(Nbsp) : text);
}

bool QAJUnitDocumentBuilder::table(const QList<std::pair<QString, QString>> &rows)
{
    if (rows.isEmpty())
        return true;
    if (!start("TABLE", {{"border", QStringLiteral("1")}, {"widths", QStringLiteral("0.35,0.65")}}))
        return false;
    for (const auto &row : rows) {
        if (!start("ROW") || !start("CELLTEXT", {{"text", row.first}}) || !end("CELLTEXT")
            || !start("CELLTEXT", {{"text", row.second}}) || !end("CELLTEXT") || !end("ROW"))
            return false;
    }
    return end("TABLE");
}

bool QAJUnitDocumentBuilder::finish()
{
    return m_handler.endDocument();
}
