#include "tests/support/fakemerrow.h"
#include "tests/support/fakestudio.h"

#include <QMainWindow>
#include <QMenu>
#include <QTest>

// The recording host other tests rely on: its call lines and answers.
class tst_FakeStudio : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void recordsCalls()
    {
        FakeStudio studio;
        QMenu menu;
        studio.startProgress(3, QStringLiteral("Analysing a.xrd"), QStringLiteral("Cancel"), 0, 0);
        studio.setProgress(0);
        studio.endProgress();
        studio.openSourceFile(QStringLiteral("D:/p/x.c line 7"), 3, true);
        const int id = studio.insertMenu(QStringLiteral("Test Report"), &menu);
        studio.removeMenu(id);
        studio.mainWindow();
        studio.registerPreferences(nullptr);
        QCOMPARE(studio.actions(),
                 (QStringList{ "startProgress(3,Analysing a.xrd,Cancel,0,0)", "setProgress(0)",
                               "endProgress()", "openSourceFile(D:/p/x.c line 7,3,true)",
                               "insertMenu(Test Report)", "removeMenu(1)",
                               "registerPreferences(null)" }));
        QCOMPARE(studio.callsTo(QStringLiteral("mainWindow")), QStringList{ "mainWindow()" });
        QCOMPARE(studio.calls.size(), 8);
    }

    void answersQueries()
    {
        FakeStudio studio;
        QVERIFY(!studio.mainWindow());
        QVERIFY(!studio.outputWidget());
        QMainWindow window;
        FakeMerrow merrow;
        studio.setMainWindow(&window);
        studio.setDefectClient(&merrow);
        studio.setProductName(QStringLiteral("Studio"));
        studio.setInstallDirectory(QStringLiteral("/opt/k"));
        QCOMPARE(studio.mainWindow(), &window);
        QCOMPARE(studio.defectClient(), &merrow);
        QCOMPARE(studio.productName(), QStringLiteral("Studio"));
        QCOMPARE(studio.installDirectory(), QStringLiteral("/opt/k"));

        QAStOutputWidget* pane = studio.enableOutputWidget();
        QCOMPARE(studio.outputWidget(), pane);
        QCOMPARE(studio.showOutputWidget(pane), pane);
        pane->append(QStringLiteral("Submit Defect Report ...\n"));
        QCOMPARE(studio.outputText(), QStringLiteral("Submit Defect Report ...\n"));
        QCOMPARE(studio.callsTo(QStringLiteral("showOutputWidget")), QStringList{ "showOutputWidget(output)" });

        QUnknownInterface* iface = nullptr;
        QCOMPARE(studio.queryInterface(IID_QAStudioInterface, &iface), QS_OK);
        QCOMPARE(static_cast<QAStudioInterface*>(iface), &studio);
        QCOMPARE(studio.queryInterface(QUuid::createUuid(), &iface), QE_NOINTERFACE);
        QVERIFY(!iface);
    }

    void cancelsAfterProgress()
    {
        FakeStudio studio;
        QVERIFY(!studio.progressCanceled());
        studio.setCancelAfter(2);
        studio.startProgress(5, QStringLiteral("l"), QStringLiteral("c"), 0, 0);
        studio.setProgress(1);
        QVERIFY(!studio.progressCanceled());
        studio.setProgress(2);
        QVERIFY(studio.progressCanceled());
    }

    void merrowRecordsAndFails()
    {
        FakeMerrow merrow;
        merrow.failing << QStringLiteral("setDescription");
        merrow.setTracing(true);
        QCOMPARE(merrow.createForm(), short(1));
        QCOMPARE(QByteArray(merrow.getCmdLine()), QByteArray("cmd createForm"));
        QCOMPARE(merrow.setDescription("d"), short(0));
        QCOMPARE(QByteArray(merrow.getErrorMessage()), QByteArray("setDescription failed"));
        QVERIFY(merrow.activatedCmdLine());
        QCOMPARE(merrow.calls, (QStringList{ "createForm()", "setDescription(d)" }));
    }
};

QTEST_MAIN(tst_FakeStudio)
#include "tst_fakestudio.moc"
