#include "sdk/qaresboolean.h"
#include "sdk/qaresgroup.h"
#include "sdk/qaresint.h"
#include "sdk/qaresrgb.h"
#include "sdk/qaresstring.h"

#include <QTest>

#include <memory>

// Resource tree: path search, casts, ownership and freeing of deep trees.
class tst_QARes : public QObject
{
    Q_OBJECT

private:
    // ROOT { REPORTER { background, auto_raise, auto_depth, STYLES { style{name} } },
    //        OTHER { x } }, with a sibling "NEXT" after ROOT.
    static std::unique_ptr<QAResGroup> sample(QARes** sibling)
    {
        auto root = std::make_unique<QAResGroup>(QStringLiteral("ROOT"));
        auto* reporter = new QAResGroup(QStringLiteral("REPORTER"));
        root->appendChild(reporter);
        reporter->appendChild(new QAResRGB(QStringLiteral("background"), 255, 0, 0));
        reporter->appendChild(new QAResBoolean(QStringLiteral("auto_raise"), true));
        reporter->appendChild(new QAResInt(QStringLiteral("auto_depth"), 4));
        auto* styles = new QAResGroup(QStringLiteral("STYLES"));
        reporter->appendChild(styles);
        auto* style = new QAResGroup(QStringLiteral("style"));
        styles->appendChild(style);
        style->appendChild(new QAResString(QStringLiteral("name"), QStringLiteral("Normal")));
        auto* other = new QAResGroup(QStringLiteral("OTHER"));
        root->appendChild(other);
        other->appendChild(new QAResInt(QStringLiteral("x"), 1));
        *sibling = new QAResInt(QStringLiteral("NEXT"), 9);
        root->setNext(*sibling);
        return root;
    }

private Q_SLOTS:
    void search_data()
    {
        QTest::addColumn<QString>("start");   // "root" or "child": where the search begins
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("foundTag"); // empty: nothing found
        QTest::addColumn<int>("intValue");     // value when an int resource is found

        QTest::newRow("root itself") << "root" << "ROOT" << "ROOT" << -1;
        QTest::newRow("sibling of start") << "root" << "NEXT" << "NEXT" << 9;
        QTest::newRow("three levels") << "root" << "ROOT.REPORTER.auto_depth" << "auto_depth" << 4;
        QTest::newRow("from first child") << "child" << "REPORTER" << "REPORTER" << -1;
        QTest::newRow("later sibling of first child") << "child" << "OTHER.x" << "x" << 1;
        QTest::newRow("deep from child") << "child" << "REPORTER.STYLES.style.name" << "name" << -1;
        QTest::newRow("missing last element") << "child" << "REPORTER.nothing" << "" << -1;
        QTest::newRow("missing first element") << "child" << "NOPE.auto_depth" << "" << -1;
        QTest::newRow("descend into a value") << "child" << "REPORTER.auto_depth.x" << "" << -1;
        QTest::newRow("tag not on start level") << "root" << "REPORTER" << "" << -1;
        QTest::newRow("empty path") << "root" << "" << "" << -1;
        QTest::newRow("case matters") << "child" << "reporter" << "" << -1;
        QTest::newRow("empty element") << "child" << "REPORTER..auto_depth" << "" << -1;
    }

    void search()
    {
        QFETCH(QString, start);
        QFETCH(QString, path);
        QFETCH(QString, foundTag);
        QFETCH(int, intValue);

        QARes* sibling = nullptr;
        auto root = sample(&sibling);
        const QARes* from = start == QLatin1String("root") ? static_cast<QARes*>(root.get())
                                                           : root->firstChild();
        const QByteArray utf8 = path.toUtf8();
        QARes* found = from->search(utf8.constData(), '.');
        if (foundTag.isEmpty()) {
            QVERIFY(!found);
        } else {
            QVERIFY(found);
            QCOMPARE(found->tag(), foundTag);
            if (intValue >= 0) {
                QVERIFY(found->toResInt());
                QCOMPARE(found->toResInt()->value(), intValue);
            }
        }
        // The QString overload agrees with the C string one.
        QCOMPARE(from->search(path), found);
        root->setNext(nullptr);
        delete sibling;
    }

    void otherSeparator()
    {
        QARes* sibling = nullptr;
        auto root = sample(&sibling);
        QARes* found = root->search("ROOT/REPORTER/auto_raise", '/');
        QVERIFY(found && found->toResBoolean());
        QVERIFY(found->toResBoolean()->value());
        QVERIFY(!root->search("ROOT.REPORTER", '/'));
        QVERIFY(!root->search(static_cast<const char*>(nullptr), '.'));
        root->setNext(nullptr);
        delete sibling;
    }

