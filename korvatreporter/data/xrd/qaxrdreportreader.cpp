#include "korvatreporter/data/xrd/qaxrdreportreader.h"

#include "korvatreporter/data/qareporterdata.h"
#include "korvatreporter/data/xrd/qastxmlrodhandler.h"
#include "korvatreporter/data/xrd/qastxmlrodreader.h"

#include <QFile>

bool QAXrdReportReader::read(QFile &file, QAStudioInterface *studio, const QList<DStyle *> &styles,
                             QAReporterData &record)
{
    QAstXmlRodReader reader;
    reader.rodHandler()->setStyles(styles);
    reader.rodHandler()->setTotalsOnly(totalsOnly());
    reader.rodHandler()->setTestsOnly(testsOnly() && !totalsOnly());
    reader.rodHandler()->setTreeOnly(treeOnly());
    if (testsOnly() && !totalsOnly())
        reader.rodHandler()->setTestsListed(testsListed(), record.fileName);
    m_canceled = false;
    if (!reader.parse(&file, &file, studio)) {
        m_error = reader.errorDescription();
        m_canceled = reader.canceled();
        return false;
    }
    m_error.clear();
    record.document = std::unique_ptr<DDocument>(reader.takeDocument());
    record.dataTree = std::unique_ptr<QAReporterDataTree>(reader.takeDataTree());
    record.documentName = reader.rodHandler()->documentName();
    if (testsOnly() && !totalsOnly()) {
        // Handed over as listed: the record keeps the batches, which testResults() turns into
        // tests only when asked.
        if (testsListed())
            record.listed = reader.rodHandler()->takeListedTests();
        else
            record.tests = reader.rodHandler()->takeTests();
        record.testsListed = true;
        record.hasFailedCase = reader.rodHandler()->hasFailedCase();
    }
    record.types = reader.types();
    record.passed = reader.passed();
    record.failed = reader.failed();
    record.inconclusive = reader.inconclusive();
    return true;
}
