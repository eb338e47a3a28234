#include "sdk/qalistview.h"

#include <QHeaderView>
#include <QSignalBlocker>

QAListView::QAListView(QWidget* parent)
    : QTableView(parent)
{
    setShowGrid(false);
    setWordWrap(false);
    setTabKeyNavigation(false);
    setCornerButtonEnabled(false);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setVerticalHeader(rowHeader(-1));
    QHeaderView* columns = horizontalHeader();
    columns->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    columns->setHighlightSections(false);
    columns->setStretchLastSection(true);
    columns->setSectionsMovable(true);
    columns->setFirstSectionMovable(true);
    setContextMenuPolicy(Qt::CustomContextMenu);
    connect(this, &QWidget::customContextMenuRequested, this,
            &QAListView::onCustomContextMenuRequested);
}

QAListView::~QAListView() = default;

QHeaderView* QAListView::rowHeader(int rowHeight)
{
    // Rows have no header of their own, and all have one height.
    auto* rows = new QHeaderView(Qt::Vertical, this);
    rows->hide();
    rows->setMinimumSectionSize(1);
    rows->setSectionResizeMode(QHeaderView::Fixed);
    if (rowHeight > 0)
        rows->setDefaultSectionSize(rowHeight);
    m_rowHeaderRoom = 0;
    connect(rows, &QHeaderView::sectionCountChanged, this,
            [this](int, int count) { m_rowHeaderRoom = qMax(m_rowHeaderRoom, count); });
    return rows;
}

void QAListView::reset()
{
    // The row header keeps room for as many rows as it ever had, 8 bytes
    // a row: a list emptied of a large model takes a fresh one, so that
    // the room goes back before the next rows are made.
    constexpr int LargeRowCount = 10000;
    if (m_rowHeaderRoom >= LargeRowCount && (!model() || model()->rowCount(rootIndex()) == 0))
        setVerticalHeader(rowHeader(verticalHeader()->defaultSectionSize()));
    QTableView::reset();
}

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
    QTableView::currentChanged(current, previous);
    Q_EMIT currentIndexChanged(reportedIndex(current));
}

QHeaderView* QAListView::header() const
{
    return horizontalHeader();
}

QModelIndex QAListView::moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers)
{
    const QModelIndex current = currentIndex();
    const QAbstractItemModel* rows = model();
    if (!rows)
        return QModelIndex();
    const int column = current.isValid() ? current.column() : 0;
    switch (cursorAction) {
    case MoveHome:
        return rows->index(0, column, rootIndex());
    case MoveEnd:
        return rows->index(rows->rowCount(rootIndex()) - 1, column, rootIndex());
    case MoveLeft:
    case MoveRight:
        return current;
    default:
        return QTableView::moveCursor(cursorAction, modifiers);
    }
}

void QAListView::doItemsLayout()
{
    if (model() && model()->rowCount(rootIndex()) > 0) {
        const int height = sizeHintForRow(0);
        QHeaderView* rows = verticalHeader();
        if (height > 0 && height != rows->defaultSectionSize()) {
            // The header reports every row it resizes, and the table would
            // note each one to repaint: the layout below repaints them all.
            const QSignalBlocker quiet(rows);
            rows->setDefaultSectionSize(height);
        }
    }
    QTableView::doItemsLayout();
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
