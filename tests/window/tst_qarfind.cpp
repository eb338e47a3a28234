#include "korvatreporter/data/qareporterdata.h"
#include "korvatreporter/session/qareportsession.h"
#include "korvatreporter/document/qareporterfilteredlist.h"
#include "korvatreporter/window/qareporterstate.h"
#include "korvatreporter/window/qarlistview.h"
#include "korvatreporter/window/qartreemodel.h"
#include "rendoc/model/ddocument.h"
#include "rendoc/model/dtext.h"
#include "rendoc/view/drendocview.h"
#include "sdk/qamodal.h"
#include "sdk/qaviewerfinddialog.h"
#include "tests/support/reporterhost.h"
#include "tests/support/testfiles.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

// Find in a report window: the options the user chose carry over to other
// windows and runs, a hit becomes the tree's current row and is not hidden
// by the dialog; stack frames of a JUnit report wrap with their "at".
class TestReporterFind : public QObject
{
    Q_OBJECT

    ReporterHost m_host;
    QTemporaryDir m_dir;

    std::unique_ptr<QAReporter> window(const char *name) { return ReporterHost::open({TestFiles::example(name)}); }

    // Answers the find dialog with `answer` and then closes it.
    static void answerDialog(std::function<void(QAViewerFindDialog *)> answer)
    {
        QAModal::setAnswerer([answer](const QAModalRequest &r) {
            if (auto *dialog = qobject_cast<QAViewerFindDialog *>(r.dialog))
                answer(dialog);
            return QVariant(int(QDialog::Rejected));
        });
    }

private Q_SLOTS:
    void initTestCase()
    {
        m_host.setUp();
        QVERIFY(m_dir.isValid());
        QAViewerFindDialog::setSettingsFile(m_dir.filePath(QStringLiteral("find.ini")));
    }

    void init() { QFile::remove(QAViewerFindDialog::settingsFile()); }

    void optionsRemembered_data()
    {
        QTest::addColumn<bool>("caseSensitive");
        QTest::addColumn<bool>("wholeWords");
        QTest::addColumn<bool>("regularExpression");
        QTest::newRow("untouched defaults") << false << false << false;
        QTest::newRow("case sensitive") << true << false << false;
        QTest::newRow("whole words") << false << true << false;
        QTest::newRow("all three") << true << true << true;
    }

    void optionsRemembered()
    {
        QFETCH(bool, caseSensitive);
        QFETCH(bool, wholeWords);
        QFETCH(bool, regularExpression);
        // A first dialog starts case-insensitive; the user sets the options and finds.
        bool firstCase = true;
        answerDialog([&](QAViewerFindDialog *d) {
            firstCase = d->caseSensitiveBox()->isChecked();
            d->lineEdit()->setText(QStringLiteral("parser"));
            d->caseSensitiveBox()->setChecked(caseSensitive);
            d->wholeWordsBox()->setChecked(wholeWords);
            d->regularExpressionBox()->setChecked(regularExpression);
            d->findButton()->click();
        });
        window("campaign.xrd")->find();
        QVERIFY(!firstCase);

        // Another window (or the next run) starts with those options.
        auto other = window("smoke.xrd");
        QCOMPARE(bool(other->lastSearch().patternOptions() & QRegularExpression::CaseInsensitiveOption),
                 !caseSensitive);
        bool shown[3] = {};
        answerDialog([&](QAViewerFindDialog *d) {
            shown[0] = d->caseSensitiveBox()->isChecked();
            shown[1] = d->wholeWordsBox()->isChecked();
            shown[2] = d->regularExpressionBox()->isChecked();
        });
        other->find();
        QCOMPARE(shown[0], caseSensitive);
        QCOMPARE(shown[1], wholeWords);
        QCOMPARE(shown[2], regularExpression);
    }

    void hitFollowed_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("node"); // the tree's current row afterwards
        QTest::newRow("check inside a test case")
            << "campaign.xrd" << "closes the inner list" << "depth of innermost list";
        QTest::newRow("test case text") << "campaign.xrd" << "24 escape sequences" << "unicode escapes";
        QTest::newRow("JUnit stack trace")
            << "junit-surefire.xml" << "AssertEquals.failNotEqual" << "reservesForOrder";
    }

    void hitFollowed()
    {
        QFETCH(QString, file);
        QFETCH(QString, text);
        QFETCH(QString, node);
        auto w = window(qPrintable(file));
        w->resize(900, 600);
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        DRendocView *view = w->mainView();
        // The dialog is put right over the report view before Find.
        const QRect viewOnScreen(view->viewport()->mapToGlobal(QPoint()), view->viewport()->size());
        QRect hit;
        QRect dialogFrame;
        answerDialog([&](QAViewerFindDialog *d) {
            d->setGeometry(viewOnScreen);
            d->lineEdit()->setText(text);
            d->findButton()->click();
            const QRect inView = view->selectionRect();
            hit = QRect(view->viewport()->mapToGlobal(inView.topLeft()), inView.size());
            dialogFrame = d->frameGeometry();
        });
        w->find();
        QVERIFY(view->selectedText().contains(text, Qt::CaseInsensitive));
        QVERIFY(!hit.isEmpty());
        QVERIFY2(!dialogFrame.intersects(hit), qPrintable(QStringLiteral("hit under the dialog")));
        // The tree's current row holds the hit, and the view stayed on the hit.
        const QAReporterNode *current = w->treeModel()->node(w->treeView()->currentRow());
        QVERIFY(current);
        QCOMPARE(current->name, node);
        QVERIFY(view->viewport()->rect().contains(view->selectionRect()));
    }

    void traceFrameLines_data()
    {
        QTest::addColumn<double>("widthRatio"); // view width over the frame's one-line width
        QTest::addColumn<int>("lines");
        QTest::newRow("room to spare") << 1.3 << 1;
        QTest::newRow("a little short") << 0.8 << 2;
        QTest::newRow("just over half") << 0.55 << 2;
    }

    void traceFrameLines()
    {
        QFETCH(double, widthRatio);
        auto w = window("junit-surefire.xml");
        DDocument *document = w->reportSession()->shownList()->at(0)->document;
        const DItem *frame = nullptr;
        for (DItem *i = document; i && !frame; i = i->nextInDocument(document))
            if (const DText *t = i->toText(); t && t->text().contains(QLatin1String("failNotEqual")))
                frame = i;
        QVERIFY(frame);

        DRendocView view;
        view.setMargin(0);
        view.setDocument(document, true);
        view.resize(4000, 600);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        const QRect oneLine = view.itemRect(const_cast<DItem *>(frame));
        QVERIFY(oneLine.height() > 0);
        const int chrome = view.width() - view.viewport()->width();
        view.resize(chrome + int(oneLine.right() * widthRatio), 600);
        QCoreApplication::processEvents();
        const QRect wrapped = view.itemRect(const_cast<DItem *>(frame));
        QTEST(qRound(double(wrapped.height()) / oneLine.height()), "lines");
        view.clearDocs();
    }
};

QTEST_MAIN(TestReporterFind)
#include "tst_qarfind.moc"
