#include "korvatreporter/window/qartoolbar.h"

#include "korvatreporter/window/qareporterimages.h"
#include "korvatreporter/window/qareporterstate.h"
#include "sdk/getpix.h"

#include <QAction>
#include <QCoreApplication>
#include <QMainWindow>
#include <QToolButton>

#include "korvatreporter/window/images/nextKO.xpm"
#include "korvatreporter/window/images/precKO.xpm"
#include "korvatreporter/window/images/testscomplete.xpm"

QARToolBar::QARToolBar(const QString &label, QMainWindow *mainWindow)
    : QToolBar(label, mainWindow)
{
    setMovable(false);
    if (mainWindow)
        mainWindow->addToolBar(Qt::TopToolBarArea, this);

    m_previous = addButton(GETPIX(QStringLiteral("precKO_xpm"), precKO_xpm),
                           tr("Previous Failed Test"), "Previous Failed Test",
                           tr("<b>Previous Failed Test</b><br>Move cursor to the previous "
                              "failed test."),
                           QKeySequence(Qt::SHIFT | Qt::Key_F8));
    connect(m_previous, &QToolButton::clicked, this, &QARToolBar::KOpClicked);

    m_next = addButton(GETPIX(QStringLiteral("nextKO_xpm"), nextKO_xpm), tr("Next Failed Test"),
                       "Next Failed Test",
                       tr("<b>Next Failed Test</b><br>Move cursor to the next failed test."),
                       QKeySequence(Qt::Key_F8));
    connect(m_next, &QToolButton::clicked, this, &QARToolBar::KOsClicked);

    m_filter = addButton(GETPIX(QStringLiteral("testscomplete_xpm"), testscomplete_xpm),
                         tr("All Test Results / Failed Tests Only"), "Filter",
                         tr("<b>All Test Results</b> or <b>Failed Tests Only</b><br>Use this "
                            "button to either display all tests or only failed tests"),
                         QKeySequence());
    // "Down" is kept as the checked state, which a click cannot undo behind
    // the switch's back: setFilterState() sets it after every click.
    m_filter->setCheckable(true);
    connect(m_filter, &QToolButton::clicked, this, &QARToolBar::filtreClicked);

    enableButtons(false);
}

QARToolBar::~QARToolBar() = default;

QToolButton *QARToolBar::addButton(const QPixmap &icon, const QString &text,
                                   const char *objectName, const QString &help,
                                   const QKeySequence &key)
{
    auto *button = new QToolButton(this);
    button->setIcon(QIcon(icon));
    button->setText(text);
    // The key is an action of the host's main window, where window shortcuts
    // are matched; it clicks the button, so a disabled button ignores it.
    if (!key.isEmpty() && parentWidget()) {
        auto *shortcut = new QAction(text, this);
        shortcut->setShortcut(key);
        connect(shortcut, &QAction::triggered, button, &QToolButton::click);
        parentWidget()->addAction(shortcut);
    }
    button->setToolTip(key.isEmpty() ? text
                                     : QStringLiteral("%1 (%2)").arg(text, key.toString(QKeySequence::NativeText)));
    button->setObjectName(QString::fromLatin1(objectName));
    button->setWhatsThis(help);
    addWidget(button);
    return button;
}

void QARToolBar::enableButtons(bool enable)
{
    for (QToolButton *button : {m_previous.data(), m_next.data(), m_filter.data()}) {
        if (button)
            button->setEnabled(enable);
    }
}

void QARToolBar::setFilterState(bool failed)
{
    if (!m_filter)
        return;
    if (failed)
        m_filter->setIcon(QIcon(QAReporterImages::pixmap(QAReporterImages::TestsFailed)));
    else
        m_filter->setIcon(
            QIcon(GETPIX(QStringLiteral("testscomplete_xpm"), testscomplete_xpm)));
    m_filter->setChecked(failed);
}

void QARToolBar::KOsClicked()
{
    Q_EMIT KOsuivClicked();
}

void QARToolBar::KOpClicked()
{
    Q_EMIT KOprecClicked();
}

void QARToolBar::filtreClicked()
{
    Q_EMIT fltClicked();
    QAReporterState::setFailedOnly(!QAReporterState::failedOnly());
    setFilterState(QAReporterState::failedOnly());
}

void QARToolBar::reloadClicked()
{
    Q_EMIT refreshClicked();
}
