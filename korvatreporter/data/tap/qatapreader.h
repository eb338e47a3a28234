#pragma once

#include "korvatreporter/data/qareportreader.h"

#include <QString>

#include <vector>

class QAResultsBuilder;
class QStringView;

// Reads TAP (versions 12 to 14, as Perl's harness, node's test runner and
// pytest-tap write it) line by line. Each test point becomes a "TestCase"
// node: "ok" when it passed or failed as a TODO, "ko" when it failed, "NE"
// when skipped. Indented lines are the subtests of the test point that
// follows them, as child nodes; YAML diagnostics go into the text of their
// test; "Bail out!" ends the run with a failed "BailOut" node. A missing
// plan and a count of tests other than planned are told in the text.
class QATapReader : public QAReportReader
{
public:
    QATapReader();
    ~QATapReader() override;

    bool read(QFile &file, QAStudioInterface *studio, const QList<DStyle *> &styles,
              QAReporterData &record) override;
    QString errorString() const override { return m_error; }
    bool canceled() const override { return m_canceled; }

private:
    // One level of indentation: the top level or a subtest's.
    struct Level
    {
        int indent = 0;
        qint64 planned = -1; // -1 while no plan was read
        QString planSkip;
        qint64 tests = 0;
        bool pendingOpen = false; // a finished subtest waits for its test point
    };

    // The test point read last, open while its YAML block may follow.
    struct Point
    {
        bool open = false;
        bool pending = false; // the node of a subtest, opened before its point
        QString state;
        QString name;
    };

    bool readLine(QStringView line, int indent);
    bool testPoint(QStringView line, bool passed);
    bool subtestComment(QStringView rest);
    bool bailOut(QStringView reason);
    bool plan(QStringView line);
    bool enterLevel(int indent);
    bool leaveLevel();
    bool finishPoint();
    bool finishPending();
    bool finishYaml();
    bool planCheck(const Level &level);
    bool finish();
    bool lineError(const QString &text);

    QString m_error;
    bool m_canceled = false;
    QAResultsBuilder *m_builder = nullptr;
    std::vector<Level> m_levels;
    Point m_point;
    QString m_subtestName; // from "# Subtest: NAME", until its first line
    bool m_subtestNamed = false;
    bool m_inYaml = false;
    int m_yamlIndent = 0;
    QString m_yaml; // the YAML block read so far, its lines joined by line breaks
    int m_yamlLines = 0;
    QString m_version;
    qint64 m_lineNumber = 0;
    bool m_bailed = false;
    // Translated words of every failed or skipped test.
    struct Words
    {
        QString source;
        QString diagnostics;
        QString skipped;
        QString skippedBecause;
    } m_words;
};
