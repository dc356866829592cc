#pragma once

#include <string_view>

namespace norvalis {

// A correction or weighting entry split at its first comma. An entry without a comma reads
// as if it ended with one: the whole text is the level and the dose text is empty (dose 0).
struct EntryParts {
    std::string_view level;
    std::string_view dose;
};

EntryParts SplitEntry(std::string_view entry);

} // namespace norvalis
