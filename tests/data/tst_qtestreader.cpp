#include "korvatreporter/data/qtest/qaqtestreader.h"
#include "rendoc/model/ddocument.h"
#include "rendoc/model/dtreeprinter.h"
#include "tests/support/goldenfile.h"
#include "tests/support/recorddump.h"
#include "tests/support/threadthreshold.h"

#include <QTemporaryDir>
#include <QtTest>

using RecordDump::Read;

// Reading Qt Test's XML and lightxml output, as the runner writes it, into
// node trees, verdicts, totals and documents.
class TestQtTestReader : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    // A lightxml stream of `functions`, after the environment the runner writes first.
    QString lightXml(const QString &functions)
    {
        return RecordDump::write(m_dir, "stream.txt",
                                 ("<Environment>\n    <QtVersion>6.4.2</QtVersion>\n</Environment>\n" + functions)
                                     .toUtf8());
    }

private Q_SLOTS:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        QVERIFY(m_dir.isValid());
    }

    void golden_data()
    {
        QTest::addColumn<QString>("file");

        // A program with a failure, an expected failure, an unexpected pass,
        // a skip, a data-driven function, messages and a benchmark.
        QTest::newRow("xml") << "tinyqtest.xml";
        QTest::newRow("lightxml") << "tinyqtest.lightxml";
        // One of our own units, every function passing.
        QTest::newRow("own unit, xml") << "tst_qtree.xml";
        QTest::newRow("own unit, lightxml") << "tst_qtree.lightxml";
    }

    void golden()
    {
        QFETCH(QString, file);
        // Parsed in turn and on a thread of its own, a file reads alike.
        for (const qint64 threshold : {-1, 0}) {
            const ThreadThreshold threads(threshold);
            Read read(KORVAT_TEST_DATA "/qtest/" + file);
            QVERIFY2(read.ok(), qPrintable(read.reason));
            KORVAT_VERIFY_GOLDEN("qtest/" + file + ".dump", RecordDump::dump(read.record));
        }
    }

    void verdicts_data()
    {
        QTest::addColumn<QString>("functions");
        QTest::addColumn<QStringList>("tree");

        const auto incident = [](const char *type, const QString &tag = QString()) {
            return QStringLiteral("<Incident type=\"%1\" file=\"t.cpp\" line=\"3\">").arg(type)
                   + (tag.isNull() ? QString() : "<DataTag><![CDATA[" + tag + "]]></DataTag>") + "</Incident>";
        };
        const auto function = [](const QString &name, const QString &body) {
            return "<TestFunction name=\"" + name + "\">" + body + "<Duration msecs=\"1\"/></TestFunction>";
        };
        QTest::newRow("each incident type")
            << function("p", incident("pass")) + function("xf", incident("xfail") + incident("pass"))
                   + function("f", incident("fail")) + function("xp", incident("xpass"))
                   + function("s", incident("skip")) + function("bp", incident("bpass"))
                   + function("bf", incident("bfail")) + function("none", "")
            << QStringList{"stream:ko", ".p:ok", ".xf:ok", ".f:ko", ".xp:ko", ".s:NE", ".bp:NE", ".bf:NE", ".none:NE"};
        QTest::newRow("data rows, the worst one winning")
            << function("d", incident("pass", "a") + incident("skip", "b") + incident("xfail", "c")
                                 + incident("pass", "c"))
            << QStringList{"stream:NE", ".d:NE", "..a:ok", "..b:NE", "..c:ok"};
        QTest::newRow("a failed row fails its function")
            << function("d", incident("fail", "a") + incident("skip", "b")) + function("p", incident("pass"))
            << QStringList{"stream:ko", ".d:ko", "..a:ko", "..b:NE", ".p:ok"};
        QTest::newRow("messages and benchmarks join their row")
            << function("d", "<Message type=\"qdebug\" file=\"\" line=\"0\"><DataTag>a</DataTag><Description>m"
                             "</Description></Message>"
                                 + incident("pass", "a")
                                 + "<BenchmarkResult metric=\"WalltimeMilliseconds\" tag=\"b\" value=\"1\" "
                                   "iterations=\"8\"/>"
                                 + incident("pass", "b"))
            << QStringList{"stream:ok", ".d:ok", "..a:ok", "..b:ok"};
    }

    void verdicts()
    {
        QFETCH(QString, functions);
        Read read(lightXml(functions));
        QVERIFY2(read.ok(), qPrintable(read.reason));
        QTEST(RecordDump::tree(read.record), "tree");
    }

    // How element texts and attribute values reach the report: CDATA between
    // blanks, entities, comments inside a text, and a declared encoding.
    void texts_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("text"); // a part of the printed document

        const auto failure = [](const QByteArray &description) {
            return "<TestCase name=\"t\"><TestFunction name=\"f\"><Incident type=\"fail\" file=\"a.cpp\" line=\"3\">"
                   + description + "</Incident></TestFunction></TestCase>";
        };
        QTest::newRow("CDATA between blanks")
            << failure("\n  <Description>\n    <![CDATA[boom]]>\n  </Description>\n") << "Text \"Failed: boom, source \"";
        QTest::newRow("entity and comment inside a text")
            << failure("<Description>a &amp;<!-- note --> b</Description>") << "Text \"Failed: a & b, source \"";
        QTest::newRow("entity in an attribute")
            << QByteArray("<TestCase name=\"t\"><TestFunction name=\"a&lt;b\"><Incident type=\"pass\"/>"
                          "</TestFunction></TestCase>")
            << "Text \"a<b\"";
        QTest::newRow("declared Latin-1")
            << QByteArray("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n<TestCase name=\"t\">"
                          "<TestFunction name=\"caf\xe9\"><Incident type=\"pass\"/></TestFunction></TestCase>")
            << QStringLiteral("Text \"caf\u00e9\"");
        QTest::newRow("declared windows-1252")
            << QByteArray("<?xml version=\"1.0\" encoding=\"windows-1252\"?>\n<TestCase name=\"t\">"
                          "<TestFunction name=\"f\"><Incident type=\"fail\" file=\"a.cpp\" line=\"3\">"
                          "<Description>\x93\x80 9\x94</Description></Incident></TestFunction></TestCase>")
            << QStringLiteral("Text \"Failed: \u201c\u20ac 9\u201d, source \"");
    }

    void texts()
    {
        QFETCH(QByteArray, content);
        Read read(RecordDump::write(m_dir, "texts.xml", content));
        QVERIFY2(read.ok(), qPrintable(read.reason));
        QFETCH(QString, text);
        const QString printed = DTreePrinter::print(read.record.document);
        QVERIFY2(printed.contains(text), qPrintable(printed));
    }

    void rejected_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("error"); // a part of the reason

        QTest::newRow("not closed") << QByteArray("<TestCase name=\"t\">\n<TestFunction name=\"f\">")
                                    << "Qt Test, line 2, column ";
        QTest::newRow("mismatched tag")
            << QByteArray("<TestCase>\n<TestFunction name=\"f\"></Incident></TestCase>") << "Qt Test, line 2, column 26:";
        QTest::newRow("lightxml, line 1 column as written")
            << QByteArray("<Environment></Environmen>") << "Qt Test, line 1, column 16:";
        QTest::newRow("lightxml cut short")
            << QByteArray("<Environment/>\n<TestFunction name=\"f\">\n<Incident type=\"pass\"")
            << "Qt Test, line 3, column ";
        QTest::newRow("document type declaration")
            << QByteArray("<?xml version=\"1.0\"?>\n<!DOCTYPE TestCase [<!ENTITY a \"aaaa\">]>\n<TestCase/>")
            << "Qt Test, line 2: document type declarations are not accepted.";
        QTest::newRow("1,001 elements deep") << QByteArray("<TestCase>") + QByteArray("<x>").repeated(1000)
                                                    + QByteArray("</x>").repeated(1000) + "</TestCase>"
                                             << "elements nested deeper than 1000";
        QTest::newRow("declared encoding unknown")
            << QByteArray("<?xml version=\"1.0\" encoding=\"x-mac-roman\"?>\n<TestCase name=\"t\"/>")
            << "Qt Test, line 1, column 31: unsupported encoding";
    }

    void rejected()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, error);
        RecordDump::verifyRefused(RecordDump::write(m_dir, "rejected.xml", content), error);
    }

    void textRunLimit()
    {
        // A description longer than the limit stops the read; so does a tag
        // that never ends, however the file is cut into pieces.
        for (const QByteArray &content :
             {QByteArray("<TestCase><TestFunction name=\"f\"><Incident type=\"fail\"><Description>")
                  + QByteArray(300000, 'x') + "</Description></Incident></TestFunction></TestCase>",
              QByteArray("<TestCase><TestFunction name=\"") + QByteArray(300000, 'x') + "\"/></TestCase>"}) {
            QFile file(RecordDump::write(m_dir, "long.xml", content));
            QVERIFY(file.open(QIODevice::ReadOnly));
            QAReporterData record;
            QAQtTestReader reader;
            reader.setTextRunLimit(100000);
            QVERIFY(!reader.read(file, nullptr, {}, record));
            QVERIFY2(reader.errorString().contains("longer than 100000"), qPrintable(reader.errorString()));
        }
    }

    // A lightxml stream has no root element: the reader wraps it in one. A byte order mark or
    // an XML declaration in front of the stream stays in front of that wrapper, and errors keep
    // the stream's own line and column.
    void lightXmlProlog_data()
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
        QTest::newRow("error, bare") << mismatch << "Qt Test, line 1, column 26:";
        QTest::newRow("error after a declaration line") << declaration + '\n' + mismatch << "Qt Test, line 2, column 26:";
        QTest::newRow("error after a declaration") << declaration + mismatch << "Qt Test, line 1, column 64:";
    }

    void lightXmlProlog()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, result);
        // Parsed in turn and on a thread of its own, a file reads alike.
        for (const qint64 threshold : {-1, 0}) {
            const ThreadThreshold threads(threshold);
            RecordDump::Read read(RecordDump::write(m_dir, "s.txt", content));
            QCOMPARE(read.ok() ? RecordDump::outline(read.record) : read.reason.left(result.size()), result);
        }
    }
};

QTEST_MAIN(TestQtTestReader)
#include "tst_qtestreader.moc"
