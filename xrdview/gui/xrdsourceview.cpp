#include "xrdview/gui/xrdsourceview.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QPainter>
#include <QTextBlock>
#include <QTextStream>

XrdSourceView::XrdSourceView(QWidget* parent)
    : QPlainTextEdit(parent), m_numbers(new QWidget(this))
{
    setReadOnly(true);
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    m_numbers->installEventFilter(this);
    connect(this, &QPlainTextEdit::blockCountChanged, this, [this] { updateMargin(); });
    connect(this, &QPlainTextEdit::updateRequest, this, [this](const QRect& rect, int dy) {
        if (dy)
            m_numbers->scroll(0, dy);
        else
            m_numbers->update(0, rect.y(), m_numbers->width(), rect.height());
    });
    updateMargin();
}

XrdSourceView::~XrdSourceView() = default;

bool XrdSourceView::showFile(const QString& path, int line, QString* error)
{
    // Only regular files: opening a named pipe would block until something writes to it.
    if (QFileInfo(path).exists() && !QFileInfo(path).isFile()) {
        if (error)
            *error = tr("The source file %1 is not a regular file.").arg(path);
        return false;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = tr("Cannot open the source file %1: %2").arg(path, file.errorString());
        return false;
    }
    if (file.size() > MaxBytes) {
        if (error)
            *error = tr("The source file %1 is too large to show (%2 bytes).")
                         .arg(path)
                         .arg(file.size());
        return false;
    }
    QTextStream stream(&file);
    setPlainText(stream.readAll());
    m_fileName = path;
    m_line = line > 0 && line <= blockCount() ? line : 0;
    highlightLine();
    return true;
}

void XrdSourceView::clearFile()
{
    clear();
    m_fileName.clear();
    m_line = 0;
    highlightLine();
}

int XrdSourceView::lineNumberWidth() const
{
    int digits = 1;
    for (int max = qMax(1, blockCount()); max >= 10; max /= 10)
        ++digits;
    return 8 + fontMetrics().horizontalAdvance(QLatin1Char('9')) * digits;
}

void XrdSourceView::updateMargin()
{
    setViewportMargins(lineNumberWidth(), 0, 0, 0);
    const QRect area = contentsRect();
    m_numbers->setGeometry(area.left(), area.top(), lineNumberWidth(), area.height());
}

void XrdSourceView::resizeEvent(QResizeEvent* event)
{
    QPlainTextEdit::resizeEvent(event);
    updateMargin();
}

bool XrdSourceView::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_numbers && event->type() == QEvent::Paint) {
        paintLineNumbers(static_cast<QPaintEvent*>(event));
        return true;
    }
    return QPlainTextEdit::eventFilter(watched, event);
}

void XrdSourceView::paintLineNumbers(QPaintEvent* event)
{
    QPainter painter(m_numbers);
    painter.fillRect(event->rect(), palette().color(QPalette::AlternateBase));
    painter.setPen(palette().color(QPalette::PlaceholderText));
    QTextBlock block = firstVisibleBlock();
    int top = qRound(blockBoundingGeometry(block).translated(contentOffset()).top());
    const int height = fontMetrics().height();
    while (block.isValid() && top <= event->rect().bottom()) {
        const int bottom = top + qRound(blockBoundingRect(block).height());
        if (block.isVisible() && bottom >= event->rect().top()) {
            painter.drawText(0, top, m_numbers->width() - 4, height, Qt::AlignRight,
                             QString::number(block.blockNumber() + 1));
        }
        block = block.next();
        top = bottom;
    }
}

void XrdSourceView::highlightLine()
{
    QList<QTextEdit::ExtraSelection> selections;
    if (m_line > 0) {
        const QTextBlock block = document()->findBlockByNumber(m_line - 1);
        QTextCursor cursor(block);
        QTextEdit::ExtraSelection selection;
        selection.format.setBackground(QColor(255, 236, 150));
        selection.format.setProperty(QTextFormat::FullWidthSelection, true);
        selection.cursor = cursor;
        selections << selection;
        setTextCursor(cursor);
        centerCursor();
    } else {
        moveCursor(QTextCursor::Start);
    }
    setExtraSelections(selections);
}
