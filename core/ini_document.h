#pragma once

#include "text_encoding.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace norvalis {

// An INI file held in memory as its original bytes, with the lookup and update rules of the
// Windows profile functions that users' files were written for. Written by hand because no
// standard facility offers these rules (first section or key wins, case-insensitive names,
// blanks around names and values ignored, untouched lines kept byte for byte).
//
// Encoding: decided once when the bytes are read: valid UTF-8 (a byte order mark allowed) is
// UTF-8, anything else Windows-1252, as the Windows version writes. Every name and value goes
// in and comes out as UTF-8; edits are written in the file's own encoding.
//
// Reading: lines split at '\n' ('\r' counts as a blank); a leading UTF-8 byte order mark is
// ignored; "[name]" starts a section (name up to the last ']'); other non-blank lines are
// "key=value" or a bare key (empty value); lines before the first section belong to none.
// Names compare as SameIniName does. A value enclosed in a matching pair of single or double
// quotes loses the quotes. Values are cut to 254 bytes of the file's encoding (in a UTF-8 file
// never inside a character). Names asked for are trimmed of blanks like the names in the file.
//
// Writing: a key the read finds has its value replaced in place (the key's own spelling and
// the line ending kept); a new key goes after the last non-blank line of the section; a new
// section goes at the end of the file, after one blank line. New lines use the file's own
// line ending ("\r\n" or "\n"; "\n" for a file that has none).
//
// Cost: building the document is one pass over the bytes plus an index of section names;
// finding a section takes a hash lookup, finding a key one pass over its section.
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
    // The outcome of an edit; error says in plain words why nothing was changed.
    struct EditResult {
        bool ok = true;
        std::string error;
    };

    IniDocument() = default;
    explicit IniDocument(std::string bytes);

    // The value as the profile functions return it; empty when the section or key is missing.
    std::string Value(std::string_view section, std::string_view key) const;

    // Whether a read finds a section of that name.
    bool HasSection(std::string_view section) const;

    // Sets a value, creating the section and key as needed. Refuses, changing nothing, when a
    // name or the value cannot be stored on one line (a line break or a NUL byte anywhere, an
    // empty section name, an empty key, a '=' or a leading '[' in a key) or holds a character
    // the file's encoding cannot hold.
    EditResult SetValue(std::string_view section, std::string_view key, std::string_view value);

    // Removes every line of the key in the section that a read finds. Returns whether any
    // line was removed.
    bool RemoveKey(std::string_view section, std::string_view key);

    // Renames the section a read finds for `from` in its header line, keeping the line's
    // indentation and ending and every line of the section. Returns false, changing nothing,
    // when there is no such section, when `to` (trimmed) is empty, holds a line break, a NUL
    // or a ']', cannot be held by the file's encoding, or names another existing section.
    bool RenameSection(std::string_view from, std::string_view to);

    // Every section in file order, duplicates included, with every key line in it.
    std::vector<Section> Sections() const;

    const std::string &Bytes() const { return bytes_; }
    Encoding encoding() const { return encoding_; }
    // Whether an edit changed the bytes since the document was read.
    bool Edited() const { return edited_; }

private:
    enum class LineKind { Blank, Section, Entry, Other };
    struct Line {
        std::size_t begin = 0; // first byte of the line
        std::size_t end = 0;   // the '\n', or the end of the file
        std::size_t next = 0;  // first byte of the next line
        LineKind kind = LineKind::Blank;
        std::size_t nameBegin = 0; // section name or key
        std::size_t nameEnd = 0;
        std::size_t valueBegin = 0;
        std::size_t valueEnd = 0;
    };
    struct SectionSpan {
        std::size_t header = 0; // first byte of the "[name]" line
        std::size_t nameBegin = 0;
        std::size_t nameEnd = 0;
        std::size_t body = 0; // first byte after the header line
        std::size_t end = 0;  // first byte of the next section's header, or the end of the file
    };
    static constexpr std::size_t kNone = static_cast<std::size_t>(-1);

    void Parse();
    void BuildIndex();
    Line ParseLine(std::size_t pos) const;
    std::string_view NameOf(const Line &line) const;
    std::string_view NameOf(const SectionSpan &span) const;
    std::string ValueOf(const Line &line) const;
    bool NameMatches(std::string_view fileName, std::string_view utf8Name) const;
    std::uint64_t HashOfFileName(std::string_view fileName) const;
    std::size_t FindSection(std::string_view utf8Name) const;
    Line FindKey(const SectionSpan &section, std::string_view utf8Key) const;
    void Replace(std::size_t section, std::size_t pos, std::size_t length, std::string_view text);
    std::string LineEnding() const;

    std::string bytes_;
    Encoding encoding_ = Encoding::Utf8;
    bool edited_ = false;
    std::vector<SectionSpan> sections_;
    // (hash of the folded name, index into sections_), sorted: equal names sit together in
    // file order, so the first match is the section a read finds.
    std::vector<std::pair<std::uint64_t, std::size_t>> index_;
};

} // namespace norvalis
