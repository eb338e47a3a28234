#pragma once

#include <QColor>
#include <QHash>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QVariant>

class QAReporter;
class QARTreeModel;
class QModelIndex;
struct HistoryResult;
template <typename T> class QList;

// Test Report > Compare With…: compares the window's reports with an older
// report file or a recorded run, then marks the tree's new failures, fixed
// and flaky tests (flaky as the history store's recent runs tell), and can
// hide the tree rows that hold no new failure.
class QARCompareWith : public QObject
{
    Q_OBJECT
public:
    enum class Mark { None, NewFailure, Fixed, Flaky };

    // Marks `window`'s tree through its model's marker; a child of `window`.
    explicit QARCompareWith(QAReporter *window);
    ~QARCompareWith() override;

    // Asks for what to compare with (a file, or a recorded run when the
    // history store holds any) and compares. False when cancelled or failed
    // (the reason was shown).
    bool chooseAndCompare();
    bool compareWithFile(const QString &file);
    bool compareWithRun(qint64 runId);
    // Forgets the comparison and shows every row again.
    void clear();

    bool isActive() const { return m_active; }
    QString against() const { return m_against; }
    Mark markOf(const QModelIndex &index) const;
    int count(Mark mark) const;

    // Shows only the tree rows that are or hold a new failure.
    void setNewFailuresOnly(bool on);
    bool newFailuresOnly() const { return m_newFailuresOnly; }

    static QColor colorOf(Mark mark);

private:
    // The marker of the window's tree model: a tint and a tool tip.
    QVariant markData(const QModelIndex &index, int role) const;
    void compareWith(const QList<HistoryResult> &older, const QString &against);
    void flakyFromStore();
    void applyRowFilter();

    QPointer<QAReporter> m_window;
    // The window's tree model, held apart: while the window is being destroyed its children
    // outlive it, and only the model is still whole.
    QPointer<QARTreeModel> m_model;
    QHash<QString, Mark> m_marks;
    QString m_against;
    bool m_active = false;
    bool m_newFailuresOnly = false;
    bool m_rowsHidden = false; // some rows may be hidden
};
