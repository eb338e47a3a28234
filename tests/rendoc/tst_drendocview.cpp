#include "rendoc/drendocview.h"

#include "rendoc/damlhandler.h"
#include "rendoc/damlreader.h"
#include "rendoc/ditems.h"
#include "rendoc/dstyle.h"
#include "rendoc/dupdater.h"

#include <QClipboard>
#include <QFile>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>
#include <QXmlInputSource>

#include <memory>

namespace {

// Documents read from an AML file, with the styles they use; frees both.
struct Loaded
{
    DDocument* first = nullptr;
    QList<DStyle*> styles;
    ~Loaded()
    {
        DItem::deleteChain(first);
        qDeleteAll(styles);
    }
    DDocument* document(const QString& name) const
    {
        for (DItem* d = first; d; d = d->next())
            if (d->toDocument()->name() == name)
                return d->toDocument();
        return nullptr;
    }
};

std::unique_ptr<Loaded> readAml(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return nullptr;
    DAmlReader reader;
    reader.setEnabledLocalStyle(true);
    QXmlInputSource source(&file);
    if (!reader.parse(&source)) {
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
std::unique_ptr<DDocument> numbered(const QString& name, int n)
{
    auto doc = std::make_unique<DDocument>(name, name);
    DItem* previous = nullptr;
    for (int i = 0; i < n; ++i) {
        auto* p = new DParagraph(doc.get());
        auto* text = new DText(QStringLiteral("%1 paragraph %2 of a long report with some words to wrap")
                                   .arg(name).arg(i), p);
        auto* tag = new DTag(QStringLiteral("P%1").arg(i), p);
        p->setChild(text);
        text->setNext(tag);
        if (previous)
            previous->setNext(p);
        else
            doc->setChild(p);
        previous = p;
    }
    return doc;
}

// The n-th item of a kind in document order.
template <typename Pred>
DItem* findItem(DItem* root, Pred pred, int n = 0)
{
    for (DItem* it = root; it; it = it->nextInDocument(root))
        if (pred(it) && n-- == 0)
            return it;
    return nullptr;
}

DLink* linkTo(DItem* root, const QString& target)
{
    return static_cast<DLink*>(findItem(root, [&](DItem* i) {
        return i->toLink() && i->toLink()->target() == target;
    }));
}

} // namespace

// Drives the document view with real documents: placement, scrolling, search, copy, links,
// printing and text export.
class TestDRendocView : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void moveToItem_data();
    void moveToItem();
    void moveToPlace_data();
    void moveToPlace();
    void currentDocFollowsScrolling();
    void setDocumentSequence_data();
    void setDocumentSequence();
    void clearDocsForgetsEverything();
    void layoutIsLazy();
    void search_data();
    void search();
    void copySelection();
    void clickActivatesLink_data();
    void clickActivatesLink();
    void keyboardActivatesLink();
    void resolveLinkMovesItself();
    void tagPointerAndSummaryMove();
    void plainTextOfTable();
    void plainTextGolden();
    void printToPdf();
    void printDialogHook();
    void rebuildKeepsPosition();
    void hostileDocuments();
    void imagesFromSearchPath();
    void tableGeometry_data();
    void tableGeometry();
    void wordWrap();
    void screenshot();

private:
    std::unique_ptr<Loaded> m_report;
    std::unique_ptr<DRendocView> m_view;
    QString m_aml;
};

void TestDRendocView::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    m_aml = QStringLiteral(KORVAT_TEST_DATA "/view/report.aml");
    QVERIFY(readAml(m_aml) != nullptr);
}

void TestDRendocView::init()
{
    m_report = readAml(m_aml);
    m_view = std::make_unique<DRendocView>(nullptr, "view");
    m_view->resize(600, 300);
    m_view->setMargin(5);
    m_view->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_view.get()));
}

void TestDRendocView::cleanup()
{
    m_view.reset();
    m_report.reset();
    DRendocView::setPrintDialogHook({});
}

