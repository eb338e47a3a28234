#pragma once

#include <QPlainTextEdit>

// A read-only view of a source file with line numbers in a left margin and
// one highlighted line.
class XrdSourceView : public QPlainTextEdit
{
    Q_OBJECT
public:
    // Files larger than this are refused rather than loaded into the view.
    static constexpr qint64 MaxBytes = 32 * 1024 * 1024;

    explicit XrdSourceView(QWidget* parent = nullptr);
    ~XrdSourceView() override;

    // Shows `path` with `line` (1-based; 0 for none) highlighted and
    // scrolled into view. False with `*error` set when the file cannot be
    // read; the view keeps what it showed.
    bool showFile(const QString& path, int line, QString* error = nullptr);
    // Shows nothing.
    void clearFile();

    QString fileName() const { return m_fileName; }
    // The highlighted line, 0 when none.
    int highlightedLine() const { return m_line; }
    int lineNumberWidth() const;

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void updateMargin();
    void paintLineNumbers(QPaintEvent* event);
    void highlightLine();

    QWidget* m_numbers; // child widget painted by this view
    QString m_fileName;
    int m_line = 0;
};
