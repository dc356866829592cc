#include "dose_settings.h"

namespace norvalis {

DoseSettings &SharedDoseSettings() {
    static DoseSettings settings;
    return settings;
}

} // namespace norvalis
