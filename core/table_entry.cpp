#include "table_entry.h"

namespace norvalis {

EntryParts SplitEntry(std::string_view entry) {
    const std::size_t comma = entry.find(',');
    if (comma == std::string_view::npos) {
        return {entry, {}};
    }
    return {entry.substr(0, comma), entry.substr(comma + 1)};
}

} // namespace norvalis
