#include "sdk/qastreportsession.h"

#include <QHash>
#include <QPair>

QAStReportSession::~QAStReportSession() = default;

void QAStReportSession::setTotalsOnly(bool totalsOnly)
{
    Q_UNUSED(totalsOnly);
}

void QAStReportSession::setTestsOnly(bool testsOnly)
{
    Q_UNUSED(testsOnly);
}

void QAStReportSession::setTreeOnly(bool treeOnly)
{
    Q_UNUSED(treeOnly);
}

void QAStReportSession::setTestsListed(TestsListed listener)
{
    Q_UNUSED(listener);
}

QList<QAStTestResult> QAStReportSession::testResults() const
{
    return {};
}

QList<QAStFileResults> QAStReportSession::fileResults() const
{
    return {};
}

QList<QAStTestResult> QAStReportSession::detailedTestResults() const
{
    QList<QAStTestResult> tests = testResults();
    QHash<QPair<QString, QString>, const QAStTestResult*> cases;
    const QList<QAStFileResults> files = fileResults();
    for (const QAStFileResults& file : files) {
        for (const QAStTestResult& test : file.tests)
            cases.insert({ test.document, test.path }, &test);
    }
    if (cases.isEmpty())
        return tests;
    for (QAStTestResult& test : tests) {
        const QAStTestResult* found = cases.value({ test.document, test.path });
        if (!found)
            continue;
        test.message = found->message;
        test.seconds = found->seconds;
        test.suite = found->suite;
        test.name = found->name;
        test.sourceFile = found->sourceFile;
        test.sourceLine = found->sourceLine;
    }
    return tests;
}

QList<QAStTestResult> QAStReportSession::unlistedTestResults(QStringList* superseded) const
{
    if (superseded)
        superseded->clear();
    return detailedTestResults();
}

bool QAStReportSession::recognises(const QString& file) const
{
    Q_UNUSED(file);
    return true;
}
