#include "korvatreporter/document/qareporterheader.h"

#include "korvatreporter/document/qareporterplaintext.h"

#include "tests/support/goldenfile.h"
#include "korvatreporter/data/qareporterdata.h"
#include "rendoc/model/ditems.h"
#include "rendoc/style/dstyle.h"
#include "rendoc/model/dtreeprinter.h"

#include <QCoreApplication>
#include <QTest>
#include <QTranslator>

#include <deque>

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
        record->document = std::make_unique<DDocument>(QStringLiteral("T"), f.at(1));
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
    QString translate(const char *context, const char *sourceText, const char *, int) const override
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
    void layouts_data()
    {
        QTest::addColumn<QStringList>("records");
        QTest::addColumn<QStringList>("styleNames");
        QTest::addColumn<QString>("golden");

        const QStringList styles{"Normal", "Array", "Array Failed", "Array Passed"};
        QTest::newRow("empty list") << QStringList{} << styles << "header_empty.txt";
        QTest::newRow("inconclusive -1 and 2")
            << QStringList{"a.xrd|a|1|4|-1", "b.xrd|b|0|5|2"} << styles << "header_inconclusive.txt";
        QTest::newRow("inconclusive 0") << QStringList{"a.xrd|a|0|2|0"} << styles << "header_inconclusive_zero.txt";
        QTest::newRow("failed 3 passed 7, then passed only")
            << QStringList{"a.xrd|a|3|7|-1", "b.xrd|b|0|1|-1"} << styles << "header_failed_passed.txt";
        QTest::newRow("path with directories") << QStringList{"/home/qa/runs/2026/nightly.xrd|nightly|0|3|-1"} << styles
            << "header_path.txt";
        QTest::newRow("styles without Array")
            << QStringList{"a.xrd|a|1|0|-1"} << QStringList{"Array Failed", "Array Passed"}
            << "header_no_array.txt";
        QTest::newRow("no styles") << QStringList{"a.xrd|a|0|0|-1"} << QStringList{} << "header_no_styles.txt";
    }

    void layouts()
    {
        QFETCH(QStringList, records);
        QFETCH(QStringList, styleNames);
        QFETCH(QString, golden);

        std::deque<DStyle> owned;
        QList<DStyle *> styles;
        for (const QString &name : styleNames)
            styles << &owned.emplace_back(name);
        const Records input = makeRecords(records);
        const std::unique_ptr<DDocument> header = buildHeaderDocument(input, styles);
        QVERIFY(header);
        KORVAT_VERIFY_GOLDEN(golden, DTreePrinter::print(header.get()));

    }

    void plainTextRowsHaveHeaderColumns_data()
    {
        QTest::addColumn<QStringList>("records");
        QTest::addColumn<QString>("totalLine");

        QTest::newRow("empty list") << QStringList{} << "Total\t\t0\t0\t0";
        QTest::newRow("without inconclusive")
            << QStringList{"a.xrd|a|3|7|-1", "b.xrd|b|0|1|-1"} << "Total\t\t3\t8\t11";
        QTest::newRow("with inconclusive")
            << QStringList{"a.xrd|a|1|4|-1", "b.xrd|b|0|5|2"} << "Total\t\t1\t9\t2\t12";
    }

    // The Total label spans Name and Status: its line still has an (empty)
    // Status cell, so the numbers sit under their headings.
    void plainTextRowsHaveHeaderColumns()
    {
        QFETCH(QStringList, records);

        const Records input = makeRecords(records);
        const std::unique_ptr<DDocument> header = buildHeaderDocument(input, {});
        QVERIFY(header);
        QStringList lines = QAReporterPlainText::table(*header).split(QLatin1Char('\n'));
        QCOMPARE(lines.takeLast(), QString());
        QCOMPARE(lines.size(), records.size() + 2);
        const int columns = lines.first().count(QLatin1Char('\t'));
        for (const QString &line : lines)
            QCOMPARE(line.count(QLatin1Char('\t')), columns);
        QTEST(lines.last(), "totalLine");
    }

    // A span past the table's last column pads no further than that column.
    void spanStopsAtTableColumns()
    {
        DDocument document(QStringLiteral("T"), QStringLiteral("d"));
        auto *table = new DTable(0, &document);
        document.setChild(table);
        table->setWidth({0.5f, 0.5f});
        auto *row = new DRow(table);
        table->setChild(row);
        row->setChild(new DCellText(QStringLiteral("wide"), 1000000, 0, row));
        QCOMPARE(QAReporterPlainText::table(document), QStringLiteral("wide\t\n"));
    }

    void textsAreTranslated()
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
};

QTEST_GUILESS_MAIN(TestQAReporterHeader)
#include "tst_qareporterheader.moc"
