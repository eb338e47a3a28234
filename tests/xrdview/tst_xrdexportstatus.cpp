// `xrdview --export-html` exits as --summary when its pages stand, also past a linked report
// it cannot read; 2 only when nothing was exported, and then nothing of it is left.

#include "tests/support/testfiles.h"
#include "tests/support/xrdviewrun.h"

#include <QDir>
#include <QDirIterator>
#include <QImage>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

class tst_XrdExportStatus : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void status_data()
    {
        QTest::addColumn<QString>("state"); // the verdict of the report's test case
        QTest::addColumn<QString>("body"); // more of the report ($IN: its folder)
        QTest::addColumn<bool>("intoInput"); // the report is index.html, exported into its folder
        QTest::addColumn<int>("status");
        QTest::addColumn<QStringList>("left"); // what the export folder holds afterwards
        const QStringList pages{"index.html", "r.html"};
        QTest::newRow("passed") << "ok"
                                << "" << false << 0 << pages;
        QTest::newRow("failed") << "ko"
                                << "" << false << 1 << pages;
        QTest::newRow("dangling link")
            << "ok"
            << "<LINK target=\"xrdlink://gone.xrd\">g</LINK>" << false << 0 << pages;
        QTest::newRow("unreadable linked report")
            << "ko"
            << "<LINK target=\"xrdlink://broken.xrd\">b</LINK>" << false << 1 << pages;
        QTest::newRow("page refused after an image was copied")
            << "ok"
            << "<IMAGE src=\"$IN/pic.png\"/>" << true << 2
            << QStringList{"broken.xrd", "index.html", "pic.png"};
    }

    void status()
    {
        QFETCH(QString, body);
        QFETCH(bool, intoInput);
        QTemporaryDir work;
        const QString in = work.filePath("in");
        const QString config = work.filePath("config");
        QVERIFY(QDir().mkpath(in) && QDir().mkpath(config + "/xrdview"));
        QVERIFY(TestFiles::writeFile(config + "/xrdview/dhtml.cfg", "images = img\n"));
        QImage image(2, 2, QImage::Format_RGB32);
        QVERIFY(image.save(in + "/pic.png"));
        QVERIFY(TestFiles::writeFile(in + "/broken.xrd", "<XROD><DOCUMENT name=\"x\">"));
        const QString file = in + (intoInput ? "/index.html" : "/r.xrd");
        QFETCH(QString, state);
        QVERIFY(TestFiles::writeFile(
            file,
            QStringLiteral("<XROD><DOCUMENT name=\"r\"><XROD:NODE name=\"r\" "
                           "type=\"TestCase\" state=\"%1\" sum=\"1\"><P>%2</P></XROD:NODE>"
                           "</DOCUMENT></XROD>\n")
                .arg(state, body.replace("$IN", in))
                .toUtf8()));
        const QString out = intoInput ? in : work.filePath("out");
        const XrdviewRun run = runXrdview({"--export-html", out, file}, config);

        QFETCH(int, status);
        QVERIFY2(run.status == status, qPrintable(run.describe()));
        QStringList left; // files and folders: no empty image folder either
        for (QDirIterator it(out, QDir::AllEntries | QDir::NoDotAndDotDot,
                             QDirIterator::Subdirectories);
             it.hasNext();)
            left << QDir(out).relativeFilePath(it.next());
        left.sort();
        QTEST(left, "left");
        for (const QString& missing : {"gone", "broken"}) {
            QCOMPARE(run.errText().contains(missing + ".xrd"), body.contains(missing));
            QVERIFY(!TestFiles::readText(QDir(out).filePath("r.html")).contains(missing + ".html"));
        }
    }
};

QTEST_MAIN(tst_XrdExportStatus)
#include "tst_xrdexportstatus.moc"
