#include "korvatreporter/data/junit/qajunitreader.h"

#include "korvatreporter/data/results/qaresultwords.h"
#include "korvatreporter/data/junit/qajunitdocumentbuilder.h"
#include "korvatreporter/data/junit/qajunittracelinks.h"
#include "korvatreporter/data/qareporterdata.h"
#include "korvatreporter/data/qareporterdatatree.h"
#include "korvatreporter/data/qareporternode.h"
#include "rendoc/model/ddocument.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <iterator>
#include <type_traits>

namespace {

using QAResultWords::TypeSuite;
using QAResultWords::TypeCase;
using QAResultWords::StateOk;
using QAResultWords::StateKo;
using QAResultWords::StateNe;

// Longest part of a count attribute quoted when it is not the counted value.
constexpr int MaxSaidLength = 40;

// The seconds a time attribute (UTF-8) gives, when it gives a finite
// number that is not negative. Runners write plain decimals ("0.711"):
// those are converted straight from the bytes, with the same correctly
// rounded result as QString::toDouble() at a fraction of its cost; anything
// else (blanks, exponents, signs) takes toDouble().
bool junitSeconds(QByteArrayView text, double *seconds)
{
    const bool plain = !text.isEmpty() && std::all_of(text.begin(), text.end(), [](char c) {
        return (c >= '0' && c <= '9') || c == '.';
    });
    double value = 0;
    bool ok = false;
    if (plain) {
        const std::from_chars_result result = std::from_chars(text.data(), text.data() + text.size(), value);
        ok = result.ec == std::errc() && result.ptr == text.data() + text.size();
    }
    if (!ok)
        value = QString::fromUtf8(text).trimmed().toDouble(&ok);
    if (!ok || value < 0 || !std::isfinite(value))
        return false;
    *seconds = value;
    return true;
}

// What QChar::isSpace() says of an ASCII character.
bool isAsciiSpace(char c)
{
    return c == ' ' || (c >= '\t' && c <= '\r');
}

// given() of a UTF-8 text: ASCII is judged from its bytes, anything else
// decoded first (no-break and other Unicode spaces are blanks too).
bool givenUtf8(QByteArrayView text)
{
    for (char c : text) {
        if (uchar(c) >= 0x80)
            return !QString::fromUtf8(text).trimmed().isEmpty();
        if (!isAsciiSpace(c))
            return true;
    }
    return false;
}

// Appends bytes to a buffer reused from case to case: a resize within its
// capacity and a copy, where QByteArray's own append goes through its general
// insert (a tenth of writing a passed case). `bytes` must not point into `out`.
void appendBytes(QByteArray &out, QByteArrayView bytes)
{
    if (bytes.isEmpty())
        return;
    const qsizetype at = out.size();
    out.resize(at + bytes.size());
    std::memcpy(out.data() + at, bytes.data(), size_t(bytes.size()));
}

// Appends the UTF-8 text without blanks at either end, as QString::trimmed() would.
void appendTrimmed(QByteArray &out, QByteArrayView text)
{
    while (!text.isEmpty() && isAsciiSpace(text.front()))
        text = text.sliced(1);
    while (!text.isEmpty() && isAsciiSpace(text.back()))
        text.chop(1);
    if (!text.isEmpty() && (uchar(text.front()) >= 0x80 || uchar(text.back()) >= 0x80))
        out += QString::fromUtf8(text).trimmed().toUtf8();
    else
        appendBytes(out, text);
}

} // namespace

QAJUnitReader::QAJUnitReader() : QAXmlReportReader(QStringLiteral("JUnit")) {}

QAJUnitReader::~QAJUnitReader() = default;

bool QAJUnitReader::read(QFile &file, QAStudioInterface *studio, const QList<DStyle *> &styles,
                         QAReporterData &record)
{
    m_traceLinks = std::make_unique<QAJUnitTraceLinks>(QFileInfo(file.fileName()).absolutePath());
    const bool ok = QAXmlReportReader::read(file, studio, styles, record);
    if (ok)
        record.flaky = m_flaky;
    m_traceLinks.reset();
    return ok;
}

