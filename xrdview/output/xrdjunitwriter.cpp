#include "xrdview/output/xrdjunitwriter.h"

#include <QHash>

#include <algorithm>
#include <vector>

namespace {

// The cases of one suite of one file, in document order.
struct Suite
{
    QString name;
    QString className;
    QString file;
    std::vector<const QAStTestResult *> tests;
};

QString seconds(double value)
{
    return QString::number(value, 'f', 3);
}

// The suites of `files` in order of first appearance.
std::vector<Suite> suitesOf(const QList<QAStFileResults> &files)
{
    std::vector<Suite> suites;
    for (const QAStFileResults &file : files) {
        QHash<QString, size_t> index;
        for (const QAStTestResult &test : file.tests) {
            auto found = index.constFind(test.suite);
            if (found == index.constEnd()) {
                Suite suite;
                suite.name = test.suite.isEmpty() ? file.document : file.document + QLatin1Char('/') + test.suite;
                suite.className = QString(suite.name).replace(QLatin1Char('/'), QLatin1Char('.'));
                suite.file = file.file;
                found = index.insert(test.suite, suites.size());
                suites.push_back(std::move(suite));
            }
            suites[*found].tests.push_back(&test);
        }
    }
    return suites;
}

// Appends `text` escaped for XML: in an attribute value also quotes and
// the white space an attribute would otherwise lose.
void appendEscaped(QString &out, const QString &text, bool attribute)
{
    const QString safe = XrdJUnitWriter::xmlSafe(text);
    const auto special = [attribute](QChar c) {
        const char16_t u = c.unicode();
        return u == '&' || u == '<' || u == '>' || u == '\r'
               || (attribute && (u == '"' || u == '\n' || u == '\t'));
    };
    if (std::none_of(safe.cbegin(), safe.cend(), special)) {
        out += safe;
        return;
    }
    for (const QChar c : safe) {
        switch (c.unicode()) {
        case '&':
            out += QLatin1String("&amp;");
            break;
        case '<':
            out += QLatin1String("&lt;");
            break;
        case '>':
            out += QLatin1String("&gt;");
            break;
        case '"':
            out += attribute ? QLatin1String("&quot;") : QLatin1String("\"");
            break;
        case '\n':
            out += attribute ? QLatin1String("&#10;") : QLatin1String("\n");
            break;
        case '\r':
            out += QLatin1String("&#13;");
            break;
        case '\t':
            out += attribute ? QLatin1String("&#9;") : QLatin1String("\t");
            break;
        default:
            out += c;
        }
    }
}

void appendAttribute(QString &out, const char *name, const QString &value)
{
    out += QLatin1Char(' ') + QLatin1String(name) + QLatin1String("=\"");
    appendEscaped(out, value, true);
    out += QLatin1Char('"');
}

void writeCase(QString &out, const Suite &suite, const QAStTestResult &test)
{
    out += QLatin1String("    <testcase");
    appendAttribute(out, "name", test.name);
    appendAttribute(out, "classname", suite.className);
    if (test.seconds >= 0)
        appendAttribute(out, "time", seconds(test.seconds));
    if (test.verdict == QAStTestResult::Passed) {
        out += QLatin1String("/>\n");
        return;
    }
    const bool failed = test.verdict == QAStTestResult::Failed;
    out += failed ? QLatin1String(">\n      <failure") : QLatin1String(">\n      <skipped");
    appendAttribute(out, "message", test.message.section(QLatin1Char('\n'), 0, 0));
    if (failed)
        appendAttribute(out, "type", QStringLiteral("ko"));
    // XML reads CR LF in text as LF anyway: lines end with LF alone.
    QString text = QString(test.message).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    if (test.sourceLine >= 0)
        text += (text.isEmpty() ? QString() : QStringLiteral("\n")) + test.sourceFile + QLatin1Char(':')
                + QString::number(test.sourceLine);
    if (text.isEmpty()) {
        out += QLatin1String("/>\n");
    } else {
        out += QLatin1Char('>');
        appendEscaped(out, text, false);
        out += failed ? QLatin1String("</failure>\n") : QLatin1String("</skipped>\n");
    }
    out += QLatin1String("    </testcase>\n");
}

void writeSuite(QString &out, const Suite &suite)
{
    qint64 failures = 0;
    qint64 skipped = 0;
    double time = 0;
    bool timed = false;
    for (const QAStTestResult *test : suite.tests) {
        failures += test->verdict == QAStTestResult::Failed ? 1 : 0;
        skipped += test->verdict == QAStTestResult::Inconclusive ? 1 : 0;
        if (test->seconds >= 0) {
            time += test->seconds;
            timed = true;
        }
    }
    out += QLatin1String("  <testsuite");
    appendAttribute(out, "name", suite.name);
    appendAttribute(out, "tests", QString::number(suite.tests.size()));
    appendAttribute(out, "failures", QString::number(failures));
    appendAttribute(out, "errors", QStringLiteral("0"));
    appendAttribute(out, "skipped", QString::number(skipped));
    if (timed)
        appendAttribute(out, "time", seconds(time));
    appendAttribute(out, "file", suite.file);
    out += QLatin1String(">\n");
    for (const QAStTestResult *test : suite.tests)
        writeCase(out, suite, *test);
    out += QLatin1String("  </testsuite>\n");
}

} // namespace

QString XrdJUnitWriter::xmlSafe(const QString &text)
{
    const auto allowed = [](char32_t c) {
        return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF) || (c >= 0xE000 && c <= 0xFFFD)
               || (c >= 0x10000 && c <= 0x10FFFF);
    };
    bool clean = true;
    for (const QChar c : text) {
        if (c.isSurrogate() || !allowed(c.unicode())) {
            clean = false;
            break;
        }
    }
    if (clean)
        return text;
    QString out;
    out.reserve(text.size());
    for (const char32_t c : text.toUcs4()) {
        if (allowed(c))
            out += QString::fromUcs4(&c, 1);
    }
    return out;
}

QByteArray XrdJUnitWriter::write(const QList<QAStFileResults> &files)
{
    qint64 tests = 0;
    qint64 failures = 0;
    for (const QAStFileResults &file : files) {
        tests += file.tests.size();
        for (const QAStTestResult &test : file.tests)
            failures += test.verdict == QAStTestResult::Failed ? 1 : 0;
    }
    // Written by hand rather than with QXmlStreamWriter, which takes a
    // third of the time of reading a large report to encode piece by piece.
    QString out = QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<testsuites");
    appendAttribute(out, "name", QStringLiteral("xrdview"));
    appendAttribute(out, "tests", QString::number(tests));
    appendAttribute(out, "failures", QString::number(failures));
    appendAttribute(out, "errors", QStringLiteral("0"));
    out += QLatin1String(">\n");
    for (const Suite &suite : suitesOf(files))
        writeSuite(out, suite);
    out += QLatin1String("</testsuites>\n");
    return out.toUtf8();
}
