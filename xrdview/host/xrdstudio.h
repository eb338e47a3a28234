#pragma once

#include "sdk/qastudiointerface.h"

#include <QAction>
#include <QList>
#include <QMap>
#include <QObject>
#include <QPointer>
#include <QProgressDialog>
#include <QString>

#include <memory>

class QMainWindow;
class XrdDefectClient;

// The host interface handed to the plug-in. It serves a GUI host (main
// window, menu bar, output dock, progress dialog) or a headless one (no
// main window, an output pane of its own mirrored to standard error).
// Requests that need the main window's help (opening a source file,
// showing the output pane) are passed on as signals.
class XrdStudio : public QObject, public QAStudioInterface
{
    Q_OBJECT
public:
    explicit XrdStudio(const QString& installDirectory, QObject* parent = nullptr);
    ~XrdStudio() override;

    // GUI set-up: the main window (menus, progress, tool bar) and the
    // output pane it shows in a dock; neither is owned.
    void setMainWindow(QMainWindow* window);
    void setOutputPane(QAStOutputWidget* pane);
    // Menus inserted by plug-ins go before this menu-bar action (at the end
    // when null).
    void setMenuAnchor(QAction* before);
    // Headless set-up: an output pane of the studio's own whose text is
    // also written to standard error as it arrives.
    void useStandardErrorOutput();
    // The INI file holding the defect tracker's settings; without one no
    // defect client is offered.
    void setDefectSettingsFile(const QString& file) { m_defectSettingsFile = file; }
    QString defectSettingsFile() const { return m_defectSettingsFile; }

    // Producers registered by plug-ins, in order.
    QList<QAResProducer*> producers() const { return m_producers; }
    // The progress dialog while a progress display runs, else null.
    QProgressDialog* progressDialog() const { return m_progress; }
    // The menu-bar action of an inserted menu, null when unknown.
    QAction* menuAction(int id) const { return m_menus.value(id); }

    QRESULT queryInterface(const QUuid& id, QUnknownInterface** iface) override;
    unsigned long addRef() override;
    unsigned long release() override;

    QMainWindow* mainWindow() override;
    QAStOutputWidget* outputWidget() override;
    QAStOutputWidget* showOutputWidget(QAStOutputWidget* pane = nullptr) override;
    QString installDirectory() override;
    QString exportDirectory() override;
    QString searchPath() override;
    void startProgress(int steps, const QString& label, const QString& cancelText, int minimum,
                       int flags) override;
    void setProgress(int value) override;
    void endProgress() override;
    void openSourceFile(const QString& target, int mode, bool readOnly) override;
    void registerPreferences(QAResProducer* producer) override;
    int insertMenu(const QString& title, QMenu* menu) override;
    void removeMenu(int id) override;
    MerrowInterface* defectClient() override;
    QString productName() override;
    bool progressCanceled() override;

Q_SIGNALS:
    // A plug-in asked to open `target` ("<file> line <n>" or any link).
    void sourceFileRequested(const QString& target);
    // A plug-in asked to bring the output pane into view.
    void outputPaneRequested();

private Q_SLOTS:
    void mirrorOutput();

private:
    QString m_installDir;
    QPointer<QMainWindow> m_mainWindow;
    QPointer<QAStOutputWidget> m_pane;
    std::unique_ptr<QAStOutputWidget> m_ownPane;
    int m_mirrored = 0; // characters of the own pane already written out
    QPointer<QAction> m_menuAnchor;
    QMap<int, QPointer<QAction>> m_menus;
    int m_nextMenuId = 1;
    QList<QAResProducer*> m_producers;
    QPointer<QProgressDialog> m_progress; // a child of the main window
    bool m_canceled = false;
    unsigned long m_refs = 1;
    QString m_defectSettingsFile;
    std::unique_ptr<XrdDefectClient> m_defectClient;
};
