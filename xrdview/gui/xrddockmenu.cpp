#include "xrdview/gui/xrddockmenu.h"

#include "sdk/qastviewerwindow.h"

#include <QAction>
#include <QMenu>
#include <QSignalBlocker>

XrdDockMenu::XrdDockMenu(QMenu* menu) : QObject(menu), m_menu(menu)
{
    m_separator = m_menu->addSeparator();
    m_separator->setVisible(false);
    // A dock can also be shown or hidden by its own command or close button.
    connect(m_menu, &QMenu::aboutToShow, this, &XrdDockMenu::updateChecks);
}

void XrdDockMenu::setWindow(QAStViewerWindow* window)
{
    if (m_window)
        disconnect(m_window, &QObject::destroyed, this, nullptr);
    m_window = window;
    // A window closed while active leaves nothing to list. It is half destroyed
    // when it says so: the pointer is dropped without being read as a window.
    if (window)
        connect(window, &QObject::destroyed, this, [this] {
            m_window.clear();
            rebuild();
        });
    rebuild();
}

void XrdDockMenu::rebuild()
{
    qDeleteAll(m_actions);
    m_actions.clear();
    const QList<QAStDockOffer> offers = m_window ? m_window->offeredDocks() : QList<QAStDockOffer>();
    for (const QAStDockOffer& offer : offers) {
        if (!offer.dock)
            continue;
        // The key is the window's: shown after a tab, not registered twice.
        QString text = offer.name;
        if (!offer.shortcut.isEmpty())
            text += QLatin1Char('\t') + offer.shortcut.toString(QKeySequence::NativeText);
        auto* action = new QAction(text, m_menu);
        action->setObjectName(QStringLiteral("viewDock_") + offer.id);
        action->setCheckable(true);
        action->setChecked(!offer.dock->isHidden());
        action->setStatusTip(tr("Show or hide the %1 pane").arg(offer.name));
        const QString id = offer.id;
        connect(action, &QAction::triggered, this, [this, id](bool checked) {
            if (m_window)
                m_window->showOfferedDock(id, checked);
            updateChecks();
        });
        // The check follows the dock's own toggle action, which Qt keeps in
        // step with the dock being shown or hidden.
        QAction* toggle = offer.dock->toggleViewAction();
        connect(toggle, &QAction::toggled, action, [action](bool shown) {
            const QSignalBlocker blocker(action);
            action->setChecked(shown);
        });
        m_menu->addAction(action);
        m_actions.append(action);
    }
    m_separator->setVisible(!m_actions.isEmpty());
}

void XrdDockMenu::updateChecks()
{
    if (!m_window)
        return;
    const QList<QAStDockOffer> offers = m_window->offeredDocks();
    for (QAction* action : m_actions) {
        for (const QAStDockOffer& offer : offers) {
            if (offer.dock && action->objectName().endsWith(QLatin1Char('_') + offer.id)) {
                const QSignalBlocker blocker(action);
                action->setChecked(!offer.dock->isHidden());
            }
        }
    }
}
