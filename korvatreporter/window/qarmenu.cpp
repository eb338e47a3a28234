#include "korvatreporter/window/qarmenu.h"

#include <QAction>

namespace {

// Ids handed out for items inserted without one: negative, so they never
// meet the fixed ids of the commands, and unique in the process.
int nextAutomaticId()
{
    static int next = -2;
    return next--;
}

} // namespace

QARMenu::QARMenu(QWidget *parent) : QMenu(parent)
{
    connect(this, &QMenu::hovered, this, [this](QAction *action) {
        const int id = idOf(action);
        if (id != -1)
            Q_EMIT highlighted(id);
    });
}

QARMenu::~QARMenu() = default;

int QARMenu::insertItem(const QString &text, int id)
{
    if (id < 0)
        id = nextAutomaticId();
    addItem(new QAction(text, this), id);
    return id;
}

int QARMenu::insertItem(const QIcon &icon, const QString &text, int id)
{
    if (id < 0)
        id = nextAutomaticId();
    addItem(new QAction(icon, text, this), id);
    return id;
}

QAction *QARMenu::addItem(QAction *action, int id)
{
    // A second item with the same id replaces the first in the map only.
    m_items.insert(id, action);
    addAction(action);
    connect(action, &QAction::triggered, this, [this, action, id](bool checked) {
        // Qt toggles a checkable action before reporting it; undo that so
        // the receiver sees the state the user chose from.
        if (action->isCheckable())
            action->setChecked(!checked);
        Q_EMIT activated(id);
    });
    return action;
}

void QARMenu::insertSeparator()
{
    addSeparator();
}

void QARMenu::clearItems()
{
    m_items.clear();
    // Every item action is a child of the menu, so clear() frees them all.
    clear();
}

bool QARMenu::hasItem(int id) const
{
    return m_items.value(id) != nullptr;
}

QAction *QARMenu::action(int id) const
{
    return m_items.value(id);
}

QList<int> QARMenu::itemIds() const
{
    QList<int> ids;
    for (QAction *a : actions()) {
        const int id = idOf(a);
        if (id != -1)
            ids.append(id);
    }
    return ids;
}

QString QARMenu::text(int id) const
{
    QAction *a = action(id);
    return a ? a->text() : QString();
}

void QARMenu::changeItem(int id, const QString &text)
{
    if (QAction *a = action(id))
        a->setText(text);
}

void QARMenu::setItemChecked(int id, bool checked)
{
    if (QAction *a = action(id)) {
        a->setCheckable(true);
        a->setChecked(checked);
    }
}

bool QARMenu::isItemChecked(int id) const
{
    QAction *a = action(id);
    return a && a->isChecked();
}

void QARMenu::setItemEnabled(int id, bool enabled)
{
    if (QAction *a = action(id))
        a->setEnabled(enabled);
}

bool QARMenu::isItemEnabled(int id) const
{
    QAction *a = action(id);
    return a && a->isEnabled();
}

int QARMenu::idOf(const QAction *action) const
{
    if (!action)
        return -1;
    for (auto it = m_items.cbegin(); it != m_items.cend(); ++it) {
        if (it.value() == action)
            return it.key();
    }
    return -1;
}
