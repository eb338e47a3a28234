#pragma once

#include <QTreeWidget>

// The host's tree list: a QTreeWidget that also reports selection, double
// clicks and context-menu requests through item-based signals.
class QAListView : public QTreeWidget
{
    Q_OBJECT
public:
    // Role under which a viewer stores a verdict text on column 1.
    static constexpr int VerdictRole = Qt::UserRole + 1;
    // Whether `text` is a verdict: "ok" (passed), "ko" (failed) or "NE"
    // (inconclusive), exact case.
    static bool isVerdict(const QString& text);

    explicit QAListView(QWidget* parent = nullptr);
    ~QAListView() override;

Q_SIGNALS:
    // The current item changed (null when there is none).
    void selectionChanged(QTreeWidgetItem* item);
    void doubleClicked(QTreeWidgetItem* item);
    // A context menu is asked for at global position `pos`; `item` is null
    // over empty space, `column` is the column under the pointer.
    void contextMenuRequested(QTreeWidgetItem* item, const QPoint& pos, int column);
    void rightButtonClicked(QTreeWidgetItem* item, const QPoint& pos, int column);

private Q_SLOTS:
    void onCurrentItemChanged(QTreeWidgetItem* current);
    void onItemDoubleClicked(QTreeWidgetItem* item);
    void onCustomContextMenuRequested(const QPoint& viewportPos);
};
