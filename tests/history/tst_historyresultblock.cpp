#include "history/historyresultblock.h"

#include <QTest>

using Entry = HistoryResultBlock::Entry;
Q_DECLARE_METATYPE(QList<Entry>)

namespace {

Entry entry(int slot, int code, std::optional<qint64> duration = std::nullopt, qint64 fingerprint = 0)
{
    Entry e;
    e.slot = slot;
    e.code = code;
    e.durationMs = duration;
    e.fingerprint = fingerprint;
    return e;
}

QString describe(const QList<Entry> &entries)
{
    QStringList parts;
    for (const Entry &e : entries)
        parts << QStringLiteral("%1:%2:%3:%4")
                     .arg(e.slot)
                     .arg(e.code)
                     .arg(e.durationMs ? QString::number(*e.durationMs) : QStringLiteral("-"))
                     .arg(e.fingerprint);
    return parts.join(QLatin1Char(' '));
}

} // namespace

// The packed form of a run's results in a block of test ids: what goes in comes out, and bytes
// that no store wrote are refused rather than read past their end.
class tst_HistoryResultBlock : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void roundTrip_data()
    {
        QTest::addColumn<QList<Entry>>("entries");
        QTest::addColumn<int>("maxBytes");
        QTest::newRow("empty") << QList<Entry>{} << 0;
        // A dense block of passed tests with short durations: two bytes a result.
        QList<Entry> dense;
        for (int slot = 0; slot < HistoryResultBlock::Size; ++slot)
            dense << entry(slot, 0, slot % 100);
        QTest::newRow("dense, short durations") << dense << 2 * HistoryResultBlock::Size;
        QTest::newRow("gaps at every width")
            << QList<Entry>{entry(6, 1), entry(13, 2), entry(14, 0), entry(HistoryResultBlock::Size - 1, 6)} << 8;
        QTest::newRow("extreme values")
            << QList<Entry>{entry(0, 5, 0, 1), entry(1, 1, std::numeric_limits<qint64>::max(),
                                                     std::numeric_limits<qint64>::max()),
                            entry(2, 2, std::nullopt, std::numeric_limits<qint64>::min())}
            << 64;
    }
    void roundTrip()
    {
        QFETCH(QList<Entry>, entries);
        QFETCH(int, maxBytes);
        const QByteArray bytes = HistoryResultBlock::pack(entries);
        QVERIFY2(bytes.size() <= maxBytes, qPrintable(QString::number(bytes.size())));
        const auto back = HistoryResultBlock::unpack(bytes);
        QVERIFY(back);
        QCOMPARE(describe(*back), describe(entries));
        // Each entry is found alone; a slot between entries is absent.
        for (const Entry &e : entries) {
            bool malformed = true;
            const auto found = HistoryResultBlock::find(bytes, e.slot, &malformed);
            QVERIFY(!malformed);
            QVERIFY(found);
            QCOMPARE(describe({*found}), describe({e}));
        }
        bool malformed = true;
        QVERIFY(!HistoryResultBlock::find(bytes, 12, &malformed) || entries.size() == HistoryResultBlock::Size);
        QVERIFY(!malformed);
    }

    void malformed_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("duration cut short") << QByteArray("\x08\x80", 2);
        QTest::newRow("fingerprint cut short") << QByteArray("\x10\x01\x02\x03", 4);
        QTest::newRow("gap past the block") << QByteArray("\xe0\x80\x02", 3);
        QTest::newRow("second entry past the block") << QByteArray("\xe0\xff\x01\x00", 4);
        QTest::newRow("endless varint") << QByteArray(12, '\xff').prepend('\x08');
    }
    void malformed()
    {
        QFETCH(QByteArray, bytes);
        QVERIFY(!HistoryResultBlock::unpack(bytes));
        bool malformed = false;
        QVERIFY(!HistoryResultBlock::find(bytes, HistoryResultBlock::Size, &malformed));
        QVERIFY(malformed);
    }
};

QTEST_GUILESS_MAIN(tst_HistoryResultBlock)
#include "tst_historyresultblock.moc"
