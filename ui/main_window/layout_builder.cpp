#include "ui/main_window/layout_builder.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace mainwindow {

namespace {
QString toQString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}
} // namespace

QHash<QString, QWidget *> buildWidgets(QWidget *clientArea) {
    return widget_table::buildWidgets(kMainWindowWidgets, clientArea).byName;
}

QHash<MenuCommand, QAction *> buildMenu(QMenuBar *menuBar) {
    QHash<MenuCommand, QAction *> commands;
    QHash<QString, QMenu *> menus;
    for (const MenuSpec &entry : kMainMenu) {
        const QString name = toQString(entry.name);
        QAction *action = nullptr;
        if (entry.menu.empty()) {
            QMenu *menu = menuBar->addMenu(toQString(entry.caption));
            menu->setObjectName(name);
            menus.insert(name, menu);
            action = menu->menuAction();
        } else {
            QMenu *menu = menus.value(toQString(entry.menu));
            Q_ASSERT(menu); // a title comes before its items
            action = menu->addAction(toQString(entry.caption));
        }
        action->setObjectName(name);
        if (entry.index != kNoIndex)
            action->setProperty("index", entry.index);
        action->setEnabled(entry.enabled);
        if (entry.command != MenuCommand::None)
            commands.insert(entry.command, action);
    }
    return commands;
}

} // namespace mainwindow
