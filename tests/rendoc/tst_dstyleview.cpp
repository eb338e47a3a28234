#include "rendoc/styleres/dstyleview.h"

#include "rendoc/view/drendocview.h"
#include "rendoc/style/dstyle.h"
#include "sdk/qacolorbutton.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontComboBox>
#include <QFontDatabase>
#include <QListWidget>
#include <QSpinBox>
#include <QtTest>

#include <memory>
#include <vector>

namespace {

// Every field of a style in one line, so that a comparison shows what differs.
QString describe(const DStyle* s)
{
    return QStringLiteral("%1 '%2' %3pt%4%5%6 %7 on %8 align %9 margins %10,%11,%12,%13")
        .arg(s->name(), s->family()).arg(s->pointSize())
        .arg(s->bold() ? " bold" : "", s->italic() ? " italic" : "", s->underline() ? " underline" : "",
             s->foreground().name(), s->background().isValid() ? s->background().name() : "none")
        .arg(int(s->alignment())).arg(s->marginLeft()).arg(s->marginTop()).arg(s->marginRight())
        .arg(s->marginBottom());
}

// Styles as a style file would give them; the list owns them.
struct Styles
{
    std::vector<std::unique_ptr<DStyle>> owned;
    QList<DStyle*> list;

    DStyle* add(const QString& name, const QColor& color, bool bold = false)
    {
        DStyle* style = owned.emplace_back(std::make_unique<DStyle>(name)).get();
        style->setFamily("DejaVu Sans");
        style->setPointSize(10);
        style->setForeground(color);
        style->setBold(bold);
        list.append(style);
        return style;
    }
    QStringList described() const
    {
        QStringList out;
        for (const DStyle* s : list)
            out << describe(s);
        return out;
    }
};

Styles reportStyles()
{
    Styles styles;
    styles.add("Normal", QColor("#202020"));
    styles.add("Title1 Failed", QColor("#c00000"), true)->setMargins(0, 12, 0, 4);
    styles.add("Array Title", Qt::white)->setBackground(QColor("#37474f"));
    return styles;
}

// Pixels of exactly `color` in a picture of the widget.
int pixelsOf(QWidget* widget, const QColor& color)
{
    const QImage image = widget->grab().toImage().convertToFormat(QImage::Format_RGB32);
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        const QRgb* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            count += (line[x] & 0xffffff) == (color.rgb() & 0xffffff);
    }
    return count;
}

// Sets the editor widget named `editor` to `value` the way a user's change would.
void setEditor(DStyleView& view, const QString& editor, const QVariant& value)
{
    QWidget* widget = view.findChild<QWidget*>(editor);
    QVERIFY2(widget, qPrintable(editor));
    if (auto* family = qobject_cast<QFontComboBox*>(widget))
        family->setCurrentFont(QFont(value.toString()));
    else if (auto* spin = qobject_cast<QSpinBox*>(widget))
        spin->setValue(value.toInt());
    else if (auto* box = qobject_cast<QCheckBox*>(widget))
        box->setChecked(value.toBool());
    else if (auto* button = qobject_cast<QAColorButton*>(widget))
        button->setColor(value.value<QColor>(), true);
    else if (auto* combo = qobject_cast<QComboBox*>(widget))
        combo->setCurrentIndex(value.toInt());
    else
        QFAIL(qPrintable(editor));
}

} // namespace

