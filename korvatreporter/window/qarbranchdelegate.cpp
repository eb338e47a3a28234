#include "korvatreporter/window/qarbranchdelegate.h"

#include "korvatreporter/window/qarshownrows.h"

#include <QApplication>
#include <QPainter>
#include <QStyle>

QARBranchDelegate::QARBranchDelegate(int indentation, QObject *parent)
    : QStyledItemDelegate(parent)
    , m_indentation(indentation)
{
}

QARBranchDelegate::~QARBranchDelegate() = default;

int QARBranchDelegate::offset(const QModelIndex &index) const
{
    // One step per level and one for the arrow, as a tree view lays it out.
    return (index.data(QARShownRows::DepthRole).toInt() + 1) * m_indentation;
}

QRect QARBranchDelegate::branchRect(const QRect &cell, const QModelIndex &index) const
{
    const int depth = index.data(QARShownRows::DepthRole).toInt();
    return QRect(cell.left() + depth * m_indentation, cell.top(), m_indentation, cell.height());
}

void QARBranchDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                              const QModelIndex &index) const
{
    const QWidget *widget = option.widget;
    QStyle *style = widget ? widget->style() : QApplication::style();
    // The row's background (selection, hover) spans the indentation too.
    QStyleOptionViewItem background(option);
    initStyleOption(&background, index);
    background.text.clear();
    background.icon = QIcon();
    background.features &= ~QStyleOptionViewItem::HasDecoration;
    style->drawPrimitive(QStyle::PE_PanelItemViewItem, &background, painter, widget);

    const int branch = index.data(QARShownRows::BranchRole).toInt();
    if (branch != QARShownRows::NoBranch) {
        QStyleOption arrow;
        if (widget)
            arrow.initFrom(widget);
        arrow.rect = branchRect(option.rect, index);
        arrow.palette = option.palette;
        arrow.state = QStyle::State_Children | (option.state & QStyle::State_Enabled);
        if (branch == QARShownRows::Open)
            arrow.state |= QStyle::State_Open;
        style->drawPrimitive(QStyle::PE_IndicatorBranch, &arrow, painter, widget);
    }

    QStyleOptionViewItem item(option);
    item.rect.setLeft(option.rect.left() + offset(index));
    QStyledItemDelegate::paint(painter, item, index);
}

QSize QARBranchDelegate::sizeHint(const QStyleOptionViewItem &option,
                                  const QModelIndex &index) const
{
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    size.rwidth() += offset(index);
    return size;
}
