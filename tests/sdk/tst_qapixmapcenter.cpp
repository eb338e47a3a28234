#include "sdk/getpix.h"
#include "sdk/qapixmapcenter.h"

#include <QImage>
#include <QTemporaryDir>
#include <QTest>

namespace {

// 3 x 2 pixels, two colours.
const char* const small_xpm[] = {
    "3 2 2 1",
    "  c #FF0000",
    ". c #0000FF",
    " . ",
    ". .",
};

const char* const other_xpm[] = {
    "1 1 1 1",
    "  c #00FF00",
    " ",
};

} // namespace

// Named pixmap lookup: search directories, file name forms, XPM fallback.
class tst_QAPixmapCenter : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_first;
    QTemporaryDir m_second;

    static void writeImage(const QString& path, int width, QRgb colour, const char* format)
    {
        QImage image(width, 4, QImage::Format_RGB32);
        image.fill(colour);
        QVERIFY(image.save(path, format));
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_first.isValid() && m_second.isValid());
        writeImage(m_first.filePath(QStringLiteral("both.png")), 5, qRgb(255, 0, 0), "PNG");
        writeImage(m_second.filePath(QStringLiteral("both.png")), 6, qRgb(0, 255, 0), "PNG");
        writeImage(m_second.filePath(QStringLiteral("second.png")), 7, qRgb(0, 0, 255), "PNG");
        writeImage(m_second.filePath(QStringLiteral("icon.xpm")), 8, qRgb(0, 0, 0), "XPM");
        QFile broken(m_first.filePath(QStringLiteral("broken.png")));
        QVERIFY(broken.open(QIODevice::WriteOnly));
        broken.write("not an image");
    }

    void init()
    {
        pixmapcenter()->setSearchDirectories({ m_first.path(), m_second.path() });
        pixmapcenter()->clearCache();
    }

    void pathByFileName_data()
    {
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QString>("expectedDir"); // "first", "second", "abs" or "" for not found

        QTest::newRow("first directory wins") << "both.png" << "first";
        QTest::newRow("only in second") << "second.png" << "second";
        QTest::newRow("not found") << "none.png" << "";
        QTest::newRow("empty name") << "" << "";
        QTest::newRow("absolute existing path") << "ABS:second.png" << "abs";
        QTest::newRow("absolute missing path") << "ABS:none.png" << "";
    }

    void pathByFileName()
    {
        QFETCH(QString, fileName);
        QFETCH(QString, expectedDir);
        if (fileName.startsWith(QLatin1String("ABS:")))
            fileName = m_second.filePath(fileName.mid(4));
        const QString path = pixmapcenter()->getPathByFileName(fileName);
        if (expectedDir.isEmpty())
            QVERIFY(path.isEmpty());
        else if (expectedDir == QLatin1String("abs"))
            QCOMPARE(path, fileName);
        else
            QCOMPARE(path, (expectedDir == QLatin1String("first") ? m_first : m_second)
                               .filePath(fileName));
    }

    void noSearchDirectories()
    {
        pixmapcenter()->setSearchDirectories({});
        QVERIFY(pixmapcenter()->getPathByFileName(QStringLiteral("both.png")).isEmpty());
        pixmapcenter()->addSearchDirectory(m_second.path());
        pixmapcenter()->addSearchDirectory(m_second.path());
        QCOMPARE(pixmapcenter()->searchDirectories().size(), 1);
        QCOMPARE(pixmapcenter()->getPathByFileName(QStringLiteral("both.png")),
                 m_second.filePath(QStringLiteral("both.png")));
    }

    void pixmapByFilePath()
    {
        const QPixmap loaded = pixmapcenter()->getPixmapByFilePath(m_second.filePath(QStringLiteral("second.png")));
        QCOMPARE(loaded.width(), 7);
        QVERIFY(pixmapcenter()->getPixmapByFilePath(m_first.filePath(QStringLiteral("broken.png"))).isNull());
        QVERIFY(pixmapcenter()->getPixmapByFilePath(QString()).isNull());
        QVERIFY(pixmapcenter()->getPixmapByFilePath(m_first.filePath(QStringLiteral("none.png"))).isNull());
    }

    void getpix_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("withFallback");
        QTest::addColumn<int>("expectedWidth"); // 0: null pixmap

        QTest::newRow("png file") << "second" << true << 7;
        QTest::newRow("png in first directory") << "both" << false << 5;
        QTest::newRow("xpm file") << "icon" << false << 8;
        QTest::newRow("xpm name form") << "icon_xpm" << true << 8;
        QTest::newRow("fallback") << "reporter_xpm" << true << 3;
        QTest::newRow("unreadable file falls back") << "broken" << true << 3;
        QTest::newRow("nothing at all") << "reporter_xpm" << false << 0;
        QTest::newRow("empty name with fallback") << "" << true << 3;
    }

    void getpix()
    {
        QFETCH(QString, name);
        QFETCH(bool, withFallback);
        QFETCH(int, expectedWidth);
        const QPixmap pixmap = GETPIX(name, withFallback ? small_xpm : nullptr);
        if (expectedWidth == 0) {
            QVERIFY(pixmap.isNull());
        } else {
            QVERIFY(!pixmap.isNull());
            QCOMPARE(pixmap.width(), expectedWidth);
        }
    }

    void fallbackIsBuiltOncePerName()
    {
        const QPixmap first = GETPIX(QStringLiteral("cached_xpm"), small_xpm);
        // The same name gives the pixmap built first, whatever data is passed.
        const QPixmap again = GETPIX(QStringLiteral("cached_xpm"), other_xpm);
        QCOMPARE(again.cacheKey(), first.cacheKey());
        QCOMPARE(again.width(), 3);
        const QImage image = first.toImage();
        QCOMPARE(image.pixelColor(0, 0), QColor(255, 0, 0));
        QCOMPARE(image.pixelColor(1, 0), QColor(0, 0, 255));
        // A file under the name takes precedence over the cached fallback.
        writeImage(m_first.filePath(QStringLiteral("cached_xpm.png")), 9, qRgb(1, 2, 3), "PNG");
        QCOMPARE(GETPIX(QStringLiteral("cached_xpm"), small_xpm).width(), 9);
    }
};

QTEST_MAIN(tst_QAPixmapCenter)
#include "tst_qapixmapcenter.moc"
