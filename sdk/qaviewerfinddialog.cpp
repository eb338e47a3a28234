#include "sdk/qaviewerfinddialog.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
#include <QVBoxLayout>

namespace {

// "Whole words" wraps the expression in these.
const QString WordsStart = QStringLiteral("\\b(?:");
const QString WordsEnd = QStringLiteral(")\\b");

const QString CaseKey = QStringLiteral("find/caseSensitive");
const QString WordsKey = QStringLiteral("find/wholeWords");
const QString RegexKey = QStringLiteral("find/regularExpression");

QString& settingsFileName()
{
    static QString name;
    return name;
}

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
    m_words = new QCheckBox(tr("Whole words"), this);
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
    layout->addWidget(m_words);
    layout->addWidget(m_regex);
    layout->addLayout(buttons);

    connect(m_find, &QPushButton::clicked, this, &QAViewerFindDialog::findClicked);
    connect(m_edit, &QLineEdit::returnPressed, this, &QAViewerFindDialog::findClicked);
    connect(m_close, &QPushButton::clicked, this, &QDialog::reject);

    setRegExp(QRegularExpression());
    loadOptions();
}

QAViewerFindDialog::~QAViewerFindDialog() = default;

void QAViewerFindDialog::setSettingsFile(const QString& file)
{
    settingsFileName() = file;
}

QString QAViewerFindDialog::settingsFile()
{
    if (!settingsFileName().isEmpty())
        return settingsFileName();
    return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation)
        + QStringLiteral("/find.ini");
}

QRegularExpression QAViewerFindDialog::storedOptions()
{
    const QSettings stored(settingsFile(), QSettings::IniFormat);
    QRegularExpression re;
    if (!stored.value(CaseKey, false).toBool())
        re.setPatternOptions(QRegularExpression::CaseInsensitiveOption);
    return re;
}

void QAViewerFindDialog::loadOptions()
{
    const QSettings stored(settingsFile(), QSettings::IniFormat);
    m_case->setChecked(stored.value(CaseKey, false).toBool());
    m_words->setChecked(stored.value(WordsKey, false).toBool());
    m_regex->setChecked(stored.value(RegexKey, false).toBool());
}

void QAViewerFindDialog::storeOptions() const
{
    QSettings stored(settingsFile(), QSettings::IniFormat);
    stored.setValue(CaseKey, m_case->isChecked());
    stored.setValue(WordsKey, m_words->isChecked());
    stored.setValue(RegexKey, m_regex->isChecked());
}

void QAViewerFindDialog::setRegExp(const QRegularExpression& re)
{
    QString pattern = re.pattern();
    const bool words = pattern.size() >= WordsStart.size() + WordsEnd.size()
        && pattern.startsWith(WordsStart) && pattern.endsWith(WordsEnd);
    if (words)
        pattern = pattern.mid(WordsStart.size(), pattern.size() - WordsStart.size() - WordsEnd.size());
    const QString literal = literalOf(pattern);
    m_regex->setChecked(literal.isNull());
    m_words->setChecked(words);
    m_edit->setText(literal.isNull() ? pattern : literal);
    m_case->setChecked(!(re.patternOptions() & QRegularExpression::CaseInsensitiveOption));
}

QRegularExpression QAViewerFindDialog::regExp() const
{
    const QString text = m_edit->text();
    QString pattern = m_regex->isChecked() ? text : QRegularExpression::escape(text);
    if (m_words->isChecked())
        pattern = WordsStart + pattern + WordsEnd;
    QRegularExpression re(pattern);
    if (!m_case->isChecked())
        re.setPatternOptions(QRegularExpression::CaseInsensitiveOption);
    return re;
}

void QAViewerFindDialog::findClicked()
{
    if (m_edit->text().isEmpty())
        return;
    storeOptions();
    Q_EMIT search(regExp());
}
