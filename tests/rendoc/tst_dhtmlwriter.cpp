// The HTML writer, its configuration and the exporter.

#include "rendoc/aml/damlreader.h"
#include "rendoc/model/ddocument.h"
#include "rendoc/html/dexporthtml.h"
#include "rendoc/html/dhtmlconfig.h"
#include "rendoc/html/dhtmloutline.h"
#include "rendoc/html/dhtmlwriter.h"
#include "rendoc/model/ditems.h"
#include "rendoc/html/dlogmonitor.h"
#include "rendoc/model/dprogressmonitor.h"
#include "rendoc/model/dupdater.h"
#include "rendoc/html/qaviewerhtmlwriter.h"
#include "tests/support/goldenfile.h"
#include "tests/support/testfiles.h"

using TestFiles::writeFile;

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>

#include <memory>

namespace {

QString dataPath(const QString& name)
{
    return QStringLiteral(KORVAT_TEST_DATA "/html/") + name;
}

// A document read from an AML file with local styles, completed as the view would; the
// reader owns the documents and their styles.
struct Aml
{
    std::unique_ptr<DAmlReader> reader = std::make_unique<DAmlReader>();
    DDocument* get() const { return reader ? reader->documents() : nullptr; }
    explicit operator bool() const { return get() != nullptr; }
    DDocument* operator->() const { return get(); }
};

Aml readAml(const QString& path)
{
    Aml aml;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Aml{nullptr};
    aml.reader->setEnabledLocalStyle(true);
    aml.reader->setInputSize(file.size());
    if (!aml.reader->parse(&file) || aml.reader->hasError()) {
        qWarning("%s", qPrintable(aml.reader->errorString()));
        return Aml{nullptr};
    }
    DUpdater().doAll(aml.get());
    return aml;
}

QString writePage(DHTMLWriter& writer, DDocument* document)
{
    QString page;
    QTextStream stream(&page);
    writer.setStream(&stream);
    writer.doAll(document);
    stream.flush();
    return page;
}

// What a golden file holds of a page: the report's style classes and the <main> element.
QString goldenPart(const QString& page)
{
    QString out;
    static const QRegularExpression styleLine(QStringLiteral("^\\.s\\d+\\{.*$"),
                                              QRegularExpression::MultilineOption);
    for (auto it = styleLine.globalMatch(page); it.hasNext();)
        out += it.next().captured(0) + QLatin1Char('\n');
    const qsizetype start = page.indexOf(QLatin1String("<main>"));
    const qsizetype end = page.indexOf(QLatin1String("</main>"));
    if (start >= 0 && end > start)
        out += page.mid(start, end - start + 7) + QLatin1Char('\n');
    return out;
}

class Log : public DLogMonitor
{
public:
    QStringList lines;
    void message(const QString& text) override { lines << text; }
};

class CancelAfter : public DProgressMonitor
{
public:
    explicit CancelAfter(int calls) : m_left(calls) {}
    bool isCanceled() const override { return --m_left < 0; }

private:
    mutable int m_left;
};

} // namespace

