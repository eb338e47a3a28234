#include "sdk/qalistview.h"

#include <QHeaderView>

QAListView::QAListView(QWidget* parent)
    : QTreeWidget(parent)
{
    setContextMenuPolicy(Qt::CustomContextMenu);
    connect(this, &QTreeWidget::currentItemChanged, this, &QAListView::onCurrentItemChanged);
    connect(this, &QTreeWidget::itemDoubleClicked, this, &QAListView::onItemDoubleClicked);
    connect(this, &QWidget::customContextMenuRequested, this,
            &QAListView::onCustomContextMenuRequested);
}

QAListView::~QAListView() = default;

bool QAListView::isVerdict(const QString& text)
{
    return text == QLatin1String("ok") || text == QLatin1String("ko")
        || text == QLatin1String("NE");
}

void QAListView::onCurrentItemChanged(QTreeWidgetItem* current)
{
    Q_EMIT selectionChanged(current);
}

void QAListView::onItemDoubleClicked(QTreeWidgetItem* item)
{
    Q_EMIT doubleClicked(item);
}

void QAListView::onCustomContextMenuRequested(const QPoint& viewportPos)
{
    // Scroll areas report the request in viewport coordinates.
    QTreeWidgetItem* item = itemAt(viewportPos);
    const int column = columnAt(viewportPos.x());
    const QPoint global = viewport()->mapToGlobal(viewportPos);
    Q_EMIT contextMenuRequested(item, global, column);
    Q_EMIT rightButtonClicked(item, global, column);
}
