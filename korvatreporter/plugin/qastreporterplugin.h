#pragma once

#include "sdk/qastviewerplugin.h"

// The report viewer plug-in: names the viewer and its report files (XRD
// reports, JUnit XML results) to the host, creates the process-wide objects once the host initialises it, and
// makes report windows on request. It keeps no data of its own: everything
// it creates lives in the process-wide state.
class QAStReporterPlugin : public QAStViewerPlugin
{
    Q_OBJECT
public:
    explicit QAStReporterPlugin(QObject *parent = nullptr);
    ~QAStReporterPlugin() override;

    QString name() const override;
    QString description() const override;
    QString author() const override;
    QString version() const override;
    void initialize(QUnknownInterface *host, QARes *resources) override;
    QStringList accept() const override;
    QStringList filters() const override;
    QAStViewerWindow *create(QStringList &files, QWidget *parent, const char *name) override;
    // A session over the preferences the host initialised the plug-in with.
    std::unique_ptr<QAStReportSession> createSession() override;
    QAStViewerWindow *openedWindow(const QString &file) override;
    void connectAccepted(QObject *sender, const char *signal) override;
    void connectRejected(QObject *sender, const char *signal) override;
    PreferenceItem *preferenceSettings() override;
    QString pluginName() const override;
    QString pluginIcon() const override;
    QString pluginDescription() const override;
    QString pluginCompanyName() const override;
    QString pluginCompanyIcon() const override;
    QString pluginCompanyDescription() const override;
    QString pluginCopyRight() const override;
    QString pluginVersion() const override;
    QDate pluginCreation() const override;
    QList<QToolBar *> toolbars() override;
};
