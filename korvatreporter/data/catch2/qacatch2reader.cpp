#include "korvatreporter/data/catch2/qacatch2reader.h"

#include "korvatreporter/data/results/qaresultwords.h"
#include "korvatreporter/data/junit/qajunitdocumentbuilder.h"
#include "korvatreporter/data/qareporterdatatree.h"
#include "korvatreporter/data/qareporternode.h"
#include "rendoc/model/ddocument.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <algorithm>

namespace {

using QAResultWords::TypeSuite;
using QAResultWords::TypeCase;
using QAResultWords::StateOk;
using QAResultWords::StateKo;
using QAResultWords::StateNe;
using QAResultWords::worse;

const QString TypeSection = QStringLiteral("Section");

bool isTrue(const QString &value)
{
    return value.trimmed() == QLatin1String("true");
}

// A count attribute as a number; 0 when absent or not a number.
qint64 number(const DAmlAttributes &atts, QLatin1String name)
{
    return atts.value(name).trimmed().toLongLong();
}

} // namespace

QACatch2Reader::QACatch2Reader()
    : QAXmlReportReader(QStringLiteral("Catch2"))
{
}

void QACatch2Reader::reset()
{
    // The words every test case takes, translated once a read.
    m_words.tags = QCoreApplication::translate("Reporter", "Tags %1");
    m_words.duration = QCoreApplication::translate("Reporter", "Duration: %1 s.");
    m_words.source = QCoreApplication::translate("Reporter", "Source ");
    m_words.commaSource = QCoreApplication::translate("Reporter", ", source ");
    m_open.clear();
    m_nodes.clear();
    m_expression = Expression();
    m_link.clear();
    m_out.clear();
    m_err.clear();
}

bool QACatch2Reader::startRoot(QStringView name, const DAmlAttributes &atts, const QFileInfo &file)
{
    if (name != QLatin1String("Catch") && name != QLatin1String("Catch2TestRun"))
        return fail(QCoreApplication::translate("Reporter", "Catch2, the root element is \"%1\", not \"Catch\".\n")
                        .arg(name.toString()));
    const QString runName = attribute(atts, QLatin1String("name"));
    const QString title = QCoreApplication::translate("Reporter", "Catch2 results: %1")
                              .arg(given(runName) ? runName : file.fileName());
    document().startDocument(title, file.completeBaseName());
    tree().root()->startItem = document().document();
    m_open.push_back(Open::Root);
    return writeTitle(0, QString(), title);
}

QACatch2Reader::Open QACatch2Reader::parent() const
{
    return m_open.empty() ? Open::Other : m_open.back();
}

bool QACatch2Reader::startElement(QStringView name, const DAmlAttributes &atts)
{
    const auto is = [&](const char *element) { return name == QLatin1String(element); };
    const Open in = parent();
    const QString link = sourceLink(attribute(atts, QLatin1String("filename")), attribute(atts, QLatin1String("line")));
    if (is("Group") && in == Open::Root)
        return startNode(attribute(atts, QLatin1String("name")), TypeSuite, Open::Group, QString());
    if (is("TestCase") && (in == Open::Root || in == Open::Group)) {
        const QString tags = attribute(atts, QLatin1String("tags"));
        const QString details =
            given(tags) ? m_words.tags.arg(tags.trimmed()) : QString();
        m_link = link;
        return startNode(attribute(atts, QLatin1String("name")), TypeCase, Open::Case, details);
    }
    if (is("Section") && (in == Open::Case || in == Open::Section)) {
        m_link = link;
        return startNode(attribute(atts, QLatin1String("name")), TypeSection, Open::Section, QString());
    }
    if (is("Expression") && (in == Open::Case || in == Open::Section)) {
        m_expression = Expression();
        m_expression.success = isTrue(attribute(atts, QLatin1String("success")));
        m_expression.macro = attribute(atts, QLatin1String("type"));
        m_expression.link = link;
        m_open.push_back(Open::Expression);
        return true;
    }
    if (is("OverallResult") && in == Open::Case) {
        Node &node = m_nodes.back();
        node.state = isTrue(attribute(atts, QLatin1String("skipped"))) ? StateNe
                     : isTrue(attribute(atts, QLatin1String("success"))) ? StateOk
                                                                            : StateKo;
        m_out.clear();
        m_err.clear();
        m_open.push_back(Open::Result);
        const QString duration = attribute(atts, QLatin1String("durationInSeconds"));
        return !given(duration)
               || writeParagraph(QString(),
                                 m_words.duration.arg(duration.trimmed()));
    }
    if (is("OverallResults") && in == Open::Section) {
        m_nodes.back().state = number(atts, QLatin1String("failures")) > 0 ? StateKo : StateOk;
    } else if ((is("OverallResults") || is("OverallResultsCases")) && (in == Open::Root || in == Open::Group)) {
        m_open.push_back(Open::Other);
        return writeCounts(is("OverallResultsCases"), atts);
    }
    // Messages keep their source line for their end tag.
    m_link = link;
    m_open.push_back(Open::Other);
    return true;
}

