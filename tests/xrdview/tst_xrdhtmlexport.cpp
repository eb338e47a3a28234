// `xrdview --export-html` end to end: exit statuses, what is left in the folder, and the
// exported pages opened in headless Chromium: every link lands on a written page and an
// existing id, no script of a report runs, the outline and the summary links are there.

#include "sdk/qailogmonitor.h"
#include "sdk/qaiprogressmonitor.h"
#include "sdk/qastviewerwindow.h"
#include "xrdview/cli/xrdhtmlexport.h"
#include "xrdview/host/xrdstudio.h"
#include "tests/support/testfiles.h"
#include "tests/support/xrdviewrun.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

namespace {

QString data(const char* name)
{
    return QStringLiteral(KORVAT_TEST_DATA "/") + QLatin1String(name);
}

QStringList examples()
{
    QStringList files;
    for (const QString& name : QDir(QStringLiteral(KORVAT_EXAMPLES))
                                   .entryList({QStringLiteral("*.xrd")}, QDir::Files, QDir::Name))
        files << QStringLiteral(KORVAT_EXAMPLES "/") + name;
    return files;
}

// Every file under `dir`, sorted; the names only when `names` is set.
QStringList filesIn(const QString& dir, bool names = false)
{
    QStringList files;
    QDirIterator it(dir, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext())
        files << (names ? QFileInfo(it.next()).fileName() : it.next());
    files.sort();
    return files;
}

// An attribute value as the DOM serialiser writes it, back to its text.
QString unescape(QString text)
{
    text.replace(QLatin1String("&quot;"), QLatin1String("\""));
    text.replace(QLatin1String("&lt;"), QLatin1String("<"));
    text.replace(QLatin1String("&gt;"), QLatin1String(">"));
    text.replace(QLatin1String("&nbsp;"), QString(QChar(0xa0)));
    text.replace(QLatin1String("&amp;"), QLatin1String("&"));
    return text;
}

QStringList attributeValues(const QString& dom, const char* name)
{
    QStringList values;
    const QRegularExpression pattern(QStringLiteral("\\s%1=\"([^\"]*)\"").arg(QLatin1String(name)));
    for (auto it = pattern.globalMatch(dom); it.hasNext();)
        values << unescape(it.next().captured(1));
    return values;
}

// A report window whose export writes the given pages and log lines.
class ScriptedWindow : public QAStViewerWindow
{
public:
    QStringList pages;
    QStringList messages;
    void exportHTML(const QString& outDir, const QString&, QAIProgressMonitor* progress,
                    QAILogMonitor* log) override
    {
        for (const QString& page : std::as_const(pages)) {
            QFile file(QDir(outDir).filePath(page));
            if (file.open(QIODevice::WriteOnly))
                file.write("<!DOCTYPE html>");
            progress->setProgress(1);
        }
        for (const QString& message : std::as_const(messages))
            log->message(message);
    }
};

} // namespace

class tst_XrdHtmlExport : public QObject
{
    Q_OBJECT

