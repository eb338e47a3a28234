#pragma once

#include "sdk/preferenceitem.h"
#include "xrdview/tracker/xrddefectsettings.h"

#include <QCheckBox>
#include <QSpinBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QToolButton>

// The host's "Defect tracker" preference page: which tracker the "New
// defect" dialog submits to (none, a command line template or a folder)
// and whether command lines are traced in the Output dock. Edits are kept
// on the page until apply() stores them in the settings file.
class XrdDefectPage : public PreferenceItem
{
    Q_OBJECT
public:
    explicit XrdDefectPage(const QString& settingsFile, QObject* parent = nullptr);
    ~XrdDefectPage() override;

    QWidget* createWidget(QWidget* parent) override;
    void updateContents() override;
    void apply() override;
    void cancel() override;
    void defaults() override;

    // The values as edited.
    const XrdDefectSettings& values() const { return m_values; }

    QComboBox* kindBox() const { return m_kind; }
    QLineEdit* commandEdit() const { return m_command; }
    QLineEdit* folderEdit() const { return m_folder; }
    QToolButton* browseButton() const { return m_browse; }
    QCheckBox* traceBox() const { return m_trace; }
    QSpinBox* timeoutBox() const { return m_timeout; }

private:
    void enableFields();
    void setFolder(const QString& folder);
    // Asks for the folder with a directory dialog (through QAModal).
    void browseFolder();

    QString m_file;
    XrdDefectSettings m_values;
    bool m_updating = false;
    QPointer<QComboBox> m_kind;
    QPointer<QLineEdit> m_command;
    QPointer<QLineEdit> m_folder;
    QPointer<QToolButton> m_browse;
    QPointer<QCheckBox> m_trace;
    QPointer<QSpinBox> m_timeout;
    QPointer<QLabel> m_commandHelp;
};
