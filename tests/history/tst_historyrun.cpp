#include "history/historycontenthash.h"
#include "history/historyrun.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// The content hash that makes a re-recorded report one run, and failure message fingerprints.
class tst_HistoryRun : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    // Writes each of `contents` to a new file and returns their names.
    QStringList write(const QStringList &contents)
    {
        static int count = 0;
        QStringList names;
        for (const QString &text : contents) {
            const QString name = m_dir.filePath(QStringLiteral("f%1.xrd").arg(++count));
            QFile file(name);
            if (file.open(QIODevice::WriteOnly))
                file.write(text.toUtf8());
            names.append(name);
        }
        return names;
    }

private Q_SLOTS:
    void contentHash_data()
    {
        QTest::addColumn<QStringList>("first");
        QTest::addColumn<QStringList>("second");
        QTest::addColumn<bool>("same");

        QTest::newRow("same content, other file names") << QStringList{"a", "b"} << QStringList{"a", "b"} << true;
        QTest::newRow("one byte differs") << QStringList{"abc"} << QStringList{"abd"} << false;
        QTest::newRow("boundary between files moved") << QStringList{"ab", "c"} << QStringList{"a", "bc"} << false;
        QTest::newRow("order of the files") << QStringList{"a", "b"} << QStringList{"b", "a"} << false;
        QTest::newRow("empty file added") << QStringList{"a"} << QStringList{"a", ""} << false;
    }

    void contentHash()
    {
        QFETCH(QStringList, first);
        QFETCH(QStringList, second);
        QString error;
        const QString one = HistoryRun::contentHashOf(write(first), &error);
        const QString two = HistoryRun::contentHashOf(write(second), &error);
        QVERIFY2(!one.isEmpty() && !two.isEmpty(), qPrintable(error));
        QTEST(one == two, "same");
    }

    // The content hash is stored: it must not change from one version or machine to another.
    // XXH64's published values, then the hash of two files and the SHA-256 of the runs before it.
    void stableValues()
    {
        QCOMPARE(HistoryContentHash::xxh64("", 0), 0xef46db3751d8e999ULL);
        QCOMPARE(HistoryContentHash::xxh64("abc", 0), 0x44bc2cf5ad770999ULL);
        QCOMPARE(HistoryContentHash::xxh64("Nobody inspects the spammish repetition", 0), 0xfbcea83c8a378bf1ULL);
        QString error;
        const QStringList files = write({"a", QString(100, QLatin1Char('x'))});
        QCOMPARE(HistoryRun::contentHashOf(files, &error), QStringLiteral("f7e785f1162cd0eae35622f9ba0ef5db"));
        QCOMPARE(HistoryRun::sha256Of(files)(), HistoryContentHash::sha256Of(files, &error));
        QCOMPARE(HistoryContentHash::sha256Of(write({"a"}), &error),
                 QStringLiteral("87a4add670544dbb9f2fd239f3aa89a0d64d7fc26fc1d6fe253bd3da7843844e"));
    }

    void unreadableFile()
    {
        QString error;
        const QString missing = m_dir.filePath(QStringLiteral("missing.xrd"));
        QVERIFY(HistoryRun::contentHashOf(write({"a"}) << missing, &error).isEmpty());
        QVERIFY2(error.contains(missing), qPrintable(error));
        error.clear();
        QVERIFY(HistoryContentHash::sha256Of(write({"a"}) << missing, &error).isEmpty());
        QVERIFY2(error.contains(missing), qPrintable(error));
    }

    void fingerprint_data()
    {
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");
        QTest::addColumn<bool>("same");
        QTest::newRow("surrounding blanks") << "expected 1 got 2" << "  expected 1 got 2\n" << true;
        QTest::newRow("different message") << "expected 1 got 2" << "expected 1 got 3" << false;
        QTest::newRow("case matters") << "Timeout" << "timeout" << false;
    }

    void fingerprint()
    {
        QFETCH(QString, first);
        QFETCH(QString, second);
        const qint64 one = HistoryResult::fingerprintOf(first);
        QVERIFY(one > 0);
        QTEST(one == HistoryResult::fingerprintOf(second), "same");
        QCOMPARE(HistoryResult::fingerprintOf(QStringLiteral(" \t\n")), 0);
    }
};

QTEST_APPLESS_MAIN(tst_HistoryRun)
#include "tst_historyrun.moc"