void TestDRendocView::moveToItem_data()
{
    QTest::addColumn<int>("paragraph");
    QTest::addColumn<bool>("inner");
    QTest::newRow("first paragraph") << 0 << false;
    QTest::newRow("middle paragraph") << 700 << false;
    QTest::newRow("text inside a paragraph") << 1234 << true;
    QTest::newRow("far down") << 2900 << false;
}

void TestDRendocView::moveToItem()
{
    QFETCH(int, paragraph);
    QFETCH(bool, inner);
    auto doc = numbered("long", 3000);
    m_view->setDocument(doc.get(), true);
    DItem* p = findItem(doc.get(), [](DItem* i) { return i->kind() == DItem::Paragraph; }, paragraph);
    DItem* target = inner ? p->toContainer()->child() : p;
    QVERIFY(m_view->moveTo(target));
    QCOMPARE(m_view->itemRect(target).top(), 0);
    QCOMPARE(m_view->getCurrentDoc(), doc.get());
    // Painting after the move keeps the item in place.
    m_view->grab();
    QCOMPARE(m_view->itemRect(target).top(), 0);

    // An item of a document that is not shown is refused and nothing moves.
    auto other = numbered("other", 3);
    QVERIFY(!m_view->moveTo(other->child()));
    QCOMPARE(m_view->itemRect(target).top(), 0);
}

void TestDRendocView::moveToPlace_data()
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

void TestDRendocView::moveToPlace()
{
    QFETCH(QString, tag);
    QFETCH(QString, document);
    QFETCH(bool, found);
    QFETCH(QString, current);
    m_view->resize(600, 120);
    m_view->setDocument(m_report->first, true);
    m_view->setDocument(m_report->document("annex"), false);
    QCOMPARE(m_view->moveTo(QString(), tag, document), found);
    QCOMPARE(m_view->getCurrentDoc()->name(), current);
    if (found && !tag.isEmpty()) {
        // The tag's place is at the top of the view.
        DItem* item = findItem(m_report->document(current), [&](DItem* i) {
            return i->toTag() && i->toTag()->name() == tag;
        });
        QVERIFY(item);
        QVERIFY(qAbs(m_view->itemRect(item).top()) <= 1);
    }
}

void TestDRendocView::currentDocFollowsScrolling()
{
    auto a = numbered("a", 200);
    auto b = numbered("b", 200);
    m_view->setDocument(a.get(), true);
    m_view->setDocument(a.get(), false);
    m_view->setDocument(b.get(), false);
    QCOMPARE(m_view->getCurrentDoc(), a.get());
    QScrollBar* bar = m_view->verticalScrollBar();
    bar->setValue(bar->maximum());
    m_view->grab();
    QCOMPARE(m_view->getCurrentDoc(), b.get());
    QTest::keyClick(m_view.get(), Qt::Key_Home);
    QCOMPARE(m_view->getCurrentDoc(), a.get());
    QTest::keyClick(m_view.get(), Qt::Key_End);
    QCOMPARE(m_view->getCurrentDoc(), b.get());
    QVERIFY(m_view->moveTo(QString(), QStringLiteral("P10"), QStringLiteral("a")));
    QCOMPARE(m_view->getCurrentDoc(), a.get());
    // A bare tag prefers the document being read.
    QVERIFY(m_view->moveTo(QString(), QStringLiteral("P20"), QString()));
    QCOMPARE(m_view->getCurrentDoc(), a.get());
    QVERIFY(m_view->moveTo(QString(), QStringLiteral("P5"), QStringLiteral("b")));
    QVERIFY(m_view->moveTo(QString(), QStringLiteral("P20"), QString()));
    QCOMPARE(m_view->getCurrentDoc(), b.get());
}

