#include "korvatreporter/window/qartreefilterline.h"

#include "korvatreporter/window/qarlistview.h"
#include "korvatreporter/window/qarshownrows.h"
#include "korvatreporter/window/qartreemodel.h"

#include <QCoreApplication>
#include <QKeyEvent>

QARTreeFilterLine::QARTreeFilterLine(QARListView *view, QARTreeModel *model)
    : QLineEdit(view)
    , m_view(view)
    , m_model(model)
{
    setObjectName(QStringLiteral("treeFilter"));
    setClearButtonEnabled(true);
    setPlaceholderText(QCoreApplication::translate("QAReporter", "Filter tree (Ctrl+K)"));
    setToolTip(QCoreApplication::translate(
        "QAReporter", "Shows the nodes whose path holds every word typed, ignoring case"));
    connect(this, &QLineEdit::textChanged, this, &QARTreeFilterLine::applyText);
    if (view)
        view->setTopWidget(this);
}

QARTreeFilterLine::~QARTreeFilterLine() = default;

void QARTreeFilterLine::focusFilter()
{
    setFocus(Qt::ShortcutFocusReason);
    selectAll();
}

void QARTreeFilterLine::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape && !text().isEmpty()) {
        clear();
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void QARTreeFilterLine::openRows()
{
    if (!m_view || !m_model)
        return;
    const QARTreeFilter &filter = m_model->filter();
    if (!filter.isActive()) {
        m_view->openToDepth(m_openDepth);
        return;
    }
    // One relayout for all of them.
    if (QARShownRows *rows = m_view->shownRows())
        rows->openNodes(filter.ancestorsOfMatches());
}

void QARTreeFilterLine::applyText(const QString &text)
{
    if (!m_view || !m_model)
        return;
    const QModelIndex current = m_view->currentRow();
    const auto *node = static_cast<const QARTreeFilter::Node *>(
        current.isValid() && current.model() == m_model ? current.internalPointer() : nullptr);
    if (!m_model->setFilterText(text))
        return;
    openRows();
    // The current row stays current when still shown, with its ancestors
    // opened; else the first row becomes current.
    QModelIndex kept;
    if (node && m_model->filter().isShown(node)) {
        kept = m_model->indexOf(node);
    } else {
        kept = m_model->index(0, 0);
    }
    // Making a row current may move the focus to the report: typing goes on
    // in the line.
    const bool typing = hasFocus();
    if (kept.isValid()) {
        m_view->setCurrentRow(kept);
        m_view->scrollToRow(kept);
    }
    if (typing)
        setFocus(Qt::OtherFocusReason);
}
