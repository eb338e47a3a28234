#include "rendoc/damlreader.h"

#include "rendoc/ditems.h"
#include "rendoc/dstyle.h"
#include "rendoc/dtreeprinter.h"

#include <QFile>
#include <QTest>
#include <QXmlInputSource>

#include <memory>
#include <vector>

namespace {

QString dataPath(const QString& name)
{
    return QStringLiteral(KORVAT_TEST_DATA "/aml/") + name;
}

QString readText(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromUtf8(file.readAll());
}

QString styleLine(const DStyle* s)
{
    return QStringLiteral("Style \"%1\" family=\"%2\" size=%3 bold=%4 italic=%5 underline=%6 "
                          "color=%7 background=%8 align=%9 margins=%10,%11,%12,%13")
        .arg(s->name(), s->family())
        .arg(s->pointSize())
        .arg(s->bold())
        .arg(s->italic())
        .arg(s->underline())
        .arg(s->foreground().name(),
            s->background().isValid() ? s->background().name() : QStringLiteral("none"))
        .arg(int(s->alignment()))
        .arg(s->marginLeft())
        .arg(s->marginTop())
        .arg(s->marginRight())
        .arg(s->marginBottom());
}

// Parses text with a fresh reader; the reader keeps the result.
bool parseText(DAmlReader& reader, const QString& text)
{
    QXmlInputSource source;
    source.setData(text);
    reader.setInputSize(text.toUtf8().size());
    return reader.parse(&source);
}

// A handler derived the way the report reader derives it: it keeps MARK elements for itself and
// logs what the base class offers after each forwarded start tag and at each MARK end.
class RecordingHandler : public DAmlHandler {
public:
    QStringList log;

    bool startElement(
        const QString&, const QString&, const QString& qName, const QXmlAttributes& atts) override
    {
        if (qName == QLatin1String("MARK"))
            return true;
        if (!DAmlHandler::startElement(QString(), QString(), qName, atts))
            return false;
        log.append(qName + QLatin1String(" current=") + describe(currentItem()));
        return true;
    }

    bool endElement(const QString&, const QString&, const QString& qName) override
    {
        if (qName == QLatin1String("MARK")) {
            log.append(QLatin1String("/MARK end=") + describe(endPosition()));
            return true;
        }
        return DAmlHandler::endElement(QString(), QString(), qName);
    }

    static QString describe(const DItem* item)
    {
        return item ? DTreePrinter::line(item) : QStringLiteral("null");
    }
};

} // namespace

// Reading AML into item trees: golden dumps, errors, limits and the positions a derived
// handler reads.
class TestDAmlReader : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void golden_data();
    void golden();
    void errors_data();
    void errors();
    void depthLimit_data();
    void depthLimit();
    void textLimit_data();
    void textLimit();
    void handlerLimits();
    void incrementalRefused();
    void positions_data();
    void positions();
    void styleResolution();
    void styleFile();
    void takeDocuments();

private:
    std::vector<std::unique_ptr<DStyle>> m_given;
    QList<DStyle*> givenStyles() const;
};

void TestDAmlReader::initTestCase()
{
    for (const char* name : { "Normal", "Title1", "Title3", "Link", "Array", "Warning" })
        m_given.push_back(std::make_unique<DStyle>(QString::fromLatin1(name)));
}

void TestDAmlReader::cleanupTestCase()
{
    m_given.clear();
}

QList<DStyle*> TestDAmlReader::givenStyles() const
{
    QList<DStyle*> list;
    for (const auto& style : m_given)
        list.append(style.get());
    return list;
}

void TestDAmlReader::golden_data()
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

