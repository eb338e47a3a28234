#include "tests/support/recorddump.h"

#include <QTemporaryDir>
#include <QtTest>

// A Qt Test lightxml stream has no root element: the reader wraps it in one.
// A byte order mark or an XML declaration in front of the stream must stay
// in front of that wrapper, and errors keep the stream's own line and column.
class TestLightXmlProlog : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    static QByteArray stream()
    {
        return "<Environment><QtVersion>6.4.2</QtVersion></Environment>\n"
               "<TestFunction name=\"f\"><Incident type=\"pass\" file=\"\" line=\"0\"/></TestFunction>\n"
               "<TestFunction name=\"g\"><Incident type=\"fail\" file=\"t.cpp\" line=\"9\">"
               "<Description><![CDATA[boom]]></Description></Incident></TestFunction>\n";
    }

private Q_SLOTS:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        QVERIFY(m_dir.isValid());
    }

    void accepted_data()
    {
        QTest::addColumn<QByteArray>("prolog");
        QTest::newRow("none") << QByteArray();
        QTest::newRow("byte order mark") << QByteArray("\xef\xbb\xbf");
        QTest::newRow("declaration on its own line") << QByteArray("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n");
        QTest::newRow("declaration on the stream's line") << QByteArray("<?xml version=\"1.0\"?>");
        QTest::newRow("mark and declaration") << QByteArray("\xef\xbb\xbf<?xml version=\"1.0\"?>\n");
    }

    void accepted()
    {
        QFETCH(QByteArray, prolog);
        RecordDump::Read read(RecordDump::write(m_dir, "stream.txt", prolog + stream()));
        QVERIFY2(read.ok(), qPrintable(read.reason));
        QCOMPARE(RecordDump::outline(read.record), "stream:ko\n.f:ok\n.g:ko");
        QCOMPARE((QList<qint64>{read.record.passed, read.record.failed}), (QList<qint64>{1, 1}));
    }

    void errorPlace_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("place");
        // A tag mismatch on the stream's first line, at the column the file
        // has, and the line after a declaration.
        QTest::newRow("bare") << QByteArray("<TestFunction name=\"f\"></Incident>") << "line 1, column 34:";
        QTest::newRow("declaration on its own line")
            << QByteArray("<?xml version=\"1.0\"?>\n<TestFunction name=\"f\"></Incident>") << "line 2, column 34:";
        QTest::newRow("declaration on the stream's line")
            << QByteArray("<?xml version=\"1.0\"?><TestFunction name=\"f\"></Incident>") << "line 1, column 55:";
    }

    void errorPlace()
    {
        QFETCH(QByteArray, content);
        RecordDump::Read read(RecordDump::write(m_dir, "broken.txt", content));
        QVERIFY(!read.ok());
        QFETCH(QString, place);
        QVERIFY2(read.reason.contains("Qt Test, " + place), qPrintable(read.reason));
    }
};

QTEST_MAIN(TestLightXmlProlog)
#include "tst_lightxmlprolog.moc"
