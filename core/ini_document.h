#pragma once

#include <string>
#include <string_view>

namespace norvalis {

// An INI file held in memory as its original bytes, with the lookup and update rules of the
// Windows profile functions that users' files were written for. Written by hand because no
// standard facility offers these rules (first section or key wins, ASCII case-insensitive
// names, blanks around names and values ignored, untouched lines kept byte for byte).
//
// Reading: lines split at '\n' ('\r' counts as a blank); a leading UTF-8 byte order mark is
// ignored; "[name]" starts a section (name up to the last ']'); other non-blank lines are
// "key=value" or a bare key (empty value); lines before the first section belong to none.
// A value enclosed in a matching pair of single or double quotes loses the quotes. Values
// are cut to 254 bytes.
//
// Writing: a key the read finds has its value replaced in place (the key's own spelling and
// the line ending kept); a new key goes after the last non-blank line of the section; a new
// section goes at the end of the file, after one blank line. New lines use the file's own
// line ending ("\r\n" or "\n"; "\n" for a file that has none).
class IniDocument {
public:
    IniDocument() = default;
    explicit IniDocument(std::string bytes);

    // The value as the profile functions return it; empty when the section or key is missing.
    std::string Value(std::string_view section, std::string_view key) const;

    // Sets a value, creating the section and key as needed. Returns false and changes nothing
    // when a name or the value cannot be stored on one line (line breaks, a '=' or a leading
    // '[' in a key, a ']' in a section name, an empty key).
    bool SetValue(std::string_view section, std::string_view key, std::string_view value);

    // Removes every line of the key in the section that a read finds. Returns whether any
    // line was removed.
    bool RemoveKey(std::string_view section, std::string_view key);

    const std::string &Bytes() const { return bytes_; }

private:
    std::string bytes_;
};

} // namespace norvalis
