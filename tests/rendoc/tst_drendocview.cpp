#include "rendoc/view/drendocview.h"

#include "rendoc/aml/damlhandler.h"
#include "rendoc/aml/damlreader.h"
#include "rendoc/model/ditems.h"
#include "rendoc/style/dstyle.h"
#include "rendoc/model/dupdater.h"
#include "rendoc/view/dviewcontext.h"
#include "tests/support/testfiles.h"

#include <QClipboard>
#include <QPrinter>
#include <QScrollBar>
#include <QTextLayout>
#include <QtTest>

#include <memory>

namespace {

// Documents read from AML text and updated, with the styles they use; frees both.
struct Loaded
{
    DDocument* first = nullptr;
    QList<DStyle*> styles;
    ~Loaded()
    {
        DItem::deleteChain(first);
        qDeleteAll(styles);
    }
    DDocument* second() const { return first->next()->toDocument(); }
};

std::unique_ptr<Loaded> load(const QString& aml)
{
    DAmlReader reader;
    reader.setEnabledLocalStyle(true);
    if (!reader.parseText(aml)) {
        qWarning() << reader.errorString();
        return nullptr;
    }
    auto loaded = std::make_unique<Loaded>();
    loaded->first = reader.handler()->takeDocuments();
    loaded->styles = reader.handler()->takeStyles();
    DUpdater().doAll(loaded->first);
    return loaded;
}

// A document of n numbered paragraphs, each ending with a tag "P<i>".
std::unique_ptr<Loaded> numbered(const QString& name, int n)
{
    QString aml = QStringLiteral("<DOCUMENT name=\"%1\">").arg(name);
    for (int i = 0; i < n; ++i)
        aml += QStringLiteral("<P>%1 paragraph %2 of a long report with some words to wrap"
                              "<TAG name=\"P%2\"/></P>").arg(name).arg(i);
    return load(aml + "</DOCUMENT>");
}

// The n-th item in document order that satisfies pred.
template <typename Pred>
DItem* findItem(DItem* root, Pred pred, int n = 0)
{
    for (DItem* it = root; it; it = it->nextInDocument(root))
        if (pred(it) && n-- == 0)
            return it;
    return nullptr;
}

DItem* nth(DItem* root, DItem::Kind kind, int n = 0)
{
    return findItem(root, [kind](DItem* i) { return i->kind() == kind; }, n);
}

} // namespace

// Drives the document view with real documents: placement, scrolling, search, copy, links,
// printing, text export and layout.
class TestDRendocView : public QObject
{
    Q_OBJECT

    std::unique_ptr<Loaded> m_report;
    std::unique_ptr<Loaded> m_long;
    std::unique_ptr<DRendocView> m_view;
    QString m_aml;

    // Shows both documents of the report, campaign first.
    void showReport(int height = 300)
    {
        m_view->resize(600, height);
        m_view->setDocument(m_report->first, true);
        m_view->setDocument(m_report->second(), false);
    }