void TestDRendocView::setDocumentSequence_data()
{
    // Each step: document index (-1 = null) and the replace flag; then the expected shown list.
    QTest::addColumn<QList<int>>("docs");
    QTest::addColumn<QList<bool>>("replace");
    QTest::addColumn<QList<int>>("expected");
    QTest::newRow("window refresh") << QList<int>{0, 0, 1} << QList<bool>{true, false, false} << QList<int>{0, 1};
    QTest::newRow("replace drops earlier") << QList<int>{0, 1} << QList<bool>{true, true} << QList<int>{1};
    QTest::newRow("add twice") << QList<int>{1, 1, 1} << QList<bool>{false, false, false} << QList<int>{1};
    QTest::newRow("order kept") << QList<int>{1, 0, 1} << QList<bool>{true, false, false} << QList<int>{1, 0};
    QTest::newRow("replace with null") << QList<int>{0, -1} << QList<bool>{true, true} << QList<int>{};
    QTest::newRow("add null") << QList<int>{0, -1} << QList<bool>{true, false} << QList<int>{0};
}

void TestDRendocView::setDocumentSequence()
{
    QFETCH(QList<int>, docs);
    QFETCH(QList<bool>, replace);
    QFETCH(QList<int>, expected);
    DDocument* all[] = {m_report->document("campaign"), m_report->document("annex")};
    for (int i = 0; i < docs.size(); ++i)
        m_view->setDocument(docs[i] < 0 ? nullptr : all[docs[i]], replace[i]);
    QList<DDocument*> want;
    for (int i : expected)
        want << all[i];
    QCOMPARE(m_view->documents(), want);
    QCOMPARE(m_view->getCurrentDoc(), want.isEmpty() ? nullptr : want.first());
    // Each shown document appears once in the text.
    const QString text = m_view->toPlainText();
    QCOMPARE(text.count(QStringLiteral("Bench B-07 runs firmware")), expected.count(1));
    QCOMPARE(text.count(QStringLiteral("Campaign started")), expected.count(0));
}

void TestDRendocView::clearDocsForgetsEverything()
{
    m_view->setDocument(m_report->first, true);
    QVERIFY(m_view->search(QRegularExpression(QStringLiteral("ok"))));
    m_view->clearDocs();
    QVERIFY(m_view->documents().isEmpty());
    QCOMPARE(m_view->getCurrentDoc(), nullptr);
    QVERIFY(m_view->toPlainText().isEmpty());
    QVERIFY(m_view->selectedText().isEmpty());
    QVERIFY(!m_view->search(QRegularExpression(QStringLiteral("ok"))));
    QVERIFY(!m_view->moveTo(QString(), QStringLiteral("T12"), QString()));
    m_view->grab();
    // The documents are still the caller's and still whole.
    m_report.reset();
}

void TestDRendocView::layoutIsLazy()
{
    auto doc = numbered("big", 50000);
    m_view->resize(600, 400);
    m_view->setDocument(doc.get(), true);
    m_view->grab();
    const int first = m_view->laidOutBlockCount();
    QVERIFY2(first > 0 && first < 100, qPrintable(QString::number(first)));
    DItem* last = findItem(doc.get(), [](DItem* i) { return i->kind() == DItem::Paragraph; }, 49990);
    QVERIFY(m_view->moveTo(last));
    m_view->grab();
    QVERIFY2(m_view->laidOutBlockCount() - first < 100, qPrintable(QString::number(m_view->laidOutBlockCount())));
    QCOMPARE(m_view->getCurrentDoc(), doc.get());
    // Moving to the very end still puts the item at the top; End shows it at the bottom.
    DItem* end = findItem(doc.get(), [](DItem* i) { return i->kind() == DItem::Paragraph; }, 49999);
    QVERIFY(m_view->moveTo(end));
    QCOMPARE(m_view->itemRect(end).top(), 0);
    QTest::keyClick(m_view.get(), Qt::Key_End);
    const QRect r = m_view->itemRect(end);
    QVERIFY2(r.bottom() <= m_view->viewport()->height() && r.top() > 0,
             qPrintable(QStringLiteral("%1 %2").arg(r.top()).arg(r.bottom())));
}

