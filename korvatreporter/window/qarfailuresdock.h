#pragma once

#include "korvatreporter/window/qarfailuresmodel.h"

#include <QDockWidget>
#include <QPointer>

#include <functional>

class QTreeView;

// The Failures dock of a report window: the failed cases grouped by cause
// (QARFailuresModel) in a tree, largest group first. Clicking a case asks
// the window to show it (failureChosen). The cases are read again, from the
// files the provider gives, when the dock is shown after the reports changed.
class QARFailuresDock : public QDockWidget
{
    Q_OBJECT
public:
    using Provider = std::function<QList<QARFailuresModel::File>()>;

    QARFailuresDock(Provider files, QWidget *parent = nullptr);
    ~QARFailuresDock() override;

    QARFailuresModel *model() const { return m_model; }
    QTreeView *view() const { return m_view; }
    // The reports changed: read the failures again now unless the dock is
    // hidden, else when it is next shown.
    void reportsChanged();
    // Reads the failures when the reports changed since they were read.
    void fillIfStale();

Q_SIGNALS:
    // A failed case was clicked: its report file and node id.
    void failureChosen(const QString &file, const QString &id, const QString &path);

protected:
    void showEvent(QShowEvent *event) override;

private:
    void fill();
    void choose(const QModelIndex &index);

    Provider m_files;
    QARFailuresModel *m_model = nullptr; // a child of the dock
    QPointer<QTreeView> m_view;
    bool m_stale = true;
};
