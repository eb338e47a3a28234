#pragma once

#include <QColor>
#include <QMessageBox>
#include <QString>

class QDialog;
class QWidget;

// One modal question as QAModal hands it to an installed answerer.
struct QAModalRequest
{
    enum Kind {
        Warning,
        Information,
        Question,
        OpenFileNames,
        OpenFileName,
        SaveFileName,
        Color,
        Dialog
    };

    Kind kind = Warning;
    QWidget* parent = nullptr;
    QString caption;          // message box caption, dialog caption or title
    QString text;             // message text
    QString dir;              // file dialogs: start directory
    QString filter;           // file dialogs: name filter
    QString objectName;       // file dialogs: the dialog's object name, if any
    QColor initial;           // colour dialog: starting colour
    QMessageBox::StandardButtons buttons = QMessageBox::NoButton;
    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
    QDialog* dialog = nullptr; // exec(): the dialog to be run
};
