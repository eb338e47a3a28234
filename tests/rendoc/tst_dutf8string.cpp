#include "rendoc/model/dutf8string.h"

#include "rendoc/model/dpool.h"
#include "rendoc/model/dtext.h"

#include <QtTest>

#include <memory>

// Texts kept as UTF-8: they read back as the text they were made from (null and empty apart),
// count their UTF-16 length from the bytes, share their block between copies and give it back
// when the last copy goes.
class TstDUtf8String : public QObject
{
    Q_OBJECT

private slots:
    void readsBackAsItsText_data();
    void readsBackAsItsText();
    void copiesShareTheBlockUntilTheLastGoes_data();
    void copiesShareTheBlockUntilTheLastGoes();
    void textItemsCopyTheirText();
};

void TstDUtf8String::readsBackAsItsText_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("null") << QString();
    QTest::newRow("empty") << QString(QLatin1String(""));
    QTest::newRow("line break") << QStringLiteral("\n");
    QTest::newRow("ascii, seven bytes") << QStringLiteral("source!");
    QTest::newRow("ascii, a word and more") << QStringLiteral("Check 0 of case 0: value=42 expected=42 ");
    QTest::newRow("two-byte characters") << QStringLiteral("Prüfung fehlgeschlagen: erwartet «ja»");
    QTest::newRow("three-byte characters between ascii") << QStringLiteral("12345678試験12345678");
    QTest::newRow("beyond the BMP") << QString::fromUcs4(U"\U0001F600 ok \U00010348");
    QTest::newRow("larger than a pooled block") << QString(3000, QLatin1Char('x')) + QStringLiteral("é");
    QTest::newRow("ascii, larger than a pooled block") << QString(3000, QLatin1Char('x'));
    QTest::newRow("last ascii, then the first two-byte character") << QStringLiteral("a\x7f") + QChar(0x80);
    QTest::newRow("NUL inside") << QStringLiteral("a") + QChar(0) + QStringLiteral("b");
}

void TstDUtf8String::readsBackAsItsText()
{
    QFETCH(QString, text);
    const DUtf8String made(text);
    QCOMPARE(made.toString(), text);
    QCOMPARE(made.toString().isNull(), text.isNull());
    QCOMPARE(made.isNull(), text.isNull());
    QCOMPARE(made.isEmpty(), text.isEmpty());
    QCOMPARE(made.utf16Size(), text.size());
    QCOMPARE(made.utf8().toByteArray(), text.toUtf8());
    // Made from the bytes, it is the same text.
    const QByteArray bytes = text.toUtf8();
    const DUtf8String fromBytes{QByteArrayView(bytes)};
    QCOMPARE(fromBytes.toString(), text.isNull() ? QString(QLatin1String("")) : text);
    QVERIFY(text.isNull() || fromBytes == made);
}

void TstDUtf8String::copiesShareTheBlockUntilTheLastGoes_data()
{
    QTest::addColumn<int>("length");
    QTest::newRow("pooled") << 40;
    QTest::newRow("not pooled") << int(DPool::MaxSize) * 2;
}

void TstDUtf8String::copiesShareTheBlockUntilTheLastGoes()
{
    QFETCH(int, length);
    const std::size_t before = DPool::liveBytes();
    {
        auto first = std::make_unique<DUtf8String>(QString(length, QLatin1Char('a')));
        DUtf8String copy = *first;
        DUtf8String assigned;
        assigned = copy;
        QVERIFY(copy.sharesWith(*first));
        QVERIFY(assigned.sharesWith(*first));
        first.reset();
        QCOMPARE(assigned.toString(), QString(length, QLatin1Char('a')));
        DUtf8String moved = std::move(copy);
        QVERIFY(copy.isNull());
        QVERIFY(moved.sharesWith(assigned));
        // An equal text made apart compares equal without sharing.
        const DUtf8String apart(QString(length, QLatin1Char('a')));
        QVERIFY(!apart.sharesWith(moved));
        QVERIFY(apart == moved);
        QVERIFY(apart != DUtf8String(QStringLiteral("b")));
        QVERIFY(DUtf8String() != DUtf8String(QString(QLatin1String(""))));
    }
    QCOMPARE(DPool::liveBytes(), before);
}

void TstDUtf8String::textItemsCopyTheirText()
{
    DText original(QStringLiteral("Ünïcode text"));
    const DText copy(original);
    QVERIFY(copy.utf8Text().sharesWith(original.utf8Text()));
    original.setText(QStringLiteral("changed"));
    QCOMPARE(copy.text(), QStringLiteral("Ünïcode text"));
    QCOMPARE(original.text(), QStringLiteral("changed"));
}

QTEST_APPLESS_MAIN(TstDUtf8String)
#include "tst_dutf8string.moc"
