#pragma once

#include "sdk/preferencepageinterface.h"

#include <QObject>
#include <QPointer>

// A preference page with a title, a tag and a help text that does nothing
// by itself; subclasses give it a widget and values. Child and next page
// are not owned.
class PreferenceItem : public QObject, public PreferencePageInterface
{
    Q_OBJECT
public:
    PreferenceItem(const QString& title, const QString& tag, const QString& helpText,
                   QObject* parent = nullptr);
    ~PreferenceItem() override;

    QString tag() const override;
    QString title() const override;
    QString helpText() const override;
    // An empty widget under `parent`.
    QWidget* createWidget(QWidget* parent) override;
    void updateContents() override;
    void apply() override;
    void cancel() override;
    void defaults() override;
    PreferenceItem* child() const override;
    PreferenceItem* next() const override;

    void setChild(PreferenceItem* child);
    void setNext(PreferenceItem* next);

private:
    QString m_title;
    QString m_tag;
    QString m_helpText;
    QPointer<PreferenceItem> m_child;
    QPointer<PreferenceItem> m_next;
};