void QAJUnitReader::reset()
{
    m_open.clear();
    m_suites.clear();
    m_root = Suite();
    m_case.clear();
    m_properties.clear();
    m_flaky = 0;
    m_texts.classFormat.set(QCoreApplication::translate("Reporter", "Class %1"));
    m_texts.timeFormat.set(QCoreApplication::translate("Reporter", "time %1 s"));
    m_texts.fileFormat.set(QCoreApplication::translate("Reporter", "file %1"));
    m_texts.sourceFirst = QCoreApplication::translate("Reporter", "Source ").toUtf8();
    m_texts.sourceNext = QCoreApplication::translate("Reporter", ", source ").toUtf8();
    m_texts.standardOutput = QCoreApplication::translate("Reporter", "Standard output");
    m_texts.standardError = QCoreApplication::translate("Reporter", "Standard error");
    m_texts.fileSays = QCoreApplication::translate("Reporter", "%1 (file says %2)");
    static const char *const outcomeLabels[] = {
        QT_TRANSLATE_NOOP("Reporter", "Failure"),
        QT_TRANSLATE_NOOP("Reporter", "Error"),
        QT_TRANSLATE_NOOP("Reporter", "Skipped"),
        QT_TRANSLATE_NOOP("Reporter", "Failed run, passed on rerun"),
        QT_TRANSLATE_NOOP("Reporter", "Error run, passed on rerun"),
        QT_TRANSLATE_NOOP("Reporter", "Failed rerun"),
        QT_TRANSLATE_NOOP("Reporter", "Error in rerun"),
    };
    static_assert(std::size(outcomeLabels) == std::extent_v<decltype(Texts::outcomes)>);
    for (size_t kind = 0; kind < std::size(outcomeLabels); ++kind)
        m_texts.outcomes[kind] = QCoreApplication::translate("Reporter", outcomeLabels[kind]);
    m_texts.runOutput = QCoreApplication::translate("Reporter", "Standard output of the run");
    m_texts.runError = QCoreApplication::translate("Reporter", "Standard error of the run");
}

bool QAJUnitReader::finish()
{
    return !m_root.countsItem || writeCounts(m_root, false);
}

bool QAJUnitReader::startRoot(QStringView name, const DAmlAttributes &atts, const QFileInfo &file)
{
    if (name != QLatin1String("testsuites") && name != QLatin1String("testsuite"))
        return fail(QCoreApplication::translate(
                        "Reporter", "JUnit, the root element is \"%1\", not \"testsuites\" or \"testsuite\".\n")
                        .arg(name.toString()));
    const QString rootName = attribute(atts, QLatin1String("name"));
    const QString title =
        given(rootName) ? rootName
                        : QCoreApplication::translate("Reporter", "JUnit results: %1").arg(file.fileName());
    document().startDocument(title, file.completeBaseName());
    tree().root()->startItem = document().document();
    if (!writeTitle(0, QString(), title))
        return false;
    if (name == QLatin1String("testsuite"))
        return startSuite(atts);
    m_open.push_back(Open::Root);
    readCounts(m_root, atts);
    if (m_root.saidTests.isNull())
        return true;
    // The file's counts hold the place until the cases are counted.
    if (!writeParagraph(QString(), countsText(m_root)))
        return false;
    m_root.countsItem = document().lastItem();
    return true;
}

bool QAJUnitReader::startElement(QStringView name, const DAmlAttributes &atts)
{
    const auto is = [&](const char *element) { return name == QLatin1String(element); };
    switch (m_open.back()) {
    case Open::Root:
    case Open::Suite:
        if (is("testsuite"))
            return startSuite(atts);
        if (is("testcase")) {
            startCase(atts);
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
        if (is("system-out")) {
            startText(Open::SuiteOut);
            return true;
        }
        if (is("system-err")) {
            startText(Open::SuiteErr);
            return true;
        }
        break;
    case Open::Case:
        if (is("failure"))
            startOutcome(Outcome::Failure, atts);
        else if (is("error"))
            startOutcome(Outcome::Error, atts);
        else if (is("skipped"))
            startOutcome(Outcome::Skipped, atts);
        else if (is("flakyFailure"))
            startOutcome(Outcome::FlakyFailure, atts);
        else if (is("flakyError"))
            startOutcome(Outcome::FlakyError, atts);
        else if (is("rerunFailure"))
            startOutcome(Outcome::RerunFailure, atts);
        else if (is("rerunError"))
            startOutcome(Outcome::RerunError, atts);
        else if (is("system-out"))
            startText(Open::CaseOut);
        else if (is("system-err"))
            startText(Open::CaseErr);
        else if (is("properties"))
            m_open.push_back(Open::Properties);
        else
            skipElement();
        return true;
    case Open::Rerun: {
        // A rerun may hold its trace as plain text instead of a stackTrace,
        // around its children too.
        m_case.outcomes.back().text += text();
        if (is("stackTrace"))
            startText(Open::RerunTrace);
        else if (is("system-out"))
            startText(Open::RerunOut);
        else if (is("system-err"))
            startText(Open::RerunErr);
        else
            skipElement();
        return true;
    }
    case Open::Properties:
        if (is("property")) {
            m_propertyName = attribute(atts, QLatin1String("name"));
            // Some runners put long values in the element's text instead.
            m_propertyValue = attribute(atts, QLatin1String("value"));
            startText(Open::Property);
            return true;
        }
        break;
    default:
        break; // the elements read whole hand over no children
    }
    // Elements of other dialects (attachments, extra metadata) are passed over.
    skipElement();
    return true;
}

void QAJUnitReader::startText(Open open)
{
    m_open.push_back(open);
    takeWholeText();
}

bool QAJUnitReader::endElement(QStringView)
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
    case Open::Rerun:
        m_case.outcomes.back().text += text();
        return true;
    case Open::Root:
        return true;
    default:
        return endText(open, text());
    }
}

