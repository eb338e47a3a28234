#pragma once

#include "history/historyresult.h"
#include "sdk/qasttestresult.h"

#include <QDockWidget>
#include <QList>
#include <QPersistentModelIndex>
#include <QPointer>
#include <QString>

#include <memory>

class HistoryStore;
class QAReporter;
class QARHistoryModel;
class QChart;
class QChartView;
class QLabel;
class QListView;

// The History dock of a report window: for the node selected in the
// window's tree, its verdict in each of the last recorded runs as coloured
// squares (the run's label and date in their tool tips) and a chart of the
// passed, failed and inconclusive tests under it per run. It reads the
// history store only while it is shown.
class QARHistoryDock : public QDockWidget
{
    Q_OBJECT
public:
    // How many runs the dock shows.
    static constexpr int RunCount = 30;

    // Adds itself, hidden, to `window`'s right dock area and follows its tree.
    explicit QARHistoryDock(QAReporter *window);
    ~QARHistoryDock() override;

    // Shows the history of the tree row `index` (now, when the dock is shown).
    void showItem(const QModelIndex &index);

    // Records the window's reports as a run when the "Record every opened
    // report" preference is on; a failure shows in the dock.
    void recordIfWanted();
    // The tests of a report session as the history store names them.
    static QList<HistoryResult> resultsOf(const QList<QAStTestResult> &tests);

    // The store address: the "Record every opened report" preference's
    // address, else KORVAT_DB, else the default SQLite file.
    static QString storeUrl();

    // The history key of `window`'s tree row `index`: the document's name,
    // then the node names, joined by '/'.
    static QString keyOf(QAReporter *window, const QModelIndex &index);

    // The key of the node shown ("document/path"), its rows and widgets.
    QString shownKey() const { return m_key; }
    QARHistoryModel *model() const { return m_model; }
    QListView *strip() const { return m_strip; }
    QChart *chart() const;
    QLabel *messageLabel() const { return m_message; }

private:
    void refresh();
    void rebuildChart();
    // The open store, or null with the reason shown in the dock.
    HistoryStore *store();

    QPointer<QAReporter> m_window;
    QPersistentModelIndex m_item;
    QString m_key;
    std::unique_ptr<HistoryStore> m_store;
    QString m_storeUrl;
    QString m_storeError;
    QString m_recordError;
    QARHistoryModel *m_model = nullptr; // a child of the dock
    QListView *m_strip = nullptr;
    QChartView *m_chartView = nullptr;
    QLabel *m_message = nullptr;
};
