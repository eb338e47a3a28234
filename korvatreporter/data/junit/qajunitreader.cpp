#include "korvatreporter/data/junit/qajunitreader.h"

#include "korvatreporter/data/results/qaresultwords.h"
#include "korvatreporter/data/junit/qajunitdocumentbuilder.h"
#include "korvatreporter/data/junit/qajunittracelinks.h"
#include "korvatreporter/data/qareporterdata.h"
#include "korvatreporter/data/qareporterdatatree.h"
#include "korvatreporter/data/qareporternode.h"
#include "rendoc/aml/damlhandler.h"
#include "rendoc/model/ddocument.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QXmlStreamReader>

#include <algorithm>
#include <cmath>

namespace {

using QAResultWords::TypeSuite;
using QAResultWords::TypeCase;
using QAResultWords::StateOk;
using QAResultWords::StateKo;
using QAResultWords::StateNe;

// The attribute's value, null when the attribute is absent and empty (not
// null) when it is present but empty.
QString attribute(const QXmlStreamAttributes &atts, QLatin1String name)
{
    for (const QXmlStreamAttribute &att : atts) {
        if (att.qualifiedName() == name) {
            QString value = att.value().toString();
            return value.isNull() ? QLatin1String("") : value;
        }
    }
    return QString();
}

// Longest part of a count attribute quoted when it is not the counted value.
constexpr int MaxSaidLength = 40;

// True when the value has something besides blanks (without copying it).
bool given(const QString &value)
{
    return std::any_of(value.cbegin(), value.cend(), [](QChar c) { return !c.isSpace(); });
}


} // namespace

QAJUnitReader::QAJUnitReader() = default;

QAJUnitReader::~QAJUnitReader() = default;

bool QAJUnitReader::read(QFile &file, QAStudioInterface *studio, const QList<DStyle *> &styles,
                         QAReporterData &record)
{
    m_open.clear();
    m_suites.clear();
    m_root = Suite();
    m_flaky = 0;
    m_file = &file;
    m_texts.classFormat = QCoreApplication::translate("Reporter", "Class %1");
    m_texts.timeFormat = QCoreApplication::translate("Reporter", "time %1 s");
    m_texts.fileFormat = QCoreApplication::translate("Reporter", "file %1");
    m_texts.sourceFirst = QCoreApplication::translate("Reporter", "Source ");
    m_texts.sourceNext = QCoreApplication::translate("Reporter", ", source ");
    m_texts.standardOutput = QCoreApplication::translate("Reporter", "Standard output");
    m_texts.standardError = QCoreApplication::translate("Reporter", "Standard error");
    m_texts.fileSays = QCoreApplication::translate("Reporter", "%1 (file says %2)");
    m_builder = std::make_unique<QAResultsBuilder>(QStringLiteral("JUnit"), file, studio, styles);
    m_traceLinks = std::make_unique<QAJUnitTraceLinks>(QFileInfo(file.fileName()).absolutePath());
    QXmlStreamReader xml(&file);
    // Names are taken as written; a prefix without a declaration is no error.
    xml.setNamespaceProcessing(false);
    m_xml = &xml;
    const bool ok = parse(QFileInfo(file.fileName()));
    m_xml = nullptr;
    if (ok) {
        m_builder->finish(record);
        record.flaky = m_flaky;
    }
    m_error = ok ? QString() : m_builder->errorString();
    m_canceled = m_builder->canceled();
    m_builder.reset();
    m_traceLinks.reset();
    return ok;
}

bool QAJUnitReader::parse(const QFileInfo &file)
{
    bool rootSeen = false;
    while (!m_xml->atEnd()) {
        switch (m_xml->readNext()) {
        case QXmlStreamReader::DTD:
            // Results never need one, and entity definitions are the way to
            // blow a small file up.
            return fail(QCoreApplication::translate(
                            "Reporter", "JUnit, line %1: document type declarations are not accepted.\n")
                            .arg(m_xml->lineNumber()));
        case QXmlStreamReader::StartElement:
            if (m_open.empty()) {
                if (rootSeen)
                    break; // the stream reader reports the second root
                rootSeen = true;
                const QStringView name = m_xml->qualifiedName();
                if (name != QLatin1String("testsuites") && name != QLatin1String("testsuite"))
                    return fail(
                        QCoreApplication::translate(
                            "Reporter",
                            "JUnit, the root element is \"%1\", not \"testsuites\" or \"testsuite\".\n")
                            .arg(name.toString()));
                if (!startRoot(name == QLatin1String("testsuite"), file))
                    return false;
                break;
            }
            if (!startElement())
                return false;
            break;
        case QXmlStreamReader::EndElement:
            if (!endElement())
                return false;
            break;
        case QXmlStreamReader::Characters:
            // A rerun may hold its trace as plain text instead of a stackTrace.
            if (!m_open.empty() && m_open.back() == Open::Rerun && !m_xml->isWhitespace())
                m_case.outcomes.back().text += m_xml->text();
            break;
        default:
            break;
        }
    }
    if (m_xml->hasError())
        return fail(QCoreApplication::translate("Reporter", "JUnit, line %1, column %2: %3\n")
                        .arg(m_xml->lineNumber())
                        .arg(m_xml->columnNumber())
                        .arg(m_xml->errorString()));
    return !m_root.countsItem || writeCounts(m_root, false);
}

