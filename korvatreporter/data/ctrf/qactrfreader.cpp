#include "korvatreporter/data/ctrf/qactrfreader.h"

#include "korvatreporter/data/results/qaresultwords.h"
#include "korvatreporter/data/json/qajsonpullreader.h"
#include "korvatreporter/data/results/qaresultsbuilder.h"

#include <QCoreApplication>
#include <QFile>

namespace {

using QAResultWords::TypeSuite;
using QAResultWords::TypeCase;
using QAResultWords::StateOk;
using QAResultWords::StateKo;
using QAResultWords::StateNe;

using Json = QAJsonPullReader;

const char *const StatusNames[] = {"passed", "failed", "skipped", "pending", "other"};

QString value(const QList<std::pair<QString, QString>> &pairs, const char *key)
{
    for (const auto &pair : pairs) {
        if (pair.first == QLatin1String(key))
            return pair.second;
    }
    return QString();
}

} // namespace

QACtrfReader::QACtrfReader()
    : QAJsonReportReader(QStringLiteral("CTRF"))
{
}

QACtrfReader::~QACtrfReader() = default;

void QACtrfReader::reset()
{
    m_started = false;
    m_tool.clear();
    m_summary.clear();
    m_environment.clear();
    m_countsItem = nullptr;
    std::fill(std::begin(m_counts), std::end(m_counts), 0);
    m_flaky = 0;
    m_suitePath.clear();
}

bool QACtrfReader::readRoot()
{
    if (!startRoot())
        return false;
    bool results = false;
    while (m_json->next() == Json::Name) {
        if (m_json->text() != QLatin1String("results")) {
            if (!m_json->skipValue())
                return jsonFailed();
            continue;
        }
        if (m_json->next() != Json::StartObject)
            return m_json->token() == Json::Error ? jsonFailed()
                                                  : m_builder->fail(m_builder->error(QCoreApplication::translate("Reporter", "\"results\" is not an object.")));
        if (results)
            return m_builder->fail(m_builder->error(QCoreApplication::translate("Reporter", "the file holds \"results\" twice.")));
        results = true;
        if (!readResults())
            return false;
    }
    if (m_json->token() != Json::EndObject || m_json->next() != Json::End)
        return jsonFailed();
    if (!results)
        return m_builder->fail(m_builder->error(QCoreApplication::translate("Reporter", "the file holds no \"results\" object.")));
    return true;
}

bool QACtrfReader::readResults()
{
    while (m_json->next() == Json::Name) {
        const QString key = m_json->text();
        bool ok = true;
        if (key == QLatin1String("tool")) {
            ok = readObject(m_tool);
        } else if (key == QLatin1String("summary")) {
            ok = readObject(m_summary);
        } else if (key == QLatin1String("environment")) {
            Pairs environment;
            ok = readObject(environment);
            // Written where it stands once the text has begun, else with the header.
            if (ok && m_started)
                ok = m_builder->paragraph(QString(), QCoreApplication::translate("Reporter", "Environment:")) && m_builder->table(environment);
            else
                m_environment = environment;
        } else if (key == QLatin1String("tests")) {
            // The suites close with the tests, so that what follows is the run's text.
            ok = startDocument() && readTests() && enterSuites({});
        } else if (!m_json->skipValue()) {
            return jsonFailed();
        }
        if (!ok)
            return false;
    }
    if (m_json->token() != Json::EndObject)
        return jsonFailed();
    if (!startDocument() || !enterSuites({}))
        return false;
    const QString style = m_counts[Failed] > 0 ? QStringLiteral("Normal Failed") : QStringLiteral("Normal Passed");
    return m_builder->rewrite(m_countsItem, style, countsText());
}

bool QACtrfReader::readObject(Pairs &pairs)
{
    // The scalar members of an object; nested objects and arrays are passed over.
    if (m_json->next() != Json::StartObject)
        return m_json->token() != Json::Error ? m_json->skipValue() || jsonFailed() : jsonFailed();
    while (m_json->next() == Json::Name) {
        const QString key = m_json->text();
        const QString text = m_json->scalar();
        if (!text.isNull())
            pairs.append({key, text});
    }
    return m_json->token() == Json::EndObject || jsonFailed();
}

