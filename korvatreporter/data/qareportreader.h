#pragma once

#include "sdk/qastreportsession.h"

#include <QList>
#include <QString>

class DStyle;
class QAReporterData;
class QAStudioInterface;
class QFile;

// Reads one report file of one format into a QAReporterData record: the
// node tree, the document built with the given report styles, the node
// types and the verdict totals. A reader reads one file.
class QAReportReader
{
public:
    virtual ~QAReportReader();

    // Reads the open `file` into `record` (whose fileName is left as it is).
    // With a studio, its progress display follows the read and its cancel
    // button stops it. False when the file does not parse or was canceled, with errorString() telling why;
    // the record then holds nothing of the file.
    virtual bool read(QFile &file, QAStudioInterface *studio, const QList<DStyle *> &styles,
                      QAReporterData &record) = 0;
    // Why the last read failed, with the place in the file when known; empty
    // after a successful read.
    virtual QString errorString() const = 0;
    // True when the last read stopped because the user pressed the cancel
    // button of the studio's progress display.
    virtual bool canceled() const = 0;

    // Asks for the totals and types only: a reader that can may then leave
    // the record's tree and documents empty, while still refusing every file
    // a full read refuses. Readers that cannot ignore it and read in full.
    void setTotalsOnly(bool totalsOnly) { m_totalsOnly = totalsOnly; }
    bool totalsOnly() const { return m_totalsOnly; }
    // Asks for the tests and totals only: a reader that can may then list
    // the tests in QAReporterData::tests (with testsListed set) and give the
    // first document's name in QAReporterData::documentName, keeping neither
    // tree nor documents. Readers that cannot read in full.
    void setTestsOnly(bool testsOnly) { m_testsOnly = testsOnly; }
    bool testsOnly() const { return m_testsOnly; }
    // Asks for the node tree, totals and types only: a reader that can may
    // then leave the record's documents empty (the nodes anchored nowhere),
    // while still refusing every file a full read refuses. Readers that
    // cannot read in full. The two requests above take precedence: true
    // only when neither of them was made.
    void setTreeOnly(bool treeOnly) { m_treeOnly = treeOnly; }
    bool treeOnly() const { return m_treeOnly && !m_totalsOnly && !m_testsOnly; }
    // Tests only: a reader that lists the tests may also hand them to
    // `listener` as it goes (see QAStReportSession::setTestsListed), and
    // then keeps them in QAReporterData::listed instead of tests.
    void setTestsListed(QAStReportSession::TestsListed listener) { m_testsListed = std::move(listener); }
    const QAStReportSession::TestsListed &testsListed() const { return m_testsListed; }

private:
    bool m_totalsOnly = false;
    bool m_testsOnly = false;
    bool m_treeOnly = false;
    QAStReportSession::TestsListed m_testsListed;
};
