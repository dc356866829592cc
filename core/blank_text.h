#pragma once

#include <string_view>

namespace norvalis {

// What counts as a blank differs by what is read: the settings file's lines never hold a line
// feed (it ends them), while a number text may carry one.
inline constexpr std::string_view kIniBlanks = " \t\r\v\f";
inline constexpr std::string_view kNumberBlanks = " \t\n\r";

// text without the characters of blanks at either end. The result always points into text
// (an all-blank text gives the empty view at its end), so callers may take offsets from it.
constexpr std::string_view TrimmedOf(std::string_view text, std::string_view blanks) {
    const std::size_t first = text.find_first_not_of(blanks);
    if (first == std::string_view::npos) {
        return text.substr(text.size());
    }
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

constexpr bool IsOneOf(char c, std::string_view blanks) {
    return blanks.find(c) != std::string_view::npos;
}

} // namespace norvalis
