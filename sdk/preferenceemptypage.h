#pragma once

#include "sdk/preferenceitem.h"

// A page without settings, used as a heading for the pages beneath it; its
// widget says there is nothing to set.
class PreferenceEmptyPage : public PreferenceItem
{
    Q_OBJECT
public:
    PreferenceEmptyPage(const QString& title, const QString& tag, const QString& helpText,
                        QObject* parent = nullptr);

    QWidget* createWidget(QWidget* parent) override;
};