bool QAJUnitReader::startRoot(bool bare, const QFileInfo &file)
{
    const QXmlStreamAttributes atts = m_xml->attributes();
    const QString name = attribute(atts, QLatin1String("name"));
    const QString title =
        given(name) ? name
                    : QCoreApplication::translate("Reporter", "JUnit results: %1").arg(file.fileName());
    m_builder->document().startDocument(title, file.completeBaseName());
    m_builder->tree().root()->startItem = m_builder->document().document();
    if (!m_builder->title(0, QString(), title))
        return false;
    if (bare)
        return startSuite();
    m_open.push_back(Open::Root);
    readCounts(m_root);
    if (m_root.saidTests.isNull())
        return true;
    // The file's counts hold the place until the cases are counted.
    if (!m_builder->paragraph(QString(), countsText(m_root)))
        return false;
    m_root.countsItem = m_builder->lastItem();
    return true;
}

bool QAJUnitReader::startElement()
{
    // The stream reader does not recurse, but the node tree and everything
    // that walks it are sized for what the XRD reader accepts.
    if (m_open.size() >= size_t(DAmlHandler::MaxDepth))
        return fail(
            QCoreApplication::translate("Reporter", "JUnit, line %1: elements nested deeper than %2.\n")
                .arg(m_xml->lineNumber())
                .arg(DAmlHandler::MaxDepth));
    const QStringView name = m_xml->qualifiedName();
    const auto is = [&](const char *element) { return name == QLatin1String(element); };
    switch (m_open.back()) {
    case Open::Root:
    case Open::Suite:
        if (is("testsuite"))
            return startSuite();
        if (is("testcase")) {
            startCase();
            return true;
        }
        if (is("testsuites")) {
            // A wrapper inside the results groups nothing of its own.
            m_open.push_back(Open::Root);
            return true;
        }
        if (is("properties")) {
            m_open.push_back(Open::Properties);
            return true;
        }
        if (is("system-out"))
            return writeOutput(m_texts.standardOutput,
                               m_xml->readElementText(QXmlStreamReader::IncludeChildElements));
        if (is("system-err"))
            return writeOutput(m_texts.standardError,
                               m_xml->readElementText(QXmlStreamReader::IncludeChildElements));
        break;
    case Open::Case:
        if (is("failure"))
            readOutcome(Outcome::Failure, false);
        else if (is("error"))
            readOutcome(Outcome::Error, false);
        else if (is("skipped"))
            readOutcome(Outcome::Skipped, false);
        else if (is("flakyFailure"))
            readOutcome(Outcome::FlakyFailure, true);
        else if (is("flakyError"))
            readOutcome(Outcome::FlakyError, true);
        else if (is("rerunFailure"))
            readOutcome(Outcome::RerunFailure, true);
        else if (is("rerunError"))
            readOutcome(Outcome::RerunError, true);
        else if (is("system-out"))
            m_case.out += m_xml->readElementText(QXmlStreamReader::IncludeChildElements);
        else if (is("system-err"))
            m_case.err += m_xml->readElementText(QXmlStreamReader::IncludeChildElements);
        else if (is("properties"))
            m_open.push_back(Open::Properties);
        else
            m_xml->skipCurrentElement();
        return true;
    case Open::Rerun: {
        Outcome &rerun = m_case.outcomes.back();
        if (is("stackTrace"))
            rerun.text += m_xml->readElementText(QXmlStreamReader::IncludeChildElements);
        else if (is("system-out"))
            rerun.out += m_xml->readElementText(QXmlStreamReader::IncludeChildElements);
        else if (is("system-err"))
            rerun.err += m_xml->readElementText(QXmlStreamReader::IncludeChildElements);
        else
            m_xml->skipCurrentElement();
        return true;
    }
    case Open::Properties:
        if (is("property")) {
            const QXmlStreamAttributes atts = m_xml->attributes();
            const QString propertyName = attribute(atts, QLatin1String("name"));
            QString value = attribute(atts, QLatin1String("value"));
            // Some runners put long values in the element's text instead.
            const QString text = m_xml->readElementText(QXmlStreamReader::IncludeChildElements);
            if (value.isNull())
                value = text;
            m_properties.append({propertyName, value});
            return true;
        }
        break;
    }
    // Elements of other dialects (attachments, extra metadata) are passed over.
    m_xml->skipCurrentElement();
    return true;
}

