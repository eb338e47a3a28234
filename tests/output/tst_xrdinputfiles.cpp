#include "xrdview/cli/xrdinputfiles.h"

#include "tests/support/testfiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// Folder and pattern arguments: which paths a pattern matches, and what a
// folder or a pattern expands to (sorted, reports only, each file once,
// the files passed over named).
class tst_XrdInputFiles : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    // A stand-in for the plug-in's formats: a report starts with '<'.
    static bool recognises(const QString &file)
    {
        QFile device(file);
        return device.open(QIODevice::ReadOnly) && device.read(1) == "<";
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        QDir root(m_dir.path());
        for (const char *folder : {"build/b/deep", "build/a", "empty"})
            QVERIFY(root.mkpath(QLatin1String(folder)));
        const char *const reports[] = {"build/b/deep/TEST-z.xml", "build/a/TEST-y.xml", "build/TEST-x.xml",
                                       "build/a/report.xrd", "top.xrd"};
        for (const char *name : reports)
            QVERIFY(TestFiles::writeFile(root.filePath(QLatin1String(name)), "<XROD/>"));
        QVERIFY(TestFiles::writeFile(root.filePath(QStringLiteral("build/a/TEST-notes.xml")), "plain notes"));
        QVERIFY(QDir::setCurrent(m_dir.path()));
    }

    void expression_data()
    {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("matches");
        QTest::newRow("star stays in its folder") << "build/*.xml" << "build/a/x.xml" << false;
        QTest::newRow("star in the folder") << "build/*.xml" << "build/x.xml" << true;
        QTest::newRow("double star, no folder") << "build/**/TEST-*.xml" << "build/TEST-x.xml" << true;
        QTest::newRow("double star, folders") << "build/**/TEST-*.xml" << "build/a/b/TEST-x.xml" << true;
        QTest::newRow("double star, prefix differs") << "build/**/TEST-*.xml" << "build/a/test-x.xml" << false;
        QTest::newRow("trailing double star") << "build/**" << "build/a/b.c" << true;
        QTest::newRow("question mark") << "r?.xrd" << "r1.xrd" << true;
        QTest::newRow("question mark is no slash") << "r?x.xrd" << "r/x.xrd" << false;
        QTest::newRow("set") << "r[0-9].xrd" << "r7.xrd" << true;
        QTest::newRow("negated set") << "r[!0-9].xrd" << "r7.xrd" << false;
        QTest::newRow("dots are literal") << "a.xrd" << "abxrd" << false;
        QTest::newRow("regex characters are literal") << "a+(b)*.x" << "a+(b)c.x" << true;
        QTest::newRow("unclosed bracket is literal") << "a[b" << "a[b" << true;
    }

    void expression()
    {
        QFETCH(QString, pattern);
        QFETCH(QString, path);
        QTEST(XrdInputFiles::expression(pattern).match(path).hasMatch(), "matches");
    }

    void expand_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QStringList>("messages");
        QTest::newRow("folder, sorted, reports only")
            << QStringList{"build"}
            << QStringList{"build/TEST-x.xml", "build/a/TEST-y.xml", "build/a/report.xrd", "build/b/deep/TEST-z.xml"}
            << QStringList{"build/a/TEST-notes.xml: passed over, not a report file"};
        QTest::newRow("pattern with double star")
            << QStringList{"build/**/TEST-*.xml"}
            << QStringList{"build/TEST-x.xml", "build/a/TEST-y.xml", "build/b/deep/TEST-z.xml"}
            << QStringList{"build/a/TEST-notes.xml: passed over, not a report file"};
        QTest::newRow("pattern from the current folder")
            << QStringList{"*.xrd"} << QStringList{"top.xrd"} << QStringList{};
        QTest::newRow("a file named twice is read once, in first place")
            << QStringList{"top.xrd", "*.xrd", "build/a"}
            << QStringList{"top.xrd", "build/a/TEST-y.xml", "build/a/report.xrd"}
            << QStringList{"build/a/TEST-notes.xml: passed over, not a report file"};
        QTest::newRow("pattern matching nothing")
            << QStringList{"nowhere/**/*.xml"} << QStringList{}
            << QStringList{"nowhere/**/*.xml: no file matches this pattern"};
        QTest::newRow("empty folder") << QStringList{"empty"} << QStringList{} << QStringList{};
        QTest::newRow("plain file kept as given, even when missing")
            << QStringList{"missing.xrd"} << QStringList{"missing.xrd"} << QStringList{};
    }

    void expand()
    {
        QFETCH(QStringList, arguments);
        QStringList said;
        const QStringList found = XrdInputFiles::expand(arguments, &recognises, &said);
        QStringList cleaned;
        for (const QString &file : found)
            cleaned << QDir::cleanPath(file);
        QTEST(cleaned, "files");
        QTEST(said, "messages");
    }
};

QTEST_GUILESS_MAIN(tst_XrdInputFiles)
#include "tst_xrdinputfiles.moc"
