#include "korvatreporter/data/qtest/qaqtestreader.h"

#include "korvatreporter/data/results/qaresultwords.h"
#include "korvatreporter/data/junit/qajunitdocumentbuilder.h"
#include "korvatreporter/data/qareporterdatatree.h"
#include "korvatreporter/data/qareporternode.h"
#include "rendoc/model/ddocument.h"
#include "korvatreporter/data/qtest/qaqtestformat.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace {

using QAResultWords::TypeSuite;
using QAResultWords::TypeCase;
using QAResultWords::StateOk;
using QAResultWords::StateKo;
using QAResultWords::StateNe;
using QAResultWords::worse;


// The verdict an incident type gives: an expected failure is a pass and an
// unexpected pass a failure; skips and blacklisted tests are inconclusive.
QString incidentState(const QString &type)
{
    if (type == QLatin1String("pass") || type == QLatin1String("xfail"))
        return StateOk;
    if (type == QLatin1String("fail") || type == QLatin1String("xpass"))
        return StateKo;
    return StateNe;
}

// An entry's type attribute, null when absent; passes and failures, most
// of a file's entries, share one text rather than decode their own.
QString entryType(const DAmlAttributes &atts)
{
    const int index = atts.index(QLatin1String("type"));
    const QByteArrayView value = atts.utf8Value(index);
    if (value == "pass")
        return QStringLiteral("pass");
    if (value == "fail")
        return QStringLiteral("fail");
    return atts.value(index);
}

const char *incidentLabel(const QString &type)
{
    static const std::pair<const char *, const char *> labels[] = {
        {"pass", QT_TRANSLATE_NOOP("Reporter", "Passed")},
        {"fail", QT_TRANSLATE_NOOP("Reporter", "Failed")},
        {"xfail", QT_TRANSLATE_NOOP("Reporter", "Expected failure")},
        {"xpass", QT_TRANSLATE_NOOP("Reporter", "Unexpected pass")},
        {"skip", QT_TRANSLATE_NOOP("Reporter", "Skipped")},
        {"bpass", QT_TRANSLATE_NOOP("Reporter", "Blacklisted, passed")},
        {"bfail", QT_TRANSLATE_NOOP("Reporter", "Blacklisted, failed")},
        {"bxpass", QT_TRANSLATE_NOOP("Reporter", "Blacklisted, unexpected pass")},
        {"bxfail", QT_TRANSLATE_NOOP("Reporter", "Blacklisted, expected failure")},
        {"qdebug", QT_TRANSLATE_NOOP("Reporter", "Debug")},
        {"qinfo", QT_TRANSLATE_NOOP("Reporter", "Info")},
        {"info", QT_TRANSLATE_NOOP("Reporter", "Info")},
        {"qwarn", QT_TRANSLATE_NOOP("Reporter", "Warning")},
        {"warn", QT_TRANSLATE_NOOP("Reporter", "Warning")},
        {"qcritical", QT_TRANSLATE_NOOP("Reporter", "Critical")},
        {"qfatal", QT_TRANSLATE_NOOP("Reporter", "Fatal")},
        {"system", QT_TRANSLATE_NOOP("Reporter", "System")},
    };
    for (const auto &label : labels) {
        if (type == QLatin1String(label.first))
            return label.second;
    }
    return nullptr;
}

} // namespace

QAQtTestReader::QAQtTestReader()
    : QAXmlReportReader(QStringLiteral("Qt Test"))
{
}

void QAQtTestReader::reset()
{
    // Translated once a read: every function tells its duration.
    m_durationText = QCoreApplication::translate("Reporter", "Duration: %1 ms.");
    m_suite = nullptr;
    m_suiteState.clear();
    m_suiteDuration.clear();
    m_inEnvironment = false;
    m_qtVersion.clear();
    m_qtBuild.clear();
    m_testVersion.clear();
    m_inFunction = false;
    m_inEntry = false;
    m_inRow = false;
}

QByteArray QAQtTestReader::wrapperElement(const QByteArray &head) const
{
    return QAQtTestFormat::isLightXml(head) ? QByteArray("TestCase") : QByteArray();
}

