#pragma once

#include "sdk/preferenceitem.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPointer>
#include <QString>

// The "History" preference page and its values: whether every report the
// viewer opens is recorded as a run of the history store, and the store's
// address (empty: KORVAT_DB, else the default SQLite file). The address
// holds no password: PostgreSQL reads it from PGPASSWORD or ~/.pgpass.
class QAReporterPrefHistory : public PreferenceItem
{
    Q_OBJECT
public:
    QAReporterPrefHistory(const QString &title, const QString &tag, const QString &helpText,
                          QObject *parent = nullptr);
    ~QAReporterPrefHistory() override;

    bool recordOpened() const { return m_recordOpened; }
    void setRecordOpened(bool on) { m_recordOpened = on; }
    QString storeUrl() const { return m_storeUrl; }
    void setStoreUrl(const QString &url) { m_storeUrl = url.trimmed(); }

    QWidget *createWidget(QWidget *parent) override;
    void updateContents() override;
    void apply() override;
    void cancel() override;
    void defaults() override;

    // The page's editors while its widget exists, else null.
    QCheckBox *recordCheckBox() const { return m_recordBox; }
    QLineEdit *urlEdit() const { return m_urlEdit; }

private:
    bool m_recordOpened = false;
    QString m_storeUrl;
    QPointer<QCheckBox> m_recordBox;
    QPointer<QLineEdit> m_urlEdit;
};