// Dumps of the item trees (and local styles) compared with reviewed files; with
// KORVAT_REGENERATE=1 the files are written instead.
void TestDAmlReader::golden()
{
    QFETCH(QString, file);
    QFETCH(bool, localStyles);
    QFETCH(bool, given);

    QFile input(dataPath(file));
    QVERIFY(input.open(QIODevice::ReadOnly));
    DAmlReader reader;
    reader.setEnabledLocalStyle(localStyles);
    if (given)
        reader.setStyles(givenStyles());
    reader.setInputSize(input.size());
    QXmlInputSource source(&input);
    QVERIFY2(reader.parse(&source), qPrintable(reader.errorString()));
    QVERIFY(!reader.hasError());

    QString dump = DTreePrinter::print(reader.documents(), true);
    for (const DStyle* style : reader.styles())
        dump += styleLine(style) + QLatin1Char('\n');

    const QString expectedPath
        = dataPath(QString::fromLatin1(QTest::currentDataTag()) + QLatin1String(".expected"));
    if (qEnvironmentVariableIntValue("KORVAT_REGENERATE") == 1) {
        QFile out(expectedPath);
        QVERIFY(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
        out.write(dump.toUtf8());
        QSKIP("expected file written");
    }
    QCOMPARE(dump, readText(expectedPath));
}

void TestDAmlReader::errors_data()
{
    QTest::addColumn<QString>("xml");
    QTest::addColumn<bool>("localStyles");
    QTest::addColumn<QString>("error");

    const QString doc = QStringLiteral("<DOCUMENT>\n%1\n</DOCUMENT>");

    QTest::newRow("unknown element") << doc.arg("<P><BOLD>x</BOLD></P>") << false
                                     << "AML, unknown element \"BOLD\" at line 2.\n";
    QTest::newRow("names are case-sensitive")
        << doc.arg("<p/>") << false << "AML, unknown element \"p\" at line 2.\n";
    QTest::newRow("paragraph at top level")
        << "<AML><P/></AML>" << false << "AML, element \"P\" not allowed in \"\" at line 1.\n";
    QTest::newRow("document in document")
        << doc.arg("<DOCUMENT/>") << false
        << "AML, element \"DOCUMENT\" not allowed in \"DOCUMENT\" at line 2.\n";
    QTest::newRow("link in link") << doc.arg(
        "<P><LINK target=\"a\"><LINK target=\"b\"/></LINK></P>")
                                  << false
                                  << "AML, element \"LINK\" not allowed in \"LINK\" at line 2.\n";
    QTest::newRow("popup link in link")
        << doc.arg("<P><LINK target=\"a\"><POPUPLINK target=\"b\"/></LINK></P>") << false
        << "AML, element \"POPUPLINK\" not allowed in \"LINK\" at line 2.\n";
    QTest::newRow("block in paragraph") << doc.arg(
        "<P><TABLE/></P>") << false << "AML, element \"TABLE\" not allowed in \"P\" at line 2.\n";
    QTest::newRow("cell outside row")
        << doc.arg("<TABLE><CELL/></TABLE>") << false
        << "AML, element \"CELL\" not allowed in \"TABLE\" at line 2.\n";
    QTest::newRow("child of empty element")
        << doc.arg("<IMAGE src=\"a\"><TAG name=\"t\"/></IMAGE>") << false
        << "AML, element \"TAG\" not allowed in \"IMAGE\" at line 2.\n";
    QTest::newRow("styles outside document")
        << "<AML><STYLES/></AML>" << true
        << "AML, element \"STYLES\" not allowed in \"\" at line 1.\n";
    QTest::newRow("second x axis")
        << doc.arg("<GRAPHIC><AXIS/><AXIS orientation=\"y\"/>\n<AXIS orientation=\"x\"/></GRAPHIC>")
        << false << "AML, element \"AXIS\" not allowed in \"GRAPHIC\" at line 3.\n";
    QTest::newRow("title level above 6")
        << doc.arg("<TITLE level=\"7\"/>") << false
        << "AML, bad value \"7\" for attribute \"level\" of \"TITLE\" at line 2.\n";
    QTest::newRow("bool word")
        << doc.arg("<LIST ordered=\"maybe\"/>") << false
        << "AML, bad value \"maybe\" for attribute \"ordered\" of \"LIST\" at line 2.\n";
    QTest::newRow("zero span")
        << doc.arg("<TABLE><ROW><CELL hspan=\"0\"/></ROW></TABLE>") << false
        << "AML, bad value \"0\" for attribute \"hspan\" of \"CELL\" at line 2.\n";
    QTest::newRow("zero width fraction")
        << doc.arg("<TABLE widths=\"0.5,0\"/>") << false
        << "AML, bad value \"0.5,0\" for attribute \"widths\" of \"TABLE\" at line 2.\n";
    QTest::newRow("empty fraction")
        << doc.arg("<TABLE widths=\"0.5,,0.5\"/>") << false
        << "AML, bad value \"0.5,,0.5\" for attribute \"widths\" of \"TABLE\" at line 2.\n";
    QTest::newRow("negative image size")
        << doc.arg("<IMAGE src=\"a\" width=\"-1\"/>") << false
        << "AML, bad value \"-1\" for attribute \"width\" of \"IMAGE\" at line 2.\n";
    QTest::newRow("axis orientation")
        << doc.arg("<GRAPHIC><AXIS orientation=\"z\"/></GRAPHIC>") << false
        << "AML, bad value \"z\" for attribute \"orientation\" of \"AXIS\" at line 2.\n";
    QTest::newRow("point not a number")
        << doc.arg("<GRAPHIC><CURVE><POINT x=\"abc\" y=\"1\"/></CURVE></GRAPHIC>") << false
        << "AML, bad value \"abc\" for attribute \"x\" of \"POINT\" at line 2.\n";
    QTest::newRow("point infinite")
        << doc.arg("<GRAPHIC><CURVE><POINT x=\"1\" y=\"inf\"/></CURVE></GRAPHIC>") << false
        << "AML, bad value \"inf\" for attribute \"y\" of \"POINT\" at line 2.\n";
    QTest::newRow("graphic size zero")
        << doc.arg("<GRAPHIC height=\"0\"/>") << false
        << "AML, bad value \"0\" for attribute \"height\" of \"GRAPHIC\" at line 2.\n";
    QTest::newRow("image without src") << doc.arg(
        "<IMAGE/>") << false << "AML, element \"IMAGE\" needs attribute \"src\" at line 2.\n";
    QTest::newRow("point without y")
        << doc.arg("<GRAPHIC><CURVE><POINT x=\"1\"/></CURVE></GRAPHIC>") << false
        << "AML, element \"POINT\" needs attribute \"y\" at line 2.\n";
    QTest::newRow("style without name, local styles off")
        << doc.arg("<STYLES><STYLE size=\"9\"/></STYLES>") << false
        << "AML, element \"STYLE\" needs attribute \"name\" at line 2.\n";
    QTest::newRow("colour without value")
        << doc.arg("<STYLES><COLOR name=\"c\"/></STYLES>") << false
        << "AML, element \"COLOR\" needs attribute \"value\" at line 2.\n";
    QTest::newRow("undefined colour name")
        << doc.arg("<STYLES><STYLE name=\"s\" color=\"red\"/></STYLES>") << true
        << "AML, bad value \"red\" for attribute \"color\" of \"STYLE\" at line 2.\n";
    QTest::newRow("colour names only in style")
        << doc.arg("<STYLES><COLOR name=\"a\" value=\"#000000\"/><COLOR name=\"b\" "
                   "value=\"a\"/></STYLES>")
        << true << "AML, bad value \"a\" for attribute \"value\" of \"COLOR\" at line 2.\n";
    QTest::newRow("short colour")
        << doc.arg("<STYLES><COLOR name=\"a\" value=\"#fff\"/></STYLES>") << true
        << "AML, bad value \"#fff\" for attribute \"value\" of \"COLOR\" at line 2.\n";
    QTest::newRow("font defined later")
        << doc.arg("<STYLES><STYLE name=\"s\" font=\"f\"/><FONT name=\"f\"/></STYLES>") << true
        << "AML, bad value \"f\" for attribute \"font\" of \"STYLE\" at line 2.\n";
    QTest::newRow("font size")
        << doc.arg("<STYLES><FONT name=\"f\" size=\"201\"/></STYLES>") << true
        << "AML, bad value \"201\" for attribute \"size\" of \"FONT\" at line 2.\n";
    QTest::newRow("alignment word")
        << doc.arg("<STYLES><STYLE name=\"s\" align=\"middle\"/></STYLES>") << true
        << "AML, bad value \"middle\" for attribute \"align\" of \"STYLE\" at line 2.\n";
    QTest::newRow("text in table") << doc.arg("<TABLE>\n cells </TABLE>") << false
                                   << "AML, text not allowed in \"TABLE\" at line 3.\n";
    QTest::newRow("text in empty element") << doc.arg("<PAGEBREAK>x</PAGEBREAK>") << false
                                           << "AML, text not allowed in \"PAGEBREAK\" at line 2.\n";
    QTest::newRow("text in wrapper") << "<AML>stray<DOCUMENT/></AML>" << false
                                     << "AML, text not allowed in \"AML\" at line 1.\n";
    QTest::newRow("text in styles") << doc.arg("<STYLES>x</STYLES>") << false
                                    << "AML, text not allowed in \"STYLES\" at line 2.\n";
    QTest::newRow("tag mismatch") << doc.arg("<P></SECTION>") << false
                                  << "XML, tag mismatch at line 2, column 13.\n";
    QTest::newRow("unexpected end")
        << "<DOCUMENT><P>" << false << "XML, unexpected end of file at line 1, column 14.\n";
    QTest::newRow("empty input") << "" << false
                                 << "XML, unexpected end of file at line 1, column 1.\n";
}

// Every rejected input stops the parse with its own text and leaves nothing half-owned.
void TestDAmlReader::errors()
{
    QFETCH(QString, xml);
    QFETCH(bool, localStyles);
    QFETCH(QString, error);

    DAmlReader reader;
    reader.setEnabledLocalStyle(localStyles);
    QVERIFY(!parseText(reader, xml));
    QVERIFY(reader.hasError());
    QCOMPARE(reader.errorString(), error);
    QCOMPARE(reader.handler()->errorString(), error);
}

void TestDAmlReader::depthLimit_data()
{
    QTest::addColumn<int>("sections");
    QTest::addColumn<bool>("marks");
    QTest::addColumn<bool>("ok");

    // DOCUMENT plus the sections: 1000 open elements are allowed, 1001 are not.
    QTest::newRow("1000 levels") << 999 << false << true;
    QTest::newRow("1001 levels") << 1000 << false << false;
    QTest::newRow("far beyond the reader's stack") << 20000 << false << false;
    // Elements that a derived handler keeps for itself count too.
    QTest::newRow("hidden levels") << 1000 << true << false;
}

void TestDAmlReader::depthLimit()
{
    QFETCH(int, sections);
    QFETCH(bool, marks);
    QFETCH(bool, ok);

    const QString open = marks ? QStringLiteral("<MARK>") : QStringLiteral("<SECTION>");
    const QString close = marks ? QStringLiteral("</MARK>") : QStringLiteral("</SECTION>");
    const QString xml = QLatin1String("<DOCUMENT>\n") + open.repeated(sections)
        + close.repeated(sections) + QLatin1String("</DOCUMENT>");

    DAmlReader reader(marks ? new RecordingHandler : nullptr);
    QCOMPARE(parseText(reader, xml), ok);
    if (ok) {
        int depth = 0;
        for (const DItem* item = reader.documents(); item;
             item = item->toContainer() ? item->toContainer()->child() : nullptr)
            ++depth;
        QCOMPARE(depth, 1000);
    } else {
        QCOMPARE(reader.errorString(),
            QStringLiteral("Document nested deeper than 1000 levels (line 2)"));
        QCOMPARE(reader.handler()->errorString(), reader.errorString());
    }
}

void TestDAmlReader::textLimit_data()
{
    QTest::addColumn<QString>("xml");
    QTest::addColumn<bool>("ok");

    const QString chunk(4000, QLatin1Char('x'));
    const QString dtd = QStringLiteral("<!DOCTYPE DOCUMENT [<!ENTITY e \"%1\">"
                                       "<!ENTITY n \"&e;&e;&e;&e;&e;&e;&e;&e;&e;&e;\">]>\n")
                            .arg(chunk);
    // About 4 M characters from a small file: below the 16 Mi floor.
    QTest::newRow("moderate expansion") << dtd + QLatin1String("<DOCUMENT><P>")
            + QStringLiteral("&e;").repeated(1000) + QLatin1String("</P></DOCUMENT>")
                                        << true;
    QTest::newRow("expansion in text") << dtd + QLatin1String("<DOCUMENT><P>")
            + QStringLiteral("&e;").repeated(5000) + QLatin1String("</P></DOCUMENT>")
                                       << false;
    QTest::newRow("nested expansion in text") << dtd + QLatin1String("<DOCUMENT><P>")
            + QStringLiteral("&n;").repeated(500)
            + QLatin1String("</P></DOCUMENT>") << false;
    QTest::newRow("expansion in an attribute") << dtd + QLatin1String("<DOCUMENT name=\"")
            + QStringLiteral("&n;").repeated(500)
            + QLatin1String("\"/>") << false;
}

// Entity expansion bombs are refused before the reader builds their text.
void TestDAmlReader::textLimit()
{
    QFETCH(QString, xml);
    QFETCH(bool, ok);

    DAmlReader reader;
    QCOMPARE(parseText(reader, xml), ok);
    if (!ok) {
        QCOMPARE(
            reader.errorString(), QStringLiteral("Document text exceeds the size limit (line 2)"));
    }
}

// The handler's own limits protect callers that drive it without the reader's guard.
void TestDAmlReader::handlerLimits()
{
    {
        DAmlHandler handler;
        const QXmlAttributes none;
        QVERIFY(handler.startElement(QString(), QString(), QStringLiteral("DOCUMENT"), none));
        bool ok = true;
        int depth = 1;
        while (ok && depth < 5000) {
            ok = handler.startElement(QString(), QString(), QStringLiteral("SECTION"), none);
            ++depth;
        }
        QCOMPARE(depth, 1001);
        QCOMPARE(handler.errorString(),
            QStringLiteral("AML, elements nested deeper than 1000 at line 0.\n"));
    }
    {
        DAmlHandler handler;
        handler.setTextLimit(10);
        QVERIFY(handler.startElement(QString(), QString(), QStringLiteral("DOCUMENT"), {}));
        QVERIFY(handler.characters(QStringLiteral("0123456789")));
        QVERIFY(!handler.characters(QStringLiteral("!")));
        QCOMPARE(handler.errorString(),
            QStringLiteral("AML, text larger than the input allows at line 0.\n"));
        QVERIFY(!handler.endElement(QString(), QString(), QStringLiteral("DOCUMENT")));
    }
    QCOMPARE(DAmlReader::textLimitFor(1000), DAmlReader::MinTextLimit);
    QCOMPARE(DAmlReader::textLimitFor(60 * 1024 * 1024), qint64(480) * 1024 * 1024);
    QCOMPARE(DAmlReader::textLimitFor(0), DAmlHandler::DefaultTextLimit);
}

void TestDAmlReader::incrementalRefused()
{
    DAmlReader reader;
    QXmlInputSource source;
    source.setData(QStringLiteral("<DOCUMENT/>"));
    QVERIFY(!reader.parse(&source, true));
    QVERIFY(reader.hasError());
    QCOMPARE(reader.errorString(), QStringLiteral("Incremental parsing is not supported"));
    QVERIFY(reader.parse(&source, false));
    QVERIFY(!reader.hasError());
    QVERIFY(reader.documents());
}

void TestDAmlReader::positions_data()
{
    QTest::addColumn<QString>("xml");
    QTest::addColumn<QStringList>("log");

    QTest::newRow("document, then its first child")
        << "<MARK><DOCUMENT title=\"T\"><MARK><P>x</P></MARK></DOCUMENT></MARK>"
        << QStringList { "DOCUMENT current=Document title=\"T\" name=<null>", "P current=Paragraph",
               "/MARK end=Paragraph", "/MARK end=Document title=\"T\" name=<null>" };
    QTest::newRow("empty container is its own end")
        << "<DOCUMENT><SECTION name=\"s\"><MARK></MARK></SECTION></DOCUMENT>"
        << QStringList { "DOCUMENT current=Document title=<null> name=<null>",
               "SECTION current=Section name=\"s\"", "/MARK end=Section name=\"s\"" };
    QTest::newRow("end is the last sibling, not inside it")
        << "<DOCUMENT><MARK><P>a</P><TABLE><ROW><CELLTEXT text=\"c\"/></ROW></TABLE></MARK>"
           "<P>b</P></DOCUMENT>"
        << QStringList { "DOCUMENT current=Document title=<null> name=<null>",
               "P current=Paragraph", "TABLE current=Table border=0 widths=", "ROW current=Row",
               "CELLTEXT current=CellText \"c\" hspan=0 vspan=0",
               "/MARK end=Table border=0 widths=", "P current=Paragraph" };
    QTest::newRow("style elements open no item")
        << "<DOCUMENT><STYLES><MARK><STYLE name=\"s\"/></MARK></STYLES><TAG name=\"t\"/></DOCUMENT>"
        << QStringList { "DOCUMENT current=Document title=<null> name=<null>",
               "STYLES current=null", "STYLE current=null",
               "/MARK end=Document title=<null> name=<null>", "TAG current=Tag name=\"t\"" };
    QTest::newRow("text joins across hidden tags")
        << "<DOCUMENT><P>one <MARK>two</MARK> three<MARK/></P></DOCUMENT>"
        << QStringList { "DOCUMENT current=Document title=<null> name=<null>",
               "P current=Paragraph", "/MARK end=Paragraph", "/MARK end=Paragraph" };
    QTest::newRow("text flushed before the next item")
        << "<DOCUMENT><P>one <MARK><LINK target=\"l\">two</LINK></MARK></P></DOCUMENT>"
        << QStringList { "DOCUMENT current=Document title=<null> name=<null>",
               "P current=Paragraph", "LINK current=Link target=\"l\"",
               "/MARK end=Link target=\"l\"" };
    QTest::newRow("between documents")
        << "<AML><MARK/><DOCUMENT name=\"a\"/><MARK/><DOCUMENT name=\"b\"/></AML>"
        << QStringList { "AML current=null", "/MARK end=null",
               "DOCUMENT current=Document title=<null> name=\"a\"",
               "/MARK end=Document title=<null> name=\"a\"",
               "DOCUMENT current=Document title=<null> name=\"b\"" };
}

// What a derived handler reads: the item of the element just started, and at the end of its
// own elements the last item linked into the innermost open container.
void TestDAmlReader::positions()
{
    QFETCH(QString, xml);
    QFETCH(QStringList, log);

    auto* handler = new RecordingHandler;
    DAmlReader reader(handler);
    QVERIFY2(parseText(reader, xml), qPrintable(reader.errorString()));
    QCOMPARE(handler->log, log);
}

// Given styles resolve by exact name, local ones override them, and style names stay on items.
void TestDAmlReader::styleResolution()
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
    QCOMPARE(document->style(), m_given[0].get());
    QVERIFY(document->styleName().isNull());

    const DItem* before = document->child();
    const DItem* after = before->next();
    const DItem* otherCase = after->next();
    const DItem* plain = otherCase->next();
    QCOMPARE(before->style(), m_given[5].get());
    QCOMPARE(reader.styles().size(), 2);
    QCOMPARE(after->style(), reader.styles().at(1));
    QVERIFY(after->style()->italic());
    QCOMPARE(otherCase->style(), nullptr);
    QCOMPARE(otherCase->styleName(), QStringLiteral("warning"));
    QCOMPARE(plain->style(), nullptr);
    QVERIFY(plain->styleName().isNull());
    QCOMPARE(reader.styleNames(), QStringList({ "Warning", "Warning" }));

    // Handed over, the styles leave the handler and its lookup.
    QList<DStyle*> taken = reader.handler()->takeStyles();
    QCOMPARE(taken.size(), 2);
    QVERIFY(reader.styles().isEmpty());
    qDeleteAll(taken);
}