bool QAQtTestReader::startRoot(QStringView name, const DAmlAttributes &atts, const QFileInfo &file)
{
    if (name != QLatin1String("TestCase"))
        return fail(QCoreApplication::translate("Reporter", "Qt Test, the root element is \"%1\", not \"TestCase\".\n")
                        .arg(name.toString()));
    QString suiteName = attribute(atts, QLatin1String("name"));
    // A lightxml stream does not name its test object.
    if (!given(suiteName))
        suiteName = file.completeBaseName();
    const QString title = QCoreApplication::translate("Reporter", "Qt Test results: %1").arg(file.fileName());
    document().startDocument(suiteName, file.completeBaseName());
    tree().root()->startItem = document().document();
    if (!writeTitle(0, QString(), title) || !openNode(suiteName, TypeSuite, QString()))
        return false;
    m_suite = tree().current();
    if (!writeTitle(titleLevel(), QString(), QCoreApplication::translate("Reporter", "Test object: %1").arg(suiteName)))
        return false;
    m_suite->startItem = document().lastItem();
    return true;
}

bool QAQtTestReader::startElement(QStringView name, const DAmlAttributes &atts)
{
    const auto is = [&](const char *element) { return name == QLatin1String(element); };
    if (m_inEntry)
        return true; // DataTag, Description: their text is taken at their end
    if (is("Environment")) {
        m_inEnvironment = true;
    } else if (is("TestFunction") && !m_inFunction) {
        return startFunction(attribute(atts, QLatin1String("name")));
    } else if ((is("Incident") || is("Message")) && !m_inEnvironment) {
        m_inEntry = true;
        m_entry = Entry();
        m_entry.message = is("Message");
        m_entry.type = entryType(atts);
        // Most incidents are passes at no source line: their place is not copied.
        const QByteArrayView line = atts.utf8Value(atts.index(QLatin1String("line")));
        if (!line.isEmpty() && line != "0") {
            m_entry.file = attribute(atts, QLatin1String("file"));
            m_entry.line = QString::fromUtf8(line);
        }
    } else if (is("BenchmarkResult") && m_inFunction) {
        return writeBenchmark(atts);
    } else if (is("Duration")) {
        const QString msecs = attribute(atts, QLatin1String("msecs"));
        if (!m_inFunction) {
            m_suiteDuration = msecs;
        } else if (given(msecs)) {
            // The function's own duration follows its rows.
            return closeRow()
                   && writeParagraph(QString(), m_durationText.arg(msecs.trimmed()));
        }
    }
    return true;
}

bool QAQtTestReader::endElement(QStringView name)
{
    const auto is = [&](const char *element) { return name == QLatin1String(element); };
    if (m_inEntry) {
        if (is("DataTag"))
            m_entry.tag = text();
        else if (is("Description"))
            m_entry.description = text();
        else if (is("Incident") || is("Message"))
            return endEntry();
        return true;
    }
    if (m_inEnvironment) {
        if (is("QtVersion"))
            m_qtVersion = text().trimmed();
        else if (is("QtBuild"))
            m_qtBuild = text().trimmed();
        else if (is("QTestVersion"))
            m_testVersion = text().trimmed();
        else if (is("Environment")) {
            m_inEnvironment = false;
            return writeEnvironment();
        }
        return true;
    }
    if (is("TestFunction") && m_inFunction)
        return endFunction();
    if (is("TestCase") && !m_inFunction && m_suite)
        return endSuite();
    return true;
}

bool QAQtTestReader::startFunction(const QString &name)
{
    m_functionBefore = document().lastItem();
    if (!openNode(name, TypeCase, QString()))
        return false;
    m_inFunction = true;
    m_functionState.clear();
    m_hadRows = false;
    m_functionLevel = titleLevel();
    if (!writeTitle(m_functionLevel, titleStyle(m_functionLevel, QString()), tree().current()->name))
        return false;
    m_functionTitle = document().lastItem();
    tree().current()->startItem = m_functionTitle;
    return true;
}

bool QAQtTestReader::endFunction()
{
    if (!closeRow())
        return false;
    m_inFunction = false;
    QAReporterNode *node = tree().current();
    // A function that told no verdict (it crashed, or the stream was cut) is inconclusive.
    node->state = m_functionState.isNull() ? StateNe : m_functionState;
    if (!m_hadRows)
        count(node->state);
    document().restyle(m_functionTitle, titleStyle(m_functionLevel, node->state));
    m_suiteState = worse(m_suiteState, node->state);
    closeNode();
    // Reading for the totals or the tree, a function is written as a full
    // read writes it (the same files are refused) and then forgotten (its
    // node kept for the tree).
    if (totalsOnly() || treeOnly())
        results().forgetClosedCase(m_functionBefore);
    return stepProgress();
}

bool QAQtTestReader::endEntry()
{
    m_inEntry = false;
    if (!m_inFunction)
        return writeEntry(m_entry, m_entry.message ? QString() : incidentState(m_entry.type));
    if (!toRow(m_entry.tag))
        return false;
    if (m_entry.message)
        return writeEntry(m_entry, QString());
    const QString state = incidentState(m_entry.type);
    m_functionState = worse(m_functionState, state);
    if (m_inRow)
        m_rowState = worse(m_rowState, state);
    return writeEntry(m_entry, state);
}

