#pragma once

#include "korvatreporter/data/qareporterimages.h"
#include "sdk/qalistview.h"

#include <QIcon>

class QMouseEvent;

// The report tree view: one top-level item per report file, one item per
// report node below it (QARListViewItem). Besides the host list view it
// steps through the failed tests and reports double clicks without ever
// opening or closing the item under the pointer.
class QARListView : public QAListView
{
    Q_OBJECT
public:
    explicit QARListView(QWidget *parent = nullptr);
    ~QARListView() override;

    // Makes the next (previous) item whose failedFlag is set, counted from
    // the current item in display order with collapsed branches included,
    // the current and only selected item, opens it and its ancestors,
    // scrolls to it and emits doubleClicked(item). Does nothing without a
    // current item or when no failed item follows (precedes): no wrap.
    void nextFailed();
    void previousFailed();

    // The column 1 image of a node whose verdict is state ("ok", "ko" or
    // "NE"); a null icon for any other state. Loaded once per view.
    QIcon verdictIcon(const QString &state) const;

protected:
    // Emits doubleClicked(item) for the item under the pointer, if any,
    // and nothing else: expansion is left as it was.
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    void stepToFailed(bool forward);

    mutable QAReporterImages m_images;
};
