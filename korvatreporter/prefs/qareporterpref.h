#pragma once

#include "sdk/qaresproducer.h"

#include <QObject>

#include <memory>

class QARes;
class QAStudioInterface;
class QAReporterPrefGeneral;
class QAReporterPrefHistory;
class QAReporterPrefStyles;

// The report viewer's preference producer: holds the general values and the
// report styles (each with its preference page), reads them from the host's
// "REPORTER" resource group and writes them back into one on request.
//
// One instance serves the whole process; instance() is what windows, the
// XRD reader and the link code read. It stays null until the plug-in has
// created the producer and called setInstance().
class QAReporterPref : public QObject, public QAResProducer
{
    Q_OBJECT
public:
    // The process-wide producer, or null before initialisation.
    static QAReporterPref *instance();
    // Installs the process-wide producer (not owned); null clears it.
    static void setInstance(QAReporterPref *pref);

    // `studio` may be null; the style file is then looked for under ".".
    explicit QAReporterPref(QAStudioInterface *studio, QObject *parent = nullptr);
    ~QAReporterPref() override;

    QAStudioInterface *studio() const { return m_studio; }
    // The "Report Viewer" page; the "Styles" page is its child.
    QAReporterPrefGeneral *general() const { return m_general.get(); }
    QAReporterPrefHistory *history() const { return m_history.get(); }
    QAReporterPrefStyles *stylesPage() const { return m_styles.get(); }

    // Takes the values of a "REPORTER" group; anything else is ignored.
    void readResources(QARes *group);
    // A new "REPORTER" (or `tag`) group holding the current values; the
    // caller owns it.
    QARes *produceResources(const char *tag) override;

    // Path of the default style file for a host installed in `installDir`
    // (an empty or null directory stands for ".").
    static QString styleFilePath(const QString &installDir);

public Q_SLOTS:
    void prefDialogAccepted();
    void prefDialogRejected();

Q_SIGNALS:
    void preferencesChanged();

private:
    void readStyles(QARes *stylesGroup);

    QAStudioInterface *m_studio;
    std::unique_ptr<QAReporterPrefGeneral> m_general;
    std::unique_ptr<QAReporterPrefStyles> m_styles;
    std::unique_ptr<QAReporterPrefHistory> m_history;
};
