#pragma once

#include <QTableView>

class QHeaderView;

// The host's row list: a table of whole rows (single selection, no grid, no
// row header) that also reports changes of its current index and
// context-menu requests through index-based signals. It keeps nothing per
// row beyond the table's section sizes, so a list of hundreds of thousands
// of rows costs the view little; a viewer that shows a tree lays it out as a
// flat list of its open rows (see reportedModel()). Every row has the height
// of the first one. Double clicks come through
// QAbstractItemView::doubleClicked.
class QAListView : public QTableView
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

    // The column header above the rows.
    QHeaderView* header() const;

    void reset() override;

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
    // Home and End go to the first and last row, Left and Right stay on the
    // current cell: the keys of a list of rows rather than of a grid.
    QModelIndex moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers) override;
    // Takes the rows' height from the first row before laying them out.
    void doItemsLayout() override;

private:
    // A hidden header for rows of `rowHeight` (the style's when not above 0).
    QHeaderView* rowHeader(int rowHeight);

    // The most rows the row header has held since it was made: its room.
    // Its own count is no guide once the model is reset, since a header
    // connected to the model before the view resets its sections first.
    int m_rowHeaderRoom = 0;

private Q_SLOTS:
    void onCustomContextMenuRequested(const QPoint& viewportPos);
};
