#include "xrdview/xrdreporttext.h"

#include "sdk/qalistview.h"

#include <QTest>

// The outline text of a tree as the command line prints it, and the failed
// total read back from a results table.
class tst_XrdReportText : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void outline();
    void outlineOfDeepTree();
    void failedTotal_data();
    void failedTotal();
};

namespace {

QTreeWidgetItem* node(QTreeWidgetItem* parent, const QString& name, const QVariant& verdict)
{
    auto* item = new QTreeWidgetItem(parent);
    item->setText(0, name);
    if (verdict.isValid())
        item->setData(1, QAListView::VerdictRole, verdict);
    return item;
}

} // namespace

void tst_XrdReportText::outline()
{
    QAListView view;
    view.setColumnCount(2);
    auto* file = new QTreeWidgetItem(&view);
    file->setText(0, QStringLiteral("a.xrd"));
    QTreeWidgetItem* campaign = node(file, QStringLiteral("campaign"), QStringLiteral("ko"));
    QTreeWidgetItem* script = node(campaign, QStringLiteral("script"), QStringLiteral("ok"));
    node(script, QStringLiteral("unknown"), QStringLiteral("maybe"));
    node(script, QStringLiteral("none"), QVariant());
    node(campaign, QStringLiteral("skipped"), QStringLiteral("NE"));
    script->setExpanded(false); // collapsed branches are printed too
    auto* second = new QTreeWidgetItem(&view);
    second->setText(0, QStringLiteral("b.xrd"));

    QCOMPARE(XrdReportText::outline(&view),
             QStringLiteral("a.xrd\n"
                            "  ko  campaign\n"
                            "    ok  script\n"
                            "      --  unknown\n"
                            "      --  none\n"
                            "    NE  skipped\n"
                            "b.xrd\n"));
    QCOMPARE(XrdReportText::outline(nullptr), QString());
}

void tst_XrdReportText::outlineOfDeepTree()
{
    // A report nested far deeper than a recursive walk would survive.
    QAListView view;
    QTreeWidgetItem* item = new QTreeWidgetItem(&view);
    const int depth = 20000;
    for (int i = 0; i < depth; ++i)
        item = node(item, QStringLiteral("n"), QStringLiteral("ok"));
    const QString text = XrdReportText::outline(&view);
    QCOMPARE(text.count(QLatin1Char('\n')), depth + 1);
    QVERIFY(text.endsWith(QString(2 * depth, QLatin1Char(' ')) + QStringLiteral("ok  n\n")));
}

void tst_XrdReportText::failedTotal_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<int>("failed");

    QTest::newRow("two files") << "Name\tStatus\tFailed\tPassed\tTotal\n"
                                  "a.xrd\tFailed\t2\t5\t7\n"
                                  "b.xrd\tPassed\t0\t4\t4\n"
                                  "Total\t2\t9\t11\n"
                               << 2;
    QTest::newRow("nothing failed, no final newline") << "Name\tStatus\tFailed\tPassed\tTotal\n"
                                                         "Total\t0\t0\t0"
                                                      << 0;
    QTest::newRow("file named Total above the totals") << "Name\tStatus\tFailed\tPassed\tTotal\n"
                                                          "Total\tFailed\t3\t1\t4\n"
                                                          "Total\t3\t1\t4\n"
                                                       << 3;
    QTest::newRow("no totals row") << "Name\tStatus\tFailed\n" << -1;
    QTest::newRow("empty") << "" << -1;
    QTest::newRow("garbage count") << "Total\tmany\t1\n" << -1;
}

void tst_XrdReportText::failedTotal()
{
    QFETCH(QString, table);
    QFETCH(int, failed);
    QCOMPARE(XrdReportText::failedTotal(table), failed);
}

QTEST_MAIN(tst_XrdReportText)
#include "tst_xrdreporttext.moc"
