#pragma once

#include "ui/main_window/main_window_layout.h"
#include "ui/widget_table/widget_builder.h"

#include <QHash>
#include <QString>

class QAction;
class QMenuBar;
class QWidget;

namespace mainwindow {

// Creates the widgets of kMainWindowWidgets on the client area. Returns them by object name.
QHash<QString, QWidget *> buildWidgets(QWidget *clientArea);

// Fills the menu bar from kMainMenu. Returns the items that run a command.
QHash<MenuCommand, QAction *> buildMenu(QMenuBar *menuBar);

} // namespace mainwindow