void TestDRendocView::search_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QStringList>("matches");
    QTest::newRow("verdicts") << "\\bok\\b" << QStringList{"ok", "ok"};
    QTest::newRow("across documents") << "B-07" << QStringList{"B-07", "B-07"};
    QTest::newRow("case sensitive") << "FRAME" << QStringList{};
    QTest::newRow("captures whole match") << "0x[0-9A-F]+" << QStringList{"0x1A2", "0x1A2"};
    QTest::newRow("table cell text") << "watchdog_\\w+" << QStringList{"watchdog_timeout"};
    QTest::newRow("empty matches skipped") << "x*" << QStringList{};
}

void TestDRendocView::search()
{
    QFETCH(QString, pattern);
    QFETCH(QStringList, matches);
    m_view->setDocument(m_report->first, true);
    m_view->setDocument(m_report->document("annex"), false);
    const QRegularExpression expression(pattern);
    QStringList found;
    while (m_view->search(expression)) {
        found << m_view->selectedText();
        QVERIFY(found.size() < 100);
    }
    if (pattern != QLatin1String("x*"))
        QCOMPARE(found, matches);
    else
        QVERIFY(!found.isEmpty() && !found.contains(QString()));
    if (found.isEmpty())
        return;
    // At the end the last match stays selected; the next call starts from the top.
    QCOMPARE(m_view->selectedText(), found.last());
    QVERIFY(m_view->search(expression));
    QCOMPARE(m_view->selectedText(), found.first());
}

void TestDRendocView::copySelection()
{
    m_view->setDocument(m_report->first, true);
    QGuiApplication::clipboard()->setText(QStringLiteral("before"));
    m_view->copy();
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("before"));
    QVERIFY(m_view->search(QRegularExpression(QStringLiteral("not echoed within \\d+ ms"))));
    QTest::keyClick(m_view.get(), Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("not echoed within 50 ms"));
    QTest::keyClick(m_view.get(), Qt::Key_A, Qt::ControlModifier);
    m_view->copy();
    const QString all = QGuiApplication::clipboard()->text();
    QVERIFY(all.startsWith(QStringLiteral("Test campaign: nightly regression\n")));
    QVERIFY(all.contains(QStringLiteral("can_bus_loopback\tko\t3.1 s\n")));
    QVERIFY(all.endsWith(QStringLiteral("Back to the top of the report.")));

    // Dragging the mouse over a line selects part of it.
    DItem* text = findItem(m_report->first, [](DItem* i) {
        return i->toText() && i->toText()->text().startsWith(QLatin1String("Campaign started"));
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

void TestDRendocView::clickActivatesLink_data()
{
    QTest::addColumn<QString>("target");
    QTest::newRow("place in another document") << "::annex";
    QTest::newRow("source line") << "src/can/loop.c line 42";
    QTest::newRow("other report") << "xrdlink://other.xrd#T3";
}

void TestDRendocView::clickActivatesLink()
{
    QFETCH(QString, target);
    m_view->setDocument(m_report->first, true);
    DLink* link = linkTo(m_report->first, target);
    QVERIFY(link);
    QVERIFY(m_view->moveTo(link));
    QSignalSpy spy(m_view.get(), &DRendocView::activatedLink);
    const QRect r = m_view->itemRect(link);
    QVERIFY(!r.isEmpty());
    QCOMPARE(m_view->linkAt(r.center()), link);
    QTest::mouseMove(m_view->viewport(), r.center());
    QCOMPARE(m_view->viewport()->cursor().shape(), Qt::PointingHandCursor);
    QTest::mouseClick(m_view->viewport(), Qt::LeftButton, {}, r.center());
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).value<DLink*>(), link);
    // Off the link nothing is activated, and the view does not follow links by itself.
    QTest::mouseClick(m_view->viewport(), Qt::LeftButton, {}, QPoint(r.right() + 200, r.center().y()));
    QCOMPARE(spy.count(), 1);
    QCOMPARE(m_view->getCurrentDoc()->name(), QStringLiteral("campaign"));
}

