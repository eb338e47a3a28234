#pragma once

#include <QMainWindow>

// Base of every window the host shows in its workspace.
class QAStudioWindow : public QMainWindow
{
    Q_OBJECT
public:
    explicit QAStudioWindow(QWidget* parent = nullptr, const char* name = nullptr,
                            Qt::WindowFlags flags = {});
    ~QAStudioWindow() override;

Q_SIGNALS:
    // The window's command states (what can be saved, printed, ...) changed.
    void stateChanged();
    // The window's caption changed; the argument is the window.
    void captionChanged(QWidget* window);
};