bool QAJUnitReader::endText(Open open, const QString &text)
{
    switch (open) {
    case Open::Property:
        m_properties.append({m_propertyName, m_propertyValue.isNull() ? text : m_propertyValue});
        break;
    case Open::Outcome:
        m_case.outcomes.back().text = text;
        break;
    case Open::SuiteOut:
        return writeOutput(m_texts.standardOutput, text);
    case Open::SuiteErr:
        return writeOutput(m_texts.standardError, text);
    case Open::CaseOut:
        m_case.out += text;
        break;
    case Open::CaseErr:
        m_case.err += text;
        break;
    case Open::RerunTrace:
        m_case.outcomes.back().text += text;
        break;
    case Open::RerunOut:
        m_case.outcomes.back().out += text;
        break;
    case Open::RerunErr:
        m_case.outcomes.back().err += text;
        break;
    default:
        break;
    }
    return true;
}

bool QAJUnitReader::startSuite(const DAmlAttributes &atts)
{
    const QString name = attribute(atts, QLatin1String("name"));
    if (!openNode(name, TypeSuite, QString()))
        return false;
    m_open.push_back(Open::Suite);
    Suite suite;
    suite.node = tree().current();
    readCounts(suite, atts);
    if (!writeTitle(titleLevel(), QString(), QCoreApplication::translate("Reporter", "Test suite: %1").arg(name)))
        return false;
    tree().current()->startItem = document().lastItem();

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
        if (!writeParagraph(QString(), text + QLatin1Char('.')))
            return false;
    }
    // A suite whose runner wrote counts shows them first, in a paragraph the
    // counted values replace when it ends; the others get theirs at the end.
    if (!suite.saidTests.isNull()) {
        if (!writeParagraph(QString(), countsText(suite)))
            return false;
        suite.countsItem = document().lastItem();
    }
    m_suites.push_back(suite);
    return true;
}

bool QAJUnitReader::endSuite()
{
    const Suite suite = m_suites.back();
    m_suites.pop_back();
    suite.node->state = suite.failures + suite.errors > 0 ? StateKo : suite.skipped > 0 ? StateNe : StateOk;
    junitSeconds(suite.time.toUtf8(), &suite.node->seconds);
    if (!writeCounts(suite, !suite.countsItem))
        return false;
    closeNode();
    return stepProgress();
}

void QAJUnitReader::startCase(const DAmlAttributes &atts)
{
    m_case.clear();
    const auto take = [&](QByteArray &to, const char *name) {
        appendBytes(to, atts.utf8Value(atts.index(QLatin1String(name))));
    };
    take(m_case.utf8Name, "name");
    m_case.name = QString::fromUtf8(m_case.utf8Name);
    if (m_case.name.isNull())
        m_case.name = QLatin1String("");
    take(m_case.classname, "classname");
    take(m_case.time, "time");
    take(m_case.file, "file");
    take(m_case.line, "line");
    m_open.push_back(Open::Case);
}

void QAJUnitReader::startOutcome(Outcome::Kind kind, const DAmlAttributes &atts)
{
    m_case.outcomes.push_back(Outcome{kind,
                                      attribute(atts, QLatin1String("message")),
                                      attribute(atts, QLatin1String("type")),
                                      QString(),
                                      QString(),
                                      QString()});
    // Reruns hold their trace and output in child elements, read as they
    // come; the others are their trace.
    const bool rerun = kind == Outcome::FlakyFailure || kind == Outcome::FlakyError
                       || kind == Outcome::RerunFailure || kind == Outcome::RerunError;
    if (rerun)
        m_open.push_back(Open::Rerun);
    else
        startText(Open::Outcome);
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
    count(state);
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
    m_case.clear();
    return ok && stepProgress();
}

