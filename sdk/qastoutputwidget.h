#pragma once

#include <QPlainTextEdit>

// The host's read-only output pane.
class QAStOutputWidget : public QPlainTextEdit
{
    Q_OBJECT
public:
    explicit QAStOutputWidget(QWidget* parent = nullptr);
    ~QAStOutputWidget() override;

    // Adds `text` as it is (line ends included) at the end and keeps the
    // last line in view.
    void append(const QString& text);
};
