#include "xrdview/xrdcommandline.h"

#include <QTest>

// Parsing of the command line: modes, filters, files and the errors that
// make xrdview exit with status 2.
class tst_XrdCommandLine : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void parse_data();
    void parse();
};

void tst_XrdCommandLine::parse_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("failedOnly");
    QTest::addColumn<QStringList>("hidden");
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<bool>("error");

    const int gui = XrdCommandLine::Gui;
    QTest::newRow("gui without files") << QStringList{} << gui << false << QStringList{}
                                       << QStringList{} << false;
    QTest::newRow("gui with files") << QStringList{ "a.xrd", "b.xrd" } << gui << false
                                    << QStringList{} << QStringList{ "a.xrd", "b.xrd" } << false;
    QTest::newRow("summary") << QStringList{ "--summary", "a.xrd" } << int(XrdCommandLine::Summary)
                             << false << QStringList{} << QStringList{ "a.xrd" } << false;
    QTest::newRow("options after files")
        << QStringList{ "a.xrd", "--print-tree", "--failed-only" }
        << int(XrdCommandLine::PrintTree) << true << QStringList{} << QStringList{ "a.xrd" }
        << false;
    QTest::newRow("repeated hide-type, both spellings")
        << QStringList{ "--print-text", "--hide-type", "Check", "--hide-type=Script", "a.xrd" }
        << int(XrdCommandLine::PrintText) << false << QStringList{ "Check", "Script" }
        << QStringList{ "a.xrd" } << false;
    QTest::newRow("double dash keeps a dash file")
        << QStringList{ "--print-summary", "--", "--odd.xrd" }
        << int(XrdCommandLine::PrintSummary) << false << QStringList{}
        << QStringList{ "--odd.xrd" } << false;
    QTest::newRow("help needs no file") << QStringList{ "--help" } << int(XrdCommandLine::Help)
                                        << false << QStringList{} << QStringList{} << false;
    QTest::newRow("version") << QStringList{ "--version" } << int(XrdCommandLine::Version) << false
                             << QStringList{} << QStringList{} << false;

    QTest::newRow("unknown option") << QStringList{ "--summary", "--bogus", "a.xrd" }
                                    << int(XrdCommandLine::Summary) << false << QStringList{}
                                    << QStringList{} << true;
    QTest::newRow("headless without file") << QStringList{ "--print-tree" }
                                           << int(XrdCommandLine::PrintTree) << false
                                           << QStringList{} << QStringList{} << true;
    QTest::newRow("two modes") << QStringList{ "--summary", "--print-tree", "a.xrd" }
                               << int(XrdCommandLine::Summary) << false << QStringList{}
                               << QStringList{} << true;
    QTest::newRow("hide-type without type") << QStringList{ "--print-tree", "a.xrd", "--hide-type" }
                                            << int(XrdCommandLine::PrintTree) << false
                                            << QStringList{} << QStringList{ "a.xrd" } << true;
    QTest::newRow("failed-only with summary") << QStringList{ "--summary", "--failed-only", "a.xrd" }
                                              << int(XrdCommandLine::Summary) << true
                                              << QStringList{} << QStringList{ "a.xrd" } << true;
    QTest::newRow("filter in the gui") << QStringList{ "--failed-only", "a.xrd" } << gui << true
                                       << QStringList{} << QStringList{ "a.xrd" } << true;
}

void tst_XrdCommandLine::parse()
{
    QFETCH(QStringList, args);
    QFETCH(int, mode);
    QFETCH(bool, failedOnly);
    QFETCH(QStringList, hidden);
    QFETCH(QStringList, files);
    QFETCH(bool, error);

    const XrdCommandLine line = XrdCommandLine::parse(args);
    QCOMPARE(line.hasError(), error);
    if (error) {
        QVERIFY(!line.error.isEmpty());
        return;
    }
    QCOMPARE(int(line.mode), mode);
    QCOMPARE(line.failedOnly, failedOnly);
    QCOMPARE(line.hiddenTypes, hidden);
    QCOMPARE(line.files, files);
}

QTEST_GUILESS_MAIN(tst_XrdCommandLine)
#include "tst_xrdcommandline.moc"
