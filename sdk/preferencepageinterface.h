#pragma once

#include <QString>

class QWidget;

// A page of the host's preference dialog. Pages form a tree through
// child() and next(); the host asks each for its widget, has it show the
// stored values and, on the dialog's buttons, apply, cancel or reset them.
class PreferencePageInterface
{
public:
    virtual ~PreferencePageInterface();

    virtual QString tag() const = 0;
    virtual QString title() const = 0;
    // Help key or extra text shown by the host for the page.
    virtual QString helpText() const = 0;
    // Builds the page's widget under `parent` (which owns it).
    virtual QWidget* createWidget(QWidget* parent) = 0;
    virtual void updateContents() = 0;
    virtual void apply() = 0;
    virtual void cancel() = 0;
    virtual void defaults() = 0;
    virtual PreferencePageInterface* child() const = 0;
    virtual PreferencePageInterface* next() const = 0;
};
