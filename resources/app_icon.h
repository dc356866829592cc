#pragma once

#include <QIcon>

// The program's icon in every size it ships (16 to 256 pixels).
QIcon applicationIcon();
