// How an HTML export's bookkeeping grows with the report: each case is exported at n and at
// 10 n items and the processor time may grow about tenfold, not a hundredfold. The pages are
// checked too, so a fast export that drops what it should write does not pass.

#include "korvatreporter/data/qareporterdata.h"
#include "korvatreporter/data/qareporterloader.h"
#include "korvatreporter/export/qareporterhtmlexport.h"
#include "tests/support/growthratio.h"
#include "tests/support/testfiles.h"

#include <QDir>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

QByteArray document(const QByteArray& body)
{
    return "<?xml version=\"1.0\"?>\n<XROD><DOCUMENT name=\"d\">" + body + "</DOCUMENT></XROD>\n";
}

QByteArray node(const QByteArray& inside, const QByteArray& attributes = {})
{
    return "<XROD:NODE name=\"n\" type=\"Script\" state=\"ok\"" + attributes + ">" + inside
           + "</XROD:NODE>";
}

QByteArray link(const QByteArray& target)
{
    return "<P><LINK target=\"" + target + "\">l</LINK></P>";
}

// The reports of one case at size n, written into dir; the first is the one exported.
using Case = void (*)(const QDir& dir, int n);

// A shown report linking to a report whose n nodes are nested in one another, each holding a
// source link; the outermost node gives the base of them all.
void nestedSpans(const QDir& dir, int n)
{
    QByteArray nested;
    for (int i = n - 1; i >= 0; --i)
        nested = node(link("src/f" + QByteArray::number(i) + ".c line 1") + nested,
                      i == 0 ? " base=\"/base/\"" : "");
    TestFiles::writeFile(dir.filePath("a.xrd"), document(node(link("xrdlink://linked.xrd"))));
    TestFiles::writeFile(dir.filePath("linked.xrd"), document(nested));
}

// A report whose n nodes each link to a report file that does not exist.
void missingReports(const QDir& dir, int n)
{
    QByteArray body;
    for (int i = 0; i < n; ++i)
        body += node(link("xrdlink://missing" + QByteArray::number(i) + ".xrd"));
    TestFiles::writeFile(dir.filePath("a.xrd"), document(body));
}

// A report linking to one report under n spellings ("./b.xrd", "x0/../b.xrd", ...).
void manySpellings(const QDir& dir, int n)
{
    QByteArray body;
    for (int i = 0; i < n; ++i) {
        const QByteArray folder = "x" + QByteArray::number(i);
        dir.mkdir(QString::fromLatin1(folder));
        body += node(link("xrdlink://" + folder + "/../b.xrd"));
    }
    TestFiles::writeFile(dir.filePath("a.xrd"), document(body));
    TestFiles::writeFile(dir.filePath("b.xrd"), document(node("<P>b</P>")));
}

// Exports the first report of the case at size n; the written pages' text, joined, and the
// linked files that could not be read.
QString exportCase(Case make, int n)
{
    QTemporaryDir in;
    QTemporaryDir out;
    make(QDir(in.path()), n);
    QAReporterData record;
    record.fileName = in.filePath("a.xrd");
    if (QAReporterLoader::readRecord(record, {}) != QAReporterLoader::Read)
        return QString();
    const QList<QAReporterData*> records{&record};
    QAReporterHTMLExport exporter(out.path(), QString(), QString());
    exporter.run(records, &records, nullptr, nullptr, nullptr);
    QString pages;
    for (const QString& file : exporter.writtenFiles())
        pages += TestFiles::readText(file);
    return pages + exporter.unreadable().join(QLatin1Char('\n'));
}

} // namespace

Q_DECLARE_METATYPE(Case)

class TestExportGrowth : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void growth_data()
    {
        QTest::addColumn<Case>("make");
        QTest::addColumn<int>("n");
        QTest::addColumn<QString>("each");  // text each of the n items leaves in the pages
        QTest::newRow("source links against nested node spans")
            << Case(nestedSpans) << 80 << QString("/base/src/f");
        QTest::newRow("links to missing reports") << Case(missingReports) << 300 << QString("/missing");
        QTest::newRow("one report under many spellings")
            << Case(manySpellings) << 100 << QString("href=\"b.html\"");
    }

    void growth()
    {
        QFETCH(Case, make);
        QFETCH(int, n);
        QFETCH(QString, each);
        QVERIFY(exportCase(make, n).count(each) >= n);
        const double ratio = GrowthRatio::of([make](int size) { exportCase(make, size); }, n);
        QVERIFY2(ratio < GrowthRatio::Bound, qPrintable(QString::number(ratio)));
    }
};

QTEST_MAIN(TestExportGrowth)
#include "tst_exportgrowth.moc"
