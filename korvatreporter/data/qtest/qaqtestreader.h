#pragma once

#include "korvatreporter/data/qaxmlreportreader.h"

class DItem;

// Reads Qt Test's XML and lightxml output in one streaming pass. The test
// object (root "TestCase", or the lightxml stream) becomes a "TestSuite"
// node, each test function a "TestCase" node and each data tag of a
// data-driven function a "TestCase" node under it. Incidents give the
// verdicts: "pass" and "xfail" ok, "fail" and "xpass" ko, "skip" and the
// blacklisted ones NE, the worst one winning. Incidents with a text,
// messages and benchmark results go into the node's text, failures with a
// link to their source line. The totals count data rows, and functions
// without rows.
class QAQtTestReader : public QAXmlReportReader
{
public:
    QAQtTestReader();

protected:
    QByteArray wrapperElement(const QByteArray &head) const override;
    bool startRoot(QStringView name, const DAmlAttributes &atts, const QFileInfo &file) override;
    bool startElement(QStringView name, const DAmlAttributes &atts) override;
    bool endElement(QStringView name) override;
    void reset() override;

private:
    // An incident or a message, kept from its start tag to its end tag.
    struct Entry
    {
        bool message = false;
        QString type;
        QString file;
        QString line;
        QString tag;
        QString description;
    };

    bool startFunction(const QString &name);
    bool endFunction();
    bool endEntry();
    // Makes the row of `tag` current: ends the one before, starts a new one
    // (none for an empty tag).
    bool toRow(const QString &tag);
    bool closeRow();
    bool writeEntry(const Entry &entry, const QString &state);
    bool writeBenchmark(const DAmlAttributes &atts);
    bool writeEnvironment();
    bool endSuite();

    QAReporterNode *m_suite = nullptr;
    QString m_suiteState;
    QString m_suiteDuration;
    bool m_inEnvironment = false;
    QString m_qtVersion;
    QString m_qtBuild;
    QString m_testVersion;
    bool m_inFunction = false;
    bool m_inEntry = false;
    Entry m_entry;
    QString m_functionState;
    DItem *m_functionTitle = nullptr;
    DItem *m_functionBefore = nullptr; // the last item before the function's title
    int m_functionLevel = 0;
    bool m_hadRows = false;
    bool m_inRow = false;
    QString m_rowTag;
    QString m_rowState;
    DItem *m_rowTitle = nullptr;
    QString m_durationText; // "Duration: %1 ms.", translated
};
