#include "korvatreporter/data/junit/qajunittracelinks.h"

#include "tests/support/testfiles.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

// The listing behind stack-frame links is bounded by entries, folders as well as files: a
// report at the top of a large tree (or of a tree of empty folders) must not be walked whole.
class TstQAJUnitTraceLinks : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void budget_data()
    {
        QTest::addColumn<QString>("layout"); // "folders" or "files" listed ahead of the source file
        QTest::addColumn<int>("budget");
        QTest::addColumn<QString>("target");
        QTest::newRow("empty folders within the budget") << "folders" << 100 << "zz/Cart.java line 7";
        QTest::newRow("empty folders spend the budget") << "folders" << 20 << "";
        QTest::newRow("files within the budget") << "files" << 100 << "zz/Cart.java line 7";
        QTest::newRow("files spend the budget") << "files" << 20 << "";
    }

    void budget()
    {
        QFETCH(QString, layout);
        QFETCH(int, budget);
        QFETCH(QString, target);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        QDir root(dir.path());
        // Folder "a" (listed first, breadth first in name order) holds forty entries; the
        // source file is in "zz", listed after it.
        QVERIFY(root.mkpath("a"));
        for (int i = 0; i < 40; ++i) {
            const QString name = QStringLiteral("a/%1").arg(i, 2, 10, QLatin1Char('0'));
            if (layout == "folders")
                QVERIFY(root.mkpath(name));
            else
                QVERIFY(TestFiles::writeFile(root.filePath(name + ".txt"), "x"));
        }
        QVERIFY(root.mkpath("zz"));
        QVERIFY(TestFiles::writeFile(root.filePath("zz/Cart.java"), "class Cart {}"));

        QAJUnitTraceLinks links(dir.path(), budget);
        QCOMPARE(links.frame(QStringLiteral("    at shop.Cart.add(Cart.java:7)")).target, target);
    }
};

QTEST_MAIN(TstQAJUnitTraceLinks)
#include "tst_qajunittracelinks.moc"
