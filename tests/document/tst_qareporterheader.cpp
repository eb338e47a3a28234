#include "korvatreporter/document/qareporterheader.h"

#include "goldenfile.h"
#include "korvatreporter/data/qareporterdata.h"
#include "rendoc/ditems.h"
#include "rendoc/dstyle.h"
#include "rendoc/dtreeprinter.h"

#include <QCoreApplication>
#include <QTest>
#include <QTranslator>

namespace {

using Records = std::vector<std::unique_ptr<QAReporterData>>;

// Records from "fileName|documentName|failed|passed|inconclusive" strings.
Records makeRecords(const QStringList &rows)
{
    Records records;
    for (const QString &row : rows) {
        const QStringList f = row.split(QLatin1Char('|'));
        auto record = std::make_unique<QAReporterData>();
        record->fileName = f.at(0);
        record->document = new DDocument(QStringLiteral("T"), f.at(1));
        record->failed = f.at(2).toInt();
        record->passed = f.at(3).toInt();
        record->inconclusive = f.at(4).toInt();
        records.push_back(std::move(record));
    }
    return records;
}

// Marks every text translated in the context "Reporter".
class MarkingTranslator : public QTranslator
{
public:
    bool isEmpty() const override { return false; }
    QString translate(const char *context, const char *sourceText, const char *,
                      int) const override
    {
        if (qstrcmp(context, "Reporter") != 0)
            return QString();
        return QStringLiteral("<%1>").arg(QLatin1String(sourceText));
    }
};

} // namespace

// Tests of the results summary header built from the loaded records.
class TestQAReporterHeader : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void layouts_data();
    void layouts();
    void recordsAreOnlyRead();
    void textsAreTranslated();
};

void TestQAReporterHeader::layouts_data()
{
    QTest::addColumn<QStringList>("records");
    QTest::addColumn<QStringList>("styleNames");
    QTest::addColumn<QString>("golden");

    const QStringList styles{"Normal", "Array", "Array Failed", "Array Passed"};
    QTest::newRow("empty list") << QStringList{} << styles << "header_empty.txt";
    QTest::newRow("inconclusive -1 and 2")
        << QStringList{"a.xrd|a|1|4|-1", "b.xrd|b|0|5|2"} << styles << "header_inconclusive.txt";
    QTest::newRow("inconclusive 0") << QStringList{"a.xrd|a|0|2|0"} << styles
                                    << "header_inconclusive_zero.txt";
    QTest::newRow("failed 3 passed 7, then passed only")
        << QStringList{"a.xrd|a|3|7|-1", "b.xrd|b|0|1|-1"} << styles
        << "header_failed_passed.txt";
    QTest::newRow("path with directories")
        << QStringList{"/home/qa/runs/2026/nightly.xrd|nightly|0|3|-1"} << styles
        << "header_path.txt";
    QTest::newRow("styles without Array")
        << QStringList{"a.xrd|a|1|0|-1"} << QStringList{"Array Failed", "Array Passed"}
        << "header_no_array.txt";
    QTest::newRow("no styles") << QStringList{"a.xrd|a|0|0|-1"} << QStringList{}
                               << "header_no_styles.txt";
}

void TestQAReporterHeader::layouts()
{
    QFETCH(QStringList, records);
    QFETCH(QStringList, styleNames);
    QFETCH(QString, golden);

    std::vector<std::unique_ptr<DStyle>> owned;
    QList<DStyle *> styles;
    for (const QString &name : styleNames) {
        owned.push_back(std::make_unique<DStyle>(name));
        styles << owned.back().get();
    }
    const Records input = makeRecords(records);
    const std::unique_ptr<DDocument> header = buildHeaderDocument(input, styles);
    QVERIFY(header);
    QString message;
    QVERIFY2(GoldenFile::check(golden, DTreePrinter::print(header.get()), &message),
             qPrintable(message));

    // Whatever the layout, the column widths cover the table.
    const DTable *table = header->child()->toContainer()->child()->toTable();
    QVERIFY(table);
    float sum = 0;
    for (float w : table->widths())
        sum += w;
    QVERIFY(qAbs(sum - 1.0f) < 1e-5f);
}

void TestQAReporterHeader::recordsAreOnlyRead()
{
    Records input = makeRecords({"x/a.xrd|a|2|3|4"});
    const QList<QAReporterData *> list{input[0].get()};
    const std::unique_ptr<DDocument> header = buildHeaderDocument(list, {});
    QCOMPARE(input[0]->fileName, QStringLiteral("x/a.xrd"));
    QCOMPARE(input[0]->failed, 2);
    QCOMPARE(input[0]->passed, 3);
    QCOMPARE(input[0]->inconclusive, 4);
    QCOMPARE(input[0]->document->name(), QStringLiteral("a"));
    QVERIFY(!input[0]->document->child());
}

void TestQAReporterHeader::textsAreTranslated()
{
    MarkingTranslator translator;
    QCoreApplication::installTranslator(&translator);
    const Records input = makeRecords({"a.xrd|a|1|0|0"});
    const std::unique_ptr<DDocument> header = buildHeaderDocument(input, {});
    QCoreApplication::removeTranslator(&translator);

    QCOMPARE(header->title(), QStringLiteral("<Results files>"));
    QStringList cellTexts;
    for (const DItem *item = header.get(); item; item = item->nextInDocument(header.get())) {
        if (const DCellText *cell = item->toCellText())
            cellTexts << cell->text();
    }
    QCOMPARE(cellTexts, (QStringList{"<Name>", "<Status>", "<Failed>", "<Passed>",
                                     "<Inconclusive>", "<Total>", "<Failed>", "<Total>"}));
}

QTEST_GUILESS_MAIN(TestQAReporterHeader)
#include "tst_qareporterheader.moc"
