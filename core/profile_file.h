#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace norvalis {

// Reads one key of one section of the profile file at path: the value cut to 254 bytes, or
// empty text when the file, the section or the key does not exist.
std::string ReadIniValue(std::string_view section, std::string_view key, const std::string &path);

// Writes one key, creating the file, section and key as needed and keeping every other line.
// Non-zero on success, 0 when the write failed.
std::int16_t WriteIniValue(std::string_view section, std::string_view key, std::string_view value,
                           const std::string &path);

} // namespace norvalis
