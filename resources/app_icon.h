#pragma once

#include <QIcon>

// The program's window icon, 16 to 64 pixels: the sizes title bars, task bars and window
// switchers draw. The desktop entry names the installed 256-pixel file for launchers.
QIcon applicationIcon();