void TestDRendocView::keyboardActivatesLink()
{
    m_view->resize(600, 2000);
    m_view->setDocument(m_report->first, true);
    m_view->setFocus();
    QSignalSpy spy(m_view.get(), &DRendocView::activatedLink);
    const QStringList order{"::annex", "src/can/loop.c line 42", "xrdlink://other.xrd#T3"};
    QStringList focused;
    for (int i = 0; i < 3; ++i) {
        QTest::keyClick(m_view.get(), Qt::Key_Tab);
        // The summary entries come between the first link and the others; skip them.
        while (m_view->focusedLink() == nullptr && focused.size() < 20) {
            focused << QString();
            QTest::keyClick(m_view.get(), Qt::Key_Tab);
        }
        QVERIFY(m_view->focusedLink());
        focused << m_view->focusedLink()->target();
    }
    focused.removeAll(QString());
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

void TestDRendocView::resolveLinkMovesItself()
{
    m_view->setDocument(m_report->first, true);
    m_view->setDocument(m_report->document("annex"), false);
    m_view->setResolveLink(true);
    DLink* link = linkTo(m_report->first, QStringLiteral("::annex"));
    QSignalSpy spy(m_view.get(), &DRendocView::activatedLink);
    QTest::mouseClick(m_view->viewport(), Qt::LeftButton, {}, m_view->itemRect(link).center());
    QCOMPARE(spy.count(), 1);
    QCOMPARE(m_view->getCurrentDoc()->name(), QStringLiteral("annex"));
}

void TestDRendocView::tagPointerAndSummaryMove()
{
    m_view->resize(600, 150);
    m_view->setDocument(m_report->first, true);
    m_view->setDocument(m_report->document("annex"), false);
    // The summary lists the numbered titles; clicking one moves to it.
    auto* title = static_cast<DTitle*>(findItem(m_report->first, [](DItem* i) {
        return i->toTitle() && i->toTitle()->level() == 2;
    }));
    QVERIFY(title && !title->numberText().isEmpty());
    auto* summary = findItem(m_report->first, [](DItem* i) { return i->kind() == DItem::Summary; });
    QVERIFY(m_view->moveTo(summary));
    const QRect entries = m_view->itemRect(summary);
    QVERIFY(!entries.isEmpty());
    // The second entry lies just under the first one.
    const QPoint second(entries.left() + 40, entries.bottom() + 2 + entries.height() / 2);
    QTest::mouseClick(m_view->viewport(), Qt::LeftButton, {}, second);
    QVERIFY(qAbs(m_view->itemRect(title).top()) <= 1);
    QSignalSpy spy(m_view.get(), &DRendocView::activatedLink);
    DItem* pointer = findItem(m_report->first, [](DItem* i) { return i->kind() == DItem::TagPointer; });
    QVERIFY(m_view->moveTo(pointer));
    QTest::mouseClick(m_view->viewport(), Qt::LeftButton, {}, m_view->itemRect(pointer).center());
    DItem* top = findItem(m_report->first, [](DItem* i) { return i->kind() == DItem::Tag; });
    QCOMPARE(m_view->itemRect(top).top(), 0);
    QCOMPARE(spy.count(), 0);
}

void TestDRendocView::plainTextOfTable()
{
    m_view->setDocument(m_report->first, true);
    const QStringList lines = m_view->toPlainText().split(QLatin1Char('\n'));
    const int head = int(lines.indexOf(QStringLiteral("Script\tVerdict\tDuration")));
    QVERIFY(head >= 0);
    QCOMPARE(lines.mid(head + 1, 3), (QStringList{"power_on_sequence\tok\t12.4 s",
                                                   "can_bus_loopback\tko\t3.1 s",
                                                   "watchdog_timeout\tok\t30.0 s"}));
}

void TestDRendocView::plainTextGolden()
{
    m_view->setDocument(m_report->first, true);
    m_view->setDocument(m_report->document("annex"), false);
    QFile golden(QStringLiteral(KORVAT_TEST_DATA "/view/report.txt"));
    if (qEnvironmentVariableIsSet("KORVAT_UPDATE_GOLDEN")) {
        QVERIFY(golden.open(QIODevice::WriteOnly));
        golden.write(m_view->toPlainText().toUtf8() + '\n');
        golden.close();
    }
    QVERIFY(golden.open(QIODevice::ReadOnly));
    QCOMPARE(m_view->toPlainText(), QString::fromUtf8(golden.readAll()).trimmed());
}

void TestDRendocView::printToPdf()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("report.pdf"));
    m_view->setDocument(m_report->first, true);
    m_view->setDocument(m_report->document("annex"), false);
    QPrinter printer;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    m_view->print(&printer);
    QFile pdf(path);
    QVERIFY(pdf.open(QIODevice::ReadOnly));
    const QByteArray bytes = pdf.readAll();
    QVERIFY(bytes.startsWith("%PDF"));
    QVERIFY(bytes.contains("/Type /Page"));
    QProcess tool;
    tool.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")});
    if (!tool.waitForFinished(30000) || tool.exitCode() != 0)
        QSKIP("pdftotext is not available; the PDF was written");
    const QString text = QString::fromUtf8(tool.readAllStandardOutput());
    const QStringList pages = text.split(QLatin1Char('\f'), Qt::SkipEmptyParts);
    // Campaign, then the annex on a new page, then the page after its page break.
    QCOMPARE(pages.size(), 3);
    QVERIFY(pages[0].contains(QStringLiteral("Nightly regression, page header")));
    QVERIFY(pages[0].contains(QStringLiteral("dential footer")));
    QVERIFY(pages[0].contains(QStringLiteral("can_bus_loopback")));
    QVERIFY(pages[1].contains(QStringLiteral("Bench B-07 runs")));
    QVERIFY(!pages[1].contains(QStringLiteral("page header")));
    QVERIFY(pages[2].contains(QStringLiteral("Last page of the annex")));
}

