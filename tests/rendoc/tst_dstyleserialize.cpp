#include "rendoc/styleres/dstyleserialize.h"

#include "rendoc/dstyle.h"
#include "sdk/qaresboolean.h"
#include "sdk/qaresgroup.h"
#include "sdk/qaresint.h"
#include "sdk/qaresrgb.h"
#include "sdk/qaresstring.h"

#include <QTest>

#include <memory>

Q_DECLARE_METATYPE(DStyle)

namespace {

DStyle fullStyle()
{
    DStyle style(QStringLiteral("Title2 Failed"));
    style.setFamily(QStringLiteral("DejaVu Serif"));
    style.setPointSize(14);
    style.setBold(true);
    style.setItalic(true);
    style.setUnderline(true);
    style.setForeground(QColor(0xb7, 0x1c, 0x1c));
    style.setBackground(QColor(0xfd, 0xe0, 0xdc));
    style.setAlignment(Qt::AlignJustify);
    style.setMargins(1, 2, 3, 4);
    return style;
}

QStringList tags(const QAResGroup* group)
{
    QStringList list;
    for (const QARes* res = group->firstChild(); res; res = res->next())
        list.append(res->tag());
    return list;
}

} // namespace

// Styles stored as resource groups and read back.
class TestDStyleSerialize : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void roundTrip_data();
    void roundTrip();
    void layout();
    void clearsBackground();
    void missingChildrenKeepFields();
    void hostileValues();
};

void TestDStyleSerialize::roundTrip_data()
{
    QTest::addColumn<DStyle>("style");

    QTest::newRow("defaults") << DStyle(QStringLiteral("Normal"));
    QTest::newRow("every field") << fullStyle();
    DStyle noBackground = fullStyle();
    noBackground.setBackground(QColor());
    QTest::newRow("no background") << noBackground;
    DStyle centred(QStringLiteral("Array Title"));
    centred.setAlignment(Qt::AlignHCenter);
    centred.setBackground(QColor(Qt::black));
    QTest::newRow("black background, centred") << centred;
    QTest::newRow("empty and null name") << DStyle(QString());
}

// Written onto a style with other values, every field comes back.
void TestDStyleSerialize::roundTrip()
{
    QFETCH(DStyle, style);

    std::unique_ptr<QAResGroup> group(DStyleSerialize::styleToResources("style", &style));
    QCOMPARE(group->tag(), QStringLiteral("style"));

    DStyle other = fullStyle();
    other.setBackground(QColor(Qt::white));
    other.setName(style.name());
    DStyleSerialize::styleFromResources(group.get(), &other);
    QVERIFY(other == style);
}

// The name comes first, as a string, for readers that look styles up by name.
void TestDStyleSerialize::layout()
{
    DStyle style = fullStyle();
    std::unique_ptr<QAResGroup> group(DStyleSerialize::styleToResources("custom", &style));
    QCOMPARE(group->tag(), QStringLiteral("custom"));
    const QAResString* name = group->firstChild()->toResString();
    QVERIFY(name);
    QCOMPARE(name->tag(), QStringLiteral("name"));
    QCOMPARE(name->value(), style.name());
    QVERIFY(tags(group.get()).contains(QStringLiteral("background")));

    style.setBackground(QColor());
    group.reset(DStyleSerialize::styleToResources("style", &style));
    QVERIFY(!tags(group.get()).contains(QStringLiteral("background")));
}

// A stored style without background overrides a background the style had.
void TestDStyleSerialize::clearsBackground()
{
    DStyle stored(QStringLiteral("Warning"));
    std::unique_ptr<QAResGroup> group(DStyleSerialize::styleToResources("style", &stored));
    DStyle loaded = fullStyle();
    QVERIFY(loaded.background().isValid());
    DStyleSerialize::styleFromResources(group.get(), &loaded);
    QVERIFY(!loaded.background().isValid());
}

void TestDStyleSerialize::missingChildrenKeepFields()
{
    QAResGroup group(QStringLiteral("style"));
    group.appendChild(new QAResString(QStringLiteral("name"), QStringLiteral("Other name")));
    group.appendChild(new QAResInt(QStringLiteral("size"), 20));
    // Known tags with the wrong resource kind are ignored.
    group.appendChild(new QAResString(QStringLiteral("bold"), QStringLiteral("false")));
    group.appendChild(new QAResInt(QStringLiteral("color"), 0));

    DStyle style = fullStyle();
    DStyle expected = fullStyle();
    expected.setPointSize(20);
    DStyleSerialize::styleFromResources(&group, &style);
    QVERIFY(style == expected);
}

// Stored values out of range are brought back into it instead of producing invalid colours or
// negative sizes.
void TestDStyleSerialize::hostileValues()
{
    QAResGroup group(QStringLiteral("style"));
    group.appendChild(new QAResRGB(QStringLiteral("color"), 300, -5, 128));
    group.appendChild(new QAResInt(QStringLiteral("margintop"), -7));
    group.appendChild(new QAResInt(QStringLiteral("size"), -1));

    DStyle style;
    DStyleSerialize::styleFromResources(&group, &style);
    QCOMPARE(style.foreground(), QColor(255, 0, 128));
    QCOMPARE(style.marginTop(), 0);
    QCOMPARE(style.pointSize(), 0);
}

QTEST_GUILESS_MAIN(TestDStyleSerialize)
#include "tst_dstyleserialize.moc"
