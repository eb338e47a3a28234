#include "xrdview/output/xrdctrfwriter.h"

#include <QCoreApplication>

#include <cmath>

namespace {

QString statusOf(QAStTestResult::Verdict verdict)
{
    switch (verdict) {
    case QAStTestResult::Passed:
        return QStringLiteral("passed");
    case QAStTestResult::Failed:
        return QStringLiteral("failed");
    case QAStTestResult::Inconclusive:
        break;
    }
    return QStringLiteral("skipped");
}

QString rawStatusOf(QAStTestResult::Verdict verdict)
{
    return verdict == QAStTestResult::Passed   ? QStringLiteral("ok")
           : verdict == QAStTestResult::Failed ? QStringLiteral("ko")
                                               : QStringLiteral("NE");
}

// `text` as a JSON string: quotes, backslashes and control characters
// escaped, everything else as it is (the document is UTF-8).
QString quoted(const QString &text)
{
    QString out;
    out.reserve(text.size() + 2);
    out += QLatin1Char('"');
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u == '"' || u == '\\') {
            out += QLatin1Char('\\') + c;
        } else if (u == '\n') {
            out += QLatin1String("\\n");
        } else if (u == '\r') {
            out += QLatin1String("\\r");
        } else if (u == '\t') {
            out += QLatin1String("\\t");
        } else if (u < 0x20 || c.isSurrogate()) {
            // Lone surrogates would not survive the UTF-8 encoding.
            out += QStringLiteral("\\u%1").arg(uint(u), 4, 16, QLatin1Char('0'));
        } else {
            out += c;
        }
    }
    out += QLatin1Char('"');
    return out;
}

// One "key": value line at `indent` levels of four spaces.
void member(QString &out, int indent, const char *key, const QString &value, bool last = false)
{
    out += QString(4 * indent, QLatin1Char(' ')) + QLatin1Char('"') + QLatin1String(key)
           + QLatin1String("\": ") + value + (last ? QLatin1String("\n") : QLatin1String(",\n"));
}

void writeTest(QString &out, const QAStFileResults &file, const QAStTestResult &test, bool last)
{
    out += QLatin1String("            {\n");
    const qint64 duration = test.seconds >= 0 ? std::llround(test.seconds * 1000) : 0;
    member(out, 4, "duration", QString::number(duration));
    member(out, 4, "extra", QStringLiteral("{ \"report\": %1 }").arg(quoted(file.file)));
    if (test.sourceLine >= 0) {
        member(out, 4, "filePath", quoted(test.sourceFile));
        member(out, 4, "line", QString::number(test.sourceLine));
    }
    if (!test.message.isEmpty())
        member(out, 4, "message", quoted(test.message));
    // The schema wants a name of at least one character.
    member(out, 4, "name",
           quoted(test.name.isEmpty() ? QCoreApplication::translate("XrdCtrfWriter", "(no name)") : test.name));
    member(out, 4, "rawStatus", quoted(rawStatusOf(test.verdict)));
    member(out, 4, "status", quoted(statusOf(test.verdict)));
    QString suite = QLatin1Char('[') + quoted(file.document);
    if (!test.suite.isEmpty()) {
        for (const QString &part : test.suite.split(QLatin1Char('/')))
            suite += QStringLiteral(", ") + quoted(part);
    }
    member(out, 4, "suite", suite + QLatin1Char(']'), true);
    out += last ? QLatin1String("            }\n") : QLatin1String("            },\n");
}

} // namespace

QByteArray XrdCtrfWriter::write(const QList<QAStFileResults> &files)
{
    qint64 counts[3] = {0, 0, 0};
    qint64 total = 0;
    for (const QAStFileResults &file : files) {
        for (const QAStTestResult &test : file.tests)
            ++counts[test.verdict];
        total += file.tests.size();
    }
    // Written by hand: a QJsonDocument of a large report costs more than
    // reading the report.
    QString out = QStringLiteral("{\n");
    member(out, 1, "generatedBy", QStringLiteral("\"xrdview\""));
    member(out, 1, "reportFormat", QStringLiteral("\"CTRF\""));
    out += QLatin1String("    \"results\": {\n        \"summary\": {\n");
    member(out, 3, "failed", QString::number(counts[QAStTestResult::Failed]));
    member(out, 3, "other", QStringLiteral("0"));
    member(out, 3, "passed", QString::number(counts[QAStTestResult::Passed]));
    member(out, 3, "pending", QStringLiteral("0"));
    member(out, 3, "skipped", QString::number(counts[QAStTestResult::Inconclusive]));
    member(out, 3, "start", QStringLiteral("0"));
    member(out, 3, "stop", QStringLiteral("0"));
    member(out, 3, "tests", QString::number(total), true);
    out += QLatin1String("        },\n        \"tests\": [\n");
    qint64 written = 0;
    for (const QAStFileResults &file : files) {
        for (const QAStTestResult &test : file.tests)
            writeTest(out, file, test, ++written == total);
    }
    out += QLatin1String("        ],\n        \"tool\": { \"name\": \"xrdview\" }\n    },\n");
    member(out, 1, "specVersion", QStringLiteral("\"0.0.0\""), true);
    out += QLatin1String("}\n");
    return out.toUtf8();
}
