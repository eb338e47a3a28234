#include "korvatreporter/export/qareporterpagetotals.h"

#include "korvatreporter/data/qareporterdata.h"
#include "korvatreporter/data/qareportertotal.h"

#include <QCoreApplication>
#include <QFileInfo>

DHTMLTotals QAReporterPageTotals::of(const QAReporterData& record, bool showFlaky, bool showInconclusive)
{
    // The summary header's texts, so that the page and the summary read alike.
    QStringList heading{QCoreApplication::translate("Reporter", "Name"),
                        QCoreApplication::translate("Reporter", "Status"),
                        QCoreApplication::translate("Reporter", "Failed"),
                        QCoreApplication::translate("Reporter", "Passed")};
    const bool failed = record.failed != 0;
    QStringList cells{QFileInfo(record.fileName).fileName(),
                      failed ? QCoreApplication::translate("Reporter", "Failed")
                             : QCoreApplication::translate("Reporter", "Passed"),
                      QString::number(record.failed), QString::number(record.passed)};
    qint64 total = QAReporterTotal::add(record.failed, record.passed);
    // Flaky cases are among the passed ones: the column does not add to the total.
    if (showFlaky) {
        heading << QCoreApplication::translate("Reporter", "Flaky");
        cells << QString::number(record.flaky);
    }
    if (showInconclusive) {
        const qint64 inconclusive = record.inconclusive > 0 ? record.inconclusive : 0;
        heading << QCoreApplication::translate("Reporter", "Inconclusive");
        cells << QString::number(inconclusive);
        total = QAReporterTotal::add(total, inconclusive);
    }
    heading << QCoreApplication::translate("Reporter", "Total");
    cells << QString::number(total);
    DHTMLTotals totals;
    totals.setHeading(heading);
    totals.addRow(cells, failed);
    return totals;
}