    void casts_data()
    {
        QTest::addColumn<int>("kind");
        for (int k = QARes::Group; k <= QARes::Int; ++k)
            QTest::newRow(qPrintable(QString::number(k))) << k;
    }

    void casts()
    {
        QFETCH(int, kind);
        std::unique_ptr<QARes> res;
        switch (kind) {
        case QARes::Group: res = std::make_unique<QAResGroup>("t"); break;
        case QARes::String: res = std::make_unique<QAResString>("t", "v"); break;
        case QARes::Boolean: res = std::make_unique<QAResBoolean>("t", true); break;
        case QARes::RGB: res = std::make_unique<QAResRGB>("t", 1, 2, 3); break;
        default: res = std::make_unique<QAResInt>("t", 7); break;
        }
        QCOMPARE(int(res->kind()), kind);
        QCOMPARE(res->toResGroup() != nullptr, kind == QARes::Group);
        QCOMPARE(res->toResString() != nullptr, kind == QARes::String);
        QCOMPARE(res->toResBoolean() != nullptr, kind == QARes::Boolean);
        QCOMPARE(res->toResRGB() != nullptr, kind == QARes::RGB);
        QCOMPARE(res->toResInt() != nullptr, kind == QARes::Int);
        const QARes* constRes = res.get();
        QCOMPARE(constRes->toResGroup() != nullptr, kind == QARes::Group);
        QCOMPARE(constRes->toResInt() != nullptr, kind == QARes::Int);
        // Only groups have children.
        QVERIFY(!res->child());
        QVERIFY(res->isTag("t"));
        QVERIFY(!res->isTag("T"));
        QVERIFY(!res->isTag(nullptr));
    }

    void stringKeepsNullAndEmptyApart()
    {
        QAResString missing("a");
        QAResString empty("b", QLatin1String(""));
        QVERIFY(missing.value().isNull());
        QVERIFY(!empty.value().isNull());
        QVERIFY(empty.value().isEmpty());
    }

    void appendAndReplaceChildren()
    {
        QAResGroup group("g");
        QCOMPARE(group.childCount(), 0);
        QARes* a = group.appendChild(new QAResInt("a", 1));
        // A chain appended at once becomes several children.
        auto* b = new QAResInt("b", 2);
        b->setNext(new QAResInt("c", 3));
        group.appendChild(b);
        group.appendChild(new QAResInt("d", 4));
        QCOMPARE(group.childCount(), 4);
        QCOMPARE(group.firstChild(), a);
        QCOMPARE(group.search(QStringLiteral("g.d"))->toResInt()->value(), 4);
        QCOMPARE(group.search(QStringLiteral("g.c"))->toResInt()->value(), 3);

        group.setChild(new QAResBoolean("only", true));
        QCOMPARE(group.childCount(), 1);
        group.appendChild(new QAResInt("e", 5));
        QCOMPARE(group.childCount(), 2);

        QARes* taken = group.takeChildren();
        QCOMPARE(group.childCount(), 0);
        QAResGroup::freeChain(taken);
    }

    void wideGroupAppendsQuickly()
    {
        // Appending stays linear: 200,000 children would take minutes if each
        // append walked the whole chain.
        QAResGroup group("wide");
        for (int i = 0; i < 200000; ++i)
            group.appendChild(new QAResInt("n", i));
        QCOMPARE(group.childCount(), 200000);
    }

    void deepTreeFreesWithoutRecursion_data()
    {
        QTest::addColumn<bool>("withSiblings");
        QTest::newRow("chain of single children") << false;
        QTest::newRow("each level with a value sibling") << true;
    }

    void deepTreeFreesWithoutRecursion()
    {
        QFETCH(bool, withSiblings);
        auto* root = new QAResGroup("level");
        QAResGroup* deepest = root;
        for (int i = 0; i < 100000; ++i) {
            auto* group = new QAResGroup("level");
            deepest->appendChild(group);
            if (withSiblings)
                deepest->appendChild(new QAResString("s", "v"));
            deepest = group;
        }
        deepest->appendChild(new QAResInt("leaf", 1));
        // Walking down is iterative too.
        int depth = 0;
        for (QARes* res = root; res; res = res->child())
            ++depth;
        QCOMPARE(depth, 100002);
        delete root;
    }
};

QTEST_APPLESS_MAIN(tst_QARes)
#include "tst_qares.moc"