bool QAJUnitReader::endElement()
{
    if (m_open.empty())
        return true;
    const Open open = m_open.back();
    m_open.pop_back();
    switch (open) {
    case Open::Suite:
        return endSuite();
    case Open::Case:
        return endCase();
    case Open::Properties: {
        Properties properties = std::move(m_properties);
        m_properties.clear();
        if (!m_open.empty() && m_open.back() == Open::Case) {
            m_case.properties += properties;
            return true;
        }
        return writeProperties(properties);
    }
    case Open::Root:
    case Open::Rerun:
        break;
    }
    return true;
}

bool QAJUnitReader::startSuite()
{
    const QXmlStreamAttributes atts = m_xml->attributes();
    const QString name = attribute(atts, QLatin1String("name"));
    if (!m_builder->addNode(name, TypeSuite, QString()))
        return false;
    m_open.push_back(Open::Suite);
    Suite suite;
    suite.node = m_builder->tree().current();
    readCounts(suite);
    if (!m_builder->title(m_builder->titleLevel(), QString(),
                    QCoreApplication::translate("Reporter", "Test suite: %1").arg(name)))
        return false;
    m_builder->tree().current()->startItem = m_builder->lastItem();

    QStringList details;
    const QString package = attribute(atts, QLatin1String("package"));
    if (given(package))
        details << QCoreApplication::translate("Reporter", "package %1").arg(package);
    const QString file = attribute(atts, QLatin1String("file"));
    if (given(file))
        details << QCoreApplication::translate("Reporter", "file %1").arg(file);
    const QString host = attribute(atts, QLatin1String("hostname"));
    if (given(host))
        details << QCoreApplication::translate("Reporter", "run on %1").arg(host);
    const QString timestamp = attribute(atts, QLatin1String("timestamp"));
    if (given(timestamp))
        details << QCoreApplication::translate("Reporter", "started %1").arg(timestamp);
    if (!details.isEmpty()) {
        QString text = details.join(QStringLiteral(", "));
        text[0] = text[0].toUpper();
        if (!m_builder->paragraph(QString(), text + QLatin1Char('.')))
            return false;
    }
    // A suite whose runner wrote counts shows them first, in a paragraph the
    // counted values replace when it ends; the others get theirs at the end.
    if (!suite.saidTests.isNull()) {
        if (!m_builder->paragraph(QString(), countsText(suite)))
            return false;
        suite.countsItem = m_builder->lastItem();
    }
    m_suites.push_back(suite);
    return true;
}

bool QAJUnitReader::endSuite()
{
    const Suite suite = m_suites.back();
    m_suites.pop_back();
    suite.node->state = suite.failures + suite.errors > 0 ? StateKo : suite.skipped > 0 ? StateNe : StateOk;
    bool timeOk = false;
    const double seconds = suite.time.trimmed().toDouble(&timeOk);
    if (timeOk && seconds >= 0 && std::isfinite(seconds))
        suite.node->seconds = seconds;
    if (!writeCounts(suite, !suite.countsItem))
        return false;
    m_builder->endNode();
    return stepProgress();
}

void QAJUnitReader::startCase()
{
    const QXmlStreamAttributes atts = m_xml->attributes();
    m_case = TestCase();
    m_case.name = attribute(atts, QLatin1String("name"));
    if (m_case.name.isNull())
        m_case.name = QLatin1String("");
    m_case.classname = attribute(atts, QLatin1String("classname"));
    m_case.time = attribute(atts, QLatin1String("time"));
    m_case.file = attribute(atts, QLatin1String("file"));
    m_case.line = attribute(atts, QLatin1String("line"));
    m_open.push_back(Open::Case);
}

