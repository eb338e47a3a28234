#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

QString data(const char* name)
{
    return QStringLiteral(KORVAT_TEST_DATA "/") + QLatin1String(name);
}

} // namespace

// xrdview on JUnit XML results: the tree, the summary and its exit status as
// a CI quality gate (skipped is inconclusive, an error is a failure), the
// HTML export, and the refusal of a broken file.
class tst_XrdViewJUnit : public QObject
{
    Q_OBJECT

    QTemporaryDir m_config;

    // Runs xrdview with a clean settings folder; its standard output, error and status.
    int run(const QStringList& args, QByteArray* out, QByteArray* err)
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), m_config.path());
        environment.remove(QStringLiteral("XRDVIEW_PLUGIN_PATH"));
        QProcess process;
        process.setProcessEnvironment(environment);
        process.setWorkingDirectory(QStringLiteral(KORVAT_TEST_DATA));
        process.start(QStringLiteral(KORVAT_BIN_DIR "/xrdview"), args);
        if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit)
            return -1;
        *out = process.readAllStandardOutput();
        *err = process.readAllStandardError();
        return process.exitCode();
    }

private Q_SLOTS:
    void initTestCase() { QVERIFY(m_config.isValid()); }

    void modes_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("golden"); // empty: output not compared
        QTest::addColumn<int>("status");

        const QString example = QStringLiteral(KORVAT_EXAMPLES "/junit-surefire.xml");
        QTest::newRow("summary, failure and error") << QStringList{"--summary", example}
                                                    << "junit-summary-surefire.txt" << 1;
        QTest::newRow("summary, skipped is not a failure")
            << QStringList{"--summary", "junit-states.xml"} << "junit-summary-states.txt" << 0;
        QTest::newRow("summary, an error fails the gate")
            << QStringList{"--summary", "junit-error.xml"} << "junit-summary-error.txt" << 1;
        QTest::newRow("summary, JUnit beside XRD")
            << QStringList{"--summary", "junit-states.xml", "allpassed.xrd"} << "junit-summary-mixed.txt" << 0;
        QTest::newRow("summary, broken file") << QStringList{"--summary", "junit-states.xml", "junit-malformed.xml"}
                                              << QString() << 2;
        QTest::newRow("summary, entity expansion") << QStringList{"--summary", "junit-entities.xml"} << QString()
                                                   << 2;
        QTest::newRow("tree") << QStringList{"--print-tree", example} << "junit-tree-surefire.txt" << 0;
        QTest::newRow("tree, failed only") << QStringList{"--print-tree", "--failed-only", example}
                                           << "junit-tree-surefire-failed.txt" << 0;
        QTest::newRow("tree, skipped is NE, error is ko")
            << QStringList{"--print-tree", "junit-states.xml", "junit-error.xml"} << "junit-tree-states.txt" << 0;
        QTest::newRow("results table") << QStringList{"--print-summary", example, "junit-states.xml"}
                                       << "junit-table.txt" << 0;
        QTest::newRow("text") << QStringList{"--print-text", "junit-error.xml"} << "junit-text-error.txt" << 0;
    }

    void modes()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, golden);
        QFETCH(int, status);
        QByteArray out;
        QByteArray err;
        const int exitCode = run(args, &out, &err);
        QVERIFY2(exitCode == status, qPrintable(QStringLiteral("status %1, stderr: %2").arg(exitCode).arg(QString::fromLocal8Bit(err))));
        if (status == 2) // the refused file is named, with the reason
            QVERIFY2(err.contains(args.last().toLocal8Bit()) && err.contains("\t\tJUnit, line "), err.constData());
        if (golden.isEmpty())
            return;
        QFile file(data(qPrintable(golden)));
        if (qEnvironmentVariableIsSet("KORVAT_UPDATE_GOLDEN")) {
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(out);
            return;
        }
        QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(golden));
        QCOMPARE(QString::fromUtf8(out), QString::fromUtf8(file.readAll()));
    }

    void exportHtml_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QStringList>("present"); // texts of the report page
        QTest::addColumn<QStringList>("absent");

        QTest::newRow("all") << QStringList() << QStringList{"reservesForOrder", "addsReceiptToStock", "Failure: expected"}
                             << QStringList();
        QTest::newRow("failed only") << QStringList{"--failed-only"}
                                     << QStringList{"reservesForOrder", "exportsCsv"}
                                     << QStringList{"addsReceiptToStock", "importsLegacyFormat"};
    }

    void exportHtml()
    {
        QFETCH(QStringList, options);
        QTemporaryDir work;
        QVERIFY(work.isValid());
        const QString out = work.filePath(QStringLiteral("site"));
        QByteArray printed;
        QByteArray err;
        const int status = run(QStringList{"--export-html", out} + options
                                   + QStringList{QStringLiteral(KORVAT_EXAMPLES "/junit-surefire.xml")},
                               &printed, &err);
        QVERIFY2(status == 0, err.constData());
        QFile page(out + QStringLiteral("/junit-surefire.html"));
        QVERIFY2(page.open(QIODevice::ReadOnly), printed.constData());
        const QString html = QString::fromUtf8(page.readAll());
        QFETCH(QStringList, present);
        for (const QString& text : present)
            QVERIFY2(html.contains(text), qPrintable(text));
        QFETCH(QStringList, absent);
        for (const QString& text : absent)
            QVERIFY2(!html.contains(text), qPrintable(text));
    }
};

QTEST_GUILESS_MAIN(tst_XrdViewJUnit)
#include "tst_xrdviewjunit.moc"
