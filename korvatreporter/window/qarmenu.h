#pragma once

#include <QIcon>
#include <QMap>
#include <QMenu>
#include <QPointer>

class QAction;

// A menu whose items are addressed by integer ids, as the report window's
// commands expect: an item keeps the id it was inserted with (or one the
// menu assigns), can be checked, enabled and relabelled by id, and the menu
// reports a triggered item with activated(id) and a hovered one with
// highlighted(id).
//
// A check mark only changes through setItemChecked(): choosing a checked
// item leaves it checked, so the receiver of activated() reads the state the
// user saw when choosing.
class QARMenu : public QMenu
{
    Q_OBJECT
public:
    explicit QARMenu(QWidget *parent = nullptr);
    ~QARMenu() override;

    // Appends an item and returns its id: `id` when it is not negative,
    // else a new id that no other item of any menu uses (negative).
    int insertItem(const QString &text, int id = -1);
    int insertItem(const QIcon &icon, const QString &text, int id = -1);
    void insertSeparator();
    // Removes every item; their ids are forgotten.
    void clearItems();

    bool hasItem(int id) const;
    QAction *action(int id) const;
    // The ids in menu order.
    QList<int> itemIds() const;
    // The item's text, or a null string when there is no such item.
    QString text(int id) const;
    void changeItem(int id, const QString &text);
    void setItemChecked(int id, bool checked);
    bool isItemChecked(int id) const;
    void setItemEnabled(int id, bool enabled);
    bool isItemEnabled(int id) const;
    // The id of `action`, or -1 when it is not one of this menu's items.
    int idOf(const QAction *action) const;

Q_SIGNALS:
    void activated(int id);
    void highlighted(int id);

private:
    QAction *addItem(QAction *action, int id);

    QMap<int, QPointer<QAction>> m_items;
};