// The shipped style file defines every report style, in this order.
void TestDAmlReader::styleFile()
{
    QFile file(QStringLiteral(KORVAT_EXAMPLES "/reporterstyle.aml"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    DAmlReader reader;
    reader.setEnabledLocalStyle(true);
    reader.setInputSize(file.size());
    QXmlInputSource source(&file);
    QVERIFY2(reader.parse(&source), qPrintable(reader.errorString()));

    const QStringList expected = { "Normal", "Normal Failed", "Normal Passed", "Title0", "Title1",
        "Title1 Failed", "Title1 Passed", "Title2", "Title2 Failed", "Title2 Passed", "Title3",
        "Title3 Failed", "Title3 Passed", "Title4", "Title4 Failed", "Title4 Passed", "Title5",
        "Title5 Failed", "Title5 Passed", "Title6", "Title6 Failed", "Title6 Passed", "Array Title",
        "Array", "Array Failed", "Array Passed", "Warning", "Link" };
    QCOMPARE(reader.styleNames(), expected);
    QCOMPARE(reader.styles().size(), expected.size());
    for (const DStyle* style : reader.styles()) {
        QVERIFY2(!style->family().isEmpty(), qPrintable(style->name()));
        QVERIFY2(style->pointSize() > 0, qPrintable(style->name()));
    }
}

// Taken documents outlive the reader and its handler.
void TestDAmlReader::takeDocuments()
{
    DDocument* documents = nullptr;
    {
        DAmlReader reader;
        QVERIFY(parseText(reader,
            QStringLiteral("<AML><DOCUMENT name=\"a\"><P>x</P></DOCUMENT>"
                           "<DOCUMENT name=\"b\"/></AML>")));
        documents = reader.handler()->takeDocuments();
        QCOMPARE(reader.documents(), nullptr);
    }
    QVERIFY(documents);
    QCOMPARE(documents->name(), QStringLiteral("a"));
    QVERIFY(documents->next());
    QCOMPARE(documents->next()->toDocument()->name(), QStringLiteral("b"));
    QCOMPARE(documents->next()->parent(), nullptr);
    delete documents;
}

QTEST_GUILESS_MAIN(TestDAmlReader)
#include "tst_damlreader.moc"
