#include "rendoc/html/dhtmloutput.h"

#include "rendoc/html/dhtmlescape.h"

#include <QBuffer>
#include <QTest>
#include <QTextStream>

// Pages used to go through a UTF-8 QTextStream; the byte output must give the same bytes for
// the same writes, whatever the text, and escape as the string escaping does. (A lone
// surrogate at the very end of the output is left out: a page always ends in markup.)
class TestDHTMLOutput : public QObject
{
    Q_OBJECT

private slots:
    void sameBytes_data();
    void sameBytes();
    void streamTarget();
    void refusedDevice();
};

namespace {

// One write: a text, and how it is written (0 raw, 1 escaped, 2 escaped for an attribute,
// 3 as Latin-1 markup, 4 and 5 escaped like 1 and 2 from the text's UTF-8).
struct Piece
{
    QString text;
    int how;
};

QList<Piece> pieces(std::initializer_list<Piece> list) { return QList<Piece>(list); }

} // namespace

Q_DECLARE_METATYPE(Piece)

void TestDHTMLOutput::sameBytes_data()
{
    QTest::addColumn<QList<Piece>>("writes");

    const QString high(QChar(0xD83D)), low(QChar(0xDE00));
    QString long1, long2;
    for (int i = 0; i < 30000; ++i) {
        long1 += QStringLiteral("a<b&\u00e9\u4e2d\"");
        long2 += high + low + QLatin1Char('x');
    }
    QTest::newRow("ascii markup") << pieces({{"<p class=\"x\">", 3}, {"plain", 0}});
    QTest::newRow("latin-1 markup") << pieces({{QString::fromLatin1("caf\xe9 \xb7"), 3}});
    QTest::newRow("latin-1 markup larger than the buffer")
        << pieces({{QString::fromLatin1("<b>caf\xe9</b>\xff").repeated(20000), 3}});
    QTest::newRow("two and three byte characters") << pieces({{QStringLiteral("\u00e9\u0800\u4e2d\uffef"), 0}});
    QTest::newRow("markup characters escaped") << pieces({{"a&b<c>d\"e'f", 1}, {"a&b<c>d\"e'f", 2}});
    QTest::newRow("control characters dropped") << pieces({{QStringLiteral("a\x01\tb\nc\rd\x1f") + QChar(0xFFFE) + QChar(0xFFFF) + "e", 1}});
    QTest::newRow("control characters kept raw") << pieces({{QStringLiteral("a\x01") + QChar(0xFFFF), 0}});
    QTest::newRow("surrogate pair") << pieces({{high + low, 0}, {high + low, 1}});
    QTest::newRow("pair split over two writes") << pieces({{"a" + high, 1}, {low + "b", 0}});
    QTest::newRow("pair around a dropped character") << pieces({{high + QChar(0x01) + low, 1}});
    QTest::newRow("lone high before text") << pieces({{high + "a", 0}, {high + "<", 1}});
    QTest::newRow("lone high before markup") << pieces({{high, 0}, {"<b>", 3}});
    QTest::newRow("lone low") << pieces({{low + "a" + low + "b", 0}});
    QTest::newRow("high after high") << pieces({{high + high + low, 0}});
    QTest::newRow("texts larger than the buffer") << pieces({{long1, 1}, {long2, 0}, {long1, 2}});
    QString asciiLong;
    for (int i = 0; i < 30000; ++i)
        asciiLong += QStringLiteral("a<b&c\"'\x01\t");
    QTest::newRow("utf-8 markup characters") << pieces({{"a&b<c>d\"e'f", 4}, {"a&b<c>d\"e'f", 5}});
    QTest::newRow("utf-8 control characters") << pieces({{QStringLiteral("a\x01\tb\nc\rd\x1f\x7f"), 4}});
    QTest::newRow("utf-8 beyond ascii") << pieces({{QStringLiteral("\u00e9<\u4e2d") + high + low + QChar(0xFFFE), 4}});
    QTest::newRow("utf-8 ascii, then beyond") << pieces({{QStringLiteral("a<b'\x02c\u00e9&\u4e2d'\"d"), 4}, {QStringLiteral("x'\u00e9'"), 5}});
    QTest::newRow("utf-8 after a waiting high") << pieces({{"a" + high, 1}, {"b<", 4}});
    QTest::newRow("utf-8 larger than the buffer") << pieces({{asciiLong, 4}, {asciiLong, 5}, {long1, 4}});
}

void TestDHTMLOutput::sameBytes()
{
    QFETCH(QList<Piece>, writes);
    QBuffer expected;
    expected.open(QIODevice::WriteOnly);
    {
        QTextStream stream(&expected);
        stream.setEncoding(QStringConverter::Utf8);
        for (const Piece& p : writes)
            stream << (p.how == 1 || p.how == 2 || p.how == 4 || p.how == 5
                           ? DHTMLEscape::escaped(p.text, p.how == 2 || p.how == 5)
                           : p.text);
    }
    QBuffer actual;
    actual.open(QIODevice::WriteOnly);
    qint64 size = 0;
    {
        DHTMLOutput out(&actual);
        for (const Piece& p : writes) {
            if (p.how == 3)
                out.write(QLatin1String(p.text.toLatin1()));
            else if (p.how == 0)
                out.write(QStringView(p.text));
            else if (p.how >= 4)
                out.writeEscapedUtf8(p.text.toUtf8(), p.how == 5);
            else
                out.writeEscaped(p.text, p.how == 2);
        }
        size = out.size();
    }
    QCOMPARE(actual.data().size(), expected.data().size());
    QVERIFY(actual.data() == expected.data());
    QCOMPARE(size, qint64(expected.data().size()));
}

void TestDHTMLOutput::streamTarget()
{
    // A text stream sees each write at once, so a caller reading its string in between
    // reads everything written so far.
    QString page;
    QTextStream stream(&page);
    DHTMLOutput out(&stream);
    out << QLatin1String("<p>") << QStringLiteral("\u00e9");
    out.writeNumber(-42);
    stream.flush();
    QCOMPARE(page, QStringLiteral("<p>\u00e9-42"));
    out.writeEscaped(u"<&>", false);
    stream.flush();
    QCOMPARE(page, QStringLiteral("<p>\u00e9-42&lt;&amp;&gt;"));
}

void TestDHTMLOutput::refusedDevice()
{
    // A device that takes nothing fails the output instead of losing the page silently.
    QBuffer readOnly;
    readOnly.open(QIODevice::ReadOnly);
    DHTMLOutput out(&readOnly);
    out.write(QLatin1String("<html>"));
    QVERIFY(!out.flush());
    QVERIFY(out.failed());
}

QTEST_APPLESS_MAIN(TestDHTMLOutput)
#include "tst_dhtmloutput.moc"
