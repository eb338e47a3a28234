#include "sdk/qastudiowindow.h"

QAStudioWindow::QAStudioWindow(QWidget* parent, const char* name, Qt::WindowFlags flags)
    : QMainWindow(parent, flags)
{
    if (name)
        setObjectName(QString::fromUtf8(name));
}

QAStudioWindow::~QAStudioWindow() = default;
