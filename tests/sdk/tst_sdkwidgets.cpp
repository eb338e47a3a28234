#include "sdk/qacolorbutton.h"
#include "sdk/qalistview.h"
#include "sdk/qamodal.h"
#include "sdk/qastoutputwidget.h"
#include "sdk/qaviewerfinddialog.h"

#include <QCheckBox>
#include <QDialog>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStandardItemModel>
#include <QStringListModel>
#include <QTest>

Q_DECLARE_METATYPE(QAModalRequest::Kind)

// The SDK's widgets: the modal seam (with an answerer installed) and the
// colour button that uses it, the output pane, the list view's index-based
// signals and the find dialog.
class tst_SdkWidgets : public QObject
{
    Q_OBJECT

private:
    QList<QAModalRequest> m_requests;
    QVariant m_answer;

    // Rows top, child, second; two columns, shown.
    struct Tree
    {
        QStandardItemModel model{ 0, 2 };
        QAListView view;
        QModelIndex top, child, second;

        Tree()
        {
            for (const char* name : { "top", "child", "second" })
                model.appendRow({ new QStandardItem(QString::fromLatin1(name)), new QStandardItem });
            top = model.index(0, 0);
            child = model.index(1, 0);
            second = model.index(2, 0);
            view.setModel(&model);
            view.setColumnWidth(0, 150);
            view.resize(300, 300);
            view.show();
        }
    };

private Q_SLOTS:
    void init()
    {
        m_requests.clear();
        m_answer = QVariant();
        QAModal::setAnswerer([this](const QAModalRequest& request) {
            m_requests << request;
            return m_answer;
        });
    }

    void cleanup() { QAModal::clearAnswerer(); }

    void messageBoxes_data()
    {
        QTest::addColumn<QAModalRequest::Kind>("kind");
        QTest::addColumn<QVariant>("answer");
        QTest::addColumn<QMessageBox::StandardButton>("defaultButton");
        QTest::addColumn<QMessageBox::StandardButton>("expected");

        using K = QAModalRequest;
        using B = QMessageBox;
        QTest::newRow("warning answered") << K::Warning << QVariant(int(B::Cancel)) << B::NoButton << B::Cancel;
        QTest::newRow("warning unanswered") << K::Warning << QVariant() << B::NoButton << B::Ok;
        QTest::newRow("information unanswered") << K::Information << QVariant() << B::NoButton << B::Ok;
        QTest::newRow("question unanswered") << K::Question << QVariant() << B::NoButton << B::No;
        QTest::newRow("question unanswered with default") << K::Question << QVariant() << B::Yes << B::Yes;
    }

    void messageBoxes()
    {
        QFETCH(QAModalRequest::Kind, kind);
        QFETCH(QMessageBox::StandardButton, defaultButton);
        QFETCH(QVariant, answer);
        m_answer = answer;
        const auto box = kind == QAModalRequest::Warning       ? &QAModal::warning
                         : kind == QAModalRequest::Information ? &QAModal::information
                                                               : &QAModal::question;
        QWidget parent;
        QTEST(box(&parent, "Test Report", "Not found:\n", QMessageBox::Ok | QMessageBox::Cancel, defaultButton), "expected");
        QCOMPARE(m_requests.size(), 1);
        QCOMPARE(m_requests.at(0).kind, kind);
        QCOMPARE(m_requests.at(0).parent, &parent);
        QCOMPARE(m_requests.at(0).text, QStringLiteral("Not found:\n"));
    }

    void execDialog()
    {
        QDialog dialog;
        QCOMPARE(QAModal::exec(&dialog), int(QDialog::Rejected));
        QCOMPARE(m_requests.last().kind, QAModalRequest::Dialog);
        QCOMPARE(m_requests.last().dialog, &dialog);
        m_answer = int(QDialog::Accepted);
        QCOMPARE(QAModal::exec(&dialog), int(QDialog::Accepted));
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QVERIFY(!dialog.isVisible());
        QCOMPARE(QAModal::exec(nullptr), int(QDialog::Rejected));
    }

