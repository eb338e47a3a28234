#pragma once

#include "history/historyrun.h"

#include <QAbstractTableModel>
#include <QChar>
#include <QColor>
#include <QDateTime>
#include <QList>
#include <QString>

#include <optional>

// The rows of the History dock: one per recorded run, oldest first, for one
// report node. A test node's row holds its own verdict; a suite's row counts
// the tests under it and takes the worst verdict (failed, then
// inconclusive, then passed) and the sum of their recorded durations. A run
// without any of those tests is absent.
class QARHistoryModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum Column { LabelColumn, RecordedColumn, VerdictColumn, PassedColumn, FailedColumn,
                  InconclusiveColumn, DurationColumn, ColumnCount };
    // The verdict letter of a row: P, F, N, or '-' when absent.
    static constexpr int VerdictRole = Qt::UserRole + 1;

    struct Row
    {
        qint64 runId = 0;
        QString label;
        QDateTime recorded;
        QChar verdict = QLatin1Char('-');
        int passed = 0;
        int failed = 0;
        int inconclusive = 0;
        // The recorded durations of those tests added up; none when no test has one.
        std::optional<qint64> durationMs;
    };

    explicit QARHistoryModel(QObject *parent = nullptr);

    // Shows the node whose key is `key` ("document/path") over `runs`, whose
    // results may hold other tests as well.
    void setRuns(const QList<HistoryRun> &runs, const QString &key);
    void clear();
    const QList<Row> &rows() const { return m_rows; }

    // The colour of a verdict letter in the squares.
    static QColor colorOf(QChar verdict);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    QString toolTip(const Row &row) const;

    QList<Row> m_rows;
};
