#include "korvatreporter/data/junit/qajunittracelinks.h"

#include "tests/support/testfiles.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

// Stack frames of failure traces become links to files under the report's folder.
// The listing behind them is bounded by entries, folders as well as files: a
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

    // Which part of a trace line becomes a link, and to what: the first frame whose file is
    // under the report's folder, whatever the runner's way of naming it.
    void frames_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("linked"); // the part of the line that links; empty for none
        QTest::addColumn<QString>("target");
        QTest::newRow("Java frame, bare name") << "\tat shop.Cart.add(Cart.java:7)" << "Cart.java:7"
                                               << "src/shop/Cart.java line 7";
        QTest::newRow("dotted name of no file")
            << "at org.example.shop.CartTest.adds(org.example.shop.CartTest.java:842)" << "" << "";
        QTest::newRow("path from the folder") << "tests/test_x.py:12: AssertionError" << "tests/test_x.py:12"
                                              << "tests/test_x.py line 12";
        QTest::newRow("compiler form") << "lib/file.cpp(33): error: boom" << "lib/file.cpp(33)"
                                       << "lib/file.cpp line 33";
        QTest::newRow("Python form") << "  File \"tests/test_x.py\", line 12, in test_x" << "tests/test_x.py"
                                     << "tests/test_x.py line 12";
        QTest::newRow("message without a frame") << "AssertionError: expected: <842> but was: <843>" << ""
                                                 << "";
        QTest::newRow("colon and digit, no file name") << "expected:<842> at 10:42" << "" << "";
        QTest::newRow("first frame not under the folder") << "at x.Gone.run(Gone.java:3) from Cart.java:9"
                                                          << "Cart.java:9" << "src/shop/Cart.java line 9";
        QTest::newRow("frame right after another") << "Gone.java:3Cart.java:9" << "Cart.java:9"
                                                   << "src/shop/Cart.java line 9";
        QTest::newRow("name inside a longer one") << "at lib/xfile.cpp(4)" << "" << "";
    }

    void frames()
    {
        QFETCH(QString, line);
        QFETCH(QString, linked);
        QFETCH(QString, target);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        QDir root(dir.path());
        QVERIFY(root.mkpath("src/shop") && root.mkpath("tests") && root.mkpath("lib"));
        QVERIFY(TestFiles::writeFile(root.filePath("src/shop/Cart.java"), "class Cart {}"));
        QVERIFY(TestFiles::writeFile(root.filePath("tests/test_x.py"), "def test_x(): pass"));
        QVERIFY(TestFiles::writeFile(root.filePath("lib/file.cpp"), "int f();"));

        QAJUnitTraceLinks links(dir.path());
        const QAJUnitTraceLinks::Frame frame = links.frame(line);
        QCOMPARE(frame.target, target);
        if (!linked.isEmpty()) {
            QCOMPARE(frame.start, line.indexOf(linked));
            QCOMPARE(frame.length, linked.size());
        }
    }
};

QTEST_MAIN(TstQAJUnitTraceLinks)
#include "tst_qajunittracelinks.moc"
