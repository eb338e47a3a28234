#include "korvatreporter/data/qareporterdatatree.h"
#include "korvatreporter/link/qareporterlinklocator.h"
#include "korvatreporter/link/qareporterlinktarget.h"
#include "rendoc/model/ditems.h"

#include <QtTest>

#include <memory>

namespace {

// doc: p1(t1, l1), p2(l2(t2)), p3, p4
struct Sample
{
    std::unique_ptr<DDocument> doc = std::make_unique<DDocument>(QStringLiteral("d"), QStringLiteral("d"));
    DParagraph* p1 = new DParagraph(doc.get());
    DParagraph* p2 = new DParagraph(doc.get());
    DParagraph* p3 = new DParagraph(doc.get());
    DParagraph* p4 = new DParagraph(doc.get());
    DText* t1 = new DText(QStringLiteral("a"), p1);
    DLink* l1 = new DLink(QStringLiteral("x"), p1);
    DLink* l2 = new DLink(QStringLiteral("y"), p2);
    DText* t2 = new DText(QStringLiteral("b"), l2);

    Sample()
    {
        doc->setChild(p1);
        p1->setNext(p2);
        p2->setNext(p3);
        p3->setNext(p4);
        p1->setChild(t1);
        t1->setNext(l1);
        p2->setChild(l2);
        l2->setChild(t2);
    }
};

} // namespace