    void colorButton_data()
    {
        QTest::addColumn<QVariant>("answer");
        QTest::addColumn<QColor>("expected");
        QTest::addColumn<int>("emissions");
        QTest::newRow("new colour") << QVariant(QColor(Qt::red)) << QColor(Qt::red) << 1;
        QTest::newRow("cancelled") << QVariant() << QColor(Qt::blue) << 0;
        QTest::newRow("same colour") << QVariant(QColor(Qt::blue)) << QColor(Qt::blue) << 0;
    }

    void colorButton()
    {
        QFETCH(QVariant, answer);
        QFETCH(QColor, expected);
        QFETCH(int, emissions);
        m_answer = answer;
        QAColorButton button(QColor(Qt::blue));
        QSignalSpy spy(&button, &QAColorButton::colorChanged);
        button.click();
        QCOMPARE(m_requests.size(), 1);
        QCOMPARE(m_requests.at(0).kind, QAModalRequest::Color);
        QCOMPARE(m_requests.at(0).initial, QColor(Qt::blue));
        QCOMPARE(button.color(), expected);
        QCOMPARE(spy.count(), emissions);
        if (emissions)
            QCOMPARE(spy.at(0).at(0).value<QColor>(), expected);
        // Setting the colour in code notifies only when asked to.
        button.setColor(Qt::green, false);
        button.setColor(Qt::black, true);
        QCOMPARE(spy.count(), emissions + 1);
    }

    void outputWidgetAppends()
    {
        QAStOutputWidget output;
        output.resize(200, 60);
        output.show();
        for (int i = 0; i < 50; ++i)
            output.append(QStringLiteral("line %1\n").arg(i));
        output.append(QStringLiteral("Stopped."));
        output.append(QStringLiteral("\n"));
        // Text goes on where the last ended, and the last line is in view.
        const QStringList lines = output.toPlainText().split(QLatin1Char('\n'));
        QCOMPARE(lines.size(), 52);
        QCOMPARE(lines.at(50), QStringLiteral("Stopped."));
        QCOMPARE(output.verticalScrollBar()->value(), output.verticalScrollBar()->maximum());
    }

    void listViewSignals()
    {
        Tree tree;
        // Making the current index current again emits nothing.
        QSignalSpy current(&tree.view, &QAListView::currentIndexChanged);
        tree.view.setCurrentIndex(tree.child);
        tree.view.setCurrentIndex(tree.child);
        tree.view.setCurrentIndex(tree.second);
        tree.view.setCurrentIndex(QModelIndex());
        QCOMPARE(current.count(), 3);
        QCOMPARE(current.at(0).at(0).toModelIndex(), tree.child);
        QCOMPARE(current.at(1).at(0).toModelIndex(), tree.second);
        QVERIFY(!current.at(2).at(0).toModelIndex().isValid());

        QSignalSpy doubleClicked(&tree.view, &QAListView::doubleClicked);
        QVERIFY(QTest::qWaitForWindowExposed(&tree.view));
        const QPoint pos = tree.view.visualRect(tree.child).center();
        QTest::mouseClick(tree.view.viewport(), Qt::LeftButton, {}, pos);
        QTest::mouseDClick(tree.view.viewport(), Qt::LeftButton, {}, pos);
        QCOMPARE(doubleClicked.count(), 1);
        QCOMPARE(doubleClicked.at(0).at(0).toModelIndex(), tree.child);
    }

    // A list emptied of many rows takes a fresh row header, which gives back
    // the room the old one kept for them; a short list keeps its header.
    // The header made with the view resets before the view does, so the
    // count it held must not be read from it then.
    void listViewRowHeaderRoom_data()
    {
        QTest::addColumn<int>("rows");
        QTest::addColumn<bool>("replaced");
        QTest::newRow("short list") << 100 << false;
        QTest::newRow("long list") << 20000 << true;
    }

