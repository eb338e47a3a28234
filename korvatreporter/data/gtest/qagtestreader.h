#pragma once

#include "korvatreporter/data/qareportreader.h"

#include <QList>
#include <QString>

#include <memory>

class DItem;
class QAJsonPullReader;
class QAResultsBuilder;

// Reads GoogleTest's JSON results in one streaming pass over the file's
// bytes: each entry of "testsuites" becomes a "TestSuite" node, each test
// of its "testsuite" array a "TestCase" node, "ko" with failures, "NE" when
// skipped or disabled, else "ok". Failures show their message, and the
// "file:line" it starts with as a source link.
class QAGTestReader : public QAReportReader
{
public:
    QAGTestReader();
    ~QAGTestReader() override;

    bool read(QFile &file, QAStudioInterface *studio, const QList<DStyle *> &styles,
              QAReporterData &record) override;
    QString errorString() const override { return m_error; }
    bool canceled() const override { return m_canceled; }

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

    bool readRoot();
    bool startDocument();
    bool readSuites();
    bool readSuite();
    bool readTests();
    bool readTest();
    bool readMessages(QStringList &messages, const char *key);
    bool writeTest(const Test &test);
    bool writeFailure(const QString &message);
    QString countsText() const;
    bool jsonFailed();

    QString m_error;
    bool m_canceled = false;
    QString m_fileName;
    QAJsonPullReader *m_json = nullptr;
    QAResultsBuilder *m_builder = nullptr;
    Counts m_counts;
    DItem *m_countsItem = nullptr;
    bool m_started = false;
};
