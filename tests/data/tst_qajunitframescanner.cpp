#include "korvatreporter/data/junit/qajunitframescanner.h"

#include <QRandomGenerator>
#include <QRegularExpression>
#include <QtTest>

// The frame scanner finds what this regular expression finds, match for match,
// when it is run over a line globally: the expression is the frame syntax
// written down, the scanner the fast way of applying it.
namespace {

const QRegularExpression &reference()
{
    static const QRegularExpression frames(QStringLiteral(
        "(?:File \"(?<py>[^\"]+\\.\\w+)\", line (?<pyline>\\d+))"
        "|(?:(?<![\\w.$/\\\\-])|\\G)(?<file>[\\w.$/\\\\-]*\\w\\.\\w+)(?::(?<line>\\d+)|\\((?<cline>\\d+)\\))"));
    return frames;
}

// "start length name number end" per match, as the expression sees them.
QStringList expected(const QString &line)
{
    QStringList out;
    auto it = reference().globalMatch(line);
    while (it.hasNext()) {
        const QRegularExpressionMatch m = it.next();
        const bool python = m.hasCaptured(QStringLiteral("py"));
        const QString group = python ? QStringLiteral("py") : QStringLiteral("file");
        const QString number = python                                  ? m.captured(QStringLiteral("pyline"))
                               : m.hasCaptured(QStringLiteral("line")) ? m.captured(QStringLiteral("line"))
                                                                        : m.captured(QStringLiteral("cline"));
        const qsizetype start = python ? m.capturedStart(group) : m.capturedStart();
        const qsizetype length = python ? m.capturedLength(group) : m.capturedLength();
        out << QStringLiteral("%1 %2 %3 %4 %5").arg(start).arg(length).arg(m.captured(group), number).arg(m.capturedEnd());
    }
    return out;
}

QStringList scanned(const QString &line)
{
    QStringList out;
    QAJUnitFrameScanner::Match m;
    for (qsizetype from = 0; QAJUnitFrameScanner::next(line, from, &m); from = m.end)
        out << QStringLiteral("%1 %2 %3 %4 %5").arg(m.start).arg(m.length).arg(m.name.toString(), m.number.toString()).arg(m.end);
    return out;
}

} // namespace

class TstQAJUnitFrameScanner : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void lines_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<int>("frames");
        QTest::newRow("Java") << "\tat shop.Cart.add(Cart.java:7)" << 1;
        QTest::newRow("dotted name before the file") << "at a.b.C.d(a.b.C.java:842)" << 1;
        QTest::newRow("back to back") << "Gone.java:3Cart.java:9" << 2;
        QTest::newRow("after a word") << "xCart.java:9 at lib/xfile.cpp(4)" << 2;
        QTest::newRow("Python") << "  File \"tests/dir.v2/test_x.py\", line 12, in test_x" << 1;
        QTest::newRow("Python, no extension") << "  File \"<string>\", line 1" << 0;
        QTest::newRow("Python inside a word") << "xFile \"a.py\", line 3" << 1;
        QTest::newRow("unclosed parenthesis") << "file.cpp(33 and x.c:" << 0;
        QTest::newRow("non-ASCII letters end a run") << QString::fromUtf8("caf\u00e9.java:3 \u00e9t\u00e9.py:4") << 0;
        QTest::newRow("non-ASCII digits") << QString::fromUtf8("a.py:\u0663") << 0;
        QTest::newRow("extension then a path character") << "a.b-c:1 a.b/:2 a..b:3 .b:4 _.b:5" << 1;
        QTest::newRow("empty") << "" << 0;
    }

    void lines()
    {
        QFETCH(QString, line);
        QCOMPARE(scanned(line), expected(line));
        QTEST(int(scanned(line).size()), "frames");
    }

    // Lines put together at random from the pieces frames are made of.
    void randomLines()
    {
        static const char *const pieces[] = {"Cart.java", "x/y.py", "a.b", "c", ":12", "(33)", "(7",
                                             "File \"", "\", line 5", "\"", " ", ".", ":", "(", ")",
                                             "/", "\\", "-", "$", "_", "9", "\u00e9", "\t"};
        QRandomGenerator random(20261208);
        int withFrames = 0;
        for (int i = 0; i < 20000; ++i) {
            QString line;
            const int count = random.bounded(1, 16);
            for (int p = 0; p < count; ++p)
                line += QString::fromUtf8(pieces[random.bounded(int(std::size(pieces)))]);
            const QStringList want = expected(line);
            withFrames += want.isEmpty() ? 0 : 1;
            if (scanned(line) != want)
                QFAIL(qPrintable(QStringLiteral("differs on \"%1\": %2 against %3")
                                     .arg(line, scanned(line).join(u'|'), want.join(u'|'))));
        }
        // The pieces make frames often enough for the comparison to mean something.
        QVERIFY2(withFrames > 1000, qPrintable(QString::number(withFrames)));
    }
};

QTEST_MAIN(TstQAJUnitFrameScanner)
#include "tst_qajunitframescanner.moc"
