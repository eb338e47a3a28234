#include "korvatreporter/prefs/qareporterprefgeneral.h"

#include "tests/support/fakestudio.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QMainWindow>
#include <QPalette>
#include <QtTest>

#include <memory>

// The "Report Viewer" page: its widgets show, take and reset the values.
class TestQAReporterPrefGeneral : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void freshPage();
    void raiseOption_data();
    void raiseOption();
    void applyTakesEdits_data();
    void applyTakesEdits();
    void cancelKeepsValues();
    void defaultsLeaveWidgets();
    void widgetTree();

private:
    std::unique_ptr<QAReporterPrefGeneral> makePage(QAStudioInterface *studio = nullptr);
};

void TestQAReporterPrefGeneral::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
}

std::unique_ptr<QAReporterPrefGeneral> TestQAReporterPrefGeneral::makePage(QAStudioInterface *studio)
{
    return std::make_unique<QAReporterPrefGeneral>("Report Viewer", "pref-report", "pref-report", studio);
}

void TestQAReporterPrefGeneral::freshPage()
{
    auto page = makePage();
    QWidget parent;
    page->createWidget(&parent);
    page->updateContents();
    const QColor base = QApplication::palette().color(QPalette::Active, QPalette::Base);
    QCOMPARE(page->background(), base);
    QCOMPARE(page->colorButton()->color(), base);
    QVERIFY(page->raiseCheckBox()->isChecked());
    QCOMPARE(page->depthSpinBox()->value(), 4);
    QCOMPARE(page->depthSpinBox()->minimum(), 1);
    QCOMPARE(page->depthSpinBox()->maximum(), 6);
}

void TestQAReporterPrefGeneral::raiseOption_data()
{
    QTest::addColumn<bool>("studio");
    QTest::addColumn<bool>("mainWindow");
    QTest::addColumn<bool>("enabled");
    QTest::newRow("no studio") << false << false << false;
    QTest::newRow("studio without main window") << true << false << false;
    QTest::newRow("studio with main window") << true << true << true;
}

void TestQAReporterPrefGeneral::raiseOption()
{
    QFETCH(bool, studio);
    QFETCH(bool, mainWindow);
    FakeStudio fake;
    QMainWindow window;
    if (mainWindow)
        fake.setMainWindow(&window);
    auto page = makePage(studio ? &fake : nullptr);
    page->setAutoRaise(false);
    QWidget parent;
    page->createWidget(&parent);
    page->updateContents();
    QTEST(page->raiseCheckBox()->isEnabled(), "enabled");
    // Disabled or not, the box shows and keeps the stored value.
    QVERIFY(!page->raiseCheckBox()->isChecked());
    page->apply();
    QVERIFY(!page->autoRaise());
}

void TestQAReporterPrefGeneral::applyTakesEdits_data()
{
    QTest::addColumn<int>("stored");
    QTest::addColumn<int>("edited");
    QTest::addColumn<int>("applied");
    QTest::newRow("edit to 2") << 4 << 2 << 2;
    QTest::newRow("stored 9 clamped") << 9 << -1 << 6;
    QTest::newRow("stored 0 clamped") << 0 << -1 << 1;
}

void TestQAReporterPrefGeneral::applyTakesEdits()
{
    QFETCH(int, stored);
    QFETCH(int, edited);
    auto page = makePage();
    page->setAutoDepth(stored);
    QWidget parent;
    page->createWidget(&parent);
    page->updateContents();
    if (edited >= 0)
        page->depthSpinBox()->setValue(edited);
    page->colorButton()->setColor(Qt::red, false);
    page->raiseCheckBox()->setChecked(false);
    QCOMPARE(page->autoDepth(), stored); // edits reach the values only through apply
    page->apply();
    QTEST(page->autoDepth(), "applied");
    QCOMPARE(page->background(), QColor(Qt::red));
    QVERIFY(!page->autoRaise());
}

void TestQAReporterPrefGeneral::cancelKeepsValues()
{
    auto page = makePage();
    QWidget parent;
    page->createWidget(&parent);
    page->updateContents();
    page->depthSpinBox()->setValue(2);
    page->raiseCheckBox()->setChecked(false);
    page->cancel();
    QCOMPARE(page->autoDepth(), 4);
    QVERIFY(page->autoRaise());
}

void TestQAReporterPrefGeneral::defaultsLeaveWidgets()
{
    auto page = makePage();
    page->setBackground(Qt::blue);
    page->setAutoRaise(false);
    page->setAutoDepth(2);
    QWidget parent;
    page->createWidget(&parent);
    page->updateContents();
    page->defaults();
    QCOMPARE(page->background(), QApplication::palette().color(QPalette::Active, QPalette::Base));
    QVERIFY(page->autoRaise());
    QCOMPARE(page->autoDepth(), 4);
    QCOMPARE(page->colorButton()->color(), QColor(Qt::blue));
    QCOMPARE(page->depthSpinBox()->value(), 2);
    page->updateContents();
    QCOMPARE(page->depthSpinBox()->value(), 4);
    QVERIFY(page->raiseCheckBox()->isChecked());
}

void TestQAReporterPrefGeneral::widgetTree()
{
    auto page = makePage();
    {
        QWidget parent;
        QWidget *box = page->createWidget(&parent);
        QCOMPARE(box->parentWidget(), &parent);
        const QList<QGroupBox *> groups = box->findChildren<QGroupBox *>();
        QCOMPARE(groups.size(), 2);
        QCOMPARE(groups.at(0)->title(), QStringLiteral("Viewer"));
        QCOMPARE(groups.at(1)->title(), QStringLiteral("Report Contents Depth Open"));
        QCOMPARE(groups.at(0)->findChild<QLabel *>()->text(), QStringLiteral("Background color"));
        QCOMPARE(page->raiseCheckBox()->text(),
                 QStringLiteral("Automatic raise viewer on tree selection changed"));
    }
    // The dialog freed the widgets: the page no longer touches them.
    QVERIFY(!page->colorButton() && !page->raiseCheckBox() && !page->depthSpinBox());
    page->updateContents();
    page->apply();
    QCOMPARE(page->autoDepth(), 4);
}

QTEST_MAIN(TestQAReporterPrefGeneral)
#include "tst_qareporterprefgeneral.moc"