void QAJUnitReader::readOutcome(Outcome::Kind kind, bool withChildren)
{
    const QXmlStreamAttributes atts = m_xml->attributes();
    Outcome outcome{kind,
                    attribute(atts, QLatin1String("message")),
                    attribute(atts, QLatin1String("type")),
                    QString(),
                    QString(),
                    QString()};
    // Reruns hold their trace and output in child elements, read as they come.
    if (!withChildren)
        outcome.text = m_xml->readElementText(QXmlStreamReader::IncludeChildElements);
    m_case.outcomes.push_back(std::move(outcome));
    if (withChildren)
        m_open.push_back(Open::Rerun);
}

bool QAJUnitReader::endCase()
{
    bool failed = false;
    bool error = false;
    bool skipped = false;
    bool rerun = false;
    bool flaky = false;
    for (const Outcome &outcome : m_case.outcomes) {
        switch (outcome.kind) {
        case Outcome::Failure:
            failed = true;
            break;
        case Outcome::RerunFailure:
            failed = rerun = true;
            break;
        case Outcome::Error:
            error = true;
            break;
        case Outcome::RerunError:
            error = rerun = true;
            break;
        case Outcome::Skipped:
            skipped = true;
            break;
        case Outcome::FlakyFailure:
        case Outcome::FlakyError:
            flaky = true; // it passed on a rerun
            break;
        }
    }
    const QString &state = failed || error ? StateKo : skipped ? StateNe : StateOk;
    const quint8 rerunMark = state == StateKo && rerun  ? QAReporterNode::RetriedFailed
                             : state == StateOk && flaky ? QAReporterNode::Flaky
                                                         : QAReporterNode::NoRerun;
    if (rerunMark == QAReporterNode::Flaky)
        ++m_flaky;
    m_builder->count(state);
    const auto add = [&](Suite &suite) {
        ++suite.tests;
        // One count a case: an error usually stopped it before any failure.
        suite.failures += failed && !error ? 1 : 0;
        suite.errors += error ? 1 : 0;
        suite.skipped += state == StateNe ? 1 : 0;
    };
    for (Suite &suite : m_suites)
        add(suite);
    add(m_root);
    const bool ok = writeCase(state, rerunMark);
    m_case = TestCase();
    return ok && stepProgress();
}

bool QAJUnitReader::writeCase(const QString &state, quint8 rerun)
{
    if (!m_builder->addNode(m_case.name, TypeCase, state))
        return false;
    m_builder->tree().current()->count = 1;
    m_builder->tree().current()->rerun = rerun;
    bool timeOk = false;
    const double seconds = m_case.time.trimmed().toDouble(&timeOk);
    if (timeOk && seconds >= 0 && std::isfinite(seconds))
        m_builder->tree().current()->seconds = seconds;
    const int level = m_builder->titleLevel();
    if (!m_builder->title(level, m_builder->titleStyle(level, state), m_case.name))
        return false;
    m_builder->tree().current()->startItem = m_builder->lastItem();

    // "Class C, time T s, source FILE line N", with the parts that are given.
    QString text;
    const auto add = [&](const QString &format, const QString &value) {
        if (!text.isEmpty())
            text += QStringLiteral(", ");
        text += format.arg(value);
    };
    if (given(m_case.classname))
        add(m_texts.classFormat, m_case.classname);
    if (given(m_case.time))
        add(m_texts.timeFormat, m_case.time);
    const bool link = given(m_case.file) && given(m_case.line);
    if (given(m_case.file) && !link)
        add(m_texts.fileFormat, m_case.file);
    if (link)
        text += text.isEmpty() ? m_texts.sourceFirst : m_texts.sourceNext;
    if (!text.isEmpty()) {
        text[0] = text[0].toUpper();
        const QString target =
            link ? m_case.file + QStringLiteral(" line ") + m_case.line.trimmed() : QString();
        if (!m_builder->paragraph(QString(), text, target))
            return false;
    }
    for (const Outcome &outcome : m_case.outcomes) {
        if (!writeOutcome(outcome))
            return false;
    }
    if (!writeProperties(m_case.properties) || !writeOutput(m_texts.standardOutput, m_case.out)
        || !writeOutput(m_texts.standardError, m_case.err))
        return false;
    m_builder->endNode();
    return true;
}

