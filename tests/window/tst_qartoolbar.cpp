#include "korvatreporter/window/qareporterstate.h"
#include "korvatreporter/window/qartoolbar.h"

#include <QMainWindow>
#include <QSignalSpy>
#include <QtTest>

// The report tool bar's buttons and its all/failed switch.
class TestToolBar : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void buttons_data();
    void buttons();
    void filterClickedTwice();
};

void TestToolBar::buttons_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("objectName");
    QTest::addColumn<QString>("text");
    QTest::newRow("previous") << 0 << "Previous Failed Test" << "Previous Failed Test";
    QTest::newRow("next") << 1 << "Next Failed Test" << "Next Failed Test";
    QTest::newRow("filter") << 2 << "Filter" << "All Test Results / Failed Tests Only";
}

void TestToolBar::buttons()
{
    QFETCH(int, index);
    QFETCH(QString, objectName);
    QFETCH(QString, text);
    QMainWindow host;
    QARToolBar bar(QStringLiteral("Test Report Toolbar"), &host);
    QToolButton* buttons[] = {bar.previousButton(), bar.nextButton(), bar.filterButton()};
    QToolButton* button = buttons[index];
    QCOMPARE(button->objectName(), objectName);
    QCOMPARE(button->toolTip(), text);
    QVERIFY(!button->whatsThis().isEmpty());
    QVERIFY(!button->icon().isNull());
    QVERIFY(!button->isEnabled());
    QCOMPARE(host.toolBarArea(&bar), Qt::TopToolBarArea);
    bar.enableButtons(true);
    QVERIFY(button->isEnabled());
}

void TestToolBar::filterClickedTwice()
{
    QMainWindow host;
    QARToolBar bar(QStringLiteral("bar"), &host);
    bar.enableButtons(true);
    QAReporterState::setFailedOnly(false);
    bool flagSeenBySlot = true;
    QSignalSpy spy(&bar, &QARToolBar::fltClicked);
    // The signal goes out before the switch flips.
    connect(&bar, &QARToolBar::fltClicked, this,
            [&] { flagSeenBySlot = QAReporterState::failedOnly(); });
    bar.filterButton()->click();
    QCOMPARE(spy.count(), 1);
    QCOMPARE(flagSeenBySlot, false);
    QVERIFY(QAReporterState::failedOnly());
    QVERIFY(bar.filterButton()->isChecked());

    bar.filterButton()->click();
    QCOMPARE(spy.count(), 2);
    QCOMPARE(flagSeenBySlot, true);
    QVERIFY(!QAReporterState::failedOnly());
    QVERIFY(!bar.filterButton()->isChecked());
}

QTEST_MAIN(TestToolBar)
#include "tst_qartoolbar.moc"
