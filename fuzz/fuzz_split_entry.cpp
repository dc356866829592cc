// SplitEntry: the two parts put back together give the entry, and the level holds no comma.
#include "core/table_entry.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    const std::string_view entry(reinterpret_cast<const char *>(data), size);
    const norvalis::EntryParts parts = norvalis::SplitEntry(entry);
    if (parts.level.find(',') != std::string_view::npos) {
        std::abort();
    }
    if (entry.find(',') == std::string_view::npos) {
        if (parts.level != entry || !parts.dose.empty()) {
            std::abort();
        }
    } else {
        const bool joined = parts.level.size() + 1 + parts.dose.size() == entry.size() &&
                            entry.starts_with(parts.level) && entry[parts.level.size()] == ',' &&
                            entry.ends_with(parts.dose);
        if (!joined) {
            std::abort();
        }
    }
    return 0;
}
