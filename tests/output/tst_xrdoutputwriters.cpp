#include "xrdview/output/xrdctrfwriter.h"
#include "xrdview/output/xrdgithubwriter.h"
#include "xrdview/output/xrdjunitwriter.h"
#include "xrdview/output/xrdmarkdownwriter.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>
#include <QXmlStreamReader>

namespace {

QAStTestResult result(const QString &suite, const QString &name, QAStTestResult::Verdict verdict,
                      const QString &message = QString())
{
    QAStTestResult test;
    test.document = QStringLiteral("doc");
    test.suite = suite;
    test.name = name;
    test.path = suite.isEmpty() ? name : suite + QLatin1Char('/') + name;
    test.verdict = verdict;
    test.message = message;
    return test;
}

QList<QAStFileResults> oneFile(const QList<QAStTestResult> &tests)
{
    QAStFileResults file;
    file.file = QStringLiteral("r.xrd");
    file.document = QStringLiteral("doc");
    file.tests = tests;
    for (const QAStTestResult &test : tests) {
        file.totals.passed += test.verdict == QAStTestResult::Passed ? 1 : 0;
        file.totals.failed += test.verdict == QAStTestResult::Failed ? 1 : 0;
    }
    return {file};
}

} // namespace

// The writers of the CI outputs on results built in memory: escaping of
// awkward names and messages in each format, the grouping into JUnit suites,
// and the caps of the job summary and the annotations.
class tst_XrdOutputWriters : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void escaping_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("githubData");
        QTest::addColumn<QString>("githubProperty");
        QTest::addColumn<QString>("markdown");
        QTest::addColumn<QString>("xml"); // what XML keeps of it
        const auto row = [](const char *name, const QString &text, const char *data, const char *property,
                            const QString &markdown, const QString &xml) {
            QTest::newRow(name) << text << QString::fromUtf8(data) << QString::fromUtf8(property) << markdown << xml;
        };
        row("plain", "plain words", "plain words", "plain words", "plain words", "plain words");
        row("quotes", "say \"hi\" 'x'", "say \"hi\" 'x'", "say \"hi\" 'x'", "say \"hi\" 'x'", "say \"hi\" 'x'");
        row("markup", "a<b> & c|d", "a<b> & c|d", "a<b> & c|d", "a\\<b\\> \\& c\\|d", "a<b> & c|d");
        row("percent first", "100% %0A", "100%25 %250A", "100%25 %250A", "100% %0A", "100% %0A");
        row("newlines", "one\r\ntwo\nthree", "one%0D%0Atwo%0Athree", "one%0D%0Atwo%0Athree", "one  two three",
            "one\r\ntwo\nthree");
        row("workflow command", "::error::x, y: z", "::error::x, y: z", "%3A%3Aerror%3A%3Ax%2C y%3A z",
            "::error::x, y: z", "::error::x, y: z");
        row("non-ASCII", QStringLiteral("Ünïcödé 日本語 😀"), "Ünïcödé 日本語 😀", "Ünïcödé 日本語 😀",
            QStringLiteral("Ünïcödé 日本語 😀"), QStringLiteral("Ünïcödé 日本語 😀"));
        row("controls", QStringLiteral("a\x01" "b\x1f" "c\tend"), "a\x01" "b\x1f" "c\tend", "a\x01" "b\x1f" "c\tend",
            QStringLiteral("a\x01" "b\x1f" "c end"), QStringLiteral("abc\tend"));
        row("backticks and stars", "`code` *em* _u_", "`code` *em* _u_", "`code` *em* _u_",
            "\\`code\\` \\*em\\* \\_u\\_", "`code` *em* _u_");
    }

    // Each format's escaping, and that JUnit and CTRF read back what was written.
    void escaping()
    {
        QFETCH(QString, text);
        QFETCH(QString, xml);
        QTEST(XrdGithubWriter::escapedData(text), "githubData");
        QTEST(XrdGithubWriter::escapedProperty(text), "githubProperty");
        QTEST(XrdMarkdownWriter::escaped(text), "markdown");

        const QList<QAStFileResults> files = oneFile({result(text, text, QAStTestResult::Failed, text)});
        QXmlStreamReader reader(XrdJUnitWriter::write(files));
        QString name;
        QString failure;
        while (!reader.atEnd()) {
            if (reader.readNext() != QXmlStreamReader::StartElement)
                continue;
            if (reader.name() == QLatin1String("testcase"))
                name = reader.attributes().value(QLatin1String("name")).toString();
            else if (reader.name() == QLatin1String("failure"))
                failure = reader.readElementText();
        }
        QVERIFY2(!reader.hasError(), qPrintable(reader.errorString()));
        QCOMPARE(name, xml);
        // XML reads a CR LF in text as LF: the writer puts LF alone.
        QCOMPARE(failure, QString(xml).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));

        const QJsonObject test = QJsonDocument::fromJson(XrdCtrfWriter::write(files))
                                     .object()[QLatin1String("results")][QLatin1String("tests")][0]
                                     .toObject();
        QCOMPARE(test[QLatin1String("name")].toString(), text);
        QCOMPARE(test[QLatin1String("message")].toString(), text);
        QCOMPARE(test[QLatin1String("suite")].toArray().last().toString(), text.split(QLatin1Char('/')).last());
    }

    void markdownFence()
    {
        QCOMPARE(XrdMarkdownWriter::fenceFor(QStringLiteral("no ticks")), QStringLiteral("```"));
        QCOMPARE(XrdMarkdownWriter::fenceFor(QStringLiteral("a ```` b ``")), QStringLiteral("`````"));
    }

    // Cases of one suite split by another suite's cases still form one
    // suite, in order of first appearance, with its own counts.
    void junitSuites()
    {
        const QByteArray xml = XrdJUnitWriter::write(oneFile({
            result("s1", "a", QAStTestResult::Passed),
            result("s2", "b", QAStTestResult::Failed, "bad"),
            result("s1", "c", QAStTestResult::Inconclusive, "not run"),
        }));
        QXmlStreamReader reader(xml);
        QStringList seen;
        while (!reader.atEnd()) {
            if (reader.readNext() != QXmlStreamReader::StartElement)
                continue;
            const QXmlStreamAttributes atts = reader.attributes();
            if (reader.name() == QLatin1String("testsuite"))
                seen << QStringLiteral("%1:%2/%3/%4")
                            .arg(atts.value(QLatin1String("name")), atts.value(QLatin1String("tests")),
                                 atts.value(QLatin1String("failures")), atts.value(QLatin1String("skipped")));
            else if (reader.name() == QLatin1String("testcase"))
                seen << atts.value(QLatin1String("name")).toString();
        }
        QCOMPARE(seen, QStringList({"doc/s1:2/0/1", "a", "c", "doc/s2:1/1/0", "b"}));
    }

    void markdownLimit()
    {
        QList<QAStTestResult> tests;
        const QString longMessage = QString(250, QLatin1Char('x')) + QStringLiteral("\nsecond line");
        for (int i = 0; i < 3000; ++i)
            tests << result(QStringLiteral("suite"), QStringLiteral("case %1").arg(i), QAStTestResult::Failed,
                            longMessage);
        const qsizetype limit = 64 * 1024;
        const QByteArray out = XrdMarkdownWriter::write(oneFile(tests), limit);
        QVERIFY(out.size() <= limit);
        const qsizetype shown = out.count("#### ");
        QVERIFY(shown > 10);
        QVERIFY2(out.contains(QByteArray::number(3000 - shown) + " more failed tests left out"), out.right(200));
    }

    void githubCap()
    {
        QList<QAStTestResult> tests;
        for (int i = 0; i < 60; ++i)
            tests << result(QString(), QStringLiteral("f%1").arg(i), QAStTestResult::Failed);
        for (int i = 0; i < 5; ++i)
            tests << result(QString(), QStringLiteral("n%1").arg(i), QAStTestResult::Inconclusive);
        tests << result(QString(), QStringLiteral("p"), QAStTestResult::Passed);
        tests[0].sourceFile = QStringLiteral("src/a.c");
        tests[0].sourceLine = 12;
        const QList<QByteArray> lines = XrdGithubWriter::write(oneFile(tests)).split('\n');
        QCOMPARE(lines.size(), XrdGithubWriter::MaxAnnotations + 2); // the notice, and the empty last
        QCOMPARE(lines.first(), QByteArray("::error file=src/a.c,line=12,title=r.xrd%3A f0::Test failed: f0"));
        QCOMPARE(lines.at(XrdGithubWriter::MaxAnnotations),
                 QByteArray("::notice::15 more failed or inconclusive tests are not annotated."));
    }
};

QTEST_GUILESS_MAIN(tst_XrdOutputWriters)
#include "tst_xrdoutputwriters.moc"