bool QACtrfReader::startDocument()
{
    if (m_started)
        return true;
    m_started = true;
    if (!m_builder->start(QCoreApplication::translate("Reporter", "CTRF results: %1").arg(m_fileName)))
        return false;
    const QString tool = QStringList{value(m_tool, "name"), value(m_tool, "version")}.join(QLatin1Char(' ')).trimmed();
    if (!tool.isEmpty() && !m_builder->paragraph(QString(), QCoreApplication::translate("Reporter", "Tool: %1.").arg(tool)))
        return false;
    if (!m_environment.isEmpty()
        && (!m_builder->paragraph(QString(), QCoreApplication::translate("Reporter", "Environment:")) || !m_builder->table(m_environment)))
        return false;
    // The counts hold their place here until the tests are counted.
    if (!m_builder->paragraph(QString(), countsText()))
        return false;
    m_countsItem = m_builder->lastItem();
    return true;
}

QString QACtrfReader::countsText() const
{
    qint64 tests = 0;
    for (qint64 count : m_counts)
        tests += count;
    const auto counted = [&](qint64 count, const char *key) {
        const QString said = value(m_summary, key);
        QString text = QString::number(count);
        if (!said.isNull() && said.trimmed() != text)
            text = QCoreApplication::translate("Reporter", "%1 (file says %2)").arg(text, said.left(40));
        return text;
    };
    QString text = QCoreApplication::translate("Reporter", "Tests: %1, passed: %2, failed: %3, skipped: %4, pending: %5, other: %6")
                       .arg(counted(tests, "tests"), counted(m_counts[Passed], "passed"),
                            counted(m_counts[Failed], "failed"), counted(m_counts[Skipped], "skipped"),
                            counted(m_counts[Pending], "pending"), counted(m_counts[Other], "other"));
    if (m_flaky > 0)
        text += QCoreApplication::translate("Reporter", ", flaky: %1").arg(m_flaky);
    bool startOk = false;
    bool stopOk = false;
    const double start = value(m_summary, "start").toDouble(&startOk);
    const double stop = value(m_summary, "stop").toDouble(&stopOk);
    if (startOk && stopOk && stop >= start)
        text += QCoreApplication::translate("Reporter", ", duration: %1 ms").arg(stop - start, 0, 'f', 0);
    return text + QLatin1Char('.');
}

bool QACtrfReader::readTests()
{
    return readObjects([this] { return readTest(); });
}

bool QACtrfReader::readTest()
{
    Test test;
    while (m_json->next() == Json::Name) {
        const QString key = m_json->text();
        bool ok = true;
        if (key == QLatin1String("suite")) {
            // "file > describe" or ["file", "describe"].
            if (m_json->next() == Json::String)
                test.suite = m_json->text().split(QStringLiteral(" > "), Qt::SkipEmptyParts);
            else if (m_json->token() == Json::StartArray)
                ok = readStrings(test.suite);
            else
                ok = m_json->skipValue();
        } else if (key == QLatin1String("tags") || key == QLatin1String("stdout") || key == QLatin1String("stderr")) {
            QStringList &list = key == QLatin1String("tags") ? test.tags
                                : key == QLatin1String("stdout") ? test.stdoutLines
                                                                 : test.stderrLines;
            ok = m_json->next() == Json::StartArray ? readStrings(list) : m_json->skipValue();
        } else {
            QString *field = key == QLatin1String("name")       ? &test.name
                             : key == QLatin1String("status")    ? &test.status
                             : key == QLatin1String("rawStatus") ? &test.rawStatus
                             : key == QLatin1String("duration")  ? &test.duration
                             : key == QLatin1String("message")   ? &test.message
                             : key == QLatin1String("trace")     ? &test.trace
                             : key == QLatin1String("filePath")  ? &test.filePath
                             : key == QLatin1String("line")      ? &test.line
                             : key == QLatin1String("retries")   ? &test.retries
                             : key == QLatin1String("flaky")     ? &test.flaky
                             : key == QLatin1String("type")      ? &test.type
                             : key == QLatin1String("browser")   ? &test.browser
                                                                 : nullptr;
            const QString text = m_json->scalar();
            if (field)
                *field = text;
        }
        if (!ok)
            return jsonFailed();
    }
    if (m_json->token() != Json::EndObject)
        return jsonFailed();
    return enterSuites(test.suite) && writeTest(test) && m_builder->progress(m_json->offset());
}

