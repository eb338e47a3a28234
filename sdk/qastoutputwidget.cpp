#include "sdk/qastoutputwidget.h"

#include <QScrollBar>
#include <QTextCursor>

QAStOutputWidget::QAStOutputWidget(QWidget* parent)
    : QPlainTextEdit(parent)
{
    setReadOnly(true);
    setLineWrapMode(QPlainTextEdit::NoWrap);
}

QAStOutputWidget::~QAStOutputWidget() = default;

void QAStOutputWidget::append(const QString& text)
{
    QTextCursor cursor(document());
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(text);
    moveCursor(QTextCursor::End);
    ensureCursorVisible();
    verticalScrollBar()->setValue(verticalScrollBar()->maximum());
}
