#include "sdk/qaviewerfinddialog.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

// The find dialog's emitted expression and how it shows a given one.
class tst_QAViewerFindDialog : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void emittedExpression_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("caseSensitive");
        QTest::addColumn<bool>("regularExpression");
        QTest::addColumn<bool>("byReturn");
        QTest::addColumn<QString>("subject");
        QTest::addColumn<bool>("matches");

        QTest::newRow("literal dot") << "a.c" << true << false << false << "abc" << false;
        QTest::newRow("literal dot found") << "a.c" << true << false << true << "xa.cx" << true;
        QTest::newRow("regex dot") << "a.c" << true << true << false << "abc" << true;
        QTest::newRow("case sensitive") << "Fail" << true << false << false << "fail" << false;
        QTest::newRow("case insensitive") << "Fail" << false << false << true << "FAIL" << true;
        QTest::newRow("regex insensitive") << "^k[o0]$" << false << true << false << "K0" << true;
        QTest::newRow("literal brackets") << "[x]" << true << false << false << "x" << false;
    }

    void emittedExpression()
    {
        QFETCH(QString, text);
        QFETCH(bool, caseSensitive);
        QFETCH(bool, regularExpression);
        QFETCH(bool, byReturn);
        QFETCH(QString, subject);
        QFETCH(bool, matches);

        QAViewerFindDialog dialog(nullptr, "find", true);
        QCOMPARE(dialog.objectName(), QStringLiteral("find"));
        QVERIFY(dialog.isModal());
        QSignalSpy spy(&dialog, &QAViewerFindDialog::search);
        dialog.lineEdit()->setText(text);
        dialog.caseSensitiveBox()->setChecked(caseSensitive);
        dialog.regularExpressionBox()->setChecked(regularExpression);
        if (byReturn)
            QTest::keyClick(dialog.lineEdit(), Qt::Key_Return);
        else
            dialog.findButton()->click();
        QCOMPARE(spy.count(), 1);
        const auto re = spy.at(0).at(0).value<QRegularExpression>();
        QVERIFY(re.isValid());
        QCOMPARE(re.match(subject).hasMatch(), matches);
        QCOMPARE(bool(re.patternOptions() & QRegularExpression::CaseInsensitiveOption), !caseSensitive);
        QCOMPARE(dialog.regExp(), re);
    }

    void emptyTextSearchesNothing()
    {
        QAViewerFindDialog dialog;
        QSignalSpy spy(&dialog, &QAViewerFindDialog::search);
        dialog.findButton()->click();
        QTest::keyClick(dialog.lineEdit(), Qt::Key_Return);
        QCOMPARE(spy.count(), 0);
    }

    void closeRejects()
    {
        QAViewerFindDialog dialog;
        dialog.show();
        QSignalSpy spy(&dialog, &QDialog::rejected);
        dialog.closeButton()->click();
        QCOMPARE(spy.count(), 1);
        QVERIFY(!dialog.isVisible());
    }

    void setRegExpShowsExpression_data()
    {
        QTest::addColumn<QRegularExpression>("re");
        QTest::addColumn<QString>("shownText");
        QTest::addColumn<bool>("caseChecked");
        QTest::addColumn<bool>("regexChecked");

        QTest::newRow("empty") << QRegularExpression() << "" << true << false;
        QTest::newRow("plain word") << QRegularExpression("ko") << "ko" << true << false;
        QTest::newRow("insensitive word")
            << QRegularExpression("ko", QRegularExpression::CaseInsensitiveOption) << "ko" << false << false;
        QTest::newRow("escaped literal")
            << QRegularExpression(QRegularExpression::escape("a.b (c) é")) << "a.b (c) é" << true << false;
        QTest::newRow("real pattern") << QRegularExpression("a.b") << "a.b" << true << true;
        QTest::newRow("class escape") << QRegularExpression("\\d+") << "\\d+" << true << true;
        QTest::newRow("trailing backslash") << QRegularExpression("a\\") << "a\\" << true << true;
    }

    void setRegExpShowsExpression()
    {
        QFETCH(QRegularExpression, re);
        QFETCH(QString, shownText);
        QFETCH(bool, caseChecked);
        QFETCH(bool, regexChecked);

        QAViewerFindDialog dialog;
        dialog.setRegExp(re);
        QCOMPARE(dialog.lineEdit()->text(), shownText);
        QCOMPARE(dialog.caseSensitiveBox()->isChecked(), caseChecked);
        QCOMPARE(dialog.regularExpressionBox()->isChecked(), regexChecked);
        // What is shown gives the same expression back.
        QCOMPARE(dialog.regExp(), re);
    }

    void textsAreTheDialogs()
    {
        QAViewerFindDialog dialog;
        QCOMPARE(dialog.caseSensitiveBox()->text(), QStringLiteral("Case sensitive"));
        QCOMPARE(dialog.regularExpressionBox()->text(), QStringLiteral("Regular expression"));
        QCOMPARE(dialog.findButton()->text(), QStringLiteral("Find"));
        QCOMPARE(dialog.closeButton()->text(), QStringLiteral("Close"));
    }
};

QTEST_MAIN(tst_QAViewerFindDialog)
#include "tst_qaviewerfinddialog.moc"
