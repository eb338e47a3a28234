#include "history/historyresultblock.h"

#include <QTest>

using Entry = HistoryResultBlock::Entry;
Q_DECLARE_METATYPE(QList<Entry>)

namespace {

Entry entry(int slot, int code, std::optional<qint64> duration = std::nullopt, qint64 fingerprint = 0)
{
    return Entry{slot, code, duration, fingerprint};
}

QString describe(const QList<Entry> &entries)
{
    QStringList parts;
    for (const Entry &e : entries)
        parts << QStringLiteral("%1:%2:%3:%4").arg(e.slot).arg(e.code).arg(e.durationMs.value_or(-1)).arg(e.fingerprint);
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
        QList<Entry> dense; // a full block of passed tests with short durations: two bytes each
        for (int slot = 0; slot < HistoryResultBlock::Size; ++slot)
            dense << entry(slot, 0, slot % 100);
        QTest::newRow("dense") << dense << 2 * HistoryResultBlock::Size;
        QTest::newRow("gaps and extremes")
            << QList<Entry>{entry(6, 5, 0, 1), entry(13, 1, std::numeric_limits<qint64>::max(), -1), entry(14, 2),
                            entry(HistoryResultBlock::Size - 1, 6, std::nullopt, std::numeric_limits<qint64>::max())}
            << 40;
    }
    void roundTrip()
    {
        QFETCH(QList<Entry>, entries);
        QFETCH(int, maxBytes);
        const QByteArray bytes = HistoryResultBlock::pack(entries);
        QVERIFY2(bytes.size() <= maxBytes, qPrintable(QString::number(bytes.size())));
        QCOMPARE(describe(HistoryResultBlock::unpack(bytes).value()), describe(entries));
        bool malformed = true;
        const Entry &last = entries.constLast();
        QCOMPARE(describe({HistoryResultBlock::find(bytes, last.slot, &malformed).value()}), describe({last}));
        QVERIFY(!HistoryResultBlock::find(bytes, 0, &malformed) == (entries.constFirst().slot != 0));
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
