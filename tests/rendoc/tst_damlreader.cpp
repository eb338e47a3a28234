#include "rendoc/aml/damlreader.h"

#include "rendoc/aml/damlexpatsource.h"

#include "rendoc/model/ditems.h"
#include "rendoc/style/dstyle.h"
#include "rendoc/model/dtreeprinter.h"
#include "rendoc/styleres/dstyleserialize.h"
#include "tests/support/goldenfile.h"
#include "tests/support/threadthreshold.h"
#include "sdk/qaresgroup.h"
#include "sdk/qaresint.h"
#include "sdk/qaresrgb.h"
#include "sdk/qaresstring.h"

#include <QBuffer>
#include <QFile>
#include <QTest>

#include <memory>

Q_DECLARE_METATYPE(DStyle)

namespace {

QString styleLine(const DStyle* s)
{
    const auto n = [](int value) { return QString::number(value); };
    return QStringLiteral("Style \"%1\" family=\"%2\" size=%3 bold=%4 italic=%5 underline=%6 "
                          "color=%7 background=%8 align=%9 ")
               .arg(s->name(), s->family(), n(s->pointSize()), n(s->bold()), n(s->italic()),
                    n(s->underline()), s->foreground().name(),
                    s->background().isValid() ? s->background().name() : QStringLiteral("none"),
                    n(int(s->alignment())))
        + QStringLiteral("margins=%1,%2,%3,%4").arg(s->marginLeft()).arg(s->marginTop())
              .arg(s->marginRight()).arg(s->marginBottom());
}

// Styles handed to the reader from outside, as the plug-in hands it those of its style file.
QList<DStyle*> givenStyles()
{
    static DStyle s[] = {DStyle(QStringLiteral("Normal")), DStyle(QStringLiteral("Title1")),
                         DStyle(QStringLiteral("Title3")), DStyle(QStringLiteral("Link")),
                         DStyle(QStringLiteral("Array")), DStyle(QStringLiteral("Warning"))};
    return {&s[0], &s[1], &s[2], &s[3], &s[4], &s[5]};
}

// Parses text with a fresh reader; the reader keeps the result.
bool parseText(DAmlReader& reader, const QString& text)
{
    reader.setInputSize(text.toUtf8().size());
    return reader.parseText(text);
}

// A handler derived the way the report reader derives it: it keeps MARK elements for itself and
// logs what the base class offers after each forwarded start tag and at each MARK end.
class RecordingHandler : public DAmlHandler {
public:
    QStringList log;

    bool startElement(
        const QString&, const QString&, const QString& qName, const DAmlAttributes& atts) override
    {
        if (qName == QLatin1String("MARK"))
            return true;
        if (!DAmlHandler::startElement(QString(), QString(), qName, atts))
            return false;
        log.append(qName + QLatin1Char(' ') + describe(currentItem()));
        return true;
    }

    bool endElement(const QString&, const QString&, const QString& qName) override
    {
        if (qName == QLatin1String("MARK")) {
            log.append(QLatin1String("/MARK ") + describe(endPosition()));
            return true;
        }
        return DAmlHandler::endElement(QString(), QString(), qName);
    }

    // The item's kind, and a document's name.
    static QString describe(const DItem* item)
    {
        if (!item)
            return QStringLiteral("null");
        const QString kind = QLatin1String(DItem::kindName(item->kind()));
        return item->toDocument() ? kind + QLatin1Char(':') + item->toDocument()->name() : kind;
    }
};

// Paragraphs enough to fill many of the blocks the parsing thread hands over.
QByteArray manyParagraphs(int count)
{
    QByteArray xml;
    for (int i = 0; i < count; ++i) {
        xml += "<P style=\"s" + QByteArray::number(i % 7) + "\">\xc3\xa9\xe2\x82\xac " + QByteArray(i % 97, 'x')
            + "\n&amp;<![CDATA[<c>]]>\r\n" + QByteArray::number(i) + "</P>\n";
    }
    return xml;
}

DStyle fullStyle()
{
    DStyle style(QStringLiteral("Title2 Failed"));
    style.setFamily(QStringLiteral("DejaVu Serif"));
    style.setPointSize(14);
    style.setBold(true);
    style.setItalic(true);
    style.setUnderline(true);
    style.setForeground(QColor(0xb7, 0x1c, 0x1c));
    style.setBackground(QColor(0xfd, 0xe0, 0xdc));
    style.setAlignment(Qt::AlignJustify);
    style.setMargins(1, 2, 3, 4);
    return style;
}

} // namespace

