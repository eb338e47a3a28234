// `xrdview --export-html` end to end: it exits as --summary when its pages stand, also past a
// linked report it cannot read, and prints the pages it wrote; 2 when nothing was exported,
// and then nothing of it is left in the folder.

#include "tests/support/testfiles.h"
#include "tests/support/xrdviewrun.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
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
        QTest::addColumn<QStringList>("files"); // $R or $IN/name: a one-case report written there;
                                                // relative: test data; absolute: as it is
        QTest::addColumn<QString>("state");     // the verdict of $R's test case
        QTest::addColumn<QString>("body");      // more of $R
        QTest::addColumn<QString>("out");       // the export folder ($IN, $OUT, or a path under a file)
        QTest::addColumn<int>("status");
        QTest::addColumn<QStringList>("left"); // what the export folder holds afterwards
        QTest::addColumn<QString>("stderrHas");
        const QStringList r{"$R"}, pages{"index.html", "r.html"};
        QStringList examples;
        for (const QString& name : QDir(KORVAT_EXAMPLES).entryList({"*.xrd"}, QDir::Files, QDir::Name))
            examples << QStringLiteral(KORVAT_EXAMPLES "/") + name;
        QTest::newRow("passed") << r << "ok" << "" << "$OUT" << 0 << pages << "";
        QTest::newRow("failed") << r << "ko" << "" << "$OUT" << 1 << pages << "";
        QTest::newRow("examples, failed") << examples << "" << "" << "$OUT" << 1
                                          << QStringList{"campaign.html", "inconclusive.html", "index.html",
                                                         "regression.html", "smoke.html"} << "";
        QTest::newRow("dangling link") << r << "ok" << "<LINK target=\"xrdlink://gone.xrd\">g</LINK>" << "$OUT"
                                       << 0 << pages << "gone.xrd";
        QTest::newRow("unreadable linked report")
            << r << "ko" << "<LINK target=\"xrdlink://broken.xrd\">b</LINK>" << "$OUT" << 1 << pages
            << "broken.xrd";
        QTest::newRow("page refused after an image was copied")
            << QStringList{"$IN/index.html"} << "ok" << "<IMAGE src=\"$IN/pic.png\"/>" << "$IN" << 2
            << QStringList{"broken.xrd", "index.html", "pic.png"} << "index.html";
        QTest::newRow("unreadable report") << QStringList{"tiny.xrd", "malformed.xrd"} << "" << "" << "$OUT" << 2
                                           << QStringList() << "malformed.xrd";
        QTest::newRow("missing report") << QStringList{"nothing-here.xrd"} << "" << "" << "$OUT" << 2
                                        << QStringList() << "nothing-here.xrd";
        QTest::newRow("folder cannot be made") << QStringList{"tiny.xrd"} << "" << "" << "$IN/pic.png/out" << 2
                                               << QStringList() << "Cannot create the folder";
    }

    void status()
    {
        QFETCH(QStringList, files);
        QFETCH(QString, body);
        QFETCH(QString, out);
        QTemporaryDir work;
        const QString in = work.filePath("in");
        const QString config = work.filePath("config");
        QVERIFY(QDir().mkpath(in) && QDir().mkpath(config + "/xrdview"));
        QVERIFY(TestFiles::writeFile(config + "/xrdview/dhtml.cfg", "images = img\n"));
        QVERIFY(QImage(2, 2, QImage::Format_RGB32).save(in + "/pic.png"));
        QVERIFY(TestFiles::writeFile(in + "/broken.xrd", "<XROD><DOCUMENT name=\"x\">"));
        out.replace("$IN", in).replace("$OUT", work.filePath("out"));
        for (QString& file : files) {
            if (QFileInfo(file).isRelative() && !file.startsWith('$'))
                file = QStringLiteral(KORVAT_TEST_DATA "/") + file;
            if (!file.startsWith('$'))
                continue;
            file.replace("$R", "$IN/r.xrd").replace("$IN", in);
            QFETCH(QString, state);
            QVERIFY(TestFiles::writeFile(
                file, QStringLiteral("<XROD><DOCUMENT name=\"r\"><XROD:NODE name=\"r\" type=\"TestCase\" "
                                     "state=\"%1\" sum=\"1\"><P>%2</P></XROD:NODE></DOCUMENT></XROD>\n")
                          .arg(state, body.replace("$IN", in))
                          .toUtf8()));
        }
        const XrdviewRun run = runXrdview(QStringList{"--export-html", out} + files, config);

        QFETCH(int, status);
        QVERIFY2(run.status == status, qPrintable(run.describe()));
        QStringList left; // files and folders: no empty image folder either
        for (QDirIterator it(out, QDir::AllEntries | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
             it.hasNext();)
            left << QDir(out).relativeFilePath(it.next());
        left.sort();
        QTEST(left, "left");
        // The pages written are printed, one a line; a failed export prints none.
        QStringList printed;
        for (const QString& line : QString::fromUtf8(run.out).split('\n', Qt::SkipEmptyParts))
            printed << QFileInfo(line).fileName();
        printed.sort();
        QCOMPARE(printed, status == 2 ? QStringList() : left);
        QFETCH(QString, stderrHas);
        QVERIFY2(run.errText().contains(stderrHas), qPrintable(run.errText()));
        for (const QString missing : {"gone", "broken"}) {
            QCOMPARE(run.errText().contains(missing + ".xrd"), body.contains(missing));
            QVERIFY(!TestFiles::readText(QDir(out).filePath("r.html")).contains(missing + ".html"));
        }
    }
};

QTEST_MAIN(tst_XrdExportStatus)
#include "tst_xrdexportstatus.moc"
