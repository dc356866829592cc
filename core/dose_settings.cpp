#include "dose_settings.h"

namespace norvalis {

DoseSettings &SharedDoseSettings() {
    static DoseSettings settings;
    return settings;
}

int LeadingEntryCount(const TextTable &table) {
    int count = 0;
    while (count < kTableSlots && !table[count + 1].empty()) {
        ++count;
    }
    return count;
}

} // namespace norvalis