// Reading AML into item trees: golden dumps, errors, limits and the positions a derived
// handler reads; styles stored as resource groups and read back.
class TestDAmlReader : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void golden_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<bool>("localStyles");
        QTest::addColumn<bool>("given");

        QTest::newRow("example") << "example.aml" << true << false;
        QTest::newRow("structure") << "structure.aml" << false << false;
        QTest::newRow("text") << "text.aml" << false << false;
        QTest::newRow("styles-local") << "styles.aml" << true << true;
        QTest::newRow("styles-given") << "styles.aml" << false << true;
        QTest::newRow("styles-none") << "styles.aml" << false << false;
    }

    // Dumps of the item trees (and local styles) compared with reviewed files.
    void golden()
    {
        QFETCH(QString, file);
        QFETCH(bool, localStyles);
        QFETCH(bool, given);

        QFile input(QStringLiteral(KORVAT_TEST_DATA "/aml/") + file);
        QVERIFY(input.open(QIODevice::ReadOnly));
        DAmlReader reader;
        reader.setEnabledLocalStyle(localStyles);
        if (given)
            reader.setStyles(givenStyles());
        reader.setInputSize(input.size());
        QVERIFY2(reader.parse(&input) && !reader.hasError(), qPrintable(reader.errorString()));
        QString dump = DTreePrinter::print(reader.documents(), true);
        for (const DStyle* style : reader.styles())
            dump += styleLine(style) + QLatin1Char('\n');

        KORVAT_VERIFY_GOLDEN(QStringLiteral("aml/%1.expected").arg(QTest::currentDataTag()), dump);
    }

    void errors_data()
    {
        QTest::addColumn<QString>("xml");
        QTest::addColumn<bool>("localStyles");
        QTest::addColumn<QString>("error");

        // Most cases sit on line 2 of a document; at() gives that message in full.
        const QString doc = QStringLiteral("<DOCUMENT>\n%1\n</DOCUMENT>");
        const auto at = [](const QString& text) { return "AML, " + text + " at line 2.\n"; };
        const auto notIn = [&](const char* child, const char* parent) {
            return at(QStringLiteral("element \"%1\" not allowed in \"%2\"").arg(child, parent));
        };
        const auto badValue = [&](const char* value, const char* attribute, const char* element) {
            return at(QStringLiteral("bad value \"%1\" for attribute \"%2\" of \"%3\"")
                          .arg(value, attribute, element));
        };
        const auto needs = [&](const char* element, const char* attribute) {
            return at(QStringLiteral("element \"%1\" needs attribute \"%2\"").arg(element, attribute));
        };
        // row() wraps its body in a document, curve() in a curve of a graphic, local() in a styles
        // block read with local styles on; raw() takes the input as it is.
        const auto raw = [](const char* name, const QString& xml, const QString& error, bool local = false) {
            QTest::newRow(name) << xml << local << error;
        };
        const auto row = [&](const char* name, const QString& body, const QString& error, bool local = false) {
            raw(name, doc.arg(body), error, local);
        };
        const auto curve = [&](const char* name, const QString& points, const QString& error) {
            row(name, "<GRAPHIC><CURVE>" + points + "</CURVE></GRAPHIC>", error);
        };
        const auto local = [&](const char* name, const QString& styles, const QString& error) {
            row(name, "<STYLES>" + styles + "</STYLES>", error, true);
        };

        row("unknown element", "<P><BOLD>x</BOLD></P>", at("unknown element \"BOLD\""));
        row("names are case-sensitive", "<p/>", at("unknown element \"p\""));
        raw("paragraph at top level", "<AML><P/></AML>", "AML, element \"P\" not allowed in \"\" at line 1.\n");
        row("document in document", "<DOCUMENT/>", notIn("DOCUMENT", "DOCUMENT"));
        row("link in link", "<P><LINK target=\"a\"><LINK target=\"b\"/></LINK></P>", notIn("LINK", "LINK"));
        row("popup link in link", "<P><LINK target=\"a\"><POPUPLINK target=\"b\"/></LINK></P>",
            notIn("POPUPLINK", "LINK"));
        row("block in paragraph", "<P><TABLE/></P>", notIn("TABLE", "P"));
        row("cell outside row", "<TABLE><CELL/></TABLE>", notIn("CELL", "TABLE"));
        row("child of empty element", "<IMAGE src=\"a\"><TAG name=\"t\"/></IMAGE>", notIn("TAG", "IMAGE"));
        raw("styles outside document", "<AML><STYLES/></AML>",
            "AML, element \"STYLES\" not allowed in \"\" at line 1.\n", true);
        row("second x axis", "<GRAPHIC><AXIS/><AXIS orientation=\"y\"/>\n<AXIS orientation=\"x\"/></GRAPHIC>",
            "AML, element \"AXIS\" not allowed in \"GRAPHIC\" at line 3.\n");
        row("title level above 6", "<TITLE level=\"7\"/>", badValue("7", "level", "TITLE"));
        row("title level of ten digits", "<TITLE level=\"0000000002x\"/>",
            badValue("0000000002x", "level", "TITLE"));
        row("title level in other digits", "<TITLE level=\"\u0662\"/>", badValue("\u0662", "level", "TITLE"));
        row("title level beyond int", "<TITLE level=\"99999999999\"/>", badValue("99999999999", "level", "TITLE"));
        row("bool word", "<LIST ordered=\"maybe\"/>", badValue("maybe", "ordered", "LIST"));
        row("zero span", "<TABLE><ROW><CELL hspan=\"0\"/></ROW></TABLE>", badValue("0", "hspan", "CELL"));
        row("zero width fraction", "<TABLE widths=\"0.5,0\"/>", badValue("0.5,0", "widths", "TABLE"));
        row("empty fraction", "<TABLE widths=\"0.5,,0.5\"/>", badValue("0.5,,0.5", "widths", "TABLE"));
        row("negative image size", "<IMAGE src=\"a\" width=\"-1\"/>", badValue("-1", "width", "IMAGE"));
        row("axis orientation", "<GRAPHIC><AXIS orientation=\"z\"/></GRAPHIC>", badValue("z", "orientation", "AXIS"));
        curve("point not a number", "<POINT x=\"abc\" y=\"1\"/>", badValue("abc", "x", "POINT"));
        curve("point infinite", "<POINT x=\"1\" y=\"inf\"/>", badValue("inf", "y", "POINT"));
        row("graphic size zero", "<GRAPHIC height=\"0\"/>", badValue("0", "height", "GRAPHIC"));
        row("image without src", "<IMAGE/>", needs("IMAGE", "src"));
        curve("point without y", "<POINT x=\"1\"/>", needs("POINT", "y"));
        row("style without name, local styles off", "<STYLES><STYLE size=\"9\"/></STYLES>", needs("STYLE", "name"));
        row("colour without value", "<STYLES><COLOR name=\"c\"/></STYLES>", needs("COLOR", "value"));
        local("undefined colour name", "<STYLE name=\"s\" color=\"red\"/>", badValue("red", "color", "STYLE"));
        local("colour names only in style", "<COLOR name=\"a\" value=\"#000000\"/><COLOR name=\"b\" value=\"a\"/>",
              badValue("a", "value", "COLOR"));
        local("short colour", "<COLOR name=\"a\" value=\"#fff\"/>", badValue("#fff", "value", "COLOR"));
        local("font defined later", "<STYLE name=\"s\" font=\"f\"/><FONT name=\"f\"/>", badValue("f", "font", "STYLE"));
        local("font size", "<FONT name=\"f\" size=\"201\"/>", badValue("201", "size", "FONT"));
        local("alignment word", "<STYLE name=\"s\" align=\"middle\"/>", badValue("middle", "align", "STYLE"));
        row("text in table", "<TABLE>\n cells </TABLE>", "AML, text not allowed in \"TABLE\" at line 3.\n");
        row("text in empty element", "<PAGEBREAK>x</PAGEBREAK>", at("text not allowed in \"PAGEBREAK\""));
        row("non-ASCII text in table", "<TABLE>\u00e9t\u00e9</TABLE>", at("text not allowed in \"TABLE\""));
        row("no-break space in table", "<TABLE> \u00a0 </TABLE>", at("text not allowed in \"TABLE\""));
        row("character reference in table", "<TABLE>\n&#x20;&#xa0;</TABLE>",
            "AML, text not allowed in \"TABLE\" at line 3.\n");
        raw("entity text in table",
            "<!DOCTYPE DOCUMENT [<!ENTITY e \"some words\">]>\n<DOCUMENT><TABLE>  &e;  </TABLE></DOCUMENT>",
            at("text not allowed in \"TABLE\""));
        raw("text in wrapper", "<AML>stray<DOCUMENT/></AML>", "AML, text not allowed in \"AML\" at line 1.\n");
        row("text in styles", "<STYLES>x</STYLES>", at("text not allowed in \"STYLES\""));
        row("tag mismatch", "<P></SECTION>", "XML, tag mismatch.\n");
        raw("unexpected end", "<DOCUMENT><P>", "XML, unexpected end of file.\n");
        raw("empty input", "", "XML, unexpected end of file.\n");
    }

    // Every rejected input stops the parse with its own text and leaves nothing half-owned.
    void errors()
    {
        QFETCH(QString, xml);
        QFETCH(bool, localStyles);
        QFETCH(QString, error);

        // Checking only (text as UTF-8, no items kept) refuses alike, parsed in turn or on a
        // thread of its own.
        for (const bool checkOnly : {false, true}) for (const qint64 threshold : {-1, 0}) {
            const ThreadThreshold threads(threshold);
            DAmlReader reader;
            reader.setEnabledLocalStyle(localStyles);
            reader.handler()->setCheckOnly(checkOnly);
            QVERIFY(!parseText(reader, xml));
            QVERIFY(reader.hasError());
            QCOMPARE(reader.errorString(), error);
            QCOMPARE(reader.handler()->errorString(), error);
        }
    }

    void errorDescriptions_data()
    {
        QTest::addColumn<QByteArray>("xml");
        QTest::addColumn<QString>("description");

        // The place is given once, in front: the parser's own texts do not repeat it.
        QTest::newRow("empty input") << QByteArray() << "line 1, column 1: XML, unexpected end of file.";
        QTest::newRow("unexpected end") << QByteArray("<DOCUMENT><P>")
                                        << "line 1, column 14: XML, unexpected end of file.";
        QTest::newRow("tag mismatch") << QByteArray("<DOCUMENT>\n<P></SECTION>")
                                      << "line 2, column 6: XML, tag mismatch.";
        QTest::newRow("second root") << QByteArray("<DOCUMENT/>\n<DOCUMENT/>")
                                     << "line 2, column 1: XML, text or markup after the root element.";
        QTest::newRow("undefined entity") << QByteArray("<DOCUMENT><P>&nbsp;</P></DOCUMENT>")
                                          << "line 1, column 14: XML, undefined entity.";
        QTest::newRow("bad byte in UTF-8") << QByteArray("<DOCUMENT><P>a\xff</P></DOCUMENT>")
                                           << "line 1, column 15: XML, invalid character or markup.";
        QTest::newRow("encoding it cannot read")
            << QByteArray("<?xml version=\"1.0\" encoding=\"KOI8-R\"?><DOCUMENT/>")
            << "line 1, column 31: XML, unsupported encoding.";
        // The handler's own refusals say where as well.
        QTest::newRow("unknown element") << QByteArray("<DOCUMENT>\n  <BOLD/></DOCUMENT>")
                                         << "line 2, column 3: AML, unknown element \"BOLD\" at line 2.";
    }

    // What a user is told about a file that is not well-formed: where, then what.
    void errorDescriptions()
    {
        QFETCH(QByteArray, xml);
        for (const qint64 threshold : {-1, 0}) {
            const ThreadThreshold threads(threshold);
            DAmlReader reader;
            QVERIFY(!reader.parseData(xml));
            QTEST(reader.errorDescription(), "description");
        }
    }

    void encodings_data()
    {
        QTest::addColumn<QByteArray>("xml");
        const QString text = QStringLiteral("Ünïcødé €");
        const QByteArray body = "<DOCUMENT name=\"d\"><P>" + text.toUtf8() + "</P></DOCUMENT>";
        QTest::newRow("UTF-8 undeclared") << body;
        QTest::newRow("UTF-8 with byte order mark") << QByteArray("\xef\xbb\xbf" + body);
        QString utf16 = QStringLiteral("\ufeff") + QString::fromUtf8(body);
        QTest::newRow("UTF-16 with byte order mark")
            << QByteArray(reinterpret_cast<const char*>(utf16.utf16()), utf16.size() * 2);
        QTest::newRow("declared Latin-1")
            << QByteArray("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><DOCUMENT name=\"d\"><P>"
                          + QString(text).replace(QStringLiteral("€"), QStringLiteral("\u00a4")).toLatin1()
                          + "</P></DOCUMENT>");
        QTest::newRow("declared windows-1252")
            << QByteArray("<?xml version=\"1.0\" encoding=\"Windows-1252\"?><DOCUMENT name=\"d\"><P>"
                          + QString(text).replace(QStringLiteral("€"), QStringLiteral("\u00a4")).toLatin1()
                          + "\x80</P></DOCUMENT>");
    }

    // The bytes of a file are decoded as their byte order mark or declaration says.
    void encodings()
    {
        QFETCH(QByteArray, xml);
        DAmlReader reader;
        QVERIFY2(reader.parseData(xml), qPrintable(reader.errorDescription()));
        const QString dump = DTreePrinter::print(reader.documents(), false);
        const QString tag = QString::fromUtf8(QTest::currentDataTag());
        const QString expected = tag.contains("windows") ? QStringLiteral("Ünïcødé \u00a4€")
            : tag.startsWith("declared")               ? QStringLiteral("Ünïcødé \u00a4")
                                                       : QStringLiteral("Ünïcødé €");
        QVERIFY2(dump.contains(expected), qPrintable(dump));
    }

    void externalEntities_data()
    {
        QTest::addColumn<QByteArray>("xml");
        const QByteArray body = "<DOCUMENT name=\"d\"><P>before &x; after</P></DOCUMENT>";
        QTest::newRow("external general entity")
            << QByteArray("<!DOCTYPE DOCUMENT [<!ENTITY x SYSTEM \"file:///etc/passwd\">]>" + body);
        QTest::newRow("external parameter entity")
            << QByteArray("<!DOCTYPE DOCUMENT [<!ENTITY % p SYSTEM \"file:///etc/passwd\"> %p;"
                          "<!ENTITY x \"\">]>" + body);
        QTest::newRow("external DTD")
            << QByteArray("<!DOCTYPE DOCUMENT SYSTEM \"file:///etc/passwd\">" + body);
    }

    // Nothing outside the file is ever read: the reference stays unexpanded and the rest of the
    // document reads as usual.
    void externalEntities()
    {
        QFETCH(QByteArray, xml);
        DAmlReader reader;
        QVERIFY2(reader.parseData(xml), qPrintable(reader.errorDescription()));
        const QString dump = DTreePrinter::print(reader.documents(), false);
        QVERIFY2(dump.contains("after") && !dump.contains("root:"), qPrintable(dump));
    }

    void threadedRead_data()
    {
        QTest::addColumn<QByteArray>("xml");
        QTest::addColumn<qint64>("runLimit");
        QTest::addColumn<QString>("error"); // a part of the error text; empty: read well

        const QByteArray open = "<DOCUMENT name=\"d\">\n";
        const QByteArray body = manyParagraphs(4000);
        const QByteArray close = "</DOCUMENT>";
        const QByteArray longRun = "<P>" + QByteArray(300 * 1024, 'y') + "</P>";
        const qint64 noLimit = DAmlReader::MaxTextRun;
        const qint64 limit = 100 * 1024;
        QTest::newRow("read well") << open + body + close << noLimit << QString();
        // The parser is far ahead when the handler refuses: what it met later is not reported.
        QTest::newRow("refused first, run too long later")
            << open + "<BOLD/>" + body + longRun + close << limit << "unknown element \"BOLD\"";
        QTest::newRow("refused first, not well-formed later")
            << open + "<BOLD/>" + body + "<P></SECTION>" << noLimit << "unknown element \"BOLD\"";
        QTest::newRow("run too long at the end") << open + body + longRun + close << limit << "longer than";
        QTest::newRow("not well-formed at the end") << open + body + "<P></SECTION>" << noLimit << "tag mismatch";
        QTest::newRow("refused at the end") << open + body + "<BOLD/>" + close << noLimit << "unknown element";
        QTest::newRow("cut off") << open + body << noLimit << "unexpected end of file";
        QTest::newRow("nested too deep at the end")
            << open + body + QByteArray("<SECTION>").repeated(1000) + QByteArray("</SECTION>").repeated(1000) + close
            << noLimit << "nested deeper";
    }

    // A parser on a thread of its own, many blocks ahead of the handler, reports the same
    // events, positions and first error as one handled event by event; bytes, a device and
    // text read alike, whatever falls on a block boundary (multi-byte characters, tags, runs).
    void threadedRead()
    {
        QFETCH(QByteArray, xml);
        QFETCH(qint64, runLimit);
        QFETCH(QString, error);

        enum Source { Data, Device, Text };
        const auto read = [&](qint64 threshold, Source from, QString* description) {
            const ThreadThreshold threads(threshold);
            DAmlReader reader;
            reader.setTextRunLimit(runLimit);
            QBuffer buffer(&xml);
            buffer.open(QIODevice::ReadOnly);
            const bool ok = from == Device ? reader.parse(&buffer)
                : from == Text             ? reader.parseText(QString::fromUtf8(xml))
                                           : reader.parseData(xml);
            *description = reader.errorDescription();
            return ok ? DTreePrinter::print(reader.documents(), false) : QString();
        };
        QString expected;
        const QString expectedDump = read(-1, Data, &expected);
        QCOMPARE(expected.isEmpty(), error.isEmpty());
        QVERIFY2(expected.contains(error), qPrintable(expected));
        QCOMPARE(expectedDump.isEmpty(), !error.isEmpty());
        QVERIFY(!error.isEmpty() || (expectedDump.contains(QStringLiteral("é€ xx")) && expectedDump.contains("&<c>")));
        for (const Source from : {Data, Device, Text}) {
            QString description;
            QCOMPARE(read(0, from, &description), expectedDump);
            QCOMPARE(description, expected);
        }
    }

    void limits_data()
    {
        QTest::addColumn<QString>("xml");
        QTest::addColumn<bool>("marks");
        QTest::addColumn<QString>("error");

        const auto nested = [](const char* element, int levels) {
            return QStringLiteral("<DOCUMENT>\n") + QStringLiteral("<%1>").arg(element).repeated(levels)
                + QStringLiteral("</%1>").arg(element).repeated(levels) + QStringLiteral("</DOCUMENT>");
        };
        const QString tooDeep = QStringLiteral("Document nested deeper than 1000 levels (line 2)");
        // DOCUMENT plus the sections: 1000 open elements are allowed, 1001 are not.
        QTest::newRow("1000 levels") << nested("SECTION", 999) << false << QString();
        QTest::newRow("1001 levels") << nested("SECTION", 1000) << false << tooDeep;
        QTest::newRow("far beyond the reader's stack") << nested("SECTION", 20000) << false << tooDeep;
        // Elements that a derived handler keeps for itself count too.
        QTest::newRow("hidden levels") << nested("MARK", 1000) << true << tooDeep;

        // Entity expansion bombs are refused before the reader builds their text.
        const QString tooLarge = QStringLiteral("Document text exceeds the size limit (line 2)");
        const QString dtd = QStringLiteral("<!DOCTYPE DOCUMENT [<!ENTITY e \"%1\">"
                                           "<!ENTITY n \"&e;&e;&e;&e;&e;&e;&e;&e;&e;&e;\">]>\n")
                                .arg(QString(4000, QLatin1Char('x')));
        const auto inText = [&](const char* entity, int times) {
            return dtd + "<DOCUMENT><P>" + QString::fromLatin1(entity).repeated(times) + "</P></DOCUMENT>";
        };
        // About 4 M characters from a small file: below the 16 Mi floor.
        QTest::newRow("moderate expansion") << inText("&e;", 1000) << false << QString();
        QTest::newRow("expansion in text") << inText("&e;", 5000) << false << tooLarge;
        QTest::newRow("nested expansion in text") << inText("&n;", 500) << false << tooLarge;
        QTest::newRow("expansion in an attribute")
            << dtd + "<DOCUMENT name=\"" + QStringLiteral("&n;").repeated(500) + "\"/>" << false << tooLarge;
    }

    void limits()
    {
        QFETCH(QString, xml);
        QFETCH(bool, marks);
        QFETCH(QString, error);
        // Parsed in turn and on a thread of its own.
        for (const qint64 threshold : {-1, 0}) {
            const ThreadThreshold threads(threshold);
            [&] {
                // Checking only, the limits hold alike (MARK is an element only the derived handler knows).
                if (!marks) {
                    DAmlReader checker;
                    checker.handler()->setCheckOnly(true);
                    QCOMPARE(parseText(checker, xml), error.isEmpty());
                    QCOMPARE(checker.errorString(), error.isEmpty() ? QString() : error);
                }

                DAmlReader reader(marks ? new RecordingHandler : nullptr);
                QCOMPARE(parseText(reader, xml), error.isEmpty());
                QCOMPARE(reader.errorString(), error.isEmpty() ? QString() : error);
                QCOMPARE(reader.handler()->errorString(), reader.errorString());
                if (QTest::currentDataTag() == QLatin1String("1000 levels")) {
                    int depth = 0;
                    for (const DItem* item = reader.documents(); item;
                         item = item->toContainer() ? item->toContainer()->child() : nullptr)
                        ++depth;
                    QCOMPARE(depth, 1000);
                }
            }();
            if (QTest::currentTestFailed())
                return;
        }
    }

    void positions_data()
    {
        // Logged: each forwarded start tag with the current item, each MARK end with the end position.
        QTest::addColumn<QString>("xml");
        QTest::addColumn<QStringList>("log");
        QTest::newRow("document, then its first child")
            << "<MARK><DOCUMENT title=\"T\"><MARK><P>x</P></MARK></DOCUMENT></MARK>"
            << QStringList{"DOCUMENT Document:", "P Paragraph", "/MARK Paragraph", "/MARK Document:"};
        QTest::newRow("empty container is its own end")
            << "<DOCUMENT><SECTION name=\"s\"><MARK></MARK></SECTION></DOCUMENT>"
            << QStringList{"DOCUMENT Document:", "SECTION Section", "/MARK Section"};
        QTest::newRow("end is the last sibling, not inside it")
            << "<DOCUMENT><MARK><P>a</P><TABLE><ROW><CELLTEXT text=\"c\"/></ROW></TABLE></MARK><P>b</P></DOCUMENT>"
            << QStringList{"DOCUMENT Document:", "P Paragraph", "TABLE Table", "ROW Row", "CELLTEXT CellText",
                           "/MARK Table", "P Paragraph"};
        QTest::newRow("style elements open no item")
            << "<DOCUMENT><STYLES><MARK><STYLE name=\"s\"/></MARK></STYLES><TAG name=\"t\"/></DOCUMENT>"
            << QStringList{"DOCUMENT Document:", "STYLES null", "STYLE null", "/MARK Document:", "TAG Tag"};
        QTest::newRow("text joins across hidden tags")
            << "<DOCUMENT><P>one <MARK>two</MARK> three<MARK/></P></DOCUMENT>"
            << QStringList{"DOCUMENT Document:", "P Paragraph", "/MARK Paragraph", "/MARK Paragraph"};
        QTest::newRow("text flushed before the next item")
            << "<DOCUMENT><P>one <MARK><LINK target=\"l\">two</LINK></MARK></P></DOCUMENT>"
            << QStringList{"DOCUMENT Document:", "P Paragraph", "LINK Link", "/MARK Link"};
        QTest::newRow("between documents")
            << "<AML><MARK/><DOCUMENT name=\"a\"/><MARK/><DOCUMENT name=\"b\"/></AML>"
            << QStringList{"AML null", "/MARK null", "DOCUMENT Document:a", "/MARK Document:a",
                           "DOCUMENT Document:b"};
    }

    // What a derived handler reads: the item of the element just started, and at the end of its
    // own elements the last item linked into the innermost open container.
    void positions()
    {
        QFETCH(QString, xml);
        auto* handler = new RecordingHandler;
        DAmlReader reader(handler);
        QVERIFY2(parseText(reader, xml), qPrintable(reader.errorString()));
        QTEST(handler->log, "log");
    }

    // Given styles resolve by exact name, local ones override them, and style names stay on items.
    void styleResolution()
    {
        DAmlReader reader;
        reader.setStyles(givenStyles());
        reader.setEnabledLocalStyle(true);
        QVERIFY(parseText(reader,
            QStringLiteral("<DOCUMENT><P style=\"Warning\"/>"
                           "<STYLES><STYLE name=\"Warning\" bold=\"true\"/>"
                           "<STYLE name=\"Warning\" italic=\"true\"/></STYLES>"
                           "<P style=\"Warning\"/><P style=\"warning\"/><P/></DOCUMENT>")));
        const DDocument* document = reader.documents();
        QCOMPARE(document->style(), givenStyles().at(0));
        QVERIFY(document->styleName().isNull());

        const DItem* before = document->child();
        const DItem* after = before->next();
        const DItem* otherCase = after->next();
        QCOMPARE(before->style(), givenStyles().at(5));
        QCOMPARE(reader.styleNames(), QStringList({"Warning", "Warning"}));
        QCOMPARE(after->style(), reader.styles().at(1));
        QVERIFY(after->style()->italic());
        QCOMPARE(otherCase->style(), nullptr);
        QCOMPARE(otherCase->styleName(), QStringLiteral("warning"));
        QVERIFY(!otherCase->next()->style() && otherCase->next()->styleName().isNull());

        // Handed over, the styles leave the handler and its lookup.
        QList<DStyle*> taken = reader.handler()->takeStyles();
        QCOMPARE(taken.size(), 2);
        QVERIFY(reader.styles().isEmpty());
        qDeleteAll(taken);
    }

    // The shipped style file defines every report style, in this order.
    void styleFile()
    {
        QFile file(QStringLiteral(KORVAT_EXAMPLES "/reporterstyle.aml"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        DAmlReader reader;
        reader.setEnabledLocalStyle(true);
        reader.setInputSize(file.size());
        QVERIFY2(reader.parse(&file), qPrintable(reader.errorString()));

        const QStringList expected = { "Normal", "Normal Failed", "Normal Passed", "Title0", "Title1",
            "Title1 Failed", "Title1 Passed", "Title2", "Title2 Failed", "Title2 Passed", "Title3",
            "Title3 Failed", "Title3 Passed", "Title4", "Title4 Failed", "Title4 Passed", "Title5",
            "Title5 Failed", "Title5 Passed", "Title6", "Title6 Failed", "Title6 Passed", "Array Title",
            "Array", "Array Failed", "Array Passed", "Warning", "Link", "Output" };
        QCOMPARE(reader.styleNames(), expected);
        QCOMPARE(reader.styles().size(), expected.size());
        for (const DStyle* style : reader.styles()) {
            QVERIFY2(!style->family().isEmpty(), qPrintable(style->name()));
            QVERIFY2(style->pointSize() > 0, qPrintable(style->name()));
        }
    }

    void styleResourcesRoundTrip_data()
    {
        QTest::addColumn<DStyle>("style");

        QTest::newRow("defaults") << DStyle(QStringLiteral("Normal"));
        QTest::newRow("every field") << fullStyle();
        DStyle noBackground = fullStyle();
        noBackground.setBackground(QColor());
        QTest::newRow("no background") << noBackground;
        DStyle centred(QStringLiteral("Array Title"));
        centred.setAlignment(Qt::AlignHCenter);
        centred.setBackground(QColor(Qt::black));
        QTest::newRow("black background, centred") << centred;
        QTest::newRow("empty and null name") << DStyle(QString());
    }

    // Written onto a style with other values (and a background), every field comes back; the name
    // comes first, as a string, for readers that look styles up by name.
    void styleResourcesRoundTrip()
    {
        QFETCH(DStyle, style);

        std::unique_ptr<QAResGroup> group(DStyleSerialize::styleToResources("custom", &style));
        QCOMPARE(group->tag(), QStringLiteral("custom"));
        const QAResString* name = group->firstChild()->toResString();
        QVERIFY(name);
        QCOMPARE(name->tag(), QStringLiteral("name"));
        QCOMPARE(name->value(), style.name());

        DStyle other = fullStyle();
        other.setBackground(QColor(Qt::white));
        other.setName(style.name());
        DStyleSerialize::styleFromResources(group.get(), &other);
        QVERIFY(other == style);
        QCOMPARE(std::unique_ptr<QAResGroup>(DStyleSerialize::styleToResources(nullptr, &style))->tag(),
                 QStringLiteral("style"));
    }

    // Missing children and children of the wrong resource kind leave fields as they were; values out
    // of range are brought back into it instead of giving invalid colours or negative sizes.
    void styleResourcesPartial()
    {
        QAResGroup group(QStringLiteral("style"));
        group.appendChild(new QAResString(QStringLiteral("name"), QStringLiteral("Other name")));
        group.appendChild(new QAResInt(QStringLiteral("size"), 20));
        group.appendChild(new QAResString(QStringLiteral("bold"), QStringLiteral("false")));
        group.appendChild(new QAResInt(QStringLiteral("color"), 0));
        DStyle style = fullStyle();
        DStyle expected = fullStyle();
        expected.setPointSize(20);
        DStyleSerialize::styleFromResources(&group, &style);
        QVERIFY(style == expected);

        QAResGroup hostile(QStringLiteral("style"));
        hostile.appendChild(new QAResRGB(QStringLiteral("color"), 300, -5, 128));
        hostile.appendChild(new QAResInt(QStringLiteral("margintop"), -7));
        hostile.appendChild(new QAResInt(QStringLiteral("size"), -1));
        DStyleSerialize::styleFromResources(&hostile, &style);
        QCOMPARE(style.foreground(), QColor(255, 0, 128));
        QCOMPARE(style.marginTop(), 0);
        QCOMPARE(style.pointSize(), 0);
    }
};

QTEST_GUILESS_MAIN(TestDAmlReader)
#include "tst_damlreader.moc"
