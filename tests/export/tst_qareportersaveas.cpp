#include "korvatreporter/export/qareportersaveas.h"

#include "sdk/qamodal.h"

#include "tests/support/testfiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <unistd.h>

namespace {

using TestFiles::writeFile;

const QString SameFile = "Source and destination files are the sames.\nPlease select an other file.";
const QString Overwrite = "The file already exists.\nDo you want to overwrite it?";
const QString NotWritable = "The file could not be save.\nPlease check if you have write permission.";
const QString NotReadable = "The file could not be save.\nPlease check if you have read permission.";

} // namespace

// Save-as driven through the modal seam: each question is answered from a
// queue and recorded as "save:<start folder name>" or "warning:<text>".
class TestSaveAs : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QList<QVariant> m_answers;
    QStringList m_asked;
    QList<QAModalRequest> m_requests;

    QString path(const QString& name) const { return m_dir.filePath(name); }

    void run(const QStringList& sources, const QList<QVariant>& answers)
    {
        m_answers = answers;
        m_asked.clear();
        m_requests.clear();
        QAReporterSaveAs(nullptr, QStringLiteral("Studio")).run(sources);
        QVERIFY2(m_answers.isEmpty(), "not every prepared answer was asked for");
    }

private Q_SLOTS:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        QVERIFY(m_dir.isValid());
        QAModal::setAnswerer([this](const QAModalRequest& request) -> QVariant {
            m_requests << request;
            if (request.kind == QAModalRequest::SaveFileName)
                m_asked << "save:" + QFileInfo(request.dir).fileName();
            else if (request.kind == QAModalRequest::Warning)
                m_asked << (request.caption == "Studio" ? "warning:" : "caption?:") + request.text;
            else
                m_asked << "other:" + request.text;
            return m_answers.isEmpty() ? QVariant() : m_answers.takeFirst();
        });
    }

    void cleanupTestCase() { QAModal::clearAnswerer(); }

    void init()
    {
        QDir dir(m_dir.path());
        dir.removeRecursively();
        QVERIFY(QDir().mkpath(path(QStringLiteral("one"))));
        QVERIFY(QDir().mkpath(path(QStringLiteral("two"))));
        QVERIFY(writeFile(path(QStringLiteral("one/a.xrd")), "<XROD>\n</XROD>\n"));
        QVERIFY(writeFile(path(QStringLiteral("two/b.xrd")), "<XROD/>"));
    }

    void oneDialogPerReportInOrder()
    {
        const QString a = path(QStringLiteral("one/a.xrd"));
        const QString b = path(QStringLiteral("two/b.xrd"));
        // The first is cancelled, the second saved under a name without
        // extension, which is used as it is.
        run({ a, b }, { QVariant(), path(QStringLiteral("copy")) });
        QCOMPARE(m_asked, (QStringList{ "save:one", "save:two" }));
        QCOMPARE(m_requests.at(0).caption, QStringLiteral("Save a.xrd Report As"));
        QCOMPARE(m_requests.at(1).caption, QStringLiteral("Save b.xrd Report As"));
        QCOMPARE(m_requests.at(1).dir, QFileInfo(b).absolutePath());
        QCOMPARE(m_requests.at(1).filter, QStringLiteral("Report File (*.xrd)"));
        QCOMPARE(m_requests.at(1).objectName, QStringLiteral("save file dialog"));
        QCOMPARE(TestFiles::readBytes(path(QStringLiteral("copy"))), QByteArray("<XROD/>\n"));
        QVERIFY(!QFile::exists(path(QStringLiteral("copy.xrd"))));
        QCOMPARE(QDir(path(QStringLiteral("one"))).entryList(QDir::Files), QStringList{ "a.xrd" });
        // Without a window the report is named generically.
        QCOMPARE(QAReporterSaveAs::caption(nullptr), QStringLiteral("Report"));
    }

    void filterFollowsTheFormat()
    {
        // A JUnit file is offered its own pattern, whatever its name.
        const QString junit = path(QStringLiteral("one/results.txt"));
        QVERIFY(writeFile(junit, "<?xml version=\"1.0\"?>\n<testsuites/>\n"));
        run({ junit }, { QVariant() });
        QCOMPARE(m_requests.at(0).filter, QStringLiteral("Report File (*.xml)"));
    }

    void copiesLineByLine_data()
    {
        QTest::addColumn<QByteArray>("source");
        QTest::addColumn<QByteArray>("copy");
        QTest::newRow("last line without end") << QByteArray("a\nb") << QByteArray("a\nb\n");
        QTest::newRow("crlf") << QByteArray("a\r\nb\r\n") << QByteArray("a\nb\n");
        QTest::newRow("empty") << QByteArray() << QByteArray();
        QTest::newRow("empty lines") << QByteArray("\n\n") << QByteArray("\n\n");
        QTest::newRow("lone cr kept") << QByteArray("a\rb") << QByteArray("a\rb\n");
        QTest::newRow("latin-1 bytes unchanged") << QByteArray("<?xml encoding=\"ISO-8859-1\"?>\n\xe9t\xe9\n")
            << QByteArray("<?xml encoding=\"ISO-8859-1\"?>\n\xe9t\xe9\n");
        // A line end split over two read blocks (the copy reads 64 KiB at a
        // time); a line longer than a block.
        const QByteArray filler(64 * 1024 - 1, 'x');
        QTest::newRow("crlf across blocks") << filler + "\r\nz" << filler + "\nz\n";
        QTest::newRow("cr ends a block") << filler + "\rz" << filler + "\rz\n";
        QTest::newRow("long line") << filler + filler + "y" << filler + filler + "y\n";
    }

    void copiesLineByLine()
    {
        QFETCH(QByteArray, source);
        QFETCH(QByteArray, copy);
        const QString from = path(QStringLiteral("source.xrd"));
        const QString to = path(QStringLiteral("copy.xrd"));
        QVERIFY(writeFile(from, source));
        run({ from }, { to });
        QCOMPARE(m_asked, QStringList{ "save:" + QFileInfo(m_dir.path()).fileName() });
        QCOMPARE(TestFiles::readBytes(to), copy);
        QCOMPARE(TestFiles::readBytes(from), source);
    }

    // The source named again, under its own or another spelling of its path:
    // refused with a warning and the dialog shown again, the source intact.
    void sameFileAskedAgain_data()
    {
        // Paths relative to the test folder, which is the current folder
        // during the run; "abs:" makes one absolute.
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("destination");
        QTest::newRow("same path text") << "abs:one/a.xrd" << "abs:one/a.xrd";
        QTest::newRow("relative destination") << "abs:one/a.xrd" << "one/a.xrd";
        QTest::newRow("relative source") << "one/a.xrd" << "abs:one/a.xrd";
        QTest::newRow("dot-dot") << "abs:one/a.xrd" << "abs:two/../one/a.xrd";
        QTest::newRow("dot-dot source") << "two/../one/a.xrd" << "one/./a.xrd";
        QTest::newRow("symbolic link") << "abs:one/a.xrd" << "link.xrd";
        QTest::newRow("hard link") << "abs:one/a.xrd" << "hard.xrd";
        QTest::newRow("linked folder") << "abs:one/a.xrd" << "linkdir/a.xrd";
    }

    void sameFileAskedAgain()
    {
        QFETCH(QString, source);
        QFETCH(QString, destination);
        const QString file = path(QStringLiteral("one/a.xrd"));
        const QByteArray before = TestFiles::readBytes(file);
        if (destination == QLatin1String("link.xrd"))
            QVERIFY(QFile::link(file, path(destination)));
        else if (destination == QLatin1String("hard.xrd"))
            QCOMPARE(::link(QFile::encodeName(file).constData(), QFile::encodeName(path(destination)).constData()), 0);
        else if (destination.startsWith(QLatin1String("linkdir")))
            QVERIFY(QFile::link(path(QStringLiteral("one")), path(QStringLiteral("linkdir"))));
        auto resolve = [this](const QString& p) { return p.startsWith("abs:") ? path(p.mid(4)) : p; };
        const QString oldCurrent = QDir::currentPath();
        QDir::setCurrent(m_dir.path());
        run({ resolve(source) }, { resolve(destination), QMessageBox::Ok, QVariant() });
        QDir::setCurrent(oldCurrent);
        QCOMPARE(m_asked, (QStringList{ "save:one", "warning:" + SameFile, "save:one" }));
        QCOMPARE(TestFiles::readBytes(file), before);
    }

    void overwriteOnlyOnYes_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("copied");
        QTest::newRow("yes") << int(QMessageBox::Yes) << true;
        QTest::newRow("no") << int(QMessageBox::No) << false;
        QTest::newRow("cancel") << int(QMessageBox::Cancel) << false;
    }

    void overwriteOnlyOnYes()
    {
        QFETCH(int, answer);
        QFETCH(bool, copied);
        const QString source = path(QStringLiteral("two/b.xrd"));
        const QString existing = path(QStringLiteral("one/a.xrd"));
        QList<QVariant> answers{ existing, answer };
        if (!copied)
            answers << QVariant(); // the dialog again, cancelled
        run({ source }, answers);
        QStringList expected{ "save:two", "warning:" + Overwrite };
        if (!copied)
            expected << "save:two";
        QCOMPARE(m_asked, expected);
        QCOMPARE(m_requests.at(1).buttons, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        QCOMPARE(TestFiles::readBytes(existing), copied ? QByteArray("<XROD/>\n") : QByteArray("<XROD>\n</XROD>\n"));
    }

    // Failures are warned, the report skipped, and no file left shorter.
    void failuresLeaveFilesWhole_data()
    {
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("destination");
        QTest::addColumn<QString>("warning");
        QTest::newRow("destination folder missing") << "one/a.xrd" << "missing/copy.xrd" << NotWritable;
        QTest::newRow("destination is a folder") << "one/a.xrd" << "two" << NotWritable;
        QTest::newRow("source gone, new destination") << "gone.xrd" << "copy.xrd" << NotReadable;
        QTest::newRow("source gone, existing destination") << "gone.xrd" << "two/b.xrd" << NotReadable;
        QTest::newRow("source is a folder") << "one" << "two/b.xrd" << NotReadable;
        QTest::newRow("source without read permission") << "unreadable" << "two/b.xrd" << NotReadable;
        QTest::newRow("read-only folder") << "one/a.xrd" << "readonly/copy.xrd" << NotWritable;
    }

    void failuresLeaveFilesWhole()
    {
        QFETCH(QString, source);
        QFETCH(QString, destination);
        QFETCH(QString, warning);
        const bool needsPermissions = source == QLatin1String("unreadable")
                                      || destination.startsWith(QLatin1String("readonly"));
        if (needsPermissions && ::geteuid() == 0)
            QSKIP("permissions do not bind the superuser");
        if (source == QLatin1String("unreadable")) {
            QVERIFY(writeFile(path(source), "secret\n"));
            QFile::setPermissions(path(source), QFileDevice::WriteOwner);
        }
        if (destination.startsWith(QLatin1String("readonly"))) {
            QVERIFY(QDir().mkpath(path(QStringLiteral("readonly"))));
            QFile::setPermissions(path(QStringLiteral("readonly")), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        }
        const QString to = path(destination);
        const bool existed = QFileInfo::exists(to);
        const QByteArray before = TestFiles::readBytes(to);
        QList<QVariant> answers{ to };
        if (existed)
            answers << int(QMessageBox::Yes);
        answers << QMessageBox::Ok;
        run({ path(source) }, answers);
        QCOMPARE(m_asked.last(), "warning:" + warning);
        QCOMPARE(m_asked.count(QStringLiteral("warning:") + warning), 1);
        QCOMPARE(QFileInfo::exists(to), existed);
        if (existed && QFileInfo(to).isFile())
            QCOMPARE(TestFiles::readBytes(to), before);
        // Nothing but the files made above is left behind.
        QCOMPARE(QDir(path(QStringLiteral("two"))).entryList(QDir::Files), QStringList{ "b.xrd" });
        QFile::setPermissions(path("readonly"), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    }
};

QTEST_MAIN(TestSaveAs)
#include "tst_qareportersaveas.moc"