bool QACatch2Reader::endElement(QStringView name)
{
    if (m_open.empty())
        return true;
    const Open open = m_open.back();
    m_open.pop_back();
    const auto is = [&](const char *element) { return name == QLatin1String(element); };
    switch (open) {
    case Open::Group:
    case Open::Case:
    case Open::Section:
        return endNode(open);
    case Open::Expression:
        return endExpression();
    case Open::Result:
        return writeOutput();
    case Open::Other:
        break;
    case Open::Root:
        return true;
    }
    const Open in = parent();
    if (in == Open::Expression) {
        if (is("Original"))
            m_expression.original = text().simplified();
        else if (is("Expanded"))
            m_expression.expanded = text().simplified();
        else if (is("Exception"))
            m_expression.exception = text().trimmed();
        return true;
    }
    if (in == Open::Result) {
        if (is("StdOut"))
            m_out += text();
        else if (is("StdErr"))
            m_err += text();
        return true;
    }
    if (in == Open::Case || in == Open::Section)
        return writeMessage(name, text().trimmed());
    return true;
}

bool QACatch2Reader::startNode(const QString &name, const QString &type, Open open, const QString &details)
{
    Node node;
    node.before = document().lastItem();
    if (!openNode(name, type, QString()))
        return false;
    m_open.push_back(open);
    node.kind = open;
    node.level = titleLevel();
    if (!writeTitle(node.level, open == Open::Group ? QString() : titleStyle(node.level, QString()),
                    open == Open::Group ? QCoreApplication::translate("Reporter", "Group: %1").arg(name) : name))
        return false;
    node.title = document().lastItem();
    tree().current()->startItem = node.title;
    m_nodes.push_back(node);
    if (open == Open::Group)
        return true;
    // "Tags [a][b], source FILE line N", with the parts that are given.
    QString text = details;
    if (!m_link.isNull())
        text += text.isEmpty() ? m_words.source : m_words.commaSource;
    return text.isEmpty() || writeParagraph(QString(), text, m_link);
}

bool QACatch2Reader::endNode(Open open)
{
    Node node = m_nodes.back();
    m_nodes.pop_back();
    QAReporterNode *current = tree().current();
    // A group's verdict is the worst of its test cases'; a case or section
    // that told none (the run was cut) is inconclusive.
    current->state = node.state.isNull() ? (open == Open::Group ? StateOk : StateNe) : node.state;
    if (open != Open::Group)
        document().restyle(node.title, titleStyle(node.level, current->state));
    if (open == Open::Case) {
        count(current->state);
        for (Node &outer : m_nodes) {
            if (outer.kind == Open::Group)
                outer.state = worse(outer.state, current->state);
        }
    }
    closeNode();
    // Reading for the totals or the tree, a case is written as a full read
    // writes it (the same files are refused) and then forgotten (its node
    // kept for the tree).
    const bool outermost = std::none_of(m_nodes.cbegin(), m_nodes.cend(),
                                        [](const Node &outer) { return outer.kind != Open::Group; });
    if (open == Open::Case && (totalsOnly() || treeOnly()) && outermost)
        results().forgetClosedCase(node.before);
    return open != Open::Case || stepProgress();
}

