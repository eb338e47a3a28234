#pragma once

#include "sdk/qamodalrequest.h"

#include <QFileDialog>

#include <QStringList>
#include <QVariant>

#include <functional>

// The one way the application asks modal questions (message boxes, file
// and colour dialogs, modal dialogs). Tests install an answerer, after
// which no dialog is ever shown: the answerer's result is the answer.
//
// Answers: message boxes take an int StandardButton (invalid: the default
// button, else Ok for warning/information and No for question); file
// dialogs a QString or QStringList (invalid: cancelled); colours a QColor
// (invalid: cancelled); exec() an int dialog result (invalid: Rejected).
class QAModal
{
public:
    using Answerer = std::function<QVariant(const QAModalRequest&)>;

    static void setAnswerer(Answerer answerer);
    static void clearAnswerer();
    static bool hasAnswerer();

    static QMessageBox::StandardButton warning(
        QWidget* parent, const QString& caption, const QString& text,
        QMessageBox::StandardButtons buttons = QMessageBox::Ok,
        QMessageBox::StandardButton defaultButton = QMessageBox::NoButton);
    static QMessageBox::StandardButton information(
        QWidget* parent, const QString& caption, const QString& text,
        QMessageBox::StandardButtons buttons = QMessageBox::Ok,
        QMessageBox::StandardButton defaultButton = QMessageBox::NoButton);
    static QMessageBox::StandardButton question(
        QWidget* parent, const QString& caption, const QString& text,
        QMessageBox::StandardButtons buttons = QMessageBox::Yes | QMessageBox::No,
        QMessageBox::StandardButton defaultButton = QMessageBox::NoButton);

    static QStringList getOpenFileNames(QWidget* parent, const QString& caption,
                                        const QString& dir, const QString& filter);
    static QString getOpenFileName(QWidget* parent, const QString& caption,
                                   const QString& dir, const QString& filter);
    // A non-empty `objectName` names the dialog; `options` are passed to it
    // (e.g. QFileDialog::DontConfirmOverwrite for callers that ask
    // themselves).
    static QString getSaveFileName(QWidget* parent, const QString& caption,
                                   const QString& dir, const QString& filter,
                                   const QString& objectName = QString(),
                                   QFileDialog::Options options = {});
    // Invalid colour when the user cancels.
    static QColor getColor(const QColor& initial, QWidget* parent, const QString& title);

    // Runs `dialog` modally and returns its result code.
    static int exec(QDialog* dialog);
};
