#pragma once

#include <QLineEdit>
#include <QPointer>

class QARListView;
class QARTreeModel;

// The filter line above the report tree: each edit narrows the tree model to
// the nodes whose path holds the words typed (ignoring case), opens the rows
// leading to every match and keeps the current row when it is still shown.
// Escape clears it; clearing opens the tree to the usual depth again.
class QARTreeFilterLine : public QLineEdit
{
    Q_OBJECT
public:
    // Placed in `view` above its rows; filters `model`, which `view` shows.
    QARTreeFilterLine(QARListView *view, QARTreeModel *model);
    ~QARTreeFilterLine() override;

    // The depth the tree opens to when the filter is cleared.
    void setOpenDepth(int depth) { m_openDepth = depth; }
    // Opens the rows that lead to the matches (after the model was reset by
    // something else, such as a new shown list); without words, opens the
    // tree to the usual depth.
    void openRows();
    // Gives the line the keyboard focus with its text selected.
    void focusFilter();

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void applyText(const QString &text);

    QPointer<QARListView> m_view;
    QPointer<QARTreeModel> m_model;
    int m_openDepth = 1;
};
