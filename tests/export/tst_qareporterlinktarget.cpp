#include "korvatreporter/export/qareporterlinktarget.h"

#include <QtTest>

// How link target texts are read and how source links take a base.
class TestLinkTarget : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void parse_data();
    void parse();
    void base_data();
    void base();
};

void TestLinkTarget::parse_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("first");  // file part or file text
    QTest::addColumn<QString>("second"); // anchor or line text
    const int report = QAReporterLinkTarget::ReportLink;
    const int source = QAReporterLinkTarget::SourceLink;
    const int other = QAReporterLinkTarget::OtherLink;
    QTest::newRow("report with anchor") << "xrdlink://other.xrd#T12" << report << "other.xrd" << "T12";
    QTest::newRow("anchor only") << "xrdlink://#T12" << report << "" << "T12";
    QTest::newRow("first # splits") << "xrdlink://a.xrd#x#y" << report << "a.xrd" << "x#y";
    QTest::newRow("bare prefix") << "xrdlink://" << report << "" << "";
    QTest::newRow("prefix case matters") << "XRDLINK://a.xrd" << other << "" << "";
    QTest::newRow("report wins over line") << "xrdlink://a line 4.xrd" << report << "a line 4.xrd" << "";
    QTest::newRow("source") << "src/foo.c line 42" << source << "src/foo.c" << "42";
    QTest::newRow("greedy") << "foo line 3 and line 9" << source << "foo line 3 and" << "9";
    QTest::newRow("blank file") << "   line 7" << source << "" << "7";
    QTest::newRow("text after digits") << "a.c line 12, col 3" << source << "a.c" << "12";
    QTest::newRow("web") << "http://example.org/x" << other << "" << "";
    QTest::newRow("no digits") << "a.c line x" << other << "" << "";
    QTest::newRow("empty") << "" << other << "" << "";
}

void TestLinkTarget::parse()
{
    QFETCH(QString, target);
    QFETCH(int, kind);
    QFETCH(QString, first);
    QFETCH(QString, second);
    const QAReporterLinkTarget t(target);
    QCOMPARE(int(t.kind()), kind);
    QCOMPARE(t.target(), target);
    if (kind == QAReporterLinkTarget::ReportLink) {
        QCOMPARE(t.filePart(), first);
        QCOMPARE(t.anchor(), second);
    } else if (kind == QAReporterLinkTarget::SourceLink) {
        QCOMPARE(t.fileText(), first);
        QCOMPARE(t.lineText(), second);
    }
}

void TestLinkTarget::base_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<bool>("needsBase");
    QTest::addColumn<QString>("withBase");
    QTest::newRow("missing relative") << "src/nowhere/foo.c line 42" << true
                                      << "D:/proj/src/nowhere/foo.c line 42";
    QTest::newRow("empty file text") << " line 7" << true << "D:/proj/ line 7";
    QTest::newRow("absolute") << "/usr/src/foo.c line 1" << false << "";
    QTest::newRow("existing relative") << "tst_qareporterlinktarget line 1" << false << "";
    QTest::newRow("other link") << "http://x" << false << "";
}

void TestLinkTarget::base()
{
    QFETCH(QString, target);
    QFETCH(bool, needsBase);
    QFETCH(QString, withBase);
    // The test runs in its binary's folder, where the test program exists.
    QDir::setCurrent(QCoreApplication::applicationDirPath());
    const QAReporterLinkTarget t(target);
    QCOMPARE(t.needsBase(), needsBase);
    if (needsBase)
        QCOMPARE(t.withBase(QStringLiteral("D:/proj/")), withBase);
}

QTEST_GUILESS_MAIN(TestLinkTarget)
#include "tst_qareporterlinktarget.moc"
