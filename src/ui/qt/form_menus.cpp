// SPDX-License-Identifier: MIT
#include "form_window.h"
#include "painting.h"
#include "ui/form.h"
#include "ui/runtime.h"

#include <QActionGroup>
#include <QApplication>
#include <QMenuBar>

namespace ui::qt {

void FormWindow::addMenuItems(QMenu* menu, std::vector<MenuItem>& items) {
    QActionGroup* choices = nullptr;
    for (auto& item : items) {
        if (item.isSeparator()) {
            menu->addSeparator();
            continue;
        }
        if (!item.items.empty()) {
            QMenu* submenu = menu->addMenu(QString::fromStdString(item.caption));
            submenu->setObjectName(QString::fromStdString(item.name));
            addMenuItems(submenu, item.items);
            continue;
        }
        QAction* action = menu->addAction(QString::fromStdString(item.caption));
        action->setObjectName(QString::fromStdString(item.name));
        QList<QKeySequence> keys;
        for (const auto& shortcut : item.shortcuts)
            keys.append(QKeySequence(QString::fromStdString(shortcut)));
        action->setShortcuts(keys);
        if (item.everyWindow) action->setShortcutContext(Qt::ApplicationShortcut);
        if (item.checkable) {
            // The choices of one menu are drawn as one choice, the one in force marked.
            if (!choices) {
                choices = new QActionGroup(menu);
                choices->setExclusionPolicy(QActionGroup::ExclusionPolicy::Exclusive);
            }
            action->setCheckable(true);
            choices->addAction(action);
        }
        // The menu shows what the form holds; a trigger asks the form.
        QObject::connect(action, &QAction::triggered, window_,
                         [&runtime = runtime_, &item, after = afterEvent_] {
                             runtime.menu(item);
                             after();
                         });
        action->setVisible(item.visible);
        action->setEnabled(item.enabled);
        actions_.push_back({&item, action});
    }
}
void FormWindow::zoomMenus() {
    if (form_.menus.empty()) return;
    // The menus grow with the window, from the desktop's own menu font.
    const QFont font = zoomedFont(QApplication::font("QMenuBar"), zoomOf(form_));
    window_->menuBar()->setFont(font);
    for (QMenu* menu : window_->menuBar()->findChildren<QMenu*>())
        menu->setFont(font);
}
void FormWindow::buildMenus() {
    for (auto& menu : form_.menus) {
        QMenu* qmenu = window_->menuBar()->addMenu(QString::fromStdString(menu.caption));
        qmenu->setObjectName(QString::fromStdString(menu.name));
        addMenuItems(qmenu, menu.items);
    }
    zoomMenus();
}
void FormWindow::syncMenus() {
    for (auto& [item, action] : actions_) {
        if (action->isChecked() != item->checked) action->setChecked(item->checked);
        if (action->isEnabled() != item->enabled) action->setEnabled(item->enabled);
        if (action->isVisible() != item->visible) action->setVisible(item->visible);
    }
}

} // namespace ui::qt