bool QAQtTestReader::toRow(const QString &tag)
{
    if (m_inRow && tag == m_rowTag)
        return true;
    if (!closeRow())
        return false;
    if (tag.isEmpty())
        return true;
    if (!openNode(tag, TypeCase, QString()))
        return false;
    m_inRow = true;
    m_hadRows = true;
    m_rowTag = tag;
    m_rowState.clear();
    const int level = m_functionLevel + 1;
    if (!writeTitle(level, titleStyle(level, QString()), tag))
        return false;
    m_rowTitle = document().lastItem();
    tree().current()->startItem = m_rowTitle;
    return true;
}

bool QAQtTestReader::closeRow()
{
    if (!m_inRow)
        return true;
    m_inRow = false;
    QAReporterNode *node = tree().current();
    node->state = m_rowState.isNull() ? StateNe : m_rowState;
    count(node->state);
    m_functionState = worse(m_functionState, node->state);
    document().restyle(m_rowTitle, titleStyle(m_functionLevel + 1, node->state));
    closeNode();
    return stepProgress();
}

bool QAQtTestReader::writeEntry(const Entry &entry, const QString &state)
{
    const QString description = entry.description.trimmed();
    // Passes are in the title's style already; only those with words are written.
    if (!entry.message && state == StateOk && entry.type == QLatin1String("pass") && description.isEmpty())
        return true;
    const char *label = incidentLabel(entry.type);
    QString text = label ? QCoreApplication::translate("Reporter", label) : entry.type;
    const qsizetype lineEnd = description.indexOf(QLatin1Char('\n'));
    if (!description.isEmpty())
        text += QStringLiteral(": ") + description.left(lineEnd).trimmed();
    const QString link = sourceLink(entry.file, entry.line);
    if (!link.isNull())
        text += QCoreApplication::translate("Reporter", ", source ");
    const bool warning = entry.message ? entry.type == QLatin1String("qwarn") || entry.type == QLatin1String("qcritical")
                                             || entry.type == QLatin1String("qfatal")
                                       : state == StateNe;
    const QString style = state == StateKo ? QStringLiteral("Normal Failed")
                          : warning        ? QStringLiteral("Warning")
                                           : QString();
    if (!writeParagraph(style, text, link))
        return false;
    return lineEnd < 0 || writePreformatted(description.mid(lineEnd + 1));
}

bool QAQtTestReader::writeBenchmark(const DAmlAttributes &atts)
{
    if (!toRow(attribute(atts, QLatin1String("tag"))))
        return false;
    return writeParagraph(QString(), QCoreApplication::translate("Reporter", "Benchmark: %1 %2 per iteration (%3 iterations).")
                                         .arg(attribute(atts, QLatin1String("value")),
                                              attribute(atts, QLatin1String("metric")),
                                              attribute(atts, QLatin1String("iterations"))));
}

bool QAQtTestReader::writeEnvironment()
{
    QString qt = given(m_qtBuild) ? m_qtBuild : given(m_qtVersion) ? QStringLiteral("Qt ") + m_qtVersion : QString();
    if (qt.isEmpty() && !given(m_testVersion))
        return true;
    const QString text = given(m_testVersion)
                             ? QCoreApplication::translate("Reporter", "Run on %1, Qt Test %2.").arg(qt, m_testVersion)
                             : QCoreApplication::translate("Reporter", "Run on %1.").arg(qt);
    return writeParagraph(QString(), text);
}

bool QAQtTestReader::endSuite()
{
    if (tree().current() != m_suite)
        return true;
    m_suite->state = m_suiteState.isNull() ? StateOk : m_suiteState;
    // One test object a file: its totals are the file's.
    QString text = QCoreApplication::translate("Reporter", "Totals: %1 passed, %2 failed, %3 skipped or blacklisted")
                       .arg(passed())
                       .arg(failed())
                       .arg(std::max<qint64>(inconclusive(), 0));
    if (given(m_suiteDuration))
        text += QCoreApplication::translate("Reporter", ", duration: %1 ms").arg(m_suiteDuration.trimmed());
    const QString style = failed() > 0 ? QStringLiteral("Normal Failed") : QStringLiteral("Normal Passed");
    if (!writeParagraph(style, text + QLatin1Char('.')))
        return false;
    closeNode();
    m_suite = nullptr;
    return true;
}
