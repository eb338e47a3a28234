#pragma once

#include "sdk/preferenceitem.h"
#include "sdk/qacolorbutton.h"

#include <QCheckBox>
#include <QColor>
#include <QPointer>
#include <QSpinBox>

class QAStudioInterface;

// The "Report Viewer" preference page and the general values it edits:
// background colour of the report view, automatic raise of the view on a
// tree selection, depth to which report trees open on creation, and whether
// reports are read again when their files change.
//
// The values live here; the widgets made by createWidget() belong to the
// host's dialog and only edit them (updateContents() shows, apply() takes).
class QAReporterPrefGeneral : public PreferenceItem
{
    Q_OBJECT
public:
    static constexpr bool DefaultAutoRaise = true;
    static constexpr int DefaultAutoDepth = 4;
    static constexpr bool DefaultLiveReload = true;
    static constexpr int MinDepth = 1;
    static constexpr int MaxDepth = 6;

    // `studio` (may be null) decides whether the raise option can be used:
    // only a host with a main window raises views.
    QAReporterPrefGeneral(const QString &title, const QString &tag, const QString &helpText,
                          QAStudioInterface *studio, QObject *parent = nullptr);
    ~QAReporterPrefGeneral() override;

    QColor background() const { return m_background; }
    void setBackground(const QColor &color) { m_background = color; }
    bool autoRaise() const { return m_autoRaise; }
    void setAutoRaise(bool on) { m_autoRaise = on; }
    int autoDepth() const { return m_autoDepth; }
    void setAutoDepth(int depth) { m_autoDepth = depth; }
    bool liveReload() const { return m_liveReload; }
    void setLiveReload(bool on) { m_liveReload = on; }

    // The application palette's active Base colour.
    static QColor defaultBackground();

    QWidget *createWidget(QWidget *parent) override;
    void updateContents() override;
    void apply() override;
    void cancel() override;
    // Restores the default values; the widgets keep showing the old ones
    // until updateContents().
    void defaults() override;

    // The page's editors while its widget exists, else null.
    QAColorButton *colorButton() const { return m_colorButton; }
    QCheckBox *raiseCheckBox() const { return m_raiseBox; }
    QSpinBox *depthSpinBox() const { return m_depthBox; }
    QCheckBox *liveReloadCheckBox() const { return m_liveReloadBox; }

private:
    QAStudioInterface *m_studio;
    QColor m_background;
    bool m_autoRaise = DefaultAutoRaise;
    int m_autoDepth = DefaultAutoDepth;
    bool m_liveReload = DefaultLiveReload;
    QPointer<QAColorButton> m_colorButton;
    QPointer<QCheckBox> m_raiseBox;
    QPointer<QSpinBox> m_depthBox;
    QPointer<QCheckBox> m_liveReloadBox;
};
