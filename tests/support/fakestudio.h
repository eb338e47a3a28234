#pragma once

#include "sdk/qastudiointerface.h"
#include "sdk/qastoutputwidget.h"

#include <QMainWindow>
#include <QMap>
#include <QMenu>
#include <QPointer>
#include <QStringList>

#include <memory>

// A host for tests: answers with settable values and records every call as
// one readable line in `calls`, e.g. "startProgress(3,Analysing a.xrd,Cancel,0,0)",
// "setProgress(0)", "openSourceFile(D:/p/x.c line 7,3,true)",
// "insertMenu(Test Report)", "removeMenu(1)", "mainWindow()",
// "showOutputWidget(output)" (the owned pane; "other" or "null" otherwise),
// "registerPreferences(producer)" or "registerPreferences(null)".
class FakeStudio : public QAStudioInterface
{
public:
    // Every call made, in order.
    QStringList calls;

    // The calls of one operation (lines starting with "<name>(").
    QStringList callsTo(const QString& name) const;
    // The calls, without the plain queries (mainWindow(), outputWidget(),
    // installDirectory(), ...): what the caller asked the host to do.
    QStringList actions() const;

    // Settings. The main window and defect client are not owned; the output
    // pane made by enableOutputWidget() is.
    void setMainWindow(QMainWindow* window) { m_mainWindow = window; }
    QAStOutputWidget* enableOutputWidget();
    void disableOutputWidget() { m_output.reset(); }
    void setInstallDirectory(const QString& dir) { m_installDir = dir; }
    void setExportDirectory(const QString& dir) { m_exportDir = dir; }
    void setSearchPath(const QString& dir) { m_searchPath = dir; }
    void setDefectClient(MerrowInterface* client) { m_defect = client; }
    void setProductName(const QString& name) { m_product = name; }
    // progressCanceled() answers true once setProgress was called this many
    // times since (never when negative, the default).
    void setCancelAfter(int steps) { m_cancelAfter = steps; m_steps = 0; }

    // Text of the owned output pane; empty without one.
    QString outputText() const { return m_output ? m_output->toPlainText() : QString(); }
    // What the host was handed.
    QAResProducer* registeredProducer() const { return m_producer; }
    QMenu* insertedMenu(int id) const { return m_menus.value(id); }
    int lastProgress() const { return m_progress; }

    QRESULT queryInterface(const QUuid& id, QUnknownInterface** iface) override;
    // The test owns the fake: releasing only counts.
    unsigned long addRef() override { return logged("addRef()", ++m_refs); }
    unsigned long release() override { return logged("release()", m_refs ? --m_refs : 0); }

    QMainWindow* mainWindow() override { return logged("mainWindow()", m_mainWindow.data()); }
    QAStOutputWidget* outputWidget() override { return logged("outputWidget()", m_output.get()); }
    QAStOutputWidget* showOutputWidget(QAStOutputWidget* pane = nullptr) override;
    QString installDirectory() override { return logged("installDirectory()", m_installDir); }
    QString exportDirectory() override { return logged("exportDirectory()", m_exportDir); }
    QString searchPath() override { return logged("searchPath()", m_searchPath); }
    // The progress display: recorded, and canceled as setCancelAfter() says.
    void startProgress(int steps, const QString& label, const QString& cancelText,
                       int minimum, int flags) override;
    void setProgress(int value) override;
    void endProgress() override { calls << QStringLiteral("endProgress()"); }
    bool progressCanceled() override
    {
        return logged("progressCanceled()", m_cancelAfter >= 0 && m_steps >= m_cancelAfter);
    }
    void openSourceFile(const QString& target, int mode, bool readOnly) override;
    void registerPreferences(QAResProducer* producer) override;
    int insertMenu(const QString& title, QMenu* menu) override;
    void removeMenu(int id) override;
    MerrowInterface* defectClient() override { return logged("defectClient()", m_defect); }
    QString productName() override { return logged("productName()", m_product); }

private:
    // Records `call` and hands back `result`.
    template <typename T> T logged(const char* call, T result)
    {
        calls << QLatin1String(call);
        return result;
    }

    QPointer<QMainWindow> m_mainWindow;
    std::unique_ptr<QAStOutputWidget> m_output;
    QString m_installDir;
    QString m_exportDir;
    QString m_searchPath;
    MerrowInterface* m_defect = nullptr;
    QString m_product;
    QAResProducer* m_producer = nullptr;
    QMap<int, QPointer<QMenu>> m_menus;
    int m_nextMenuId = 1;
    int m_progress = 0;
    int m_cancelAfter = -1;
    int m_steps = 0; // setProgress calls since setCancelAfter
    unsigned long m_refs = 1;
};
