#include "xrdview/output/xrdjunitwriter.h"

#include <QHash>
#include <QXmlStreamWriter>

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

void writeCase(QXmlStreamWriter &xml, const Suite &suite, const QAStTestResult &test)
{
    xml.writeStartElement(QStringLiteral("testcase"));
    xml.writeAttribute(QStringLiteral("name"), XrdJUnitWriter::xmlSafe(test.name));
    xml.writeAttribute(QStringLiteral("classname"), XrdJUnitWriter::xmlSafe(suite.className));
    if (test.seconds >= 0)
        xml.writeAttribute(QStringLiteral("time"), seconds(test.seconds));
    if (test.verdict != QAStTestResult::Passed) {
        const bool failed = test.verdict == QAStTestResult::Failed;
        xml.writeStartElement(failed ? QStringLiteral("failure") : QStringLiteral("skipped"));
        const QString message = XrdJUnitWriter::xmlSafe(test.message);
        xml.writeAttribute(QStringLiteral("message"), message.section(QLatin1Char('\n'), 0, 0));
        if (failed)
            xml.writeAttribute(QStringLiteral("type"), QStringLiteral("ko"));
        // XML reads CR LF in text as LF anyway: lines end with LF alone.
        QString text = QString(message).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        if (test.sourceLine >= 0)
            text += (text.isEmpty() ? QString() : QStringLiteral("\n"))
                    + XrdJUnitWriter::xmlSafe(test.sourceFile) + QLatin1Char(':') + QString::number(test.sourceLine);
        if (!text.isEmpty())
            xml.writeCharacters(text);
        xml.writeEndElement();
    }
    xml.writeEndElement();
}

void writeSuite(QXmlStreamWriter &xml, const Suite &suite)
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
    xml.writeStartElement(QStringLiteral("testsuite"));
    xml.writeAttribute(QStringLiteral("name"), XrdJUnitWriter::xmlSafe(suite.name));
    xml.writeAttribute(QStringLiteral("tests"), QString::number(suite.tests.size()));
    xml.writeAttribute(QStringLiteral("failures"), QString::number(failures));
    xml.writeAttribute(QStringLiteral("errors"), QStringLiteral("0"));
    xml.writeAttribute(QStringLiteral("skipped"), QString::number(skipped));
    if (timed)
        xml.writeAttribute(QStringLiteral("time"), seconds(time));
    xml.writeAttribute(QStringLiteral("file"), XrdJUnitWriter::xmlSafe(suite.file));
    for (const QAStTestResult *test : suite.tests)
        writeCase(xml, suite, *test);
    xml.writeEndElement();
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
    QByteArray out;
    QXmlStreamWriter xml(&out);
    xml.setAutoFormatting(true);
    xml.setAutoFormattingIndent(2);
    xml.writeStartDocument();
    qint64 tests = 0;
    qint64 failures = 0;
    for (const QAStFileResults &file : files) {
        tests += file.tests.size();
        for (const QAStTestResult &test : file.tests)
            failures += test.verdict == QAStTestResult::Failed ? 1 : 0;
    }
    xml.writeStartElement(QStringLiteral("testsuites"));
    xml.writeAttribute(QStringLiteral("name"), QStringLiteral("xrdview"));
    xml.writeAttribute(QStringLiteral("tests"), QString::number(tests));
    xml.writeAttribute(QStringLiteral("failures"), QString::number(failures));
    xml.writeAttribute(QStringLiteral("errors"), QStringLiteral("0"));
    for (const Suite &suite : suitesOf(files))
        writeSuite(xml, suite);
    xml.writeEndElement();
    xml.writeEndDocument();
    return out;
}
