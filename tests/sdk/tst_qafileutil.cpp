#include "sdk/qafileutil.h"

#include <QDir>
#include <QTest>

// Relative paths from a directory to a file.
class tst_QAFileUtil : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void absPathToRelative_data()
    {
        QTest::addColumn<QString>("fromDir");
        QTest::addColumn<QString>("toPath");
        QTest::addColumn<QString>("expected");

        QTest::newRow("same directory") << "/a/b" << "/a/b/x.c" << "x.c";
        QTest::newRow("subdirectory") << "C:/src" << "C:/src/lib/x.c" << "lib/x.c";
        QTest::newRow("sibling directory") << "/a/b" << "/a/c/x.c" << "../c/x.c";
        QTest::newRow("parent directory") << "/a/b" << "/a/x.c" << "../x.c";
        QTest::newRow("only root shared") << "/a/b" << "/c/d/x.c" << "../../c/d/x.c";
        QTest::newRow("from the root") << "/" << "/a/x.c" << "a/x.c";
        QTest::newRow("trailing separator") << "/a/b/" << "/a/b/x.c" << "x.c";
        QTest::newRow("several trailing separators") << "C:/src//" << "C:/src/x.c" << "x.c";
        QTest::newRow("backslashes") << "C:\\src\\" << "C:\\src\\lib\\x.c" << "lib/x.c";
        QTest::newRow("drive letter case") << "c:/src" << "C:/src/x.c" << "x.c";
        QTest::newRow("target is the directory") << "/a/b" << "/a/b/" << ".";
        QTest::newRow("common prefix not a directory") << "/a/bc" << "/a/b/x.c" << "../b/x.c";
        QTest::newRow("dot segments") << "/a/./b/../b" << "/a/b/x.c" << "x.c";
        QTest::newRow("different drives") << "C:/src" << "D:/src/x.c" << "D:/src/x.c";
        QTest::newRow("different shares") << "//one/s/a" << "//two/s/a/x.c" << "//two/s/a/x.c";
        QTest::newRow("same share") << "//one/s/a" << "//one/s/b/x.c" << "../b/x.c";
        QTest::newRow("relative target") << "/a/b" << "lib/x.c" << "lib/x.c";
        QTest::newRow("relative directory") << "a/b" << "/a/b/x.c" << "/a/b/x.c";
        QTest::newRow("empty directory") << "" << "/a/x.c" << "/a/x.c";
    }

    void absPathToRelative()
    {
        QFETCH(QString, fromDir);
        QFETCH(QString, toPath);
        QTEST(QAFileUtil::absPathToRelative(fromDir, toPath), "expected");
    }

    void isRelativePath_data()
    {
        QTest::addColumn<QString>("path");
        for (const char* path : {"", "a", "./a", "../a", "~/a", "/", "/a/b", "//host/s", ":", ":/res",
                                 ":res", "C:/src", "C:\\src", "\\\\host\\s", " /a", "file:///a"})
            QTest::newRow(path) << QString::fromLatin1(path);
    }

    // The quick answer is Qt's answer.
    void isRelativePath()
    {
        QFETCH(QString, path);
        QCOMPARE(QAFileUtil::isRelativePath(path), QDir::isRelativePath(path));
    }
};

QTEST_APPLESS_MAIN(tst_QAFileUtil)
#include "tst_qafileutil.moc"
