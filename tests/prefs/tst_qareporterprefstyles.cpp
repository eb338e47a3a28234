#include "korvatreporter/prefs/qareporterprefstyles.h"

#include "korvatreporter/prefs/qareporterpref.h"
#include "korvatreporter/window/qareporter.h"
#include "rendoc/style/dstyle.h"
#include "rendoc/view/drendocview.h"
#include "rendoc/styleres/dstyleview.h"
#include "sdk/qacolorbutton.h"
#include "tests/support/reporterhost.h"

#include <QDialog>
#include <QtTest>

#include <memory>

namespace {

// Pixels of exactly `color` in a picture of the widget.
int pixelsOf(QWidget *widget, const QColor &color)
{
    const QImage image = widget->grab().toImage().convertToFormat(QImage::Format_RGB32);
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        const QRgb *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            count += (line[x] & 0xffffff) == (color.rgb() & 0xffffff);
    }
    return count;
}

} // namespace

// The "Styles" page in a preference dialog over an open report: accepting the
// dialog re-renders the report with the edited style, cancelling does not.
class TestQAReporterPrefStyles : public QObject
{
    Q_OBJECT

    QTemporaryDir m_install;
    ReporterHost m_host;

private Q_SLOTS:
    void initTestCase()
    {
        // The shipped style file, where the host's install directory has it.
        QVERIFY(QDir(m_install.path()).mkpath("lib"));
        QVERIFY(QFile::copy(QStringLiteral(KORVAT_EXAMPLES "/reporterstyle.aml"),
                            m_install.path() + "/lib/reporterstyle.aml"));
        m_host.setUp(m_install.path());
    }

    // Each row is a series of dialog sessions over one open report, each session a
    // string of steps: "edit" (Normal Passed turns magenta), "defaults", then "ok" or
    // "cancel".
    void dialogOutcomeReachesOpenReport_data()
    {
        QTest::addColumn<QStringList>("sessions");
        QTest::addColumn<bool>("magenta"); // shown at the end
        QTest::newRow("accepted") << QStringList{"edit ok"} << true;
        QTest::newRow("cancelled") << QStringList{"edit cancel"} << false;
        QTest::newRow("defaults then cancel keeps the edit") << QStringList{"edit ok", "defaults cancel"} << true;
        QTest::newRow("defaults then ok resets") << QStringList{"edit ok", "defaults ok"} << false;
        QTest::newRow("edit after defaults applies") << QStringList{"edit ok", "defaults edit ok"} << true;
        QTest::newRow("edit then defaults drops the edit") << QStringList{"edit defaults ok"} << false;
    }

    void dialogOutcomeReachesOpenReport()
    {
        QFETCH(QStringList, sessions);
        QFETCH(bool, magenta);
        const auto window = ReporterHost::open({QStringLiteral(KORVAT_EXAMPLES "/smoke.xrd")});
        window->resize(900, 700);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        const QColor edited(0xd0, 0x00, 0xd0);
        QCOMPARE(pixelsOf(window->mainView(), edited), 0);

        QAReporterPrefStyles *page = m_host.pref->stylesPage();
        for (const QString &session : sessions) {
            // The host's dialog: pages apply on OK, then its accepted signal reaches the producer.
            QDialog dialog;
            page->createWidget(&dialog);
            page->updateContents();
            connect(&dialog, &QDialog::accepted, m_host.pref.get(), &QAReporterPref::prefDialogAccepted);
            connect(&dialog, &QDialog::rejected, m_host.pref.get(), &QAReporterPref::prefDialogRejected);
            for (const QString &step : session.split(' ')) {
                if (step == "edit") {
                    QVERIFY(page->styleView()->setCurrentStyle("Normal Passed"));
                    page->styleView()->findChild<QAColorButton *>("color")->setColor(edited, true);
                } else if (step == "defaults") {
                    page->defaults();
                    page->updateContents();
                } else if (step == "ok") {
                    page->apply();
                    dialog.accept();
                } else {
                    page->cancel();
                    dialog.reject();
                }
            }
        }

        // The paragraph "All 4 test cases passed." draws in the edited colour, or not.
        const int painted = pixelsOf(window->mainView(), edited);
        QVERIFY2(magenta ? painted > 30 : painted == 0, qPrintable(QString::number(painted)));
        QCOMPARE(page->style("Normal Passed")->foreground() == edited, magenta);
    }

    void cleanup()
    {
        // Back to the shipped styles for the next row, as Defaults with the page closed.
        m_host.pref->stylesPage()->defaults();
    }
};

QTEST_MAIN(TestQAReporterPrefStyles)
#include "tst_qareporterprefstyles.moc"
