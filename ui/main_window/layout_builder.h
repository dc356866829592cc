#pragma once

#include "ui/main_window/main_window_layout.h"

#include <QHash>
#include <QString>
#include <Qt>

class QAction;
class QMenuBar;
class QWidget;

namespace mainwindow {

// Indexed widgets are named "<name>_<index>" ("Label2_1", "Lab_bs1_0") and carry their index
// in the dynamic property "index"; the others carry their design name unchanged.
QString objectNameOf(const WidgetSpec &entry);

Qt::Alignment alignmentOf(TextAlign align);

// Creates the widgets of kMainWindowWidgets on the client area, in table order, and sets the
// focus chain by tab index. Returns the widgets by object name.
QHash<QString, QWidget *> buildWidgets(QWidget *clientArea);

// Gives every widget that has a labelledBy entry the current caption of that label as its
// accessible name; run again whenever such a caption changes.
void updateAccessibleNames(const QHash<QString, QWidget *> &widgets);

// Fills the menu bar from kMainMenu. Returns the items that run a command.
QHash<MenuCommand, QAction *> buildMenu(QMenuBar *menuBar);

} // namespace mainwindow
