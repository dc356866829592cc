#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

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
// are cut to 254 bytes. Names asked for are trimmed of blanks like the names in the file.
//
// Writing: a key the read finds has its value replaced in place (the key's own spelling and
// the line ending kept); a new key goes after the last non-blank line of the section; a new
// section goes at the end of the file, after one blank line. New lines use the file's own
// line ending ("\r\n" or "\n"; "\n" for a file that has none).
class IniDocument {
public:
    // One key line as a read sees it, for tools that look at the whole file.
    struct Entry {
        std::string key;
        std::string value;  // as Value() returns it
        int lineNumber = 0; // 1-based
    };
    struct Section {
        std::string name;
        int lineNumber = 0; // of the "[name]" line, 1-based
        std::vector<Entry> entries;
    };

    IniDocument() = default;
    explicit IniDocument(std::string bytes);

    // The value as the profile functions return it; empty when the section or key is missing.
    std::string Value(std::string_view section, std::string_view key) const;

    // Sets a value, creating the section and key as needed. Returns false and changes nothing
    // when a name or the value cannot be stored on one line (a line break or a NUL byte
    // anywhere, an empty section name, an empty key, a '=' or a leading '[' in a key).
    bool SetValue(std::string_view section, std::string_view key, std::string_view value);

    // Removes every line of the key in the section that a read finds. Returns whether any
    // line was removed.
    bool RemoveKey(std::string_view section, std::string_view key);

    // Every section in file order, duplicates included, with every key line in it.
    std::vector<Section> Sections() const;

    const std::string &Bytes() const { return bytes_; }

private:
    enum class LineKind { Blank, Section, Entry, Other };
    struct Line {
        std::size_t begin = 0; // first byte of the line (after a byte order mark)
        std::size_t end = 0;   // the '\n', or the end of the file
        std::size_t next = 0;  // first byte of the next line
        LineKind kind = LineKind::Blank;
        std::size_t nameBegin = 0; // section name or key
        std::size_t nameEnd = 0;
        std::size_t valueBegin = 0;
        std::size_t valueEnd = 0;
    };
    struct SectionSpan {
        std::size_t header = 0;  // index into lines_
        std::size_t endLine = 0; // one past its last line
    };

    void Parse();
    std::string_view NameOf(const Line &line) const;
    std::string ValueOf(const Line &line) const;
    const SectionSpan *FindSection(std::string_view name) const;
    const Line *FindKey(const SectionSpan &section, std::string_view key) const;
    std::string LineEnding() const;

    std::string bytes_;
    std::vector<Line> lines_;
    std::vector<SectionSpan> sections_;
};

} // namespace norvalis
