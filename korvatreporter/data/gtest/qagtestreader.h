#pragma once

#include "korvatreporter/data/json/qajsonreportreader.h"

#include <QList>
#include <QString>

#include <memory>

class DItem;

// Reads GoogleTest's JSON results in one streaming pass over the file's
// bytes: each entry of "testsuites" becomes a "TestSuite" node, each test
// of its "testsuite" array a "TestCase" node, "ko" with failures, "NE" when
// skipped or disabled, else "ok". Failures show their message, and the
// "file:line" it starts with as a source link.
class QAGTestReader : public QAJsonReportReader
{
public:
    QAGTestReader();
    ~QAGTestReader() override;

private:
    // One test, kept until its object ends.
    struct Test
    {
        QString name;
        QString classname;
        QString file;
        QString line;
        QString status;
        QString result;
        QString time;
        QString parameter;
        QStringList failures;
        QStringList skips;
    };

    // What the file says of the whole run, and what was counted.
    struct Counts
    {
        QString tests;
        QString failures;
        QString disabled;
        QString time;
        QString timestamp;
        qint64 countedTests = 0;
        qint64 countedFailures = 0;
        qint64 countedDisabled = 0;
        qint64 countedSkipped = 0;
    };

    void reset() override;
    bool readRoot() override;
    bool startDocument();
    bool readSuites();
    bool readSuite();
    bool readTests();
    bool readTest();
    bool readMessages(QStringList &messages, const char *key);
    bool writeTest(const Test &test);
    bool writeFailure(const QString &message);
    QString countsText() const;

    Counts m_counts;
    DItem *m_countsItem = nullptr;
    bool m_started = false;
};