bool QAJUnitReader::writeOutcome(const Outcome &outcome)
{
    static const char *const labels[] = {
        QT_TRANSLATE_NOOP("Reporter", "Failure"),
        QT_TRANSLATE_NOOP("Reporter", "Error"),
        QT_TRANSLATE_NOOP("Reporter", "Skipped"),
        QT_TRANSLATE_NOOP("Reporter", "Failed run, passed on rerun"),
        QT_TRANSLATE_NOOP("Reporter", "Error run, passed on rerun"),
        QT_TRANSLATE_NOOP("Reporter", "Failed rerun"),
        QT_TRANSLATE_NOOP("Reporter", "Error in rerun"),
    };
    QString text = QCoreApplication::translate("Reporter", labels[outcome.kind]);
    if (given(outcome.message))
        text += QStringLiteral(": ") + outcome.message.simplified();
    if (given(outcome.type))
        text += QStringLiteral(" (") + outcome.type + QLatin1Char(')');
    const bool failing = outcome.kind == Outcome::Failure || outcome.kind == Outcome::Error
                         || outcome.kind == Outcome::RerunFailure || outcome.kind == Outcome::RerunError;
    const QString style = failing ? QStringLiteral("Normal Failed") : QStringLiteral("Warning");
    if (!m_builder->paragraph(style, text) || !m_builder->trace(outcome.text, m_traceLinks.get()))
        return false;
    return writeOutput(QCoreApplication::translate("Reporter", "Standard output of the run"), outcome.out)
           && writeOutput(QCoreApplication::translate("Reporter", "Standard error of the run"), outcome.err);
}

bool QAJUnitReader::writeOutput(const QString &label, const QString &text)
{
    if (!given(text))
        return true;
    return m_builder->paragraph(QString(), label + QLatin1Char(':')) && m_builder->preformatted(text);
}

bool QAJUnitReader::writeProperties(const Properties &properties)
{
    if (properties.isEmpty())
        return true;
    if (!m_builder->paragraph(QString(), QCoreApplication::translate("Reporter", "Properties:")))
        return false;
    return m_builder->table(properties);
}

void QAJUnitReader::readCounts(Suite &suite) const
{
    const QXmlStreamAttributes atts = m_xml->attributes();
    suite.saidTests = attribute(atts, QLatin1String("tests"));
    suite.saidFailures = attribute(atts, QLatin1String("failures"));
    suite.saidErrors = attribute(atts, QLatin1String("errors"));
    suite.saidSkipped = attribute(atts, QLatin1String("skipped"));
    suite.time = attribute(atts, QLatin1String("time"));
}

bool QAJUnitReader::writeCounts(const Suite &suite, bool after)
{
    QString text = countsText(suite);
    // Counts written after the cases name their suite, which they follow.
    if (after)
        text = QCoreApplication::translate("Reporter", "Totals of suite %1 - %2").arg(suite.node->name, text);
    const QString style =
        suite.failures + suite.errors > 0 ? QStringLiteral("Normal Failed") : QStringLiteral("Normal Passed");
    text += QLatin1Char('.');
    return after ? m_builder->paragraph(style, text) : m_builder->rewrite(suite.countsItem, style, text);
}

QString QAJUnitReader::countsText(const Suite &suite) const
{
    QString text = QCoreApplication::translate("Reporter", "Tests: %1, failures: %2, errors: %3, skipped: %4")
                       .arg(countText(suite.tests, suite.saidTests), countText(suite.failures, suite.saidFailures),
                            countText(suite.errors, suite.saidErrors), countText(suite.skipped, suite.saidSkipped));
    if (given(suite.time))
        text += QCoreApplication::translate("Reporter", ", duration: %1 s").arg(suite.time);
    return text;
}

QString QAJUnitReader::countText(qint64 counted, const QString &said) const
{
    const QString number = QString::number(counted);
    // An absent or blank attribute says nothing; a number equal to the
    // count agrees, whatever its blanks or leading zeros.
    if (!given(said))
        return number;
    bool isNumber = false;
    const QString value = said.trimmed();
    if (value.toLongLong(&isNumber) == counted && isNumber)
        return number;
    QString quoted = value.left(MaxSaidLength);
    if (value.size() > MaxSaidLength)
        quoted += QChar(0x2026);
    return m_texts.fileSays.arg(number, quoted);
}

bool QAJUnitReader::stepProgress()
{
    return m_builder->progress(m_file->pos());
}

bool QAJUnitReader::fail(const QString &text)
{
    return m_builder->fail(text);
}
