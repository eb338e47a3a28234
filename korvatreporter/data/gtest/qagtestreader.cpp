#include "korvatreporter/data/gtest/qagtestreader.h"

#include "korvatreporter/data/results/qaresultwords.h"
#include "korvatreporter/data/json/qajsonpullreader.h"
#include "korvatreporter/data/results/qaresultsbuilder.h"

#include <QCoreApplication>
#include <QFile>
#include <QRegularExpression>

namespace {

using QAResultWords::TypeSuite;
using QAResultWords::TypeCase;
using QAResultWords::StateOk;
using QAResultWords::StateKo;
using QAResultWords::StateNe;

using Json = QAJsonPullReader;


// "12" or "(file says 13)": a count the file gives beside the counted one.
QString counted(qint64 value, const QString &said)
{
    QString text = QString::number(value);
    if (!said.isNull() && said.trimmed() != text)
        text = QCoreApplication::translate("Reporter", "%1 (file says %2)").arg(text, said.left(40));
    return text;
}

} // namespace

QAGTestReader::QAGTestReader()
    : QAJsonReportReader(QStringLiteral("GoogleTest JSON"))
{
}

QAGTestReader::~QAGTestReader() = default;

void QAGTestReader::reset()
{
    m_counts = Counts();
    m_countsItem = nullptr;
    m_started = false;
}

bool QAGTestReader::readRoot()
{
    if (!startRoot())
        return false;
    while (m_json->next() == Json::Name) {
        const QString key = m_json->text();
        if (key == QLatin1String("testsuites")) {
            if (!startDocument() || !readSuites())
                return false;
            continue;
        }
        QString *field = key == QLatin1String("tests")       ? &m_counts.tests
                         : key == QLatin1String("failures")  ? &m_counts.failures
                         : key == QLatin1String("disabled")  ? &m_counts.disabled
                         : key == QLatin1String("time")      ? &m_counts.time
                         : key == QLatin1String("timestamp") ? &m_counts.timestamp
                                                             : nullptr;
        const QString value = m_json->scalar();
        if (field)
            *field = value;
    }
    if (m_json->token() != Json::EndObject || m_json->next() != Json::End)
        return jsonFailed();
    if (!startDocument())
        return false;
    const QString style = m_counts.countedFailures > 0 ? QStringLiteral("Normal Failed")
                                                       : QStringLiteral("Normal Passed");
    return m_builder->rewrite(m_countsItem, style, countsText());
}

bool QAGTestReader::startDocument()
{
    if (m_started)
        return true;
    m_started = true;
    if (!m_builder->start(QCoreApplication::translate("Reporter", "GoogleTest results: %1").arg(m_fileName)))
        return false;
    QStringList details;
    if (!m_counts.timestamp.isEmpty())
        details << QCoreApplication::translate("Reporter", "Started %1.").arg(m_counts.timestamp);
    if (!details.isEmpty() && !m_builder->paragraph(QString(), details.join(QLatin1Char(' '))))
        return false;
    // The counts hold their place here until the tests are counted.
    if (!m_builder->paragraph(QString(), countsText()))
        return false;
    m_countsItem = m_builder->lastItem();
    return true;
}

QString QAGTestReader::countsText() const
{
    QString text = QCoreApplication::translate("Reporter", "Tests: %1, failures: %2, disabled: %3, skipped: %4")
                       .arg(counted(m_counts.countedTests, m_counts.tests),
                            counted(m_counts.countedFailures, m_counts.failures),
                            counted(m_counts.countedDisabled, m_counts.disabled))
                       .arg(m_counts.countedSkipped);
    if (!m_counts.time.isEmpty())
        text += QCoreApplication::translate("Reporter", ", duration: %1").arg(m_counts.time);
    return text + QLatin1Char('.');
}

bool QAGTestReader::readSuites()
{
    return readObjects([this] { return readSuite(); });
}

bool QAGTestReader::readSuite()
{
    QString name;
    bool open = false;
    const auto openSuite = [&] {
        open = true;
        return m_builder->openSuite(name, TypeSuite, QCoreApplication::translate("Reporter", "Test suite: %1").arg(name));
    };
    while (m_json->next() == Json::Name) {
        const QString key = m_json->text();
        if (key == QLatin1String("testsuite")) {
            if ((!open && !openSuite()) || !readTests())
                return false;
        } else if (key == QLatin1String("name")) {
            name = m_json->scalar();
        } else if (!m_json->skipValue()) {
            break;
        }
    }
    if (m_json->token() != Json::EndObject)
        return jsonFailed();
    if (!open && !openSuite())
        return false;
    return m_builder->closeNode() && m_builder->progress(m_json->offset());
}

bool QAGTestReader::readTests()
{
    return readObjects([this] { return readTest(); });
}