    void listViewRowHeaderRoom()
    {
        QFETCH(int, rows);
        QStringListModel model;
        QAListView view;
        view.setModel(&model);
        for (int round = 0; round < 2; ++round) {
            QStringList list;
            for (int i = 0; i < rows; ++i)
                list << QString::number(i);
            model.setStringList(list);
            QCOMPARE(view.verticalHeader()->count(), rows);
            const QHeaderView* before = view.verticalHeader();
            model.setStringList({});
            QTEST(view.verticalHeader() != before, "replaced");
            QCOMPARE(view.verticalHeader()->count(), 0);
        }
        model.setStringList({ QStringLiteral("one"), QStringLiteral("two") });
        QCOMPARE(view.verticalHeader()->count(), 2);
    }

    // The keys move over rows as in a list: Home and End to the first and
    // last row, Left and Right nowhere, whatever cell is current.
    void listViewKeys_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("fromRow");
        QTest::addColumn<int>("fromColumn");
        QTest::addColumn<int>("toRow");

        QTest::newRow("Home from the last row") << int(Qt::Key_Home) << 2 << 0 << 0;
        QTest::newRow("Home from column 1") << int(Qt::Key_Home) << 1 << 1 << 0;
        QTest::newRow("End from the first row") << int(Qt::Key_End) << 0 << 0 << 2;
        QTest::newRow("End from column 1") << int(Qt::Key_End) << 0 << 1 << 2;
        QTest::newRow("Down") << int(Qt::Key_Down) << 0 << 1 << 1;
        QTest::newRow("Up") << int(Qt::Key_Up) << 2 << 0 << 1;
        QTest::newRow("Left") << int(Qt::Key_Left) << 1 << 1 << 1;
        QTest::newRow("Right") << int(Qt::Key_Right) << 1 << 0 << 1;
    }

    void listViewKeys()
    {
        QFETCH(int, key);
        QFETCH(int, fromRow);
        QFETCH(int, fromColumn);
        QFETCH(int, toRow);
        Tree tree;
        tree.view.setCurrentIndex(tree.model.index(fromRow, fromColumn));
        QTest::keyClick(&tree.view, Qt::Key(key));
        QCOMPARE(tree.view.currentIndex(), tree.model.index(toRow, fromColumn));
        // The whole row is the selection.
        QCOMPARE(tree.view.selectionModel()->selectedRows(), QModelIndexList{ tree.model.index(toRow, 0) });
    }

    void listViewContextMenu_data()
    {
        QTest::addColumn<QString>("where"); // item text, or "" for empty space
        QTest::addColumn<int>("column");
        QTest::newRow("item column 0") << "child" << 0;
        QTest::newRow("item column 1") << "second" << 1;
        QTest::newRow("empty space") << "" << 0;
    }

    void listViewContextMenu()
    {
        QFETCH(QString, where);
        QFETCH(int, column);
        Tree tree;
        const QModelIndex item =
            where.isEmpty() ? QModelIndex()
                            : tree.model.match(tree.top, Qt::DisplayRole, where, 1,
                                               Qt::MatchExactly | Qt::MatchWrap)
                                  .value(0)
                                  .siblingAtColumn(column);
        const QPoint pos = item.isValid() ? QPoint(tree.view.columnViewportPosition(column) + 5,
                                                   tree.view.visualRect(item).center().y())
                                          : QPoint(10, tree.view.viewport()->height() - 5);
        QCOMPARE(tree.view.indexAt(pos), item);
        QSignalSpy menu(&tree.view, &QAListView::contextMenuRequested);
        QSignalSpy right(&tree.view, &QAListView::rightButtonClicked);
        Q_EMIT tree.view.customContextMenuRequested(pos);
        for (const QSignalSpy* spy : { &menu, &right }) {
            QCOMPARE(spy->count(), 1);
            QCOMPARE(spy->at(0).at(0).toModelIndex(), item);
            QCOMPARE(spy->at(0).at(1).toPoint(), tree.view.viewport()->mapToGlobal(pos));
            QCOMPARE(spy->at(0).at(2).toInt(), column);
        }
    }

    void findDialogEmits_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("caseSensitive");
        QTest::addColumn<bool>("regularExpression");
        QTest::addColumn<bool>("byReturn");
        QTest::addColumn<QString>("subject");
        QTest::addColumn<bool>("matches");

        QTest::newRow("literal dot") << "a.c" << true << false << false << "abc" << false;
        QTest::newRow("regex dot") << "a.c" << true << true << false << "abc" << true;
        QTest::newRow("case sensitive") << "Fail" << true << false << false << "fail" << false;
        QTest::newRow("case insensitive") << "Fail" << false << false << true << "FAIL" << true;
        QTest::newRow("regex insensitive") << "^k[o0]$" << false << true << false << "K0" << true;
        QTest::newRow("literal brackets") << "[x]" << true << false << false << "x" << false;
        QTest::newRow("empty text by button") << "" << true << false << false << "" << false;
        QTest::newRow("empty text by return") << "" << true << false << true << "" << false;
    }

    void findDialogEmits()
    {
        QFETCH(QString, text);
        QFETCH(bool, caseSensitive);
        QFETCH(bool, regularExpression);
        QFETCH(bool, byReturn);
        QFETCH(QString, subject);
        QAViewerFindDialog dialog(nullptr, "find", true);
        QSignalSpy spy(&dialog, &QAViewerFindDialog::search);
        dialog.lineEdit()->setText(text);
        dialog.caseSensitiveBox()->setChecked(caseSensitive);
        dialog.regularExpressionBox()->setChecked(regularExpression);
        byReturn ? QTest::keyClick(dialog.lineEdit(), Qt::Key_Return) : dialog.findButton()->click();
        // An empty text searches nothing.
        QCOMPARE(spy.count(), text.isEmpty() ? 0 : 1);
        if (text.isEmpty())
            return;
        const auto re = spy.at(0).at(0).value<QRegularExpression>();
        QVERIFY(re.isValid());
        QTEST(re.match(subject).hasMatch(), "matches");
        QCOMPARE(bool(re.patternOptions() & QRegularExpression::CaseInsensitiveOption), !caseSensitive);
        QCOMPARE(dialog.regExp(), re);
    }

    void findDialogShows_data()
    {
        QTest::addColumn<QRegularExpression>("re");
        QTest::addColumn<QString>("shownText");
        QTest::addColumn<bool>("caseChecked");
        QTest::addColumn<bool>("regexChecked");

        const auto insensitive = QRegularExpression::CaseInsensitiveOption;
        QTest::newRow("empty") << QRegularExpression() << "" << true << false;
        QTest::newRow("plain word") << QRegularExpression("ko") << "ko" << true << false;
        QTest::newRow("insensitive word") << QRegularExpression("ko", insensitive) << "ko" << false << false;
        QTest::newRow("escaped literal")
            << QRegularExpression(QRegularExpression::escape("a.b (c) é")) << "a.b (c) é" << true << false;
        QTest::newRow("real pattern") << QRegularExpression("a.b") << "a.b" << true << true;
        QTest::newRow("class escape") << QRegularExpression("\\d+") << "\\d+" << true << true;
        QTest::newRow("trailing backslash") << QRegularExpression("a\\") << "a\\" << true << true;
    }

    void findDialogShows()
    {
        QFETCH(QRegularExpression, re);
        QAViewerFindDialog dialog;
        dialog.setRegExp(re);
        QTEST(dialog.lineEdit()->text(), "shownText");
        QTEST(dialog.caseSensitiveBox()->isChecked(), "caseChecked");
        QTEST(dialog.regularExpressionBox()->isChecked(), "regexChecked");
        // What is shown gives the same expression back.
        QCOMPARE(dialog.regExp(), re);
    }
};

QTEST_MAIN(tst_SdkWidgets)
#include "tst_sdkwidgets.moc"
