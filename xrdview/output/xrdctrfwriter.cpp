#include "xrdview/output/xrdctrfwriter.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

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

QJsonObject testOf(const QAStFileResults &file, const QAStTestResult &test)
{
    QJsonObject object;
    // The schema wants a name of at least one character.
    object.insert(QStringLiteral("name"),
                  test.name.isEmpty() ? QCoreApplication::translate("XrdCtrfWriter", "(no name)") : test.name);
    object.insert(QStringLiteral("status"), statusOf(test.verdict));
    object.insert(QStringLiteral("rawStatus"), rawStatusOf(test.verdict));
    object.insert(QStringLiteral("duration"), test.seconds >= 0 ? double(std::llround(test.seconds * 1000)) : 0.0);
    QJsonArray suite{file.document};
    if (!test.suite.isEmpty()) {
        for (const QString &part : test.suite.split(QLatin1Char('/')))
            suite.append(part);
    }
    object.insert(QStringLiteral("suite"), suite);
    if (!test.message.isEmpty())
        object.insert(QStringLiteral("message"), test.message);
    if (test.sourceLine >= 0) {
        object.insert(QStringLiteral("filePath"), test.sourceFile);
        object.insert(QStringLiteral("line"), double(test.sourceLine));
    }
    object.insert(QStringLiteral("extra"), QJsonObject{{QStringLiteral("report"), file.file}});
    return object;
}

} // namespace

QByteArray XrdCtrfWriter::write(const QList<QAStFileResults> &files)
{
    QJsonArray tests;
    qint64 counts[3] = {0, 0, 0};
    for (const QAStFileResults &file : files) {
        for (const QAStTestResult &test : file.tests) {
            tests.append(testOf(file, test));
            ++counts[test.verdict];
        }
    }
    const QJsonObject summary{
        {QStringLiteral("tests"), double(tests.size())},
        {QStringLiteral("passed"), double(counts[QAStTestResult::Passed])},
        {QStringLiteral("failed"), double(counts[QAStTestResult::Failed])},
        {QStringLiteral("skipped"), double(counts[QAStTestResult::Inconclusive])},
        {QStringLiteral("pending"), 0},
        {QStringLiteral("other"), 0},
        {QStringLiteral("start"), 0},
        {QStringLiteral("stop"), 0},
    };
    const QJsonObject tool{{QStringLiteral("name"), QStringLiteral("xrdview")}};
    const QJsonObject results{
        {QStringLiteral("tool"), tool}, {QStringLiteral("summary"), summary}, {QStringLiteral("tests"), tests}};
    const QJsonObject report{{QStringLiteral("reportFormat"), QStringLiteral("CTRF")},
                             {QStringLiteral("specVersion"), QStringLiteral("0.0.0")},
                             {QStringLiteral("generatedBy"), QStringLiteral("xrdview")},
                             {QStringLiteral("results"), results}};
    return QJsonDocument(report).toJson(QJsonDocument::Indented);
}