class TestDHTMLWriter : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void golden_data()
    {
        QTest::addColumn<QString>("name");
        for (const char* name : {"text", "list", "table", "media", "places", "hostile", "chain"})
            QTest::newRow(name) << QString::fromLatin1(name);
    }

    // One page per item kind compared with reviewed files.
    void golden()
    {
        QFETCH(QString, name);
        Aml document = readAml(dataPath(name + QStringLiteral(".aml")));
        QVERIFY(document);
        DHTMLWriter writer;
        const QString part = goldenPart(writePage(writer, document.get()));
        KORVAT_VERIFY_GOLDEN("html/" + name + ".html", part);
    }

    // Nothing taken from a report leaves its text or attribute: no element or attribute of the
    // report's making, no way out of the style block, no script href.
    void escaping()
    {
        Aml document = readAml(dataPath(QStringLiteral("hostile.aml")));
        QVERIFY(document);
        QAViewerHTMLWriter writer;
        const QString page = writePage(writer, document.get());
        QVERIFY(!page.contains(QLatin1String("<script"), Qt::CaseInsensitive));
        QVERIFY(!page.contains(QLatin1String("<img src=x")));
        QVERIFY(!page.contains(QLatin1String("\" onmouseover")));
        QVERIFY(!page.contains(QLatin1String("\" onerror")));
        QVERIFY(!page.contains(QLatin1String("javascript:")));
        QCOMPARE(page.count(QLatin1String("</style>")), 1);
        QCOMPARE(page.count(QLatin1String("</title>")), 1);
        QVERIFY(page.contains(QLatin1String("&lt;script&gt;alert(3)&lt;/script&gt;")));
        QVERIFY(page.contains(QLatin1String("content=\"script-src 'none'\"")));

        QCOMPARE(DHTMLWriter::escape(QStringLiteral("a<b>&\"'\x01")),
                 QStringLiteral("a&lt;b&gt;&amp;&quot;'"));
        QCOMPARE(DHTMLWriter::escapeAttribute("\"'<"), QStringLiteral("&quot;&#39;&lt;"));
        QCOMPARE(DHTMLWriter::escape(QString()), QString());
    }

    void viewerLinks_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("href");
        QTest::newRow("report with anchor") << "xrdlink://sub/b.v2.xrd#T1" << "b.html#tag-T1";
        QTest::newRow("report") << "xrdlink://b.xrd" << "b.html";
        QTest::newRow("anchor only") << "xrdlink://#T1" << "#tag-T1";
        QTest::newRow("relative source") << "src/parser.c line 42" << "src/parser.c";
        QTest::newRow("absolute source") << "/home/ci/src/x.c line 7" << "file:///home/ci/src/x.c";
        QTest::newRow("source without file") << " line 7" << "";
        QTest::newRow("other") << "T12" << "";
    }

    void viewerLinks()
    {
        QFETCH(QString, target);
        QTEST(QAViewerHTMLWriter().hrefFor(target), "href");
    }

    void config_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QString>("suffix");
        QTest::addColumn<bool>("outline");
        QTest::addColumn<QString>("stylesheet");
        QTest::newRow("empty") << "" << true << ".html" << true << "";
        QTest::newRow("suffix only") << "# pages\n.htm\n" << true << ".htm" << true << "";
        QTest::newRow("all keys") << ".xhtml\nstylesheet = site.css\n outline = no\nimages=img\n" << true
                                  << ".xhtml" << false << "site.css";
        QTest::newRow("bad suffix") << "../x\noutline = no\n" << false << ".html" << true << "";
        QTest::newRow("unknown key") << ".htm\ncolour = red\n" << false << ".html" << true << "";
        QTest::newRow("bad value") << ".htm\noutline = maybe\n" << false << ".html" << true << "";
        QTest::newRow("no equals") << ".htm\nstylesheet\n" << false << ".html" << true << "";
        QTest::newRow("images outside") << ".htm\nimages = ../up\n" << false << ".html" << true << "";
        QTest::newRow("suffix as a key") << "suffix = .htm\noutline = no\n" << true << ".htm" << false << "";
        QTest::newRow("suffix key after the bare suffix") << ".xhtml\nsuffix = .htm\n" << true << ".htm" << true << "";
        QTest::newRow("bad suffix key") << "suffix = ../x\n" << false << ".html" << true << "";
    }

    void config()
    {
        QFETCH(QString, text);
        QFETCH(bool, ok);
        DHTMLConfig config;
        QCOMPARE(config.parse(text), ok);
        QCOMPARE(config.errors().isEmpty(), ok);
        QTEST(config.suffix(), "suffix");
        QTEST(config.outline(), "outline");
        QTEST(config.stylesheet(), "stylesheet");
        if (ok) {
            DHTMLConfig again;
            QVERIFY(again.parse(config.toText()));
            QCOMPARE(again.toText(), config.toText());
        }
    }

    // File mode: one page per generate named after the document, images copied beside it, a
    // malformed configuration logged once and replaced by the defaults.
    void exportFiles()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        QDir(dir.path()).mkpath(QStringLiteral("pix"));
        QImage(4, 4, QImage::Format_RGB32).save(dir.filePath(QStringLiteral("pix/logo.png")));
        QVERIFY(writeFile(dir.filePath("dhtml.cfg"), ".htm\noutline = sometimes\n"));

        Aml document = readAml(dataPath(QStringLiteral("media.aml")));
        QVERIFY(document);
        document->setName(QStringLiteral("../a/b"));
        const QString out = dir.filePath(QStringLiteral("out/sub"));
        DExportHtml exporter(out, dir.filePath(QStringLiteral("dhtml.cfg")));
        exporter.setPixmapDir(dir.filePath(QStringLiteral("pix")));
        DHTMLWriter writer;
        exporter.setHTMLWriter(&writer);
        Log log;
        QVERIFY(exporter.generate(document.get(), nullptr, &log));
        QCOMPARE(log.lines.size(), 1); // the configuration error
        QVERIFY(log.lines.first().contains(QLatin1String("outline")));
        const QString page = QDir(out).filePath(QStringLiteral("_._a_b.html"));
        QVERIFY2(QFile::exists(page), qPrintable(QDir(out).entryList().join(' ')));
        QVERIFY(QFile::exists(QDir(out).filePath(QStringLiteral("logo.png"))));
        QVERIFY(TestFiles::readText(page).contains(QLatin1String("<img src=\"logo.png\"")));
        QCOMPARE(exporter.writtenFiles().size(), 2);

        // Second run: the configuration errors are not repeated, a missing image is logged.
        Aml other = readAml(dataPath(QStringLiteral("media.aml")));
        other->setName(QStringLiteral("other"));
        exporter.setPixmapDir(QString());
        QVERIFY(QFile::remove(QDir(out).filePath(QStringLiteral("logo.png"))));
        DHTMLWriter second;
        exporter.setHTMLWriter(&second);
        log.lines.clear();
        QVERIFY(exporter.generate(other.get(), nullptr, &log));
        QCOMPARE(log.lines.size(), 1);
        QVERIFY(log.lines.first().contains(QLatin1String("logo.png")));
        QVERIFY(TestFiles::readText(QDir(out).filePath("other.html")).contains("class=\"missing\""));
    }

    // A symbolic link planted at a page's or an image's name, or as the image folder, is
    // replaced or refused, never written through: what it points to keeps its bytes.
    void exportReplacesPlantedLinks_data()
    {
        QTest::addColumn<QString>("config");
        QTest::addColumn<QString>("linkName");
        QTest::addColumn<QString>("image");
        QTest::newRow("page") << "" << "doc.html" << "logo.png";
        QTest::newRow("image") << "" << "logo.png" << "logo.png";
        QTest::newRow("image in its folder") << ".html\nimages = img\n" << "img/logo.png" << "img/logo.png";
        QTest::newRow("image folder") << ".html\nimages = img\n" << "img" << "";
    }

    void exportReplacesPlantedLinks()
    {
        QFETCH(QString, config);
        QFETCH(QString, linkName);
        QFETCH(QString, image);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QDir root(dir.path());
        QVERIFY(root.mkpath("pix") && root.mkpath("out") && root.mkpath("elsewhere"));
        QVERIFY(QImage(4, 4, QImage::Format_RGB32).save(dir.filePath("pix/logo.png")));
        const QString victim = dir.filePath("elsewhere/victim");
        QVERIFY(writeFile(victim, "private"));
        QVERIFY(writeFile(dir.filePath("dhtml.cfg"), config.toUtf8()));
        const QString link = dir.filePath("out/" + linkName);
        QVERIFY(QDir().mkpath(QFileInfo(link).absolutePath()));
        QVERIFY(QFile::link(image.isEmpty() ? dir.filePath("elsewhere") : victim, link));

        Aml document = readAml(dataPath(QStringLiteral("media.aml")));
        QVERIFY(document);
        document->setName(QStringLiteral("doc"));
        DExportHtml exporter(dir.filePath("out"), dir.filePath("dhtml.cfg"));
        exporter.setPixmapDir(dir.filePath("pix"));
        DHTMLWriter writer;
        exporter.setHTMLWriter(&writer);
        Log log;
        QVERIFY2(exporter.generate(document.get(), nullptr, &log), qPrintable(exporter.errorString()));

        QCOMPARE(TestFiles::readText(victim), QStringLiteral("private"));
        QCOMPARE(QDir(dir.filePath("elsewhere")).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
                 QStringList{"victim"});
        const QFileInfo page(dir.filePath("out/doc.html"));
        QVERIFY(page.isFile() && !page.isSymLink());
        // Pages are as readable as any new file, not private like a temporary one.
        QCOMPARE(page.permissions(), QFileInfo(dir.filePath("dhtml.cfg")).permissions());
        const QString text = TestFiles::readText(page.filePath());
        if (image.isEmpty()) {
            QVERIFY(text.contains(QLatin1String("class=\"missing\"")));
            QVERIFY2(log.lines.join('\n').contains(QLatin1String("symbolic link")), qPrintable(log.lines.join('\n')));
        } else {
            const QFileInfo copied(dir.filePath("out/" + image));
            QVERIFY(copied.isFile() && !copied.isSymLink());
            QVERIFY(text.contains("<img src=\"" + image + "\""));
        }
        QCOMPARE(QDir(dir.filePath("out")).entryList({".korvat-*"}, QDir::Hidden | QDir::Files), QStringList());
    }

    // A failed export writes nothing and keeps the file in its way: a page never replaces a
    // file the export reads (named as it is or through a link to its folder), a cancelled
    // export keeps the previous page, an unwritable folder is said once.
    void exportFails_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<int>("logged");
        QTest::newRow("page is an input in its own folder") << "input" << 1;
        QTest::newRow("page is an input, folder through a link") << "link" << 1;
        QTest::newRow("cancelled") << "cancel" << 0;
        QTest::newRow("folder under a file") << "unwritable" << 1;
    }

    void exportFails()
    {
        QFETCH(QString, how);
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkpath("in"));
        const QString kept = dir.filePath("in/doc.html");
        QVERIFY(writeFile(kept, "<XROD/>"));
        QString out = dir.filePath("in");
        DDocument document(QStringLiteral("T"), QStringLiteral("doc"));
        DHTMLWriter writer;
        if (how == "link") {
            out = dir.filePath("alias");
            QVERIFY(QFile::link(dir.filePath("in"), out));
        } else if (how == "unwritable") {
            out = kept + "/sub";
        } else if (how == "cancel") {
            // Enough items for the writer to ask the monitor while writing.
            for (int i = 0; i < 2000; ++i)
                document.appendChild(new DText(QStringLiteral("line %1").arg(i)));
        }
        if (how == "input" || how == "link")
            writer.addInputFile(kept);
        DExportHtml exporter(out, dir.filePath(QStringLiteral("none.cfg")));
        exporter.setHTMLWriter(&writer);
        CancelAfter cancel(3);
        Log log;
        QVERIFY(!exporter.generate(&document, how == "cancel" ? &cancel : nullptr, &log));
        QCOMPARE(TestFiles::readText(kept), QStringLiteral("<XROD/>"));
        QTEST(int(log.lines.size()), "logged");
        if (how == "input" || how == "link")
            QVERIFY2(log.lines.first().contains(QLatin1String("doc.html")), qPrintable(log.lines.first()));
        QVERIFY(exporter.writtenFiles().isEmpty());
        if (how != "cancel")
            QVERIFY(!exporter.errorString().isEmpty());
    }

    // A node's anchor id is the outline's prefix and the node's text id, else its number. The
    // id is written at the node's text and in the outline's link to it, escaped, and its
    // length (which the page plan's estimates count) is that of the id as written.
    void outlineAnchorIds_data()
    {
        QTest::addColumn<QString>("textId");
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("anchor"); // as written in the page; "" for none
        QTest::addColumn<int>("size");
        QTest::newRow("number") << QString() << 42 << "x-n42" << 5;
        QTest::newRow("number zero") << QString() << 0 << "x-n0" << 4;
        QTest::newRow("text id before number") << "alpha" << 7 << "x-nalpha" << 8;
        QTest::newRow("text id escaped") << "a\"b<c" << 1 << "x-na&quot;b&lt;c" << 8;
        QTest::newRow("neither") << QString() << -1 << QString() << 0;
    }

    void outlineAnchorIds()
    {
        QFETCH(QString, textId);
        QFETCH(int, number);
        QFETCH(QString, anchor);
        DDocument document(QStringLiteral("Ids"), QStringLiteral("ids"));
        auto* section = new DSection(QString(), &document);
        document.setChild(section);
        section->setChild(new DText(QStringLiteral("text of the node"), section));
        DHTMLOutline outline;
        outline.setIdPrefix(QStringLiteral("x-n"));
        DHTMLOutline::Node node;
        node.label = QStringLiteral("the node");
        node.number = number;
        node.first = section;
        node.last = section->child();
        outline.add(node, textId);
        QTEST(int(outline.anchorIdSize(0)), "size");

        DHTMLWriter writer;
        writer.setOutline(&outline);
        const QString page = writePage(writer, &document);
        if (anchor.isEmpty()) {
            QVERIFY(!page.contains(QLatin1String("<span id=\"x-n")));
            QVERIFY(page.contains(QLatin1String("&#183;</span>the node")));
        } else {
            QVERIFY2(page.contains(QLatin1String("<span id=\"") + anchor + QLatin1String("\"></span>")), qPrintable(page));
            QVERIFY2(page.contains(QLatin1String("<a href=\"#") + anchor + QLatin1String("\">the node</a>")), qPrintable(page));
        }
    }

    // A document nested far deeper than any stack would take recursion for.
    void deepDocument()
    {
        DDocument document(QStringLiteral("Deep"), QStringLiteral("deep"));
        DItemContainer* parent = &document;
        for (int i = 0; i < 100000; ++i) {
            auto* section = new DSection(QString(), parent);
            parent->setChild(section);
            parent = section;
        }
        parent->setChild(new DText(QStringLiteral("bottom"), parent));
        DHTMLWriter writer;
        const QString page = writePage(writer, &document);
        QCOMPARE(page.count(QLatin1String("</section>")), 100000);
        QVERIFY(page.contains(QLatin1String("bottom")));
    }
};

QTEST_MAIN(TestDHTMLWriter)
#include "tst_dhtmlwriter.moc"
