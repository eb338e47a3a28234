#pragma once

#include <QDialog>
#include <QRegularExpression>

class QLineEdit;
class QCheckBox;
class QPushButton;

// The viewers' search dialog: a text, "Case sensitive" and "Regular
// expression" options, Find and Close. Find (or Return in the text) emits
// the expression; without "Regular expression" the text is matched
// literally.
class QAViewerFindDialog : public QDialog
{
    Q_OBJECT
public:
    explicit QAViewerFindDialog(QWidget* parent = nullptr, const char* name = nullptr,
                                bool modal = false);
    ~QAViewerFindDialog() override;

    // Shows `re` in the dialog: a pattern that is an escaped literal shows
    // as plain text with "Regular expression" off.
    void setRegExp(const QRegularExpression& re);
    // The expression the dialog's text and options make.
    QRegularExpression regExp() const;

    QLineEdit* lineEdit() const { return m_edit; }
    QCheckBox* caseSensitiveBox() const { return m_case; }
    QCheckBox* regularExpressionBox() const { return m_regex; }
    QPushButton* findButton() const { return m_find; }
    QPushButton* closeButton() const { return m_close; }

Q_SIGNALS:
    void search(const QRegularExpression& re);

private Q_SLOTS:
    void findClicked();

private:
    QLineEdit* m_edit;
    QCheckBox* m_case;
    QCheckBox* m_regex;
    QPushButton* m_find;
    QPushButton* m_close;
};
