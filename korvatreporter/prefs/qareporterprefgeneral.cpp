#include "korvatreporter/prefs/qareporterprefgeneral.h"

#include "sdk/qacolorbutton.h"
#include "sdk/qastudiointerface.h"

#include <QApplication>
#include <QCheckBox>
#include <QCoreApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPalette>
#include <QSpinBox>
#include <QVBoxLayout>

QAReporterPrefGeneral::QAReporterPrefGeneral(const QString &title, const QString &tag,
                                             const QString &helpText, QAStudioInterface *studio,
                                             QObject *parent)
    : PreferenceItem(title, tag, helpText, parent), m_studio(studio),
      m_background(defaultBackground())
{
}

QAReporterPrefGeneral::~QAReporterPrefGeneral() = default;

QColor QAReporterPrefGeneral::defaultBackground()
{
    // Under a core application (the headless modes) there is no palette:
    // white, the usual base colour, stands for it.
    if (!qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        return QColor(Qt::white);
    return QGuiApplication::palette().color(QPalette::Active, QPalette::Base);
}

QWidget *QAReporterPrefGeneral::createWidget(QWidget *parent)
{
    auto *box = new QWidget(parent);
    auto *boxLayout = new QVBoxLayout(box);
    boxLayout->setContentsMargins(10, 10, 10, 10);

    auto *viewer = new QGroupBox(tr("Viewer"), box);
    auto *viewerLayout = new QGridLayout(viewer);
    viewerLayout->addWidget(new QLabel(tr("Background color"), viewer), 0, 0);
    m_colorButton = new QAColorButton(m_background, viewer);
    m_colorButton->setFixedWidth(m_colorButton->width() / 2);
    viewerLayout->addWidget(m_colorButton, 0, 1);
    m_raiseBox = new QCheckBox(tr("Automatic raise viewer on tree selection changed", "Check Box Name"),
                               viewer);
    // Raising the view only means something inside a host main window.
    m_raiseBox->setEnabled(m_studio && m_studio->mainWindow());
    viewerLayout->addWidget(m_raiseBox, 1, 0);
    m_liveReloadBox = new QCheckBox(tr("Reload reports when their files change"), viewer);
    viewerLayout->addWidget(m_liveReloadBox, 2, 0);
    boxLayout->addWidget(viewer);

    auto *depth = new QGroupBox(tr("Report Contents Depth Open"), box);
    depth->setSizePolicy(QSizePolicy::Minimum, QSizePolicy::Maximum);
    auto *depthLayout = new QGridLayout(depth);
    m_depthBox = new QSpinBox(depth);
    m_depthBox->setRange(MinDepth, MaxDepth);
    m_depthBox->setSingleStep(1);
    m_depthBox->setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Maximum);
    m_depthBox->setFixedWidth(depth->width() / 2);
    depthLayout->addWidget(m_depthBox, 0, 0);
    boxLayout->addWidget(depth);
    return box;
}

void QAReporterPrefGeneral::updateContents()
{
    if (m_colorButton)
        m_colorButton->setColor(m_background, false);
    if (m_raiseBox)
        m_raiseBox->setChecked(m_autoRaise);
    if (m_liveReloadBox)
        m_liveReloadBox->setChecked(m_liveReload);
    // The spin box clamps a stored depth outside its range.
    if (m_depthBox)
        m_depthBox->setValue(m_autoDepth);
}

void QAReporterPrefGeneral::apply()
{
    if (m_colorButton)
        m_background = m_colorButton->color();
    if (m_raiseBox)
        m_autoRaise = m_raiseBox->isChecked();
    if (m_liveReloadBox)
        m_liveReload = m_liveReloadBox->isChecked();
    if (m_depthBox)
        m_autoDepth = m_depthBox->value();
}

void QAReporterPrefGeneral::cancel()
{
}

void QAReporterPrefGeneral::defaults()
{
    m_background = defaultBackground();
    m_autoRaise = DefaultAutoRaise;
    m_autoDepth = DefaultAutoDepth;
    m_liveReload = DefaultLiveReload;
}