void TestDRendocView::printDialogHook()
{
    m_view->setDocument(m_report->first, true);
    int asked = 0;
    DRendocView::setPrintDialogHook([&](QPrinter*) {
        ++asked;
        return false;
    });
    QVERIFY(!m_view->print());
    QCOMPARE(asked, 1);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("hooked.pdf"));
    DRendocView::setPrintDialogHook([&](QPrinter* printer) {
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(path);
        return true;
    });
    QVERIFY(m_view->print());
    QVERIFY(QFileInfo(path).size() > 1000);
}

void TestDRendocView::rebuildKeepsPosition()
{
    auto doc = numbered("r", 500);
    m_view->setDocument(doc.get(), true);
    DItem* p = findItem(doc.get(), [](DItem* i) { return i->kind() == DItem::Paragraph; }, 250);
    QVERIFY(m_view->moveTo(p));
    DStyle big(QStringLiteral("Big"));
    big.setPointSize(20);
    doc->setStyle(&big);
    m_view->setBackgroundColor(QColor(0xfd, 0xf6, 0xe3));
    const int before = m_view->documentHeight();
    m_view->rebuildDoc();
    m_view->grab();
    QCOMPARE(m_view->backgroundColor(), QColor(0xfd, 0xf6, 0xe3));
    QCOMPARE(m_view->itemRect(p).top(), 0);
    QVERIFY(m_view->itemRect(p).height() > 20);
    QVERIFY(m_view->documentHeight() != before);
    doc->setStyle(nullptr);
}

