#pragma once

#include "korvatreporter/data/json/qajsonreportreader.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <utility>

class DItem;

// Reads CTRF JSON reports in one streaming pass over the file's bytes. Each
// entry of "results.tests" becomes a "TestCase" node: "ok" when passed, "ko"
// when failed, "NE" when skipped, pending or other. Tests sit in "TestSuite"
// nodes after their "suite" ("file > describe > ...", or an array of the
// same parts): consecutive tests of a common path share its suites. The
// counts of the run are those of the tests read, with the file's summary
// where it says otherwise.
class QACtrfReader : public QAJsonReportReader
{
public:
    QACtrfReader();
    ~QACtrfReader() override;

private:
    using Pairs = QList<std::pair<QString, QString>>;

    // One test, kept until its object ends.
    struct Test
    {
        QString name;
        QString status;
        QString rawStatus;
        QString duration;
        QString message;
        QString trace;
        QString filePath;
        QString line;
        QString retries;
        QString flaky;
        QString type;
        QString browser;
        QStringList suite;
        QStringList tags;
        QStringList stdoutLines;
        QStringList stderrLines;
    };

    // Counted per status, in the order of the summary's keys.
    enum Status { Passed, Failed, Skipped, Pending, Other, StatusCount };

    void reset() override;
    bool readRoot() override;
    bool readResults();
    bool readObject(Pairs &pairs);
    bool startDocument();
    bool readTests();
    bool readTest();
    bool readStrings(QStringList &strings);
    bool enterSuites(const QStringList &path);
    bool writeTest(const Test &test);
    QString countsText() const;

    bool m_started = false;
    Pairs m_tool;
    Pairs m_summary;
    Pairs m_environment;
    DItem *m_countsItem = nullptr;
    qint64 m_counts[StatusCount] = {};
    qint64 m_flaky = 0;
    QStringList m_suitePath; // the suites open now, outermost first
};
