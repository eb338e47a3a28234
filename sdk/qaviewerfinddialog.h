#pragma once

#include <QDialog>
#include <QRegularExpression>

class QLineEdit;
class QCheckBox;
class QPushButton;

// The viewers' search dialog: a text, "Case sensitive", "Whole words" and
// "Regular expression" options, Find and Close. Find (or Return in the text)
// emits the expression; without "Regular expression" the text is matched
// literally. The options are read from a settings file when the dialog is
// made and written back at each Find, so that every window and the next
// run start with the user's last choice (case-insensitive at first).
class QAViewerFindDialog : public QDialog
{
    Q_OBJECT
public:
    explicit QAViewerFindDialog(QWidget* parent = nullptr, const char* name = nullptr,
                                bool modal = false);
    ~QAViewerFindDialog() override;

    // The file the options are kept in; by default find.ini in the
    // application's configuration folder. An empty name restores that.
    static void setSettingsFile(const QString& file);
    static QString settingsFile();
    // An expression without text carrying the stored case option, for a
    // window's first Find Next.
    static QRegularExpression storedOptions();

    // Shows `re` in the dialog: a pattern that is an escaped literal shows
    // as plain text with "Regular expression" off.
    void setRegExp(const QRegularExpression& re);
    // The expression the dialog's text and options make.
    QRegularExpression regExp() const;

    QLineEdit* lineEdit() const { return m_edit; }
    QCheckBox* caseSensitiveBox() const { return m_case; }
    QCheckBox* regularExpressionBox() const { return m_regex; }
    QCheckBox* wholeWordsBox() const { return m_words; }
    QPushButton* findButton() const { return m_find; }
    QPushButton* closeButton() const { return m_close; }

Q_SIGNALS:
    void search(const QRegularExpression& re);

private Q_SLOTS:
    void findClicked();

private:
    void loadOptions();
    void storeOptions() const;

    QLineEdit* m_edit;
    QCheckBox* m_case;
    QCheckBox* m_regex;
    QCheckBox* m_words;
    QPushButton* m_find;
    QPushButton* m_close;
};
