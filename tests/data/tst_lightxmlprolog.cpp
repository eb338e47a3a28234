#include "tests/support/recorddump.h"

#include <QTemporaryDir>
#include <QtTest>

// A Qt Test lightxml stream has no root element: the reader wraps it in one.
// A byte order mark or an XML declaration in front of the stream stays in
// front of that wrapper, and errors keep the stream's own line and column.
class TestLightXmlProlog : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

private Q_SLOTS:
    void read_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("result"); // the outline, or a part of the error
        const QByteArray stream = "<TestFunction name=\"f\"><Incident type=\"pass\" file=\"\" line=\"0\"/></TestFunction>\n"
                                  "<TestFunction name=\"g\"><Incident type=\"fail\" file=\"t.cpp\" line=\"9\"/></TestFunction>";
        const QByteArray declaration = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>";
        const QString outline = "s:ko\n.f:ok\n.g:ko";
        QTest::newRow("bare") << stream << outline;
        QTest::newRow("byte order mark") << "\xef\xbb\xbf" + stream << outline;
        QTest::newRow("declaration on its own line") << declaration + '\n' + stream << outline;
        QTest::newRow("declaration on the stream's line") << declaration + stream << outline;
        QTest::newRow("mark and declaration") << "\xef\xbb\xbf" + declaration + '\n' + stream << outline;
        const QByteArray mismatch = "<TestFunction name=\"f\"></Incident>";
        QTest::newRow("error, bare") << mismatch << "Qt Test, line 1, column 34:";
        QTest::newRow("error after a declaration line") << declaration + '\n' + mismatch << "Qt Test, line 2, column 34:";
        QTest::newRow("error after a declaration") << declaration + mismatch << "Qt Test, line 1, column 72:";
    }

    void read()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, result);
        QStandardPaths::setTestModeEnabled(true);
        RecordDump::Read read(RecordDump::write(m_dir, "s.txt", content));
        QCOMPARE(read.ok() ? RecordDump::outline(read.record) : read.reason.left(result.size()), result);
    }
};

QTEST_MAIN(TestLightXmlProlog)
#include "tst_lightxmlprolog.moc"
