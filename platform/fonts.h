#pragma once

#include <QFont>

namespace platform {

// The windows' design font: "MS Sans Serif" 8.25 pt where installed, otherwise a close
// sans-serif face. bold gives weight 700.
QFont designFont(bool bold = false);

} // namespace platform
