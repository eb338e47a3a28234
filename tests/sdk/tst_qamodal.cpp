#include "sdk/qacolorbutton.h"
#include "sdk/qamodal.h"
#include "sdk/qastoutputwidget.h"

#include <QDialog>
#include <QScrollBar>
#include <QTextBlock>
#include <QSignalSpy>
#include <QTest>

Q_DECLARE_METATYPE(QAModalRequest::Kind)

// The modal seam with an answerer installed, and the widgets that use it.
class tst_QAModal : public QObject
{
    Q_OBJECT

private:
    QList<QAModalRequest> m_requests;
    QVariant m_answer;

    void install()
    {
        m_requests.clear();
        QAModal::setAnswerer([this](const QAModalRequest& request) {
            m_requests << request;
            return m_answer;
        });
    }

private Q_SLOTS:
    void cleanup()
    {
        QAModal::clearAnswerer();
        m_answer = QVariant();
    }

    void messageBoxes_data()
    {
        QTest::addColumn<QAModalRequest::Kind>("kind");
        QTest::addColumn<QVariant>("answer");
        QTest::addColumn<int>("defaultButton");
        QTest::addColumn<int>("expected");

        const QVariant none;
        QTest::newRow("warning answered") << QAModalRequest::Warning << QVariant(int(QMessageBox::Cancel))
                                          << int(QMessageBox::NoButton) << int(QMessageBox::Cancel);
        QTest::newRow("warning unanswered") << QAModalRequest::Warning << none
                                            << int(QMessageBox::NoButton) << int(QMessageBox::Ok);
        QTest::newRow("information unanswered") << QAModalRequest::Information << none
                                                << int(QMessageBox::NoButton) << int(QMessageBox::Ok);
        QTest::newRow("question answered yes") << QAModalRequest::Question << QVariant(int(QMessageBox::Yes))
                                               << int(QMessageBox::NoButton) << int(QMessageBox::Yes);
        QTest::newRow("question unanswered") << QAModalRequest::Question << none
                                             << int(QMessageBox::NoButton) << int(QMessageBox::No);
        QTest::newRow("question unanswered with default") << QAModalRequest::Question << none
                                                          << int(QMessageBox::Yes) << int(QMessageBox::Yes);
    }

    void messageBoxes()
    {
        QFETCH(QAModalRequest::Kind, kind);
        QFETCH(QVariant, answer);
        QFETCH(int, defaultButton);
        QFETCH(int, expected);
        install();
        m_answer = answer;
        QWidget parent;
        const auto def = QMessageBox::StandardButton(defaultButton);
        QMessageBox::StandardButton result = QMessageBox::NoButton;
        const QString caption = QStringLiteral("Test Report");
        const QString text = QStringLiteral("File(s) not found or corrupted:\n");
        switch (kind) {
        case QAModalRequest::Warning:
            result = QAModal::warning(&parent, caption, text, QMessageBox::Ok | QMessageBox::Cancel, def);
            break;
        case QAModalRequest::Information:
            result = QAModal::information(&parent, caption, text, QMessageBox::Ok, def);
            break;
        default:
            result = QAModal::question(&parent, caption, text, QMessageBox::Yes | QMessageBox::No, def);
            break;
        }
        QCOMPARE(int(result), expected);
        QCOMPARE(m_requests.size(), 1);
        QCOMPARE(m_requests.at(0).kind, kind);
        QCOMPARE(m_requests.at(0).parent, &parent);
        QCOMPARE(m_requests.at(0).caption, caption);
        QCOMPARE(m_requests.at(0).text, text);
    }