// The style editor: edits through its widgets stay in copies until updateStyles(), the list
// offers and names the styles as asked, and the preview renders the edited copies.
class TestDStyleView : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void editReachesStyleOnlyOnUpdate_data()
    {
        // The edited style's description is its old one with `from` replaced by `to`.
        QTest::addColumn<QString>("style");
        QTest::addColumn<QString>("editor");
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        const QString normal = "Normal", failed = "Title1 Failed", array = "Array Title";
        QTest::newRow("family") << normal << "family" << QVariant("DejaVu Serif") << "Sans" << "Serif";
        QTest::newRow("size") << normal << "size" << QVariant(14) << "10pt" << "14pt";
        QTest::newRow("bold off") << failed << "bold" << QVariant(false) << "10pt bold" << "10pt";
        QTest::newRow("italic") << failed << "italic" << QVariant(true) << "bold" << "bold italic";
        QTest::newRow("underline") << normal << "underline" << QVariant(true) << "10pt" << "10pt underline";
        QTest::newRow("text colour") << normal << "color" << QVariant(QColor("#00a000")) << "#202020" << "#00a000";
        QTest::newRow("fill turned on takes the button's colour")
            << normal << "hasBackground" << QVariant(true) << "on none" << "on #ffffff";
        QTest::newRow("fill turned off") << array << "hasBackground" << QVariant(false) << "on #37474f" << "on none";
        QTest::newRow("background colour")
            << array << "background" << QVariant(QColor("#102030")) << "#37474f" << "#102030";
        QTest::newRow("centred") << normal << "align" << QVariant(1) << "align 1" << "align 4";
        QTest::newRow("bottom margin") << failed << "marginBottom" << QVariant(20) << "0,12,0,4" << "0,12,0,20";
    }

    void editReachesStyleOnlyOnUpdate()
    {
        QFETCH(QString, style);
        QFETCH(QString, editor);
        QFETCH(QVariant, value);
        QFETCH(QString, from);
        QFETCH(QString, to);
        if (editor == "family" && !QFontDatabase::families().contains(value.toString()))
            QSKIP("font not installed");

        Styles styles = reportStyles();
        const QStringList before = styles.described();
        QStringList after = before;
        const int index = before.indexOf(QRegularExpression("^" + style + " '.*"));
        QVERIFY(index >= 0 && before[index].count(from) == 1);
        after[index].replace(from, to);
        DStyleView view({});
        view.initVal(styles.list);
        QVERIFY(view.setCurrentStyle(style));
        QSignalSpy edited(&view, &DStyleView::styleEdited);
        setEditor(view, editor, value);
        QCOMPARE(edited.count(), 1);
        QCOMPARE(edited.first().first().toString(), style);

        // Only the copy changed so far.
        QCOMPARE(describe(view.editedStyle(style)), after[index]);
        QVERIFY(view.isModified());
        QCOMPARE(styles.described(), before);
        view.updateStyles();
        QVERIFY(!view.isModified());
        QCOMPARE(styles.described(), after);
    }

    void offeredStyles_data()
    {
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QStringList>("shown");
        QTest::newRow("no names: every style in list order")
            << QStringList() << QStringList{ "Normal", "Titre 1 en échec", "Array Title" };
        QTest::newRow("names choose and order; unknown names skipped")
            << QStringList{ "Array Title", "Title9", "Normal", "Normal" } << QStringList{ "Array Title", "Normal" };
    }

    void offeredStyles()
    {
        QFETCH(QStringList, names);
        Styles styles = reportStyles();
        DStyleView view(names);
        view.setStyleNameTranslation({ { "Title1 Failed", "Titre 1 en échec" } });
        view.initVal(styles.list);
        auto* list = view.findChild<QListWidget*>("styles");
        QStringList shown;
        for (int row = 0; row < list->count(); ++row)
            shown << list->item(row)->text();
        QTEST(shown, "shown");
        QVERIFY(!view.setCurrentStyle("Title9"));
        QVERIFY(!view.editedStyle("Title9"));
    }

    // At its preferred size the page shows every style name whole, translated ones included.
    void namesShownWhole()
    {
        Styles styles = reportStyles();
        DStyleView view({});
        const QString longest = QStringLiteral("Titre de niveau 1 d'un cas de test terminé en échec");
        view.setStyleNameTranslation({ { "Title1 Failed", longest } });
        view.initVal(styles.list);
        view.resize(view.sizeHint());
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        auto* list = view.findChild<QListWidget*>("styles");
        const int needed = list->fontMetrics().horizontalAdvance(longest);
        QVERIFY2(list->viewport()->width() >= needed,
                 qPrintable(QStringLiteral("%1 < %2").arg(list->viewport()->width()).arg(needed)));
    }

    void choosingStyleShowsItsValues()
    {
        Styles styles = reportStyles();
        DStyleView view({});
        view.initVal(styles.list);
        QCOMPARE(view.currentStyleName(), QStringLiteral("Normal"));
        QVERIFY(view.setCurrentStyle("Title1 Failed"));
        QVERIFY(view.findChild<QCheckBox*>("bold")->isChecked());
        QCOMPARE(view.findChild<QAColorButton*>("color")->color(), QColor("#c00000"));
        QCOMPARE(view.findChild<QSpinBox*>("marginTop")->value(), 12);
        QVERIFY(!view.findChild<QCheckBox*>("hasBackground")->isChecked());
        QVERIFY(!view.findChild<QAColorButton*>("background")->isEnabled());
        // Showing another style is no edit.
        QVERIFY(view.setCurrentStyle("Array Title"));
        QVERIFY(view.findChild<QAColorButton*>("background")->isEnabled());
        QVERIFY(!view.isModified());
    }

    void initValDropsEditsAndKeepsChoice()
    {
        Styles styles = reportStyles();
        DStyleView view({});
        view.initVal(styles.list);
        view.setCurrentStyle("Array Title");
        setEditor(view, "size", 22);
        view.initVal(styles.list);
        QVERIFY(!view.isModified());
        QCOMPARE(view.currentStyleName(), QStringLiteral("Array Title"));
        QCOMPARE(view.findChild<QSpinBox*>("size")->value(), 10);
        // Nothing to edit: the editors are off and an update changes nothing.
        view.initVal({});
        QVERIFY(view.currentStyleName().isNull());
        QVERIFY(!view.findChild<QSpinBox*>("size")->isEnabled());
        view.updateStyles();
        QCOMPARE(styles.list.at(2)->pointSize(), 10);
    }

    void readOnlyViewEditsNothing()
    {
        Styles styles = reportStyles();
        DStyleView view({}, nullptr, "viewer", true);
        view.initVal(styles.list);
        QVERIFY(!view.findChild<QCheckBox*>("bold")->isEnabled());
        QVERIFY(view.findChild<QListWidget*>("styles")->isEnabled());
    }

    void previewFollowsEdits()
    {
        Styles styles = reportStyles();
        DStyleView view({});
        view.resize(640, 480);
        view.initVal(styles.list);
        const QColor green(0, 0xa0, 0);
        QCOMPARE(pixelsOf(view.preview(), green), 0);
        setEditor(view, "color", green);
        QVERIFY(pixelsOf(view.preview(), green) > 20);
        // Another style shown first in the preview keeps the edit of the first one.
        view.setCurrentStyle("Title1 Failed");
        QVERIFY(pixelsOf(view.preview(), green) > 20);
        view.initVal(styles.list);
        QCOMPARE(pixelsOf(view.preview(), green), 0);
    }

    void previewSurvivesMarkupInNames()
    {
        Styles styles;
        styles.add("<P a=\"&amp;\">", Qt::black);
        DStyleView view({});
        view.initVal(styles.list);
        const QString text = view.preview()->toPlainText();
        QVERIFY2(text.startsWith("<P a=\"&amp;\">: "), qPrintable(text));
    }
};

QTEST_MAIN(TestDStyleView)
#include "tst_dstyleview.moc"