// How link target texts are read, how source links take a base, and which
// node of a report's tree holds a link.
class TestLinks : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void parse_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("first");  // file part or file text
        QTest::addColumn<QString>("second"); // anchor or line text
        const int report = QAReporterLinkTarget::ReportLink;
        const int source = QAReporterLinkTarget::SourceLink;
        const int other = QAReporterLinkTarget::OtherLink;
        QTest::newRow("report with anchor") << "xrdlink://other.xrd#T12" << report << "other.xrd" << "T12";
        QTest::newRow("anchor only") << "xrdlink://#T12" << report << "" << "T12";
        QTest::newRow("first # splits") << "xrdlink://a.xrd#x#y" << report << "a.xrd" << "x#y";
        QTest::newRow("bare prefix") << "xrdlink://" << report << "" << "";
        QTest::newRow("prefix case matters") << "XRDLINK://a.xrd" << other << "" << "";
        QTest::newRow("report wins over line") << "xrdlink://a line 4.xrd" << report << "a line 4.xrd" << "";
        QTest::newRow("source") << "src/foo.c line 42" << source << "src/foo.c" << "42";
        QTest::newRow("greedy") << "foo line 3 and line 9" << source << "foo line 3 and" << "9";
        QTest::newRow("blank file") << "   line 7" << source << "" << "7";
        QTest::newRow("text after digits") << "a.c line 12, col 3" << source << "a.c" << "12";
        QTest::newRow("web") << "http://example.org/x" << other << "" << "";
        QTest::newRow("no digits") << "a.c line x" << other << "" << "";
        QTest::newRow("empty") << "" << other << "" << "";
        QTest::newRow("overlapping words") << "a line line 5" << source << "a line" << "5";
        QTest::newRow("arabic digit") << QString::fromUtf8("a line \u0663") << other << "" << "";
        // '.' stops at a line break: the match starts on the line that holds "line N".
        QTest::newRow("break before") << "x.c\nb.c line 4" << source << "b.c" << "4";
        QTest::newRow("break after") << "a.c line 4\nb.c line 5" << source << "a.c" << "4";
    }

    // The plain scan of one-line targets and the pattern agree on random texts made of the
    // pieces that matter.
    void parseMatchesPattern()
    {
        static const QRegularExpression pattern(QStringLiteral("(.*)line (\\d+)"));
        const QStringList pieces{QStringLiteral("line "), QStringLiteral("line"), QStringLiteral(" "),
                                 QStringLiteral("7"), QStringLiteral("42"), QStringLiteral("a.c"),
                                 QStringLiteral("\t"), QStringLiteral("\n"), QStringLiteral("\r"),
                                 QString(QChar(0x2028)), QString(QChar(0x0663)), QString(QChar(0xe9)),
                                 QStringLiteral("xrdlink:/"), QString::fromUtf8("\U0001F600")};
        QRandomGenerator random(23);
        for (int round = 0; round < 20000; ++round) {
            QString target;
            for (int n = int(random.bounded(8)); n >= 0; --n)
                target += pieces.at(int(random.bounded(pieces.size())));
            const QAReporterLinkTarget t(target);
            if (t.kind() == QAReporterLinkTarget::ReportLink)
                continue;
            const QRegularExpressionMatch match = pattern.match(target);
            QVERIFY2((t.kind() == QAReporterLinkTarget::SourceLink) == match.hasMatch(), qPrintable(target));
            if (match.hasMatch()) {
                QCOMPARE(t.fileText(), match.captured(1).trimmed());
                QCOMPARE(t.lineText(), match.captured(2));
            }
        }
    }

    void parse()
    {
        QFETCH(QString, target);
        QFETCH(int, kind);
        QFETCH(QString, first);
        QFETCH(QString, second);
        const QAReporterLinkTarget t(target);
        QCOMPARE(int(t.kind()), kind);
        QCOMPARE(t.target(), target);
        if (kind == QAReporterLinkTarget::ReportLink)
            QCOMPARE((QStringList{t.filePart(), t.anchor()}), (QStringList{first, second}));
        else if (kind == QAReporterLinkTarget::SourceLink)
            QCOMPARE((QStringList{t.fileText(), t.lineText()}), (QStringList{first, second}));
    }

    void base_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("withBase"); // empty: needs no base
        const QString self = QFileInfo(QCoreApplication::applicationFilePath()).fileName();
        QTest::newRow("missing relative") << "src/nowhere/foo.c line 42" << "D:/proj/src/nowhere/foo.c line 42";
        QTest::newRow("empty file text") << " line 7" << "D:/proj/ line 7";
        QTest::newRow("absolute") << "/usr/src/foo.c line 1" << "";
        QTest::newRow("existing relative") << self + " line 1" << "";
        QTest::newRow("other link") << "http://x" << "";
    }

    void base()
    {
        QFETCH(QString, target);
        QFETCH(QString, withBase);
        // Run in the binary's folder, where the test program exists.
        QDir::setCurrent(QCoreApplication::applicationDirPath());
        const QAReporterLinkTarget t(target);
        QCOMPARE(t.needsBase(), !withBase.isEmpty());
        if (t.needsBase())
            QCOMPARE(t.withBase(QStringLiteral("D:/proj/")), withBase);
    }

    void span_data()
    {
        QTest::addColumn<QString>("link");
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("last");
        QTest::addColumn<bool>("inside");
        QTest::newRow("first itself") << "p2" << "p2" << "p3" << true;
        QTest::newRow("last itself") << "p3" << "p1" << "p3" << true;
        QTest::newRow("child of first") << "l1" << "p1" << "p2" << true;
        QTest::newRow("child of last") << "l2" << "p1" << "p2" << true;
        QTest::newRow("grandchild of last") << "t2" << "p1" << "p2" << true;
        QTest::newRow("after last") << "p4" << "p1" << "p2" << false;
        QTest::newRow("before first") << "l1" << "p2" << "p4" << false;
        QTest::newRow("ran off chain") << "p1" << "t1" << "p4" << false;
        QTest::newRow("last inside first") << "p2" << "p1" << "t1" << false;
    }

    void span()
    {
        QFETCH(QString, link);
        QFETCH(QString, first);
        QFETCH(QString, last);
        Sample s;
        const QHash<QString, DItem*> items{{"p1", s.p1}, {"p2", s.p2}, {"p3", s.p3}, {"p4", s.p4},
                                           {"t1", s.t1}, {"t2", s.t2}, {"l1", s.l1}, {"l2", s.l2}};
        QTEST(QAReporterLinkLocator::inSpan(items[link], items[first], items[last]), "inside");
    }

    void deepSpan()
    {
        // A chain far deeper than any stack would allow recursing through.
        auto doc = std::make_unique<DDocument>(QStringLiteral("d"), QStringLiteral("d"));
        DItemContainer* parent = doc.get();
        DItem* first = nullptr;
        for (int i = 0; i < 200000; ++i) {
            auto* section = new DSection(QString(), parent);
            parent->setChild(section);
            if (!first)
                first = section;
            parent = section;
        }
        auto* deepest = new DLink(QStringLiteral("z"), parent);
        parent->setChild(deepest);
        QVERIFY(QAReporterLinkLocator::inSpan(deepest, first, nullptr));
    }

    void findNode()
    {
        Sample s;
        const auto node = [](DItem* start, DItem* end, const QString& base) {
            auto* n = new QAReporterNode;
            n->startItem = start;
            n->endItem = end;
            n->base = base;
            return n;
        };
        auto* root = node(s.p1, s.p4, QString());
        auto* script = node(s.p1, s.p2, "D:/p/");
        auto* check = node(s.p2, s.p2, QString());
        QAReporterDataTree tree(root);
        tree.setAutoDelete(true);
        tree.root();
        tree.insert(script);
        tree.next(QTree<QAReporterNode>::Forward);
        tree.insert(check);

        // Innermost holder without a base: its parent answers.
        QCOMPARE(QAReporterLinkLocator::findNode(tree, s.l2), script);
        // Held by the script itself, which has a base.
        QCOMPARE(QAReporterLinkLocator::findNode(tree, s.l1), script);
        // Only the root's span holds p4.
        QCOMPARE(QAReporterLinkLocator::findNode(tree, s.p4), root);
        // An innermost holder with an empty base gives its parent even when that
        // parent's base is empty too; each level up applies the same rule.
        script->base = QAReporterText();
        QCOMPARE(QAReporterLinkLocator::findNode(tree, s.l2), root);
        check->base = QStringLiteral("E:/");
        QCOMPARE(QAReporterLinkLocator::findNode(tree, s.l2), check);
    }
};

QTEST_GUILESS_MAIN(TestLinks)
#include "tst_qareporterlinks.moc"
