// The window's full exportHTML, with the host's export directory, pixmap directory and
// monitors. (The current document's export: tests/xrdview/tst_xrdexportdialog.)

#include "korvatreporter/data/qareporterdata.h"
#include "korvatreporter/document/qareporterfilter.h"
#include "korvatreporter/document/qareporterfilteredlist.h"
#include "korvatreporter/document/qareporterfilterwriter.h"
#include "korvatreporter/export/qareporterhtmlexport.h"
#include "korvatreporter/prefs/qareporterprefstyles.h"
#include "korvatreporter/session/qareportsession.h"
#include "korvatreporter/window/qareporterstate.h"
#include "rendoc/model/ddocument.h"
#include "rendoc/model/dupdater.h"
#include "tests/support/recordinglog.h"
#include "tests/support/reporterhost.h"
#include "tests/support/testfiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using TestFiles::example;

class TestReporterExport : public QObject
{
    Q_OBJECT

    ReporterHost m_host;
    QTemporaryDir m_exportDir;

private Q_SLOTS:
    void initTestCase()
    {
        m_host.setUp();
        m_host.studio.setExportDirectory(m_exportDir.path());
        m_host.studio.setSearchPath(QStringLiteral(KORVAT_EXAMPLES));
    }

    // The full export follows the window's filter and the host's configuration, and writes
    // the linked report and the summary too. (Progress and cancelling: tst_qareporterhtmlwriter.)
    void exportHTML()
    {
        const QString cfg = QDir(m_exportDir.path()).filePath(QStringLiteral("dhtml.cfg"));
        QVERIFY(TestFiles::writeFile(cfg, ".htm\n"));
        auto w = ReporterHost::open({example("campaign.xrd"), example("smoke.xrd")});
        w->failedtests();
        QTemporaryDir out;
        RecordingLog log;
        w->exportHTML(out.path(), QString(), nullptr, &log);
        QVERIFY2(log.lines.isEmpty(), qPrintable(log.lines.join('\n')));
        QCOMPARE(QDir(out.path()).entryList(QDir::Files),
                 (QStringList{"campaign.htm", "index.htm", "regression.htm", "smoke.htm"}));
        const QString campaign = TestFiles::readText(QDir(out.path()).filePath(QStringLiteral("campaign.htm")));
        QVERIFY(campaign.contains(QLatin1String("nested lists")));
        QVERIFY(!campaign.contains(QLatin1String("empty input"))); // a passed test, filtered out
        QVERIFY(QFile::remove(cfg));
    }

    // With nothing filtered out the window shows its records themselves; the full export of
    // them writes the very pages that complete copies of the records gave: same node
    // anchors and outline, same links between the reports, same summary.
    void exportOfRecordsShownAsTheyAre()
    {
        QAReporterState::setFailedOnly(false);
        auto w = ReporterHost::open({example("campaign.xrd"), example("regression.xrd"), example("smoke.xrd")});
        QList<QAReporterData*> records;
        for (const auto& record : w->reportSession()->records())
            records << record.get();
        QCOMPARE(w->reportSession()->shownList()->records(), records);
        QTemporaryDir shared;
        w->exportHTML(shared.path(), QString(), nullptr, nullptr);

        const QAReporterFilter none;
        std::vector<std::unique_ptr<QAReporterData>> owned;
        QList<QAReporterData*> copies;
        DUpdater updater;
        for (QAReporterData* record : std::as_const(records)) {
            QAReporterFilterWriter writer(&none);
            writer.run(record->dataTree, record->document);
            auto copy = std::make_unique<QAReporterData>();
            copy->fileName = record->fileName;
            copy->dataTree = writer.takeNewTree();
            copy->document = writer.takeDocument();
            updater.doItemList(copy->document);
            copies << copy.get();
            owned.push_back(std::move(copy));
        }
        QTemporaryDir copied;
        QAReporterHTMLExport exporter(copied.path(), QDir(m_exportDir.path()).filePath(QStringLiteral("dhtml.cfg")),
                                      QStringLiteral(KORVAT_EXAMPLES));
        exporter.setReadContext({&m_host.studio, m_host.pref->stylesPage()->styles()});
        exporter.run(records, &copies, w->headerView()->getCurrentDoc(), nullptr, nullptr);

        const QStringList pages = QDir(copied.path()).entryList(QDir::Files);
        QVERIFY(pages.contains(QStringLiteral("campaign.html")));
        QCOMPARE(QDir(shared.path()).entryList(QDir::Files), pages);
        for (const QString& page : pages)
            QCOMPARE(TestFiles::readText(QDir(shared.path()).filePath(page)),
                     TestFiles::readText(QDir(copied.path()).filePath(page)));
    }
};

QTEST_MAIN(TestReporterExport)
#include "tst_qareporterexport.moc"
