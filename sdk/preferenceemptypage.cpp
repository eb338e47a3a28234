#include "sdk/preferenceemptypage.h"

#include <QCoreApplication>
#include <QLabel>
#include <QVBoxLayout>

PreferenceEmptyPage::PreferenceEmptyPage(const QString& title, const QString& tag,
                                         const QString& helpText, QObject* parent)
    : PreferenceItem(title, tag, helpText, parent)
{
}

QWidget* PreferenceEmptyPage::createWidget(QWidget* parent)
{
    auto* page = new QWidget(parent);
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(10, 10, 10, 10);
    auto* label = new QLabel(
        QCoreApplication::translate("PreferenceEmptyPage", "There is nothing to set on this page."),
        page);
    label->setAlignment(Qt::AlignCenter);
    layout->addWidget(label);
    layout->addStretch();
    return page;
}