bool QACatch2Reader::endExpression()
{
    const Expression &e = m_expression;
    QString text = e.success ? QCoreApplication::translate("Reporter", "%1( %2 ) passed")
                             : QCoreApplication::translate("Reporter", "%1( %2 ) failed");
    text = text.arg(given(e.macro) ? e.macro.trimmed() : QStringLiteral("CHECK"), e.original);
    if (!e.link.isNull())
        text += m_words.commaSource;
    const QString style = e.success ? QString() : QStringLiteral("Normal Failed");
    if (!writeParagraph(style, text, e.link))
        return false;
    if (given(e.expanded) && e.expanded != e.original
        && !writeParagraph(style, QCoreApplication::translate("Reporter", "With expansion: %1").arg(e.expanded)))
        return false;
    return !given(e.exception)
           || writeParagraph(QStringLiteral("Normal Failed"),
                             QCoreApplication::translate("Reporter", "Exception: %1").arg(e.exception));
}

bool QACatch2Reader::writeMessage(QStringView name, const QString &text)
{
    static const struct
    {
        const char *element;
        const char *label;
        const char *style;
    } kinds[] = {
        {"Info", QT_TRANSLATE_NOOP("Reporter", "Info"), ""},
        {"Warning", QT_TRANSLATE_NOOP("Reporter", "Warning"), "Warning"},
        {"Skip", QT_TRANSLATE_NOOP("Reporter", "Skipped"), "Warning"},
        {"Failure", QT_TRANSLATE_NOOP("Reporter", "Failure"), "Normal Failed"},
        {"Exception", QT_TRANSLATE_NOOP("Reporter", "Exception"), "Normal Failed"},
        {"FatalErrorCondition", QT_TRANSLATE_NOOP("Reporter", "Fatal error"), "Normal Failed"},
    };
    for (const auto &kind : kinds) {
        if (name != QLatin1String(kind.element))
            continue;
        const qsizetype lineEnd = text.indexOf(QLatin1Char('\n'));
        QString line = QCoreApplication::translate("Reporter", kind.label);
        if (!text.isEmpty())
            line += QStringLiteral(": ") + text.left(lineEnd).trimmed();
        if (!m_link.isNull())
            line += m_words.commaSource;
        const QString style = *kind.style ? QString::fromLatin1(kind.style) : QString();
        return writeParagraph(style, line, m_link) && (lineEnd < 0 || writePreformatted(text.mid(lineEnd + 1)));
    }
    return true; // elements of later versions are passed over
}

bool QACatch2Reader::writeCounts(bool cases, const DAmlAttributes &atts)
{
    const qint64 failures = number(atts, QLatin1String("failures"));
    const QString format = cases
                               ? QCoreApplication::translate("Reporter",
                                                             "Test cases: %1 passed, %2 failed, %3 failed as expected.")
                               : QCoreApplication::translate("Reporter",
                                                             "Assertions: %1 passed, %2 failed, %3 failed as expected.");
    const QString text = format.arg(number(atts, QLatin1String("successes")))
                             .arg(failures)
                             .arg(number(atts, QLatin1String("expectedFailures")));
    return writeParagraph(failures > 0 ? QStringLiteral("Normal Failed") : QStringLiteral("Normal Passed"), text);
}

bool QACatch2Reader::writeOutput()
{
    const auto write = [this](const QString &label, const QString &text) {
        return !given(text) || (writeParagraph(QString(), label + QLatin1Char(':')) && writePreformatted(text));
    };
    return write(QCoreApplication::translate("Reporter", "Standard output"), m_out)
           && write(QCoreApplication::translate("Reporter", "Standard error"), m_err);
}
