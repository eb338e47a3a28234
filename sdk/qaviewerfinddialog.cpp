#include "sdk/qaviewerfinddialog.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// The text whose QRegularExpression::escape() is `pattern`, or a null
// string when the pattern is not such an escaped literal.
QString literalOf(const QString& pattern)
{
    QString text(QLatin1String(""));
    for (int i = 0; i < pattern.size(); ++i) {
        QChar c = pattern.at(i);
        if (c == QLatin1Char('\\')) {
            if (++i >= pattern.size())
                return QString();
            c = pattern.at(i);
            text.append(c == QLatin1Char('0') ? QChar(QChar::Null) : c);
        } else {
            text.append(c);
        }
    }
    return QRegularExpression::escape(text) == pattern ? text : QString();
}

} // namespace

QAViewerFindDialog::QAViewerFindDialog(QWidget* parent, const char* name, bool modal)
    : QDialog(parent)
{
    if (name)
        setObjectName(QString::fromUtf8(name));
    setModal(modal);
    setWindowTitle(tr("Find"));

    auto* label = new QLabel(tr("Text:"), this);
    m_edit = new QLineEdit(this);
    label->setBuddy(m_edit);
    m_case = new QCheckBox(tr("Case sensitive"), this);
    m_regex = new QCheckBox(tr("Regular expression"), this);
    m_find = new QPushButton(tr("Find"), this);
    m_close = new QPushButton(tr("Close"), this);
    // Return in the text field searches; no button takes it over.
    m_find->setAutoDefault(false);
    m_close->setAutoDefault(false);

    auto* textRow = new QHBoxLayout;
    textRow->addWidget(label);
    textRow->addWidget(m_edit, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_find);
    buttons->addWidget(m_close);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(textRow);
    layout->addWidget(m_case);
    layout->addWidget(m_regex);
    layout->addLayout(buttons);

    connect(m_find, &QPushButton::clicked, this, &QAViewerFindDialog::findClicked);
    connect(m_edit, &QLineEdit::returnPressed, this, &QAViewerFindDialog::findClicked);
    connect(m_close, &QPushButton::clicked, this, &QDialog::reject);

    setRegExp(QRegularExpression());
}

QAViewerFindDialog::~QAViewerFindDialog() = default;

void QAViewerFindDialog::setRegExp(const QRegularExpression& re)
{
    const QString literal = literalOf(re.pattern());
    m_regex->setChecked(literal.isNull());
    m_edit->setText(literal.isNull() ? re.pattern() : literal);
    m_case->setChecked(!(re.patternOptions() & QRegularExpression::CaseInsensitiveOption));
}

QRegularExpression QAViewerFindDialog::regExp() const
{
    const QString text = m_edit->text();
    QRegularExpression re(m_regex->isChecked() ? text : QRegularExpression::escape(text));
    if (!m_case->isChecked())
        re.setPatternOptions(QRegularExpression::CaseInsensitiveOption);
    return re;
}

void QAViewerFindDialog::findClicked()
{
    if (m_edit->text().isEmpty())
        return;
    Q_EMIT search(regExp());
}
