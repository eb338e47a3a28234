#pragma once

#include "sdk/qgplugin.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

#include <memory>

class QARes;
class QAStReportSession;
class QAStViewerWindow;
class PreferenceItem;
class QToolBar;
class QWidget;

// Identifier under which a viewer plug-in's component answers with itself.
extern const QUuid IID_QAStViewerPlugin;

// Base of viewer plug-ins: the host reads their names and file filters,
// initialises them once and asks them for viewer windows and preference
// pages. Every operation has a harmless default.
class QAStViewerPlugin : public QGPlugin
{
    Q_OBJECT
public:
    explicit QAStViewerPlugin(QObject* parent = nullptr);
    ~QAStViewerPlugin() override;

    QUuid interfaceId() const override;

    // The viewer plug-in behind `iface` (as returned by ucm_instantiate),
    // or null when it is none.
    static QAStViewerPlugin* fromInterface(QUnknownInterface* iface);

    virtual QString name() const;
    virtual QString description() const;
    virtual QString author() const;
    virtual QString version() const;
    virtual void initialize(QUnknownInterface* host, QARes* resources);
    virtual QStringList accept() const;
    virtual QStringList filters() const;
    virtual QAStViewerWindow* create(QStringList& files, QWidget* parent, const char* name);
    // A new session without any window, for hosts that run without a screen;
    // null (the base) when the plug-in has none.
    virtual std::unique_ptr<QAStReportSession> createSession();
    virtual QAStViewerWindow* openedWindow(const QString& file);
    virtual void connectAccepted(QObject* sender, const char* signal);
    virtual void connectRejected(QObject* sender, const char* signal);
    virtual PreferenceItem* preferenceSettings();
    virtual QString pluginName() const;
    virtual QString pluginIcon() const;
    virtual QString pluginDescription() const;
    virtual QString pluginCompanyName() const;
    virtual QString pluginCompanyIcon() const;
    virtual QString pluginCompanyDescription() const;
    virtual QString pluginCopyRight() const;
    virtual QString pluginVersion() const;
    virtual QDate pluginCreation() const;
    virtual QList<QToolBar*> toolbars();
};
