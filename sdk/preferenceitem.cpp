#include "sdk/preferenceitem.h"

#include <QWidget>

PreferenceItem::PreferenceItem(const QString& title, const QString& tag,
                               const QString& helpText, QObject* parent)
    : QObject(parent), m_title(title), m_tag(tag), m_helpText(helpText)
{
}

PreferenceItem::~PreferenceItem() = default;

QString PreferenceItem::tag() const { return m_tag; }
QString PreferenceItem::title() const { return m_title; }
QString PreferenceItem::helpText() const { return m_helpText; }

QWidget* PreferenceItem::createWidget(QWidget* parent)
{
    return new QWidget(parent);
}

void PreferenceItem::updateContents() {}
void PreferenceItem::apply() {}
void PreferenceItem::cancel() {}
void PreferenceItem::defaults() {}

PreferenceItem* PreferenceItem::child() const { return m_child; }
PreferenceItem* PreferenceItem::next() const { return m_next; }

void PreferenceItem::setChild(PreferenceItem* child)
{
    m_child = child;
}

void PreferenceItem::setNext(PreferenceItem* next)
{
    m_next = next;
}
