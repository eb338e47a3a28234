#pragma once

#include <QTreeView>

// The host's tree list: a QTreeView that also reports changes of its
// current index and context-menu requests through index-based signals.
// Double clicks come through QAbstractItemView::doubleClicked.
class QAListView : public QTreeView
{
    Q_OBJECT
public:
    // Role under which a viewer's model answers a verdict text on column 1.
    static constexpr int VerdictRole = Qt::UserRole + 1;
    // Whether `text` is a verdict: "ok" (passed), "ko" (failed) or "NE"
    // (inconclusive), exact case.
    static bool isVerdict(const QString& text);

    explicit QAListView(QWidget* parent = nullptr);
    ~QAListView() override;

    // The model the signals' indexes belong to: the view's own model,
    // unless the view lays out another model's rows (a tree shown as a
    // flat list of its open rows).
    virtual QAbstractItemModel* reportedModel() const;
    // Makes `index`, an index of reportedModel(), the current row.
    virtual void setCurrentReported(const QModelIndex& index);

Q_SIGNALS:
    // The current index changed (invalid when there is none).
    void currentIndexChanged(const QModelIndex& current);
    // A context menu is asked for at global position `pos`; `index` is
    // invalid over empty space, `column` is the column under the pointer.
    void contextMenuRequested(const QModelIndex& index, const QPoint& pos, int column);
    void rightButtonClicked(const QModelIndex& index, const QPoint& pos, int column);

protected:
    // The index the signals report for `viewIndex`, an index of the view's
    // model: itself, unless a view shows another model's rows through it.
    virtual QModelIndex reportedIndex(const QModelIndex& viewIndex) const;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;

private Q_SLOTS:
    void onCustomContextMenuRequested(const QPoint& viewportPos);
};