void TestDRendocView::hostileDocuments()
{
    // Deeply nested sections, a huge paragraph, an empty table and broken spans and widths.
    auto doc = std::make_unique<DDocument>(QStringLiteral("deep"), QStringLiteral("deep"));
    DItemContainer* parent = doc.get();
    for (int i = 0; i < 100000; ++i) {
        auto* section = new DSection(QString(), parent);
        parent->setChild(section);
        parent = section;
    }
    auto* p = new DParagraph(parent);
    parent->setChild(p);
    auto* text = new DText(QString(200000, QLatin1Char('w')) + QStringLiteral(" end"), p);
    p->setChild(text);
    auto* table = new DTable(-5, parent);
    p->setNext(table);
    table->setWidth({-1.0f, 0.0f});
    auto* row = new DRow(table);
    table->setChild(row);
    auto* cell = new DCellText(QStringLiteral("cell"), 100000, 0, row);
    row->setChild(cell);
    cell->setNext(new DCellText(QStringLiteral("next"), -3, 100000000, row));
    auto* emptyTable = new DTable(1, parent);
    table->setNext(emptyTable);
    auto* graphic = new DGraphic(QStringLiteral("flat"), parent);
    emptyTable->setNext(graphic);
    auto* curve = new DCurve(QString(), graphic);
    graphic->setChild(curve);
    curve->setChild(new DPoint(qQNaN(), 1e308, curve));
    auto* image = new DImage(QStringLiteral("../../no/such.png"), 0, 0, parent);
    graphic->setNext(image);

    m_view->setDocument(doc.get(), true);
    m_view->grab();
    QVERIFY(m_view->moveTo(text));
    QVERIFY(m_view->moveTo(cell));
    QVERIFY(m_view->moveTo(text));
    QVERIFY(m_view->search(QRegularExpression(QStringLiteral("end"))));
    m_view->selectAll();
    QVERIFY(m_view->selectedText().contains(QStringLiteral("cell\tnext")));
    QVERIFY(m_view->toPlainText().endsWith(QStringLiteral("cell\tnext\nflat")) ||
            m_view->toPlainText().contains(QStringLiteral("cell\tnext")));
    QTemporaryDir dir;
    QPrinter printer;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath(QStringLiteral("deep.pdf")));
    m_view->print(&printer);
    QVERIFY(QFileInfo(dir.filePath(QStringLiteral("deep.pdf"))).size() > 0);
    m_view->clearDocs();
}

void TestDRendocView::imagesFromSearchPath()
{
    QTemporaryDir dir;
    QImage picture(40, 30, QImage::Format_RGB32);
    picture.fill(Qt::red);
    QVERIFY(picture.save(dir.filePath(QStringLiteral("pic.png"))));
    DDocument doc(QStringLiteral("i"), QStringLiteral("i"));
    auto* image = new DImage(QStringLiteral("pic.png"), 0, 0, &doc);
    doc.setChild(image);
    auto* scaled = new DImage(QStringLiteral("pic.png"), 80, 0, &doc);
    image->setNext(scaled);
    // An image inside a paragraph takes its width in the line and raises the line.
    auto* p = new DParagraph(&doc);
    scaled->setNext(p);
    auto* before = new DText(QStringLiteral("before "), p);
    p->setChild(before);
    auto* inline_ = new DImage(QStringLiteral("pic.png"), 0, 0, p);
    before->setNext(inline_);
    auto* after = new DText(QStringLiteral(" after"), p);
    inline_->setNext(after);
    m_view->setDocument(&doc, true);
    // Not found yet: a placeholder of its own size stands in.
    QVERIFY(m_view->itemRect(image).size() != QSize(40, 30));
    m_view->insertSearchPath(dir.path());
    QCOMPARE(m_view->searchPaths(), QStringList{dir.path()});
    QCOMPARE(m_view->itemRect(image).height(), 30 + 8);
    QCOMPARE(m_view->itemRect(scaled).height(), 60 + 8);
    QVERIFY(m_view->itemRect(after).left() - m_view->itemRect(before).right() >= 40);
    QVERIFY(m_view->itemRect(p).height() >= 30);
    QCOMPARE(m_view->toPlainText(), QStringLiteral("before after"));
    const QImage shot = m_view->grab().toImage();
    const QRect r = m_view->itemRect(image);
    const QPoint inside = m_view->viewport()->mapTo(m_view.get(), QPoint(r.left() + 10, r.top() + 14));
    QCOMPARE(QColor(shot.pixel(inside)), QColor(Qt::red));
}

