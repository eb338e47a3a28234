#pragma once

#include <QStyledItemDelegate>

// Paints the name column of the report tree's flat rows as a tree shows
// them: the row indented by its depth (QARShownRows::DepthRole), and the
// branch arrow (QARShownRows::BranchRole) in the step before the name.
class QARBranchDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    // `indentation` is the width of one level and of the arrow.
    explicit QARBranchDelegate(int indentation, QObject *parent = nullptr);
    ~QARBranchDelegate() override;

    void setIndentation(int indentation) { m_indentation = indentation; }
    // Where the arrow of `index` lies within `cell`, the row's name cell.
    QRect branchRect(const QRect &cell, const QModelIndex &index) const;

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;

private:
    int offset(const QModelIndex &index) const;

    int m_indentation;
};
