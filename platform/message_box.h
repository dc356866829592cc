#pragma once

#include <QString>

class QWidget;

namespace platform {

// The program's plain notice: no icon, one OK button, the application title. The box's object
// name is "messageBox" so tests can find and close it.
void messageBox(QWidget *parent, const QString &text);

} // namespace platform