void TestDRendocView::tableGeometry_data()
{
    QTest::addColumn<QVector<float>>("widths");
    QTest::addColumn<int>("hspan");
    QTest::addColumn<int>("vspan");
    QTest::addColumn<double>("secondColumn"); // left of the second cell of the first row
    QTest::newRow("equal columns") << QVector<float>{} << 0 << 0 << 0.5;
    QTest::newRow("fractions") << QVector<float>{0.25f, 0.75f} << 0 << 0 << 0.25;
    QTest::newRow("fractions scaled") << QVector<float>{1.0f, 3.0f} << 0 << 0 << 0.25;
    QTest::newRow("vertical span shifts the next row") << QVector<float>{} << 0 << 1 << 0.5;
    // Span 1 covers two columns, so the next cell starts in the third.
    QTest::newRow("horizontal span") << QVector<float>{0.5f, 0.25f, 0.25f} << 1 << 0 << 0.75;
}

void TestDRendocView::tableGeometry()
{
    QFETCH(QVector<float>, widths);
    QFETCH(int, hspan);
    QFETCH(int, vspan);
    QFETCH(double, secondColumn);
    DDocument doc(QStringLiteral("t"), QStringLiteral("t"));
    auto* table = new DTable(1, &doc);
    doc.setChild(table);
    table->setWidth(widths);
    auto* first = new DRow(table);
    table->setChild(first);
    auto* a1 = new DCellText(QStringLiteral("a1"), hspan, vspan, first);
    first->setChild(a1);
    auto* b1 = new DCellText(QStringLiteral("b1"), 0, 0, first);
    a1->setNext(b1);
    auto* second = new DRow(table);
    first->setNext(second);
    auto* x2 = new DCellText(QStringLiteral("x2"), 0, 0, second);
    second->setChild(x2);
    m_view->setDocument(&doc, true);
    const int width = m_view->viewport()->width() - 10;
    const int left = m_view->itemRect(a1).left();
    const int expected = left + int(secondColumn * width);
    QVERIFY2(qAbs(m_view->itemRect(b1).left() - expected) <= 2,
             qPrintable(QStringLiteral("%1 vs %2").arg(m_view->itemRect(b1).left()).arg(expected)));
    // Under a cell spanning two rows, the next row's first cell moves to the second column.
    const int x2Left = m_view->itemRect(x2).left();
    QCOMPARE(qAbs(x2Left - (vspan > 0 ? m_view->itemRect(b1).left() : left)) <= 1, true);
    QCOMPARE(m_view->toPlainText(), QStringLiteral("a1\tb1\nx2"));
}

void TestDRendocView::wordWrap()
{
    DDocument doc(QStringLiteral("w"), QStringLiteral("w"));
    auto* p = new DParagraph(&doc);
    doc.setChild(p);
    auto* text = new DText(QStringLiteral("word ").repeated(200), p);
    p->setChild(text);
    m_view->setDocument(&doc, true);
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
}

void TestDRendocView::screenshot()
{
    m_view->resize(820, 1000);
    m_view->setDocument(m_report->first, true);
    m_view->setDocument(m_report->document("annex"), false);
    const QImage image = m_view->grab().toImage();
    QVERIFY(!image.isNull());
    // Something other than the background was drawn.
    const QRgb background = image.pixel(image.width() - 30, image.height() - 5);
    int inked = 0;
    for (int y = 0; y < image.height(); y += 7)
        for (int x = 0; x < image.width(); x += 7)
            inked += image.pixel(x, y) != background;
    QVERIFY(inked > 200);
    if (qEnvironmentVariableIsSet("KORVAT_VIEW_SHOT"))
        image.save(qEnvironmentVariable("KORVAT_VIEW_SHOT"));
}

QTEST_MAIN(TestDRendocView)
#include "tst_drendocview.moc"
