#pragma once

#include <QIcon>
#include <functional>

namespace platform {

// An icon that is made the first time it is drawn or measured. Reading icons at start-up
// (decoding image files, loading image format plugins) delays the first window for icons that
// may never be shown.
// knownNotNull: the icon is known to exist, so asking isNull() does not make it.
QIcon deferredIcon(std::function<QIcon()> make, bool knownNotNull = false);

} // namespace platform
