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

// Names every labelled widget after its label's current caption; run again whenever such a
// caption changes.
void updateAccessibleNames(const QHash<QString, QWidget *> &widgets);

// Fills the menu bar from kMainMenu. Returns the items that run a command.
QHash<MenuCommand, QAction *> buildMenu(QMenuBar *menuBar);

} // namespace mainwindow
