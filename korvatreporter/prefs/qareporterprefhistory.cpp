#include "korvatreporter/prefs/qareporterprefhistory.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QVBoxLayout>

QAReporterPrefHistory::QAReporterPrefHistory(const QString &title, const QString &tag,
                                             const QString &helpText, QObject *parent)
    : PreferenceItem(title, tag, helpText, parent)
{
}

QAReporterPrefHistory::~QAReporterPrefHistory() = default;

QWidget *QAReporterPrefHistory::createWidget(QWidget *parent)
{
    auto *box = new QWidget(parent);
    auto *boxLayout = new QVBoxLayout(box);
    boxLayout->setContentsMargins(10, 10, 10, 10);
    auto *group = new QGroupBox(tr("Run history"), box);
    auto *form = new QFormLayout(group);
    m_recordBox = new QCheckBox(tr("Record every opened report"), group);
    form->addRow(m_recordBox);
    m_urlEdit = new QLineEdit(group);
    m_urlEdit->setPlaceholderText(tr("KORVAT_DB, else the history.sqlite file of the user's data folder"));
    m_urlEdit->setToolTip(tr("sqlite:PATH or postgresql://user@host:port/dbname; the password goes into "
                             "PGPASSWORD or ~/.pgpass, never here."));
    form->addRow(tr("Store address"), m_urlEdit);
    boxLayout->addWidget(group);
    boxLayout->addStretch(1);
    return box;
}

void QAReporterPrefHistory::updateContents()
{
    if (m_recordBox)
        m_recordBox->setChecked(m_recordOpened);
    if (m_urlEdit)
        m_urlEdit->setText(m_storeUrl);
}

void QAReporterPrefHistory::apply()
{
    if (m_recordBox)
        m_recordOpened = m_recordBox->isChecked();
    if (m_urlEdit)
        setStoreUrl(m_urlEdit->text());
}

void QAReporterPrefHistory::cancel()
{
}

void QAReporterPrefHistory::defaults()
{
    m_recordOpened = false;
    m_storeUrl.clear();
}