    void fileDialogs()
    {
        install();
        m_answer = QStringLiteral("/tmp/a.xrd");
        QCOMPARE(QAModal::getSaveFileName(nullptr, "Save", "/tmp", "Report (*.xrd)"), QStringLiteral("/tmp/a.xrd"));
        QCOMPARE(m_requests.last().kind, QAModalRequest::SaveFileName);
        QCOMPARE(m_requests.last().dir, QStringLiteral("/tmp"));
        QCOMPARE(m_requests.last().filter, QStringLiteral("Report (*.xrd)"));
        QCOMPARE(QAModal::getOpenFileName(nullptr, "Open", "/d", "*"), QStringLiteral("/tmp/a.xrd"));
        QCOMPARE(m_requests.last().kind, QAModalRequest::OpenFileName);
        m_answer = QStringList{ "/x/1.xrd", "/x/2.xrd" };
        QCOMPARE(QAModal::getOpenFileNames(nullptr, "Open", "/x", "*.xrd"),
                 (QStringList{ "/x/1.xrd", "/x/2.xrd" }));
        QCOMPARE(m_requests.last().kind, QAModalRequest::OpenFileNames);
        // No answer is a cancelled dialog.
        m_answer = QVariant();
        QVERIFY(QAModal::getSaveFileName(nullptr, "Save", "/tmp", "*").isEmpty());
        QVERIFY(QAModal::getOpenFileNames(nullptr, "Open", "/tmp", "*").isEmpty());
    }

    void execDialog()
    {
        install();
        QDialog dialog;
        dialog.setWindowTitle(QStringLiteral("Export"));
        QCOMPARE(QAModal::exec(&dialog), int(QDialog::Rejected));
        QCOMPARE(m_requests.last().kind, QAModalRequest::Dialog);
        QCOMPARE(m_requests.last().dialog, &dialog);
        QCOMPARE(m_requests.last().caption, QStringLiteral("Export"));
        m_answer = int(QDialog::Accepted);
        QCOMPARE(QAModal::exec(&dialog), int(QDialog::Accepted));
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QVERIFY(!dialog.isVisible());
        QCOMPARE(QAModal::exec(nullptr), int(QDialog::Rejected));
    }

    void answererCanBeRemoved()
    {
        install();
        QVERIFY(QAModal::hasAnswerer());
        QAModal::clearAnswerer();
        QVERIFY(!QAModal::hasAnswerer());
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
        install();
        m_answer = answer;
        QAColorButton button(QColor(Qt::blue));
        QSignalSpy spy(&button, &QAColorButton::colorChanged);
        button.click();
        QCOMPARE(m_requests.size(), 1);
        QCOMPARE(m_requests.at(0).kind, QAModalRequest::Color);
        QCOMPARE(m_requests.at(0).initial, QColor(Qt::blue));
        QCOMPARE(m_requests.at(0).parent, &button);
        QCOMPARE(button.color(), expected);
        QCOMPARE(spy.count(), emissions);
        if (emissions)
            QCOMPARE(spy.at(0).at(0).value<QColor>(), expected);
    }

    void colorButtonSetColor()
    {
        QAColorButton button;
        QSignalSpy spy(&button, &QAColorButton::colorChanged);
        QColor green(Qt::green);
        button.setColor(green, false);
        QCOMPARE(button.color(), green);
        QCOMPARE(spy.count(), 0);
        button.setColor(QColor(Qt::black), true);
        QCOMPARE(spy.count(), 1);
        // Painting the swatch works on any size.
        button.resize(10, 4);
        button.show();
        QVERIFY(!button.grab().isNull());
    }

    void outputWidgetAppends()
    {
        QAStOutputWidget output;
        QVERIFY(output.isReadOnly());
        output.resize(200, 60);
        output.show();
        for (int i = 0; i < 50; ++i)
            output.append(QStringLiteral("line %1\n").arg(i));
        output.append(QStringLiteral("Stopped."));
        output.append(QStringLiteral("\n"));
        const QStringList lines = output.toPlainText().split(QLatin1Char('\n'));
        QCOMPARE(lines.size(), 52);
        QCOMPARE(lines.at(0), QStringLiteral("line 0"));
        QCOMPARE(lines.at(50), QStringLiteral("Stopped."));
        // The last line is in view.
        const QTextBlock last = output.document()->lastBlock();
        QVERIFY(output.verticalScrollBar()->value() == output.verticalScrollBar()->maximum());
        QVERIFY(last.isValid());
    }
};

QTEST_MAIN(tst_QAModal)
#include "tst_qamodal.moc"
