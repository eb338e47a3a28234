// The headless modes without any display: each runs with DISPLAY and
// QT_QPA_PLATFORM unset (the modes without text layout under a core
// application, where creating a widget would abort the run), and the
// command line's export removes only the files its session says it wrote.

#include "sdk/qastreportsession.h"
#include "tests/support/testfiles.h"
#include "tests/support/xrdviewrun.h"
#include "xrdview/cli/xrdhtmlexport.h"
#include "xrdview/host/xrdstudio.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <functional>
#include <utility>

namespace {

QString data(const char* name)
{
    return QStringLiteral(KORVAT_TEST_DATA "/") + QLatin1String(name);
}

// A session whose export writes the given pages; `during` runs after the
// first page, as another process writing into the folder would.
class ScriptedSession : public QAStReportSession
{
public:
    QStringList pages;
    QStringList refused;
    std::function<void()> during;

    void setFailedOnly(bool) override {}
    void hideType(const QString&) override {}
    QStringList load(const QStringList&, QAILogMonitor*) override { return {}; }
    std::optional<QAStResultTotals> resultTotals() const override { return QAStResultTotals(); }
    QString totalsText(const QString&) const override { return {}; }
    QString summaryText() override { return {}; }
    void documentText(const TextLines&) override {}
    void outlineText(const TextLines&) override {}
    QAStExportResult exportHtml(const QString& dir, QAIProgressMonitor*, QAILogMonitor*) override
    {
        QAStExportResult result;
        for (const QString& page : std::as_const(pages)) {
            const QString path = QDir(dir).filePath(page);
            if (TestFiles::writeFile(path, "<!DOCTYPE html>"))
                result.written << path;
            if (during)
                std::exchange(during, nullptr)();
        }
        result.failedPages = refused;
        return result;
    }
};

} // namespace

class tst_XrdHeadless : public QObject
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

    void noDisplay_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("golden"); // empty: output not compared
        QTest::addColumn<int>("status");
        const QString tiny = data("tiny.xrd");
        QTest::newRow("summary") << QStringList{"--summary", TestFiles::example("campaign.xrd")}
                                 << "summary-campaign.txt" << 1;
        QTest::newRow("tree") << QStringList{"--print-tree", tiny} << "tree-tiny.txt" << 0;
        QTest::newRow("results table") << QStringList{"--print-summary", tiny} << QString() << 0;
        QTest::newRow("text") << QStringList{"--print-text", tiny} << "text-tiny.txt" << 0;
        QTest::newRow("export") << QStringList{"--export-html", "OUT", tiny} << QString() << 1; // as --summary
    }

    void noDisplay()
    {
        QFETCH(QStringList, args);
        QTemporaryDir out;
        args.replaceInStrings(QStringLiteral("OUT"), out.filePath(QStringLiteral("site")));
        // No display, and a locale fontconfig cannot parse: standard error stays empty.
        const XrdviewRun run = runXrdview(args, m_config.path(), QString(),
                                          {"DISPLAY=", "WAYLAND_DISPLAY=", "QT_QPA_PLATFORM=", "LANG=x_Y",
                                           "LC_ALL=x_Y"});
        QFETCH(int, status);
        QVERIFY2(run.status == status, qPrintable(run.describe()));
        QVERIFY2(run.err.isEmpty(), run.err.constData());
        QFETCH(QString, golden);
        if (!golden.isEmpty())
            QCOMPARE(QString::fromUtf8(run.out), TestFiles::readText(data(qPrintable(golden))));
        else
            QVERIFY(!run.out.isEmpty());
    }

    // A failing export removes the pages it wrote and nothing else: not a
    // file that appeared in the folder while it ran, not a page it replaced.
    void failedExportKeepsOthers_data()
    {
        QTest::addColumn<QStringList>("refused");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QStringList>("left");
        QTest::newRow("complete") << QStringList() << true
                                  << QStringList{"a.html", "b.html", "old.html", "precious.txt"};
        QTest::newRow("a page refused") << QStringList{"c.html"} << false
                                        << QStringList{"a.html", "old.html", "precious.txt"};
    }

    void failedExportKeepsOthers()
    {
        QTemporaryDir out;
        for (const char* name : {"old.html", "a.html"})
            QVERIFY(TestFiles::writeFile(out.filePath(QLatin1String(name)), QByteArray()));
        ScriptedSession session;
        session.pages = QStringList{"a.html", "b.html"};
        QFETCH(QStringList, refused);
        session.refused = refused;
        session.during = [&] {
            QVERIFY(TestFiles::writeFile(out.filePath(QStringLiteral("precious.txt")), "another process"));
        };
        XrdStudio studio(out.path());
        XrdHtmlExport exporter(&studio);
        QTEST(exporter.run(&session, out.path()), "ok");
        QTEST(QDir(out.path()).entryList(QDir::Files, QDir::Name), "left");
        QFETCH(bool, ok);
        QCOMPARE(exporter.writtenFiles().size(), ok ? 2 : 0);
        QCOMPARE(exporter.errorString().isEmpty(), ok);
    }
};

QTEST_GUILESS_MAIN(tst_XrdHeadless)
#include "tst_xrdheadless.moc"
