// What an HTML export may write for what it reads: popups nested and linked many times are
// written once each, and an export past its output limit stops, keeping nothing it started.

#include "korvatreporter/export/qareporterhtmlexport.h"
#include "rendoc/model/ddocument.h"
#include "tests/support/recorddump.h"
#include "tests/support/recordinglog.h"
#include "tests/support/testfiles.h"

#include <QDir>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

using RecordDump::Records;

// A report whose body links `fanout` times to popup p0; popup pN links `fanout` times to
// p(N+1), the last one to itself.
QByteArray popupChain(int depth, int fanout)
{
    auto links = [fanout](int target) {
        QByteArray text;
        for (int i = 0; i < fanout; ++i)
            text += "<POPUPLINK target=\"p" + QByteArray::number(target) + "\">go</POPUPLINK> ";
        return text;
    };
    QByteArray xrd = "<?xml version=\"1.0\"?>\n<XROD><DOCUMENT name=\"d\">\n<XROD:NODE name=\"n\" "
                     "type=\"Script\" state=\"ok\"><P>" + links(0) + "</P></XROD:NODE>\n";
    for (int n = 0; n < depth; ++n)
        xrd += "<POPUP name=\"p" + QByteArray::number(n) + "\"><P>level " + QByteArray::number(n)
               + " " + links(n + 1 < depth ? n + 1 : n) + "</P></POPUP>\n";
    return xrd + "</DOCUMENT></XROD>\n";
}

// A report of `paragraphs` paragraphs of text.
QByteArray longReport(const QByteArray& name, int paragraphs)
{
    QByteArray xrd = "<?xml version=\"1.0\"?>\n<XROD><DOCUMENT name=\"" + name
                     + "\">\n<XROD:NODE name=\"n\" type=\"Script\" state=\"ok\">\n";
    for (int i = 0; i < paragraphs; ++i)
        xrd += "<P>paragraph " + QByteArray::number(i) + " of a long report, long enough to count</P>\n";
    return xrd + "</XROD:NODE></DOCUMENT></XROD>\n";
}

} // namespace

class TestHtmlAmplification : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void popupsWrittenOnce_data()
    {
        QTest::addColumn<int>("depth");
        QTest::addColumn<int>("fanout");
        QTest::newRow("one popup, linked once") << 1 << 1;
        QTest::newRow("one popup, many links") << 1 << 50;
        QTest::newRow("chain 8 deep, 4 links each") << 8 << 4;
        QTest::newRow("chain 30 deep, past the nesting bound") << 30 << 2;
    }

    // Every popup body is written once; every other link to it leads to that place; the page
    // grows with the report, not with the number of ways through its popups.
    void popupsWrittenOnce()
    {
        QFETCH(int, depth);
        QFETCH(int, fanout);
        QTemporaryDir in;
        QTemporaryDir out;
        const QByteArray xrd = popupChain(depth, fanout);
        QVERIFY(TestFiles::writeFile(in.filePath("r.xrd"), xrd));
        Records records;
        QVERIFY(records.read(in.filePath("r.xrd")));
        RecordingLog log;
        QAReporterHTMLExport exporter(out.path(), QString(), QString());
        exporter.run(records.list, &records.list, nullptr, nullptr, &log);
        QVERIFY2(exporter.failedPages().isEmpty(), qPrintable(log.lines.join('\n')));

        const QString page = TestFiles::readText(out.filePath("r.html"));
        QVERIFY(page.size() < 20000 + 10 * xrd.size());
        // Nested popups stop at 16 levels; deeper ones are left out, never written twice.
        const int written = qMin(depth, 16);
        QCOMPARE(page.count("<details class=\"popup\""), written);
        for (int n = 0; n < written; ++n)
            QCOMPARE(page.count(QString("level %1 ").arg(n)), 1);
        QCOMPARE(page.count("class=\"popup-ref\" href=\"#x-p"), fanout * (written + 1) - written
                                                                   - (depth > 16 ? fanout : 0));
    }

    void outputLimit_data()
    {
        QTest::addColumn<int>("factor");
        QTest::addColumn<qint64>("constant");
        QTest::addColumn<int>("second"); // paragraphs of the second report
        QTest::addColumn<QStringList>("written");
        QTest::addColumn<QStringList>("failed");
        QTest::newRow("the default limit") << int(QAReporterHTMLExport::OutputFactor)
                                           << QAReporterHTMLExport::OutputConstant << 2000
                                           << QStringList{"a.html", "b.html", "index.html"}
                                           << QStringList{};
        QTest::newRow("past it in the second page")
            << 1 << qint64(0) << 2000 << QStringList{"a.html"} << QStringList{"b.html"};
        QTest::newRow("past it in the first page")
            << 1 << qint64(0) << 1 << QStringList{} << QStringList{"a.html"};
    }

    // Past the limit the page being written is dropped (no partial or temporary file is left),
    // nothing more is written, and the log says why.
    void outputLimit()
    {
        QFETCH(int, factor);
        QFETCH(qint64, constant);
        QFETCH(int, second);
        QTemporaryDir in;
        QTemporaryDir out;
        QVERIFY(TestFiles::writeFile(in.filePath("a.xrd"), longReport("a", 2000)));
        QVERIFY(TestFiles::writeFile(in.filePath("b.xrd"), longReport("b", second)));
        Records records;
        QVERIFY(records.read(in.filePath("a.xrd")));
        QVERIFY(records.read(in.filePath("b.xrd")));
        DDocument header("Summary", "index");
        RecordingLog log;
        QAReporterHTMLExport exporter(out.path(), QString(), QString());
        exporter.setOutputLimit(factor, constant);
        exporter.run(records.list, &records.list, &header, nullptr, &log);

        QFETCH(QStringList, written);
        QFETCH(QStringList, failed);
        QCOMPARE(TestFiles::fileNames(exporter.writtenFiles()), written);
        QCOMPARE(exporter.failedPages(), failed);
        QCOMPARE(exporter.limitReached(), !failed.isEmpty());
        QVERIFY(!exporter.canceled());
        written.sort();
        QCOMPARE(QDir(out.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name), written);
        if (!failed.isEmpty())
            QVERIFY2(log.lines.join('\n').contains("times the size of the reports read"),
                     qPrintable(log.lines.join('\n')));
    }
};

QTEST_MAIN(TestHtmlAmplification)
#include "tst_htmlamplification.moc"