    // Shows the documents of `aml` alone.
    std::unique_ptr<Loaded> showAml(const QString& aml)
    {
        auto loaded = load(aml);
        if (loaded)
            m_view->setDocument(loaded->first, true);
        return loaded;
    }

private Q_SLOTS:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        m_aml = QString::fromUtf8(TestFiles::readBytes(KORVAT_TEST_DATA "/view/report.aml"));
        QVERIFY(load(m_aml) != nullptr);
        m_long = numbered("long", 50000);
    }

    void init()
    {
        m_report = load(m_aml);
        m_view = std::make_unique<DRendocView>(nullptr, "view");
        m_view->resize(600, 300);
        m_view->setMargin(5);
        m_view->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_view.get()));
    }

    void cleanup()
    {
        m_view.reset();
        m_report.reset();
        DRendocView::setPrintDialogHook({});
    }

    void moveToItem_data()
    {
        QTest::addColumn<int>("paragraph");
        QTest::addColumn<bool>("inner");
        QTest::newRow("first paragraph") << 0 << false;
        QTest::newRow("text inside a paragraph") << 1234 << true;
        QTest::newRow("far down") << 49990 << false;
        QTest::newRow("last paragraph") << 49999 << false;
    }

    // Moving puts the item at the top, laying out little more than what comes into view.
    void moveToItem()
    {
        QFETCH(int, paragraph);
        QFETCH(bool, inner);
        DDocument* doc = m_long->first;
        m_view->resize(600, 400);
        m_view->setDocument(doc, true);
        m_view->grab();
        const int first = m_view->laidOutBlockCount();
        QVERIFY2(first > 0 && first < 100, qPrintable(QString::number(first)));
        DItem* p = nth(doc, DItem::Paragraph, paragraph);
        DItem* target = inner ? p->toContainer()->child() : p;
        QVERIFY(m_view->moveTo(target));
        QCOMPARE(m_view->itemRect(target).top(), 0);
        m_view->grab();
        QCOMPARE(m_view->itemRect(target).top(), 0);
        const int laidOut = m_view->laidOutBlockCount();
        QVERIFY2(laidOut - first < 100, qPrintable(QString::number(laidOut)));
        // An item of a document that is not shown is refused and nothing moves.
        QVERIFY(!m_view->moveTo(m_report->first->child()));
        QCOMPARE(m_view->itemRect(target).top(), 0);
        // End shows the last paragraph at the bottom.
        QTest::keyClick(m_view.get(), Qt::Key_End);
        const QRect r = m_view->itemRect(nth(doc, DItem::Paragraph, 49999));
        QVERIFY2(r.bottom() <= m_view->viewport()->height() && r.top() > 0,
                 qPrintable(QStringLiteral("%1 %2").arg(r.top()).arg(r.bottom())));
    }

    void longDocumentInParts_data()
    {
        QTest::addColumn<QString>("action");
        QTest::newRow("search") << "search";
        QTest::newRow("text") << "text";
        QTest::newRow("scroll to the bottom") << "scroll";
        QTest::newRow("idle time") << "idle";
    }

    // A long document shows before all of it is flattened: the scroll range counts the rest
    // from the start, and whatever needs the rest (search, text, scrolling there) sees it at
    // once; left alone, the rest is flattened while the event loop is idle.
    void longDocumentInParts()
    {
        QFETCH(QString, action);
        DDocument* doc = m_long->first;
        m_view->resize(600, 400);
        m_view->setDocument(doc, true);
        m_view->grab();
        const int estimated = m_view->verticalScrollBar()->maximum();
        QVERIFY(estimated > 0);
        const QRegularExpression last(QStringLiteral("long paragraph 49999 "));
        if (action == "search") {
            QVERIFY(m_view->search(last));
            QVERIFY(m_view->selectedText().startsWith("long paragraph 49999"));
        } else if (action == "text") {
            QVERIFY(m_view->toPlainText().contains(last));
        } else if (action == "scroll") {
            m_view->verticalScrollBar()->setValue(estimated);
            m_view->grab();
            const QRect r = m_view->itemRect(nth(doc, DItem::Paragraph, 49999));
            QVERIFY2(r.top() >= 0 && r.top() < m_view->viewport()->height(),
                     qPrintable(QString::number(r.top())));
        } else {
            QVERIFY(!m_view->hasAllBlocks());
            QTRY_VERIFY(m_view->hasAllBlocks());
        }
        QVERIFY(m_view->hasAllBlocks());
        // The estimate was close to the height of the whole document.
        m_view->toPlainText();
        const int whole = m_view->verticalScrollBar()->maximum();
        QVERIFY2(estimated > whole * 0.8 && estimated < whole * 1.25,
                 qPrintable(QStringLiteral("%1 %2").arg(estimated).arg(whole)));
    }

    void moveToPlace_data()
    {
        QTest::addColumn<QString>("tag");
        QTest::addColumn<QString>("document");
        QTest::addColumn<bool>("found");
        QTest::addColumn<QString>("current");
        QTest::newRow("bare tag") << "T12" << "" << true << "campaign";
        QTest::newRow("tag in its document") << "A1" << "annex" << true << "annex";
        QTest::newRow("start of document") << "" << "annex" << true << "annex";
        QTest::newRow("tag in another document") << "T12" << "annex" << false << "campaign";
        QTest::newRow("unknown tag") << "nothing" << "" << false << "campaign";
        QTest::newRow("unknown document") << "" << "nowhere" << false << "campaign";
        QTest::newRow("all empty") << "" << "" << false << "campaign";
    }

    void moveToPlace()
    {
        QFETCH(QString, tag);
        QFETCH(QString, document);
        QFETCH(bool, found);
        QFETCH(QString, current);
        showReport(120);
        QCOMPARE(m_view->moveTo(QString(), tag, document), found);
        QCOMPARE(m_view->getCurrentDoc()->name(), current);
        if (found && !tag.isEmpty()) {
            // The tag's place is at the top of the view.
            DItem* item = findItem(current == "annex" ? m_report->second() : m_report->first,
                                   [&](DItem* i) { return i->toTag() && i->toTag()->name() == tag; });
            QVERIFY(item);
            QVERIFY(qAbs(m_view->itemRect(item).top()) <= 1);
        }
    }

    void currentDocFollowsScrolling()
    {
        const auto la = numbered("a", 200), lb = numbered("b", 200);
        DDocument* a = la->first;
        DDocument* b = lb->first;
        m_view->setDocument(a, true);
        m_view->setDocument(a, false);
        m_view->setDocument(b, false);
        QCOMPARE(m_view->getCurrentDoc(), a);
        QScrollBar* bar = m_view->verticalScrollBar();
        bar->setValue(bar->maximum());
        m_view->grab();
        QCOMPARE(m_view->getCurrentDoc(), b);
        QTest::keyClick(m_view.get(), Qt::Key_Home);
        QCOMPARE(m_view->getCurrentDoc(), a);
        QTest::keyClick(m_view.get(), Qt::Key_End);
        QCOMPARE(m_view->getCurrentDoc(), b);
        QVERIFY(m_view->moveTo(QString(), "P10", "a"));
        QCOMPARE(m_view->getCurrentDoc(), a);
        // A bare tag prefers the document being read.
        QVERIFY(m_view->moveTo(QString(), "P20", QString()));
        QCOMPARE(m_view->getCurrentDoc(), a);
        QVERIFY(m_view->moveTo(QString(), "P5", "b"));
        QVERIFY(m_view->moveTo(QString(), "P20", QString()));
        QCOMPARE(m_view->getCurrentDoc(), b);
    }

    void setDocumentSequence_data()
    {
        // Steps as document index (-1 = null) and replace flag ('r') or add ('a'); then what is shown.
        QTest::addColumn<QList<int>>("docs");
        QTest::addColumn<QString>("flags");
        QTest::addColumn<QList<int>>("expected");
        QTest::newRow("window refresh") << QList<int>{0, 0, 1} << "raa" << QList<int>{0, 1};
        QTest::newRow("replace drops earlier") << QList<int>{0, 1} << "rr" << QList<int>{1};
        QTest::newRow("add twice") << QList<int>{1, 1, 1} << "aaa" << QList<int>{1};
        QTest::newRow("order kept") << QList<int>{1, 0, 1} << "raa" << QList<int>{1, 0};
        QTest::newRow("replace with null") << QList<int>{0, -1} << "rr" << QList<int>{};
        QTest::newRow("add null") << QList<int>{0, -1} << "ra" << QList<int>{0};
    }

    void setDocumentSequence()
    {
        QFETCH(QList<int>, docs);
        QFETCH(QString, flags);
        QFETCH(QList<int>, expected);
        DDocument* all[] = {m_report->first, m_report->second()};
        for (int i = 0; i < docs.size(); ++i)
            m_view->setDocument(docs[i] < 0 ? nullptr : all[docs[i]], flags[i] == QLatin1Char('r'));
        QList<DDocument*> want;
        for (int i : expected)
            want << all[i];
        QCOMPARE(m_view->documents(), want);
        QCOMPARE(m_view->getCurrentDoc(), want.isEmpty() ? nullptr : want.first());
        // Each shown document appears once in the text.
        const QString text = m_view->toPlainText();
        QCOMPARE(text.count("Bench B-07 runs firmware"), expected.count(1));
        QCOMPARE(text.count("Campaign started"), expected.count(0));

        // Cleared, the view forgets documents, text, selection and places; the documents stay whole.
        m_view->search(QRegularExpression("Campaign|Bench"));
        m_view->clearDocs();
        QVERIFY(m_view->documents().isEmpty() && m_view->getCurrentDoc() == nullptr);
        QVERIFY(m_view->toPlainText().isEmpty() && m_view->selectedText().isEmpty());
        QVERIFY(!m_view->search(QRegularExpression("ok")));
        QVERIFY(!m_view->moveTo(QString(), "T12", QString()));
        m_view->grab();
    }

    void search_data()
    {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QStringList>("matches");
        QTest::newRow("verdicts") << "\\bok\\b" << QStringList{"ok", "ok"};
        QTest::newRow("across documents") << "B-07" << QStringList{"B-07", "B-07"};
        QTest::newRow("case sensitive") << "FRAME" << QStringList{};
        QTest::newRow("captures whole match") << "0x[0-9A-F]+" << QStringList{"0x1A2", "0x1A2"};
        QTest::newRow("table cell text") << "watchdog_\\w+" << QStringList{"watchdog_timeout"};
        QTest::newRow("empty matches skipped") << "x*" << QStringList{"x", "x", "x", "x", "x"};
    }

    void search()
    {
        QFETCH(QString, pattern);
        showReport();
        const QRegularExpression expression(pattern);
        QStringList found;
        while (m_view->search(expression) && found.size() < 100)
            found << m_view->selectedText();
        QTEST(found, "matches");
        if (found.isEmpty())
            return;
        // At the end the last match stays selected; the next call starts from the top.
        QCOMPARE(m_view->selectedText(), found.last());
        QVERIFY(m_view->search(expression));
        QCOMPARE(m_view->selectedText(), found.first());
    }

    void copySelection()
    {
        m_view->setDocument(m_report->first, true);
        QGuiApplication::clipboard()->setText("before");
        m_view->copy();
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("before"));
        QVERIFY(m_view->search(QRegularExpression("not echoed within \\d+ ms")));
        QTest::keyClick(m_view.get(), Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("not echoed within 50 ms"));
        QTest::keyClick(m_view.get(), Qt::Key_A, Qt::ControlModifier);
        m_view->copy();
        const QString all = QGuiApplication::clipboard()->text();
        QVERIFY(all.startsWith("Test campaign: nightly regression\n"));
        QVERIFY(all.contains("can_bus_loopback\tko\t3.1 s\n"));
        QVERIFY(all.endsWith("Back to the top of the report."));

        // Dragging the mouse over a line selects part of it.
        DItem* text = findItem(m_report->first, [](DItem* i) {
            return i->toText() && i->toText()->text().startsWith("Campaign started");
        });
        QVERIFY(m_view->moveTo(text));
        const QRect r = m_view->itemRect(text);
        const int y = r.top() + 6;
        QTest::mousePress(m_view->viewport(), Qt::LeftButton, {}, QPoint(r.left() + 1, y));
        QTest::mouseMove(m_view->viewport(), QPoint(r.left() + 120, y));
        QTest::mouseRelease(m_view->viewport(), Qt::LeftButton, {}, QPoint(r.left() + 120, y));
        const QString dragged = m_view->selectedText();
        QVERIFY2(dragged.size() > 5 && QStringLiteral("Campaign started on").startsWith(dragged.left(5)),
                 qPrintable(dragged));
    }

    void clickActivatesLink_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<bool>("resolve");
        QTest::addColumn<QString>("shown"); // the current document after the click
        QTest::newRow("place in another document") << "::annex" << false << "campaign";
        QTest::newRow("resolved by the view itself") << "::annex" << true << "annex";
        QTest::newRow("other report, never resolved by the view") << "xrdlink://other.xrd#T3" << true << "campaign";
    }

    // The click emits the link whatever its target; the view follows a place by itself only
    // when asked to, and never a link to another report.
    void clickActivatesLink()
    {
        QFETCH(QString, target);
        QFETCH(bool, resolve);
        showReport();
        m_view->setResolveLink(resolve);
        auto* link = static_cast<DLink*>(
            findItem(m_report->first, [&](DItem* i) { return i->toLink() && i->toLink()->target() == target; }));
        QVERIFY(link && m_view->moveTo(link));
        QSignalSpy spy(m_view.get(), &DRendocView::activatedLink);
        const QRect r = m_view->itemRect(link);
        QVERIFY(!r.isEmpty());
        QCOMPARE(m_view->linkAt(r.center()), link);
        // From off the link: a pointer left over the same spot by the row before sends no move.
        QTest::mouseMove(m_view->viewport(), QPoint(r.right() + 200, r.center().y()));
        QTest::mouseMove(m_view->viewport(), r.center());
        QCOMPARE(m_view->viewport()->cursor().shape(), Qt::PointingHandCursor);
        QTest::mouseClick(m_view->viewport(), Qt::LeftButton, {}, r.center());
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.at(0).at(0).value<DLink*>(), link);
        QTEST(m_view->getCurrentDoc()->name(), "shown");
        if (resolve)
            return;
        // Off the link nothing is activated.
        QTest::mouseClick(m_view->viewport(), Qt::LeftButton, {}, QPoint(r.right() + 200, r.center().y()));
        QCOMPARE(spy.count(), 1);
    }

    void keyboardActivatesLink()
    {
        m_view->resize(600, 2000);
        m_view->setDocument(m_report->first, true);
        m_view->setFocus();
        QSignalSpy spy(m_view.get(), &DRendocView::activatedLink);
        const QStringList order{"::annex", "src/can/loop.c line 42", "xrdlink://other.xrd#T3"};
        QStringList focused;
        // Tab walks the links in order; the summary entries between them take focus too.
        for (int tabs = 0; focused.size() < 3 && tabs < 20; ++tabs) {
            QTest::keyClick(m_view.get(), Qt::Key_Tab);
            if (m_view->focusedLink())
                focused << m_view->focusedLink()->target();
        }
        QCOMPARE(focused, order);
        QTest::keyClick(m_view.get(), Qt::Key_Return);
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.at(0).at(0).value<DLink*>()->target(), order.last());
        QTest::keyClick(m_view.get(), Qt::Key_Backtab);
        QCOMPARE(m_view->focusedLink()->target(), order.at(1));
        QTest::keyClick(m_view.get(), Qt::Key_Enter);
        QCOMPARE(spy.count(), 2);
        QCOMPARE(spy.at(1).at(0).value<DLink*>()->target(), order.at(1));
    }

    // Summary entries and tag pointers move within the documents; containers are placed by their
    // first block, and popup content is not shown.
    void inDocumentMoves()
    {
        showReport(150);
        DItem* row = nth(m_report->first, DItem::Row);
        QVERIFY(m_view->moveTo(row));
        const QRect rowRect = m_view->itemRect(row);
        QVERIFY(m_view->moveTo(nth(m_report->first, DItem::Table)));
        QCOMPARE(m_view->itemRect(row), rowRect);
        QVERIFY(!m_view->moveTo(nth(m_report->second(), DItem::Popup)->toContainer()->child()));
        // The summary lists the numbered titles; clicking one moves to it.
        auto* title = static_cast<DTitle*>(
            findItem(m_report->first, [](DItem* i) { return i->toTitle() && i->toTitle()->level() == 2; }));
        QVERIFY(title && !title->numberText().isEmpty());
        DItem* summary = nth(m_report->first, DItem::Summary);
        QVERIFY(m_view->moveTo(summary));
        const QRect entries = m_view->itemRect(summary);
        QVERIFY(!entries.isEmpty());
        // The second entry lies just under the first one.
        const QPoint second(entries.left() + 40, entries.bottom() + 2 + entries.height() / 2);
        QTest::mouseClick(m_view->viewport(), Qt::LeftButton, {}, second);
        QVERIFY(qAbs(m_view->itemRect(title).top()) <= 1);
        // A tag pointer moves to its tag without activating a link.
        QSignalSpy spy(m_view.get(), &DRendocView::activatedLink);
        DItem* pointer = nth(m_report->first, DItem::TagPointer);
        QVERIFY(m_view->moveTo(pointer));
        QTest::mouseClick(m_view->viewport(), Qt::LeftButton, {}, m_view->itemRect(pointer).center());
        QCOMPARE(m_view->itemRect(nth(m_report->first, DItem::Tag)).top(), 0);
        QCOMPARE(spy.count(), 0);
    }

    // The text of both documents against a reviewed file, and a painted page that is not blank.
    void textAndPaint()
    {
        showReport(1000);
        const QByteArray golden = TestFiles::readBytes(KORVAT_TEST_DATA "/view/report.txt");
        QCOMPARE(m_view->toPlainText(), QString::fromUtf8(golden).trimmed());
        const QImage image = m_view->grab().toImage();
        const QRgb background = image.pixel(image.width() - 30, image.height() - 5);
        int inked = 0;
        for (int y = 0; y < image.height(); y += 7)
            for (int x = 0; x < image.width(); x += 7)
                inked += image.pixel(x, y) != background;
        QVERIFY(inked > 200);
    }

    void print()
    {
        showReport();
        // A refused print dialog prints nothing; an accepted one prints every shown document.
        int asked = 0;
        DRendocView::setPrintDialogHook([&](QPrinter*) { ++asked; return false; });
        QVERIFY(!m_view->print());
        QCOMPARE(asked, 1);
        QTemporaryDir dir;
        const QString path = dir.filePath("report.pdf");
        DRendocView::setPrintDialogHook([&](QPrinter* printer) {
            printer->setOutputFormat(QPrinter::PdfFormat);
            printer->setOutputFileName(path);
            return true;
        });
        QVERIFY(m_view->print());
        const QByteArray bytes = TestFiles::readBytes(path);
        QVERIFY(bytes.startsWith("%PDF") && bytes.contains("/Type /Page"));
        QProcess tool;
        tool.start("pdftotext", {"-layout", path, "-"});
        if (!tool.waitForFinished(30000) || tool.exitCode() != 0)
            QSKIP("pdftotext is not available; the PDF was written");
        const QStringList pages = QString::fromUtf8(tool.readAllStandardOutput()).split('\f', Qt::SkipEmptyParts);
        // Campaign, then the annex on a new page, then the page after its page break.
        QCOMPARE(pages.size(), 3);
        for (const char* text : {"Nightly regression, page header", "dential footer", "can_bus_loopback"})
            QVERIFY2(pages[0].contains(QLatin1String(text)), text);
        QVERIFY(pages[1].contains("Bench B-07 runs") && !pages[1].contains("page header"));
        QVERIFY(pages[2].contains("Last page of the annex"));
    }

    void hostileDocuments()
    {
        // Deeply nested sections, a huge paragraph, an empty table, broken spans and widths, a
        // curve point that is not a number and an image outside any search path.
        DDocument doc("deep", "deep");
        DItemContainer* parent = &doc;
        for (int i = 0; i < 100000; ++i) {
            auto* section = new DSection(QString());
            parent->appendChild(section);
            parent = section;
        }
        const auto add = [&parent](auto* item, DItemContainer* into = nullptr) {
            (into ? into : parent)->appendChild(item);
            return item;
        };
        DItem* text = add(new DText(QString(200000, 'w') + " end"), add(new DParagraph));
        DTable* table = add(new DTable(-5));
        table->setWidth({-1.0f, 0.0f});
        DRow* row = add(new DRow, table);
        DItem* cell = add(new DCellText("cell", 100000, 0), row);
        add(new DCellText("next", -3, 100000000), row);
        add(new DTable(1));
        add(new DPoint(qQNaN(), 1e308), add(new DCurve(QString()), add(new DGraphic("flat"))));
        add(new DImage("../../no/such.png", 0, 0));

        m_view->setDocument(&doc, true);
        m_view->grab();
        QVERIFY(m_view->moveTo(text));
        QVERIFY(m_view->moveTo(cell));
        QVERIFY(m_view->moveTo(text));
        QVERIFY(m_view->search(QRegularExpression("end")));
        m_view->selectAll();
        QVERIFY(m_view->selectedText().contains("cell\tnext"));
        QVERIFY(m_view->toPlainText().contains("cell\tnext"));
        QTemporaryDir dir;
        QPrinter printer;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(dir.filePath("deep.pdf"));
        m_view->print(&printer);
        QVERIFY(QFileInfo(dir.filePath("deep.pdf")).size() > 0);
        m_view->clearDocs();
    }

    void imagesFromSearchPath()
    {
        QTemporaryDir dir;
        QImage picture(40, 30, QImage::Format_RGB32);
        picture.fill(Qt::red);
        QVERIFY(picture.save(dir.filePath("pic.png")));
        // Alone, scaled to a width, and inside a paragraph where it takes its width in the line.
        const auto doc = showAml("<DOCUMENT><IMAGE src=\"pic.png\"/><IMAGE src=\"pic.png\" width=\"80\"/>"
                                 "<P>before <IMAGE src=\"pic.png\"/> after</P></DOCUMENT>");
        QVERIFY(doc);
        DItem* image = nth(doc->first, DItem::Image);
        DItem* p = nth(doc->first, DItem::Paragraph);
        // Not found yet: a placeholder of its own size stands in.
        QVERIFY(m_view->itemRect(image).size() != QSize(40, 30));
        m_view->insertSearchPath(dir.path());
        QCOMPARE(m_view->itemRect(image).height(), 30 + 8);
        QCOMPARE(m_view->itemRect(nth(doc->first, DItem::Image, 1)).height(), 60 + 8);
        QVERIFY(m_view->itemRect(nth(p, DItem::Text, 1)).left() - m_view->itemRect(nth(p, DItem::Text)).right() >= 40);
        QVERIFY(m_view->itemRect(p).height() >= 30);
        QCOMPARE(m_view->toPlainText(), QStringLiteral("before after"));
        const QImage shot = m_view->grab().toImage();
        const QRect r = m_view->itemRect(image);
        const QPoint inside = m_view->viewport()->mapTo(m_view.get(), QPoint(r.left() + 10, r.top() + 14));
        QCOMPARE(QColor(shot.pixel(inside)), QColor(Qt::red));
    }

    // One picture named under many spellings is decoded once: every spelling gets the same
    // shared image, so a report cannot multiply its memory by spelling paths differently.
    void imageDecodedOncePerFile()
    {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir("sub"));
        QImage picture(40, 30, QImage::Format_RGB32);
        picture.fill(Qt::blue);
        QVERIFY(picture.save(dir.filePath("pic.png")));
        DViewContext context;
        context.searchPaths << dir.path();
        const QImage first = context.image("pic.png");
        QCOMPARE(first.size(), QSize(40, 30));
        const QStringList spellings{"./pic.png", "sub/../pic.png", "sub/./../pic.png",
                                    dir.filePath("pic.png"), dir.path() + "//pic.png"};
        for (const QString& src : spellings)
            QCOMPARE(context.image(src).cacheKey(), first.cacheKey());
        QVERIFY(context.image("missing.png").isNull());
        QVERIFY(context.image("missing.png").isNull());
    }

    void tableGeometry_data()
    {
        QTest::addColumn<QString>("table"); // attributes of the table, then of its first cell
        QTest::addColumn<double>("secondColumn"); // left of the second cell of the first row
        QTest::newRow("equal columns") << "|" << 0.5;
        QTest::newRow("fractions") << "widths=\"0.25,0.75\"|" << 0.25;
        QTest::newRow("fractions scaled") << "widths=\"1,3\"|" << 0.25;
        QTest::newRow("vertical span shifts the next row") << "|vspan=\"2\"" << 0.5;
        QTest::newRow("horizontal span") << "widths=\"0.5,0.25,0.25\"|hspan=\"2\"" << 0.75;
    }

    void tableGeometry()
    {
        QFETCH(QString, table);
        QFETCH(double, secondColumn);
        const QStringList attributes = table.split('|');
        const auto doc = showAml(QStringLiteral("<DOCUMENT><TABLE border=\"1\" %1><ROW><CELLTEXT text=\"a1\" %2/>"
                                                "<CELLTEXT text=\"b1\"/></ROW><ROW><CELLTEXT text=\"x2\"/>"
                                                "</ROW></TABLE></DOCUMENT>").arg(attributes[0], attributes[1]));
        QVERIFY(doc);
        const int left = m_view->itemRect(nth(doc->first, DItem::CellText)).left();
        const int b1Left = m_view->itemRect(nth(doc->first, DItem::CellText, 1)).left();
        const int expected = left + int(secondColumn * (m_view->viewport()->width() - 10));
        QVERIFY2(qAbs(b1Left - expected) <= 2, qPrintable(QStringLiteral("%1 vs %2").arg(b1Left).arg(expected)));
        // Under a cell spanning two rows, the next row's first cell moves to the second column.
        const int x2Left = m_view->itemRect(nth(doc->first, DItem::CellText, 2)).left();
        QVERIFY(qAbs(x2Left - (attributes[1].startsWith("vspan") ? b1Left : left)) <= 1);
    }

    // A heading word never breaks inside: its column widens, the other columns give the room,
    // and the column lines stay the same in every row. Too narrow a view keeps the fractions.
    void headingWordsKeepWhole_data()
    {
        QTest::addColumn<int>("viewWidth");
        QTest::addColumn<bool>("widened");
        QTest::newRow("room to spare") << 600 << true;
        QTest::newRow("too narrow for every heading") << 120 << false;
    }

    void headingWordsKeepWhole()
    {
        QFETCH(int, viewWidth);
        m_view->resize(viewWidth, 300);
        const auto doc = showAml(QStringLiteral(
            "<DOCUMENT><TABLE border=\"1\" widths=\"0.94,0.02,0.02,0.02\"><ROW><CELLTEXT text=\"Name\"/>"
            "<CELLTEXT text=\"Inconclusive\"/><CELLTEXT text=\"Total\"/><CELLTEXT text=\"x\"/></ROW>"
            "<ROW><CELLTEXT text=\"a\"/><CELLTEXT text=\"1\"/><CELLTEXT text=\"2\"/><CELLTEXT text=\"3\"/></ROW>"
            "</TABLE></DOCUMENT>"));
        QVERIFY(doc);
        const auto left = [&](int n) { return m_view->itemRect(nth(doc->first, DItem::CellText, n)).left(); };
        const qreal word = QFontMetricsF(m_view->font()).horizontalAdvance(QStringLiteral("Inconclusive"));
        QTEST(left(2) - left(1) >= word, "widened");
        for (int c = 1; c < 4; ++c)
            QVERIFY(qAbs(left(c) - left(c + 4)) <= 1);
    }

    // Wrapping, style and background changes lay the document out again; a rebuild keeps the place.
    void relayout()
    {
        const QString shortOnes = QStringLiteral("<P>short</P>").repeated(250);
        const auto doc = showAml("<DOCUMENT>" + shortOnes + "<P>" + QStringLiteral("word ").repeated(200) + "</P>"
                                 + shortOnes + "</DOCUMENT>");
        DItem* p = nth(doc->first, DItem::Paragraph, 250);
        QVERIFY(m_view->moveTo(p));
        QVERIFY(m_view->wordWrap());
        const int wrapped = m_view->itemRect(p).height();
        QCOMPARE(m_view->horizontalScrollBar()->maximum(), 0);
        m_view->setWordWrap(false);
        m_view->grab();
        QVERIFY(m_view->itemRect(p).height() * 5 < wrapped);
        QVERIFY(m_view->horizontalScrollBar()->maximum() > 1000);
        m_view->horizontalScrollBar()->setValue(500);
        QCOMPARE(m_view->itemRect(p).left(), 5 - 500);
        m_view->setWordWrap(true);
        QCOMPARE(m_view->itemRect(p).height(), wrapped);

        QVERIFY(m_view->moveTo(p));
        DStyle big("Big");
        big.setPointSize(20);
        doc->first->setStyle(&big);
        m_view->setBackgroundColor(QColor(0xfd, 0xf6, 0xe3));
        const int before = m_view->documentHeight();
        m_view->rebuildDoc();
        m_view->grab();
        QCOMPARE(m_view->backgroundColor(), QColor(0xfd, 0xf6, 0xe3));
        QCOMPARE(m_view->itemRect(p).top(), 0);
        QVERIFY(m_view->itemRect(p).height() > wrapped);
        QVERIFY(m_view->documentHeight() > before);
        doc->first->setStyle(nullptr);
    }

    // Test names come in every script: the view's font, with the fallbacks the system
    // provides, must have a real glyph (not the missing-glyph box) for each character.
    void namesInEveryScriptHaveGlyphs_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("chinese") << QString::fromUtf8("测试用例失败");
        QTest::newRow("japanese") << QString::fromUtf8("テスト失敗しました");
        QTest::newRow("korean") << QString::fromUtf8("테스트 실패");
        QTest::newRow("cyrillic") << QString::fromUtf8("Тест не пройден");
    }

    void namesInEveryScriptHaveGlyphs()
    {
        QFETCH(QString, text);
        QTextLayout layout(text, m_view->font());
        layout.beginLayout();
        layout.createLine();
        layout.endLayout();
        const auto runs = layout.glyphRuns();
        QVERIFY(!runs.isEmpty());
        for (const QGlyphRun& run : runs) {
            const auto glyphs = run.glyphIndexes();
            for (quint32 glyph : glyphs)
                QVERIFY2(glyph != 0, qPrintable(run.rawFont().familyName() + " lacks a glyph"));
        }
    }

    void whiteSpace_data()
    {
        // Runs of white space in a paragraph's text collapse to one space, also across items.
        QTest::addColumn<QString>("body");
        QTest::addColumn<QString>("text");
        QTest::newRow("inner runs") << "a  \n\t b" << "a b";
        QTest::newRow("leading and trailing") << "\n   a b  \n" << "a b";
        QTest::newRow("across items") << "a <LINK target=\"x\"> b</LINK>" << "a b";
        QTest::newRow("blank item between") << "a<TAG name=\"t\"/>   <TAG name=\"u\"/>b" << "a b";
        QTest::newRow("only blanks") << "  <TAG name=\"t\"/>\n" << "";
        QTest::newRow("no space added") << "a<TAG name=\"t\"/>b" << "ab";
    }

    void whiteSpace()
    {
        QFETCH(QString, body);
        const auto doc = showAml("<DOCUMENT><P>" + body + "</P></DOCUMENT>");
        QTEST(m_view->toPlainText(), "text");
    }
};

QTEST_MAIN(TestDRendocView)
#include "tst_drendocview.moc"