bool QAGTestReader::readTest()
{
    Test test;
    while (m_json->next() == Json::Name) {
        const QString key = m_json->text();
        if (key == QLatin1String("failures")) {
            if (!readMessages(test.failures, "failure"))
                return false;
            continue;
        }
        if (key == QLatin1String("skipped")) {
            if (!readMessages(test.skips, "message"))
                return false;
            continue;
        }
        QString *field = key == QLatin1String("name")          ? &test.name
                         : key == QLatin1String("classname")   ? &test.classname
                         : key == QLatin1String("file")        ? &test.file
                         : key == QLatin1String("line")        ? &test.line
                         : key == QLatin1String("status")      ? &test.status
                         : key == QLatin1String("result")      ? &test.result
                         : key == QLatin1String("time")        ? &test.time
                         : key == QLatin1String("value_param") ? &test.parameter
                         : key == QLatin1String("type_param")  ? &test.parameter
                                                               : nullptr;
        const QString value = m_json->scalar();
        if (field)
            *field = value;
    }
    if (m_json->token() != Json::EndObject)
        return jsonFailed();
    return writeTest(test) && m_builder->progress(m_json->offset());
}

bool QAGTestReader::readMessages(QStringList &messages, const char *key)
{
    // [{"failure": "...", "type": ""}, ...]; anything else is passed over.
    if (m_json->next() != Json::StartArray)
        return m_json->token() == Json::Error ? jsonFailed() : m_json->skipValue() || jsonFailed();
    while (m_json->next() != Json::EndArray) {
        if (m_json->token() != Json::StartObject) {
            if (!m_json->skipValue())
                return jsonFailed();
            continue;
        }
        while (m_json->next() == Json::Name) {
            const bool wanted = m_json->text() == QLatin1String(key);
            const QString value = m_json->scalar();
            if (wanted && !value.isNull())
                messages << value;
        }
        if (m_json->token() != Json::EndObject)
            return jsonFailed();
    }
    return true;
}

bool QAGTestReader::writeTest(const Test &test)
{
    const bool disabled = test.status == QLatin1String("NOTRUN") || test.result == QLatin1String("SUPPRESSED");
    const bool skipped = test.result == QLatin1String("SKIPPED") || !test.skips.isEmpty();
    const QString &state = !test.failures.isEmpty() ? QAResultWords::StateKo
                           : disabled || skipped    ? QAResultWords::StateNe
                                                    : QAResultWords::StateOk;
    ++m_counts.countedTests;
    if (!test.failures.isEmpty())
        ++m_counts.countedFailures;
    else if (disabled)
        ++m_counts.countedDisabled;
    else if (skipped)
        ++m_counts.countedSkipped;
    if (!m_builder->openCase(test.name, TypeCase, state))
        return false;
    QStringList parts;
    if (!test.classname.isEmpty())
        parts << QCoreApplication::translate("Reporter", "Class %1").arg(test.classname);
    if (!test.time.isEmpty())
        parts << QCoreApplication::translate("Reporter", "time %1").arg(test.time);
    if (!test.parameter.isEmpty())
        parts << QCoreApplication::translate("Reporter", "parameter %1").arg(test.parameter);
    const bool link = !test.file.isEmpty() && !test.line.isEmpty();
    QString text = parts.join(QStringLiteral(", "));
    if (link)
        text += text.isEmpty() ? QCoreApplication::translate("Reporter", "Source ") : QCoreApplication::translate("Reporter", ", source ");
    if (!text.isEmpty()) {
        text[0] = text[0].toUpper();
        if (!m_builder->paragraph(QString(), text, link ? test.file + QStringLiteral(" line ") + test.line : QString()))
            return false;
    }
    if (disabled && !m_builder->paragraph(QStringLiteral("Warning"), QCoreApplication::translate("Reporter", "Disabled: not run.")))
        return false;
    if (skipped && test.skips.isEmpty() && !m_builder->paragraph(QStringLiteral("Warning"), QCoreApplication::translate("Reporter", "Skipped.")))
        return false;
    for (const QString &skip : test.skips) {
        if (!m_builder->paragraph(QStringLiteral("Warning"), QCoreApplication::translate("Reporter", "Skipped:")) || !m_builder->preformatted(skip))
            return false;
    }
    for (const QString &failure : test.failures) {
        if (!writeFailure(failure))
            return false;
    }
    return m_builder->closeNode();
}

bool QAGTestReader::writeFailure(const QString &message)
{
    // GoogleTest starts each message with the "file:line" of the assertion.
    static const QRegularExpression place(QStringLiteral("^(.+):(\\d+)$"));
    const qsizetype newline = message.indexOf(QLatin1Char('\n'));
    const QRegularExpressionMatch match = place.match(message.left(newline < 0 ? message.size() : newline));
    if (match.hasMatch()) {
        const QString target = match.captured(1) + QStringLiteral(" line ") + match.captured(2);
        return m_builder->paragraph(QStringLiteral("Normal Failed"), QCoreApplication::translate("Reporter", "Failure at "), target)
               && m_builder->preformatted(newline < 0 ? QString() : message.mid(newline + 1));
    }
    return m_builder->paragraph(QStringLiteral("Normal Failed"), QCoreApplication::translate("Reporter", "Failure:"))
           && m_builder->preformatted(message);
}
