#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace norvalis::cli {

// A JSON string literal, quotes included. Valid UTF-8 passes through; quote and backslash
// are escaped, control characters become \u00XX, and a byte that is not part of valid UTF-8
// becomes \ufffd so the output always parses.
std::string JsonString(std::string_view text);

// A JSON array of strings.
std::string JsonStringArray(const std::vector<std::string> &texts);

} // namespace norvalis::cli
