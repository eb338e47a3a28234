#include "sdk/qalistview.h"

#include <QHeaderView>

QAListView::QAListView(QWidget* parent)
    : QTreeView(parent)
{
    setContextMenuPolicy(Qt::CustomContextMenu);
    connect(this, &QWidget::customContextMenuRequested, this,
            &QAListView::onCustomContextMenuRequested);
}

QAListView::~QAListView() = default;

bool QAListView::isVerdict(const QString& text)
{
    return text == QLatin1String("ok") || text == QLatin1String("ko")
        || text == QLatin1String("NE");
}

QAbstractItemModel* QAListView::reportedModel() const
{
    return model();
}

void QAListView::setCurrentReported(const QModelIndex& index)
{
    setCurrentIndex(index);
}

QModelIndex QAListView::reportedIndex(const QModelIndex& viewIndex) const
{
    return viewIndex;
}

void QAListView::currentChanged(const QModelIndex& current, const QModelIndex& previous)
{
    QTreeView::currentChanged(current, previous);
    Q_EMIT currentIndexChanged(reportedIndex(current));
}

void QAListView::onCustomContextMenuRequested(const QPoint& viewportPos)
{
    // Scroll areas report the request in viewport coordinates.
    const QModelIndex index = reportedIndex(indexAt(viewportPos));
    const int column = columnAt(viewportPos.x());
    const QPoint global = viewport()->mapToGlobal(viewportPos);
    Q_EMIT contextMenuRequested(index, global, column);
    Q_EMIT rightButtonClicked(index, global, column);
}