bool QACtrfReader::readStrings(QStringList &strings)
{
    // At the start of an array: its strings, anything else passed over.
    while (m_json->next() != Json::EndArray) {
        if (m_json->token() == Json::String)
            strings << m_json->text();
        else if (!m_json->skipValue())
            return false;
    }
    return true;
}

bool QACtrfReader::enterSuites(const QStringList &path)
{
    qsizetype common = 0;
    while (common < path.size() && common < m_suitePath.size() && path.at(common) == m_suitePath.at(common))
        ++common;
    while (m_suitePath.size() > common) {
        if (!m_builder->closeNode())
            return false;
        m_suitePath.removeLast();
    }
    for (qsizetype i = common; i < path.size(); ++i) {
        if (!m_builder->openSuite(path.at(i), TypeSuite, QCoreApplication::translate("Reporter", "Test suite: %1").arg(path.at(i))))
            return false;
        m_suitePath.append(path.at(i));
    }
    return true;
}

bool QACtrfReader::writeTest(const Test &test)
{
    int status = Other;
    for (int i = 0; i < StatusCount; ++i) {
        if (test.status == QLatin1String(StatusNames[i]))
            status = i;
    }
    ++m_counts[status];
    const bool flaky = test.flaky == QLatin1String("true");
    if (flaky)
        ++m_flaky;
    const QString &state = status == Passed   ? QAResultWords::StateOk
                           : status == Failed ? QAResultWords::StateKo
                                              : QAResultWords::StateNe;
    if (!m_builder->openCase(test.name, TypeCase, state))
        return false;
    QStringList parts;
    QString statusText = test.status.isEmpty() ? QCoreApplication::translate("Reporter", "no status") : test.status;
    if (!test.rawStatus.isEmpty() && test.rawStatus != test.status)
        statusText += QStringLiteral(" (") + test.rawStatus + QLatin1Char(')');
    parts << QCoreApplication::translate("Reporter", "Status %1").arg(statusText);
    if (!test.duration.isEmpty())
        parts << QCoreApplication::translate("Reporter", "duration %1 ms").arg(test.duration);
    if (!test.retries.isEmpty() && test.retries != QLatin1String("0"))
        parts << QCoreApplication::translate("Reporter", "retries %1").arg(test.retries);
    if (flaky)
        parts << QCoreApplication::translate("Reporter", "flaky");
    if (!test.type.isEmpty())
        parts << QCoreApplication::translate("Reporter", "type %1").arg(test.type);
    if (!test.browser.isEmpty())
        parts << QCoreApplication::translate("Reporter", "browser %1").arg(test.browser);
    const bool link = !test.filePath.isEmpty() && !test.line.isEmpty();
    if (!test.filePath.isEmpty() && !link)
        parts << QCoreApplication::translate("Reporter", "file %1").arg(test.filePath);
    QString text = parts.join(QStringLiteral(", "));
    if (link)
        text += QCoreApplication::translate("Reporter", ", source ");
    if (!m_builder->paragraph(QString(), text, link ? test.filePath + QStringLiteral(" line ") + test.line : QString()))
        return false;
    if (!test.tags.isEmpty() && !m_builder->paragraph(QString(), QCoreApplication::translate("Reporter", "Tags: %1.").arg(test.tags.join(QStringLiteral(", ")))))
        return false;
    const QString messageStyle = status == Failed ? QStringLiteral("Normal Failed") : QStringLiteral("Warning");
    const auto block = [&](const QString &style, const QString &label, const QString &body) {
        return body.trimmed().isEmpty()
               || (m_builder->paragraph(style, label) && m_builder->preformatted(body));
    };
    if (!block(messageStyle, QCoreApplication::translate("Reporter", "Message:"), test.message) || !block(QString(), QCoreApplication::translate("Reporter", "Trace:"), test.trace)
        || !block(QString(), QCoreApplication::translate("Reporter", "Standard output:"), test.stdoutLines.join(QLatin1Char('\n')))
        || !block(QString(), QCoreApplication::translate("Reporter", "Standard error:"), test.stderrLines.join(QLatin1Char('\n'))))
        return false;
    return m_builder->closeNode();
}
