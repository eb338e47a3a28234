#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

// Tests of the command lines of the report generators used by the benchmarks:
// --help documents every option, wrong lines fail with a usage, and the
// options the bench scripts pass keep working.
class TestGenerators : public QObject
{
    Q_OBJECT

private:
    struct Run
    {
        int exitCode = -1;
        QString out;
        QString err;
    };

    static Run run(const QString &program, const QStringList &arguments)
    {
        QProcess process;
        process.start(program, arguments);
        Run result;
        if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
            return result;
        result.exitCode = process.exitCode();
        result.out = QString::fromUtf8(process.readAllStandardOutput());
        result.err = QString::fromUtf8(process.readAllStandardError());
        return result;
    }

    static void addColumns()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QStringList>("arguments");
    }

private Q_SLOTS:
    void help_data()
    {
        addColumns();
        QTest::addColumn<QStringList>("options");

        const QStringList xrdgen{"--size", "--cases", "--deep", "--seed", "--help"};
        const QStringList junitgen{"--cases", "--output-lines", "--seed", "--help"};
        QTest::newRow("xrdgen --help") << KORVAT_XRDGEN << QStringList{"--help"} << xrdgen;
        QTest::newRow("xrdgen -h") << KORVAT_XRDGEN << QStringList{"-h"} << xrdgen;
        QTest::newRow("xrdgen --help after an option")
            << KORVAT_XRDGEN << QStringList{"--seed", "3", "--help"} << xrdgen;
        QTest::newRow("junitgen --help") << KORVAT_JUNITGEN << QStringList{"--help"} << junitgen;
        QTest::newRow("junitgen -h") << KORVAT_JUNITGEN << QStringList{"-h"} << junitgen;
    }

    // Help goes to standard output, names every option and succeeds.
    void help()
    {
        QFETCH(QString, program);
        QFETCH(QStringList, arguments);
        QFETCH(QStringList, options);

        const Run result = run(program, arguments);
        QCOMPARE(result.exitCode, 0);
        QCOMPARE(result.err, QString());
        QVERIFY(result.out.startsWith(QLatin1String("usage: ")));
        // Each option starts a line of the option list, with its explanation.
        for (const QString &option : options) {
            const QRegularExpression line(QStringLiteral("^ +(-\\w, )?%1 .*\\w")
                                              .arg(QRegularExpression::escape(option)),
                                          QRegularExpression::MultilineOption);
            QVERIFY2(line.match(result.out).hasMatch(), qPrintable(option));
        }
    }

    void wrongLine_data()
    {
        addColumns();
        QTest::newRow("xrdgen unknown option") << KORVAT_XRDGEN << QStringList{"--bogus", "out.xrd"};
        QTest::newRow("xrdgen no output") << KORVAT_XRDGEN << QStringList{"--cases", "3"};
        QTest::newRow("xrdgen bad number") << KORVAT_XRDGEN << QStringList{"--size", "--help", "out.xrd"};
        QTest::newRow("junitgen unknown option") << KORVAT_JUNITGEN << QStringList{"--bogus", "out.xml"};
        QTest::newRow("junitgen no output") << KORVAT_JUNITGEN << QStringList{};
    }

    // A wrong command line writes nothing to standard output and exits 2.
    void wrongLine()
    {
        QFETCH(QString, program);
        QFETCH(QStringList, arguments);

        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        QStringList inDir = arguments;
        for (QString &argument : inDir) {
            if (argument.startsWith(QLatin1String("out.")))
                argument = dir.filePath(argument);
        }
        const Run result = run(program, inDir);
        QCOMPARE(result.exitCode, 2);
        QCOMPARE(result.out, QString());
        QVERIFY(!result.err.isEmpty());
        QVERIFY(QDir(dir.path()).isEmpty());
    }

    void writes_data()
    {
        addColumns();
        QTest::addColumn<QString>("marker");
        QTest::newRow("xrdgen --cases --seed")
            << KORVAT_XRDGEN << QStringList{"--cases", "5", "--seed", "7"} << "<XROD";
        QTest::newRow("xrdgen --deep") << KORVAT_XRDGEN << QStringList{"--deep", "20"} << "<XROD";
        QTest::newRow("junitgen --cases --output-lines --seed")
            << KORVAT_JUNITGEN << QStringList{"--cases", "5", "--output-lines", "2", "--seed", "9"}
            << "<testsuites";
    }

    // The options the bench scripts pass still produce a report.
    void writes()
    {
        QFETCH(QString, program);
        QFETCH(QStringList, arguments);
        QFETCH(QString, marker);

        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString output = dir.filePath(QStringLiteral("report"));
        const Run result = run(program, arguments << output);
        QCOMPARE(result.exitCode, 0);
        QFile file(output);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(QString::fromUtf8(file.readAll()).contains(marker));
    }
};

QTEST_GUILESS_MAIN(TestGenerators)
#include "tst_generators.moc"