bool QAJUnitReader::writeCase(const QString &state, quint8 rerun)
{
    // A read for the totals or the tree writes the case as a full read does,
    // so that it refuses the same files, and keeps nothing of it afterwards
    // (but its node, for the tree).
    DItem *const before = totalsOnly() || treeOnly() ? document().lastItem() : nullptr;
    if (!openNode(m_case.name, TypeCase, state))
        return false;
    tree().current()->count = 1;
    tree().current()->rerun = rerun;
    junitSeconds(m_case.time, &tree().current()->seconds);
    const int level = titleLevel();
    if (!results().titleUtf8(level, titleStyle(level, state), m_case.utf8Name))
        return false;
    tree().current()->startItem = document().lastItem();

    // "Class C, time T s, source FILE line N", with the parts that are
    // given, made in UTF-8 in a buffer every case reuses.
    const bool link = givenUtf8(m_case.file) && givenUtf8(m_case.line);
    QByteArray &text = m_line;
    text.resize(0);
    const auto add = [&](const Pattern &format, QByteArrayView value) {
        if (!text.isEmpty())
            appendBytes(text, ", ");
        format.fill(text, value);
    };
    if (givenUtf8(m_case.classname))
        add(m_texts.classFormat, m_case.classname);
    if (givenUtf8(m_case.time))
        add(m_texts.timeFormat, m_case.time);
    if (!link && givenUtf8(m_case.file))
        add(m_texts.fileFormat, m_case.file);
    if (link)
        appendBytes(text, text.isEmpty() ? m_texts.sourceFirst : m_texts.sourceNext);
    if (!text.isEmpty()) {
        // The line begins with a capital, also when a translation puts the
        // value first.
        if (uchar(text.front()) < 0x80) {
            text[0] = char(QChar::toUpper(char32_t(uchar(text.front()))));
        } else {
            QString decoded = QString::fromUtf8(text);
            decoded[0] = decoded[0].toUpper();
            text = decoded.toUtf8();
        }
        QByteArray &target = m_target;
        if (link) {
            target.resize(0);
            appendBytes(target, m_case.file);
            appendBytes(target, " line ");
            appendTrimmed(target, m_case.line);
        }
        if (!results().paragraphUtf8(QString(), text, link ? QByteArrayView(target) : QByteArrayView()))
            return false;
    }
    for (const Outcome &outcome : m_case.outcomes) {
        if (!writeOutcome(outcome))
            return false;
    }
    if (!writeProperties(m_case.properties) || !writeOutput(m_texts.standardOutput, m_case.out)
        || !writeOutput(m_texts.standardError, m_case.err))
        return false;
    closeNode();
    if (before)
        results().forgetClosedCase(before);
    return true;
}

void QAJUnitReader::Pattern::set(const QString &text)
{
    format = text;
    at = text.indexOf(QLatin1String("%1"));
    // "%10" is another place, and a second % may be another one too.
    if (at >= 0 && (text.count(QLatin1Char('%')) != 1 || (at + 2 < text.size() && text[at + 2].isDigit())))
        at = -1;
    before = at < 0 ? QByteArray() : QStringView(text).left(at).toUtf8();
    after = at < 0 ? QByteArray() : QStringView(text).mid(at + 2).toUtf8();
}

void QAJUnitReader::Pattern::fill(QByteArray &out, QByteArrayView value) const
{
    if (at < 0) {
        out += format.arg(QString::fromUtf8(value)).toUtf8();
        return;
    }
    appendBytes(out, before);
    appendBytes(out, value);
    appendBytes(out, after);
}

void QAJUnitReader::TestCase::clear()
{
    name.clear();
    utf8Name.resize(0);
    classname.resize(0);
    time.resize(0);
    file.resize(0);
    line.resize(0);
    outcomes.clear();
    properties.clear();
    out.clear();
    err.clear();
}

bool QAJUnitReader::writeOutcome(const Outcome &outcome)
{
    QString text = m_texts.outcomes[outcome.kind];
    if (given(outcome.message))
        text += QStringLiteral(": ") + outcome.message.simplified();
    if (given(outcome.type))
        text += QStringLiteral(" (") + outcome.type + QLatin1Char(')');
    const bool failing = outcome.kind == Outcome::Failure || outcome.kind == Outcome::Error
                         || outcome.kind == Outcome::RerunFailure || outcome.kind == Outcome::RerunError;
    const QString style = failing ? QStringLiteral("Normal Failed") : QStringLiteral("Warning");
    if (!writeParagraph(style, text) || !results().trace(outcome.text, m_traceLinks.get()))
        return false;
    return writeOutput(m_texts.runOutput, outcome.out) && writeOutput(m_texts.runError, outcome.err);
}

bool QAJUnitReader::writeOutput(const QString &label, const QString &text)
{
    if (!given(text))
        return true;
    return writeParagraph(QString(), label + QLatin1Char(':')) && writePreformatted(text);
}

bool QAJUnitReader::writeProperties(const Properties &properties)
{
    if (properties.isEmpty())
        return true;
    if (!writeParagraph(QString(), QCoreApplication::translate("Reporter", "Properties:")))
        return false;
    return results().table(properties);
}

void QAJUnitReader::readCounts(Suite &suite, const DAmlAttributes &atts)
{
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
    return after ? writeParagraph(style, text) : results().rewrite(suite.countsItem, style, text);
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
