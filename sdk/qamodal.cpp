#include "sdk/qamodal.h"

#include <QColorDialog>
#include <QDialog>
#include <QFileDialog>

namespace {

QAModal::Answerer& answerer()
{
    static QAModal::Answerer current;
    return current;
}

QMessageBox::StandardButton askBox(QAModalRequest::Kind kind, QWidget* parent,
                                   const QString& caption, const QString& text,
                                   QMessageBox::StandardButtons buttons,
                                   QMessageBox::StandardButton defaultButton)
{
    if (answerer()) {
        QAModalRequest request;
        request.kind = kind;
        request.parent = parent;
        request.caption = caption;
        request.text = text;
        request.buttons = buttons;
        request.defaultButton = defaultButton;
        const QVariant answer = answerer()(request);
        if (answer.isValid())
            return QMessageBox::StandardButton(answer.toInt());
        if (defaultButton != QMessageBox::NoButton)
            return defaultButton;
        return kind == QAModalRequest::Question ? QMessageBox::No : QMessageBox::Ok;
    }
    switch (kind) {
    case QAModalRequest::Warning:
        return QMessageBox::warning(parent, caption, text, buttons, defaultButton);
    case QAModalRequest::Information:
        return QMessageBox::information(parent, caption, text, buttons, defaultButton);
    default:
        return QMessageBox::question(parent, caption, text, buttons, defaultButton);
    }
}

QVariant askFile(QAModalRequest::Kind kind, QWidget* parent, const QString& caption,
                 const QString& dir, const QString& filter,
                 const QString& objectName = QString())
{
    QAModalRequest request;
    request.kind = kind;
    request.parent = parent;
    request.caption = caption;
    request.dir = dir;
    request.filter = filter;
    request.objectName = objectName;
    return answerer()(request);
}

} // namespace

void QAModal::setAnswerer(Answerer a)
{
    answerer() = std::move(a);
}

void QAModal::clearAnswerer()
{
    answerer() = Answerer();
}

bool QAModal::hasAnswerer()
{
    return bool(answerer());
}

QMessageBox::StandardButton QAModal::warning(QWidget* parent, const QString& caption,
                                             const QString& text,
                                             QMessageBox::StandardButtons buttons,
                                             QMessageBox::StandardButton defaultButton)
{
    return askBox(QAModalRequest::Warning, parent, caption, text, buttons, defaultButton);
}

QMessageBox::StandardButton QAModal::information(QWidget* parent, const QString& caption,
                                                 const QString& text,
                                                 QMessageBox::StandardButtons buttons,
                                                 QMessageBox::StandardButton defaultButton)
{
    return askBox(QAModalRequest::Information, parent, caption, text, buttons, defaultButton);
}

QMessageBox::StandardButton QAModal::question(QWidget* parent, const QString& caption,
                                              const QString& text,
                                              QMessageBox::StandardButtons buttons,
                                              QMessageBox::StandardButton defaultButton)
{
    return askBox(QAModalRequest::Question, parent, caption, text, buttons, defaultButton);
}

QStringList QAModal::getOpenFileNames(QWidget* parent, const QString& caption,
                                      const QString& dir, const QString& filter)
{
    if (answerer()) {
        const QVariant answer = askFile(QAModalRequest::OpenFileNames, parent, caption, dir, filter);
        return answer.toStringList();
    }
    return QFileDialog::getOpenFileNames(parent, caption, dir, filter);
}

QString QAModal::getOpenFileName(QWidget* parent, const QString& caption, const QString& dir,
                                 const QString& filter)
{
    if (answerer())
        return askFile(QAModalRequest::OpenFileName, parent, caption, dir, filter).toString();
    return QFileDialog::getOpenFileName(parent, caption, dir, filter);
}

QString QAModal::getSaveFileName(QWidget* parent, const QString& caption, const QString& dir,
                                 const QString& filter, const QString& objectName,
                                 QFileDialog::Options options)
{
    if (answerer())
        return askFile(QAModalRequest::SaveFileName, parent, caption, dir, filter, objectName)
            .toString();
    if (objectName.isEmpty())
        return QFileDialog::getSaveFileName(parent, caption, dir, filter, nullptr, options);
    QFileDialog dialog(parent, caption, dir, filter);
    dialog.setObjectName(objectName);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOptions(options);
    if (dialog.exec() != QDialog::Accepted)
        return QString();
    return dialog.selectedFiles().value(0);
}

QColor QAModal::getColor(const QColor& initial, QWidget* parent, const QString& title)
{
    if (answerer()) {
        QAModalRequest request;
        request.kind = QAModalRequest::Color;
        request.parent = parent;
        request.caption = title;
        request.initial = initial;
        const QVariant answer = answerer()(request);
        return answer.isValid() ? answer.value<QColor>() : QColor();
    }
    return QColorDialog::getColor(initial, parent, title);
}

int QAModal::exec(QDialog* dialog)
{
    if (!dialog)
        return QDialog::Rejected;
    if (answerer()) {
        QAModalRequest request;
        request.kind = QAModalRequest::Dialog;
        request.parent = dialog->parentWidget();
        request.caption = dialog->windowTitle();
        request.dialog = dialog;
        const QVariant answer = answerer()(request);
        const int result = answer.isValid() ? answer.toInt() : int(QDialog::Rejected);
        dialog->setResult(result);
        return result;
    }
    return dialog->exec();
}