    QTemporaryDir m_config;

private Q_SLOTS:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        QVERIFY(QFile::exists(QStringLiteral(KORVAT_BIN_DIR "/xrdview")));
        QVERIFY(m_config.isValid());
    }

    void statuses_data()
    {
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<bool>("folderBlocked");
        QTest::addColumn<int>("status");
        QTest::addColumn<QStringList>("written");
        QTest::addColumn<QString>("stderrHas");
        QTest::newRow("examples") << examples() << false << 1 // they hold failed tests
                                  << QStringList{"campaign.html", "inconclusive.html", "index.html",
                                                 "regression.html", "smoke.html"}
                                  << QString();
        QTest::newRow("unreadable report") << QStringList{data("tiny.xrd"), data("malformed.xrd")} << false << 2
                                           << QStringList() << "malformed.xrd";
        QTest::newRow("missing report") << QStringList{data("nothing-here.xrd")} << false << 2 << QStringList()
                                        << "nothing-here.xrd";
        QTest::newRow("linked report missing") << QStringList{data("linkmissing.xrd")} << false << 0
                                               << QStringList{"index.html", "linkmissing.html"} << "not-there.xrd";
        QTest::newRow("folder cannot be made") << QStringList{data("tiny.xrd")} << true << 2 << QStringList()
                                               << "Cannot create the folder";
    }

    void statuses()
    {
        QFETCH(QStringList, files);
        QFETCH(bool, folderBlocked);
        QTemporaryDir work;
        QString out = work.filePath(QStringLiteral("out"));
        if (folderBlocked) {
            QVERIFY(TestFiles::writeFile(work.filePath(QStringLiteral("file")), QByteArray()));
            out = work.filePath(QStringLiteral("file/out"));
        }
        const XrdviewRun run = runXrdview(QStringList{QStringLiteral("--export-html"), out} + files, m_config.path());
        QFETCH(int, status);
        QVERIFY2(run.status == status, qPrintable(run.describe()));
        QFETCH(QStringList, written);
        QCOMPARE(filesIn(out, true), written);
        QStringList printed;
        for (const QString& line : QString::fromUtf8(run.out).split(QLatin1Char('\n'), Qt::SkipEmptyParts))
            printed << QFileInfo(line).fileName();
        QCOMPARE(printed, written);
        QFETCH(QString, stderrHas);
        if (!stderrHas.isEmpty())
            QVERIFY2(run.errText().contains(stderrHas), qPrintable(run.errText()));
    }

    // What an export leaves in the folder: its pages when it completes, none of the files it
    // made when a linked report could not be read, files of earlier exports in any case.
    void folder_data()
    {
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QStringList>("left");
        QTest::newRow("complete") << QStringList{"Image not found: x.png"} << true
                                  << QStringList{"a.html", "b.html", "old.html"};
        QTest::newRow("linked report unreadable") << QStringList{"Unable to open the report file '/r/x.xrd'"} << false
                                                  << QStringList{"a.html", "old.html"};
    }

    void folder()
    {
        QFETCH(QStringList, messages);
        QTemporaryDir out;
        for (const char* name : {"old.html", "a.html"})
            QVERIFY(TestFiles::writeFile(out.filePath(QLatin1String(name)), QByteArray()));
        QTest::qWait(1100); // file times have a resolution of a second on some file systems
        XrdStudio studio(out.path());
        studio.useStandardErrorOutput();
        ScriptedWindow window;
        window.pages = QStringList{"a.html", "b.html"};
        window.messages = messages;
        XrdHtmlExport exporter(&studio);
        QTEST(exporter.run(&window, out.path()), "ok");
        QTEST(filesIn(out.path(), true), "left");
        QFETCH(bool, ok);
        QCOMPARE(exporter.writtenFiles().size(), ok ? 2 : 0);
        QCOMPARE(exporter.errorString().isEmpty(), ok);
    }

    void inBrowser()
    {
        const QString chromium = QStandardPaths::findExecutable(QStringLiteral("chromium"));
        if (chromium.isEmpty())
            QSKIP("chromium is not installed (scripts/setup installs it)");
        QTemporaryDir work;
        const QString out = work.filePath(QStringLiteral("site"));
        const XrdviewRun run =
            runXrdview(QStringList{"--export-html", out} + examples() << data("hostile-html.xrd"), m_config.path());
        QVERIFY2(run.status == 1, qPrintable(run.errText())); // the examples hold failed tests

        QHash<QString, QString> doms;
        for (const QString& page : filesIn(out)) {
            QVERIFY(page.endsWith(QLatin1String(".html")));
            QProcess browser;
            browser.start(chromium, {"--headless", "--no-sandbox", "--disable-gpu",
                                     "--user-data-dir=" + work.filePath(QStringLiteral("profile")), "--dump-dom",
                                     QUrl::fromLocalFile(page).toString()});
            QVERIFY2(browser.waitForFinished(120000), qPrintable(page));
            const QString dom = QString::fromUtf8(browser.readAllStandardOutput());
            QVERIFY2(dom.contains(QLatin1String("</main>")), qPrintable(page));
            doms.insert(QFileInfo(page).fileName(), dom);
        }
        QVERIFY(doms.contains(QStringLiteral("hostile-html.html")));

        for (auto page = doms.cbegin(); page != doms.cend(); ++page) {
            const QString& dom = page.value();
            // No script element was made but the page's own, and none ran (they would have
            // marked the body).
            QVERIFY2(dom.count(QLatin1String("<script"), Qt::CaseInsensitive) <= 1, qPrintable(page.key()));
            QVERIFY2(!dom.contains(QLatin1String("data-ran")), qPrintable(page.key()));
            QVERIFY(!dom.contains(QLatin1String("<title>ran</title>")));
            // Every link to a page of the export lands on a written page and an existing id.
            for (const QString& href : attributeValues(dom, "href")) {
                QVERIFY2(!href.startsWith(QLatin1String("javascript:"), Qt::CaseInsensitive), qPrintable(href));
                const QString target = href.section(QLatin1Char('#'), 0, 0);
                if (!target.isEmpty() && !target.endsWith(QLatin1String(".html")))
                    continue; // a source file link
                const QString file = target.isEmpty() ? page.key() : QUrl::fromPercentEncoding(target.toUtf8());
                QVERIFY2(doms.contains(file), qPrintable(page.key() + QStringLiteral(": ") + href));
                if (href.contains(QLatin1Char('#'))) {
                    const QString id = QUrl::fromPercentEncoding(href.section(QLatin1Char('#'), 1).toUtf8());
                    QVERIFY2(attributeValues(doms.value(file), "id").contains(id),
                             qPrintable(page.key() + QStringLiteral(": ") + href));
                }
            }
        }
        // The hostile texts show as text.
        QVERIFY(doms.value(QStringLiteral("hostile-html.html"))
                    .contains(QLatin1String("&lt;script&gt;document.body.dataset.ran=1&lt;/script&gt;")));
        // Report pages carry the node outline, foldable where nodes have children; the summary
        // links every report page.
        QVERIFY(doms.value(QStringLiteral("campaign.html")).contains(QLatin1String("<details open=\"\">")));
        const QStringList reports{"campaign.html", "inconclusive.html", "regression.html", "smoke.html",
                                  "hostile-html.html"};
        const QStringList summaryLinks = attributeValues(doms.value(QStringLiteral("index.html")), "href");
        for (const QString& report : reports) {
            const QString& dom = doms.value(report);
            QVERIFY2(dom.contains(QLatin1String("<nav class=\"outline\"")), qPrintable(report));
            QVERIFY2(dom.contains(QLatin1String("<ul class=\"tree\">")), qPrintable(report));
            QVERIFY2(attributeValues(dom, "href").contains(QStringLiteral("index.html")), qPrintable(report));
            if (report != QLatin1String("regression.html")) // reached through a link only
                QVERIFY2(summaryLinks.contains(report), qPrintable(report));
        }
    }
};

QTEST_MAIN(tst_XrdHtmlExport)
#include "tst_xrdhtmlexport.moc"
