#pragma once

#include "korvatreporter/window/qarfailuresmodel.h"
#include "korvatreporter/window/qarslowestmodel.h"

#include <QDockWidget>
#include <QPointer>
#include <QTreeView>

#include <functional>

class QTabWidget;

// The Failures dock of a report window, in two tabs: the failed cases
// grouped by cause (QARFailuresModel) in a tree, largest group first, and
// the slowest test cases (QARSlowestModel). Clicking a case in either asks
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
    QARSlowestModel *slowestModel() const { return m_slowest; }
    QTreeView *slowestView() const { return m_slowestView; }
    QTabWidget *tabs() const { return m_tabs; }
    // The reports changed: read the failures again now unless the dock is
    // hidden, else when it is next shown.
    void reportsChanged();
    // Reads the failures when the reports changed since they were read.
    void fillIfStale();

Q_SIGNALS:
    // A case was clicked: its report file, node id and path.
    void failureChosen(const QString &file, const QString &id, const QString &path);

protected:
    void showEvent(QShowEvent *event) override;

private:
    void fill();
    void choose(const QModelIndex &index);
    void chooseSlow(const QModelIndex &index);

    Provider m_files;
    QARFailuresModel *m_model = nullptr; // a child of the dock
    QPointer<QTreeView> m_view;
    QARSlowestModel *m_slowest = nullptr; // a child of the dock
    QPointer<QTreeView> m_slowestView;
    QPointer<QTabWidget> m_tabs;
    bool m_stale = true;
};
