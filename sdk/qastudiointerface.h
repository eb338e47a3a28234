#pragma once

#include "sdk/qunknowninterface.h"

#include <QString>

class QMainWindow;
class QMenu;
class QAStOutputWidget;
class QAResProducer;
class MerrowInterface;

// Identifier under which a host answers with its QAStudioInterface.
extern const QUuid IID_QAStudioInterface;

// What the host offers a plug-in: its main window and menu bar, output
// pane, progress display, directories, source editor, preference registry
// and defect-tracker client.
class QAStudioInterface : public QUnknownInterface
{
public:
    ~QAStudioInterface() override;

    // The host's main window, or null for a host without one.
    virtual QMainWindow* mainWindow() = 0;
    // The host's output pane, or null.
    virtual QAStOutputWidget* outputWidget() = 0;
    // Brings the given output pane (the host's own when null) into view and
    // returns the pane shown, or null.
    virtual QAStOutputWidget* showOutputWidget(QAStOutputWidget* pane = nullptr) = 0;
    virtual QString installDirectory() = 0;
    virtual QString exportDirectory() = 0;
    // Directory where document views look for images.
    virtual QString searchPath() = 0;
    virtual void startProgress(int steps, const QString& label, const QString& cancelText,
                               int minimum, int flags) = 0;
    virtual void setProgress(int value) = 0;
    virtual void endProgress() = 0;
    // Opens a source file in the host's editor; `target` may end in
    // "line <n>".
    virtual void openSourceFile(const QString& target, int mode, bool readOnly) = 0;
    // Registers a producer the host asks for resources to store.
    virtual void registerPreferences(QAResProducer* producer) = 0;
    // Puts a menu into the host's menu bar; returns its id.
    virtual int insertMenu(const QString& title, QMenu* menu) = 0;
    virtual void removeMenu(int id) = 0;
    // The defect-tracker client, ready for use, or null.
    virtual MerrowInterface* defectClient() = 0;
    // Product name for dialog captions.
    virtual QString productName() = 0;
    // True once the user pressed the progress display's cancel button.
    virtual bool progressCanceled();
};
