#include "sdk/getpix.h"
#include "sdk/qapixmapcenter.h"

#include <QImage>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

namespace {

// 3 x 2 and 1 x 1 pixels.
const char* const small_xpm[] = { "3 2 2 1", "  c #FF0000", ". c #0000FF", " . ", ". ." };
const char* const other_xpm[] = { "1 1 1 1", "  c #00FF00", " " };

} // namespace

// Named pixmap lookup: search directories, file name forms, XPM fallback.
class tst_QAPixmapCenter : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_first;
    QTemporaryDir m_second;

    static void writeImage(const QString& path, int width, const char* format = "PNG")
    {
        QImage image(width, 4, QImage::Format_RGB32);
        image.fill(qRgb(1, 2, 3));
        QVERIFY(image.save(path, format));
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_first.isValid() && m_second.isValid());
        writeImage(m_first.filePath(QStringLiteral("both.png")), 5);
        writeImage(m_second.filePath(QStringLiteral("both.png")), 6);
        writeImage(m_second.filePath(QStringLiteral("second.png")), 7);
        writeImage(m_second.filePath(QStringLiteral("icon.xpm")), 8, "XPM");
        QFile broken(m_first.filePath(QStringLiteral("broken.png")));
        QVERIFY(broken.open(QIODevice::WriteOnly));
        broken.write("not an image");
    }

    void init()
    {
        pixmapcenter()->setSearchDirectories({ m_first.path(), m_second.path() });
        pixmapcenter()->clearCache();
    }

    void lookupByFileName_data()
    {
        // "1/" and "2/" stand for the first and second search directory.
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QString>("path");
        QTest::addColumn<int>("width"); // of the pixmap loaded from that path; 0: null

        QTest::newRow("first directory wins") << "both.png" << "1/both.png" << 5;
        QTest::newRow("only in second") << "second.png" << "2/second.png" << 7;
        QTest::newRow("not an image") << "broken.png" << "1/broken.png" << 0;
        QTest::newRow("not found") << "none.png" << "" << 0;
        QTest::newRow("empty name") << "" << "" << 0;
        QTest::newRow("absolute existing path") << "2/second.png" << "2/second.png" << 7;
        QTest::newRow("absolute missing path") << "2/none.png" << "" << 0;
    }

    void lookupByFileName()
    {
        const auto resolve = [this](QString name) {
            return name.replace(QRegularExpression("^1/"), m_first.path() + '/')
                .replace(QRegularExpression("^2/"), m_second.path() + '/');
        };
        QFETCH(QString, fileName);
        QFETCH(QString, path);
        const QString found = pixmapcenter()->getPathByFileName(resolve(fileName));
        QCOMPARE(found, resolve(path));
        QTEST(pixmapcenter()->getPixmapByFilePath(found).width(), "width");
    }

    void searchDirectories()
    {
        pixmapcenter()->setSearchDirectories({});
        QVERIFY(pixmapcenter()->getPathByFileName(QStringLiteral("both.png")).isEmpty());
        pixmapcenter()->addSearchDirectory(m_second.path());
        pixmapcenter()->addSearchDirectory(m_second.path());
        QCOMPARE(pixmapcenter()->searchDirectories().size(), 1);
        QCOMPARE(pixmapcenter()->getPathByFileName(QStringLiteral("both.png")),
                 m_second.filePath(QStringLiteral("both.png")));
    }

    void getpix_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("withFallback");
        QTest::addColumn<int>("width"); // 0: null pixmap

        QTest::newRow("png file") << "second" << true << 7;
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
        QTEST(GETPIX(name, withFallback ? small_xpm : nullptr).width(), "width");
    }

    void fallbackIsBuiltOncePerName()
    {
        const QPixmap first = GETPIX(QStringLiteral("cached_xpm"), small_xpm);
        // The same name gives the pixmap built first, whatever data is passed.
        QCOMPARE(GETPIX(QStringLiteral("cached_xpm"), other_xpm).cacheKey(), first.cacheKey());
        // A file under the name takes precedence over the cached fallback.
        writeImage(m_first.filePath(QStringLiteral("cached_xpm.png")), 9);
        QCOMPARE(GETPIX(QStringLiteral("cached_xpm"), small_xpm).width(), 9);
    }
};

QTEST_MAIN(tst_QAPixmapCenter)
#include "tst_qapixmapcenter.moc"
