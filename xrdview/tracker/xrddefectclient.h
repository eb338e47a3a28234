#pragma once

#include "sdk/merrowinterface.h"
#include "xrdview/tracker/xrddefect.h"
#include "xrdview/tracker/xrddefectsettings.h"

#include <QCoreApplication>
#include <QPointer>
#include <QString>

#include <functional>

class QWidget;

// The host's defect-tracker client. The plug-in fills a form (headline,
// description, attachments); showMerrowDefectWindow shows it in the "New
// defect" dialog, whose Submit hands it to the tracker the settings name:
// a command line or a folder of Markdown files. Results and failures are
// also reported through the report function (the host's Output dock).
//
// With tracing on, each form call leaves as its command line the line
// Submit would run with the form as it stands ("<description file>" for
// the file not written yet); after Submit it is the line that ran.
class XrdDefectClient : public MerrowInterface
{
    Q_DECLARE_TR_FUNCTIONS(XrdDefectClient)

public:
    using Reporter = std::function<void(const QString&)>;

    XrdDefectClient();
    ~XrdDefectClient() override;

    // The tracker to use from now on.
    void setSettings(const XrdDefectSettings& settings);
    const XrdDefectSettings& settings() const { return m_settings; }
    // Parent of the dialog (not owned).
    void setParentWidget(QWidget* parent) { m_parent = parent; }
    void setReporter(Reporter reporter) { m_report = std::move(reporter); }
    // The form as filled so far.
    const XrdDefect& form() const { return m_form; }

    short establishConnection() override;
    short createForm() override;
    short setHeadLine(const char* headline) override;
    short setDescription(const char* description) override;
    short addFileAttachment(const char* path, const char* description) override;
    // Runs the dialog modally (through QAModal). Fails when no form was
    // created; a cancelled dialog is no failure.
    short showMerrowDefectWindow(short mode) override;

    // Hands `defect` to the configured tracker and reports the outcome;
    // `canceled` answers whether the user asked to stop a running command.
    bool submit(const XrdDefect& defect, QString* error, const std::function<bool()>& canceled = {});

private:
    // What the dialog says the defect goes to.
    QString destination() const;
    void tracePreview();
    short fail(const QString& message);

    XrdDefectSettings m_settings;
    QPointer<QWidget> m_parent;
    Reporter m_report;
    XrdDefect m_form;
    bool m_formOpen = false;
};
