#pragma once

#include <utility>
#include <vector>

class QWidget;

namespace platform {

// Widgets paired with their tab index, as a window's layout table gives them.
using TabStops = std::vector<std::pair<int, QWidget *>>;

// Chains the widgets' keyboard focus by rising tab index; the Tab key then walks them in that
// order whatever order they were created in. Returns the first widget of the chain (null when
// there is none).
QWidget *chainTabOrder(TabStops stops);

} // namespace platform
