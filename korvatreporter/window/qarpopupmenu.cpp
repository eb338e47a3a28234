#include "korvatreporter/window/qarpopupmenu.h"

QARPopupMenu::QARPopupMenu(QWidget *parent) : QARMenu(parent) {}

QARPopupMenu::~QARPopupMenu() = default;
