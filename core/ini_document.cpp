#include "ini_document.h"

#include "blank_text.h"
#include "ini_name.h"

#include <algorithm>

namespace norvalis {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
// The profile functions hand values over in a 255-byte buffer that ends with a NUL.
constexpr std::size_t kMaxValueBytes = 254;

bool IsBlank(char c) {
    return IsOneOf(c, kIniBlanks);
}

std::string_view Trimmed(std::string_view text) {
    return TrimmedOf(text, kIniBlanks);
}

bool FitsOnOneLine(std::string_view text) {
    return text.find_first_of(std::string_view("\r\n\0", 3)) == std::string_view::npos;
}

constexpr std::uint64_t kFnvOffset = 14695981039346656037ULL;
constexpr std::uint64_t kFnvPrime = 1099511628211ULL;

std::uint64_t HashOfName(std::string_view name, Encoding encoding) {
    std::uint64_t hash = kFnvOffset;
    for (std::size_t pos = 0; pos < name.size();) {
        hash = (hash ^ FoldedIniLetter(NextCodePoint(name, pos, encoding))) * kFnvPrime;
    }
    return hash;
}

} // namespace

IniDocument::IniDocument(std::string bytes)
    : bytes_(std::move(bytes)), encoding_(DetectEncoding(bytes_)) {
    Parse();
}

IniDocument::Line IniDocument::ParseLine(std::size_t pos) const {
    const std::string_view text = bytes_;
    Line line;
    line.begin = pos;
    line.end = std::min(text.find('\n', pos), text.size());
    line.next = line.end < text.size() ? line.end + 1 : text.size();

    std::size_t first = line.begin;
    std::size_t last = line.end;
    while (first < last && IsBlank(text[first])) {
        ++first;
    }
    while (last > first && IsBlank(text[last - 1])) {
        --last;
    }
    const auto setName = [&](std::size_t b, std::size_t e) {
        const std::string_view name = Trimmed(text.substr(b, e - b));
        line.nameBegin = static_cast<std::size_t>(name.data() - text.data());
        line.nameEnd = line.nameBegin + name.size();
    };
    if (first == last) {
        line.kind = LineKind::Blank;
    } else if (text[first] == '[') {
        const std::size_t close = text.substr(first, last - first).rfind(']');
        if (close != std::string_view::npos && close > 0) {
            line.kind = LineKind::Section;
            setName(first + 1, first + close);
        } else {
            line.kind = LineKind::Other; // an unclosed header names nothing
        }
    } else {
        line.kind = LineKind::Entry;
        const std::size_t equals = text.substr(first, last - first).find('=');
        if (equals == std::string_view::npos) {
            setName(first, last);
            line.valueBegin = line.valueEnd = last;
        } else {
            setName(first, first + equals);
            const std::string_view value =
                Trimmed(text.substr(first + equals + 1, last - first - equals - 1));
            line.valueBegin = static_cast<std::size_t>(value.data() - text.data());
            line.valueEnd = line.valueBegin + value.size();
        }
    }
    return line;
}

void IniDocument::Parse() {
    sections_.clear();
    const std::string_view text = bytes_;
    std::size_t pos = text.starts_with(kByteOrderMark) ? kByteOrderMark.size() : 0;
    while (pos < text.size()) {
        // Only header lines matter here: skip the others without splitting them up.
        std::size_t first = pos;
        while (first < text.size() && IsBlank(text[first])) {
            ++first;
        }
        if (first < text.size() && text[first] == '[') {
            const Line line = ParseLine(pos);
            if (line.kind == LineKind::Section) {
                if (!sections_.empty()) {
                    sections_.back().end = pos;
                }
                sections_.push_back({pos, line.nameBegin, line.nameEnd, line.next, text.size()});
            }
            pos = line.next;
        } else {
            const std::size_t newline = text.find('\n', first);
            pos = newline == std::string_view::npos ? text.size() : newline + 1;
        }
    }
    BuildIndex();
}

void IniDocument::BuildIndex() {
    index_.clear();
    index_.reserve(sections_.size());
    for (std::size_t i = 0; i < sections_.size(); ++i) {
        index_.emplace_back(HashOfFileName(NameOf(sections_[i])), i);
    }
    std::sort(index_.begin(), index_.end());
}

std::uint64_t IniDocument::HashOfFileName(std::string_view fileName) const {
    return HashOfName(fileName, encoding_);
}

std::string_view IniDocument::NameOf(const Line &line) const {
    return std::string_view(bytes_).substr(line.nameBegin, line.nameEnd - line.nameBegin);
}

std::string_view IniDocument::NameOf(const SectionSpan &span) const {
    return std::string_view(bytes_).substr(span.nameBegin, span.nameEnd - span.nameBegin);
}

std::string IniDocument::ValueOf(const Line &line) const {
    std::string_view value =
        std::string_view(bytes_).substr(line.valueBegin, line.valueEnd - line.valueBegin);
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        value = value.substr(1, value.size() - 2);
    }
    if (value.size() > kMaxValueBytes) {
        std::size_t cut = kMaxValueBytes;
        if (encoding_ == Encoding::Utf8) {
            while (cut > 0 && (static_cast<unsigned char>(value[cut]) & 0xC0) == 0x80) {
                --cut; // a continuation byte: the character would be split
            }
        }
        value = value.substr(0, cut);
    }
    return ToUtf8(value, encoding_);
}

bool IniDocument::NameMatches(std::string_view fileName, std::string_view utf8Name) const {
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < fileName.size() && j < utf8Name.size()) {
        if (FoldedIniLetter(NextCodePoint(fileName, i, encoding_)) !=
            FoldedIniLetter(NextCodePoint(utf8Name, j, Encoding::Utf8))) {
            return false;
        }
    }
    return i == fileName.size() && j == utf8Name.size();
}

std::size_t IniDocument::FindSection(std::string_view utf8Name) const {
    utf8Name = Trimmed(utf8Name);
    const std::uint64_t hash = HashOfName(utf8Name, Encoding::Utf8);
    auto it = std::lower_bound(index_.begin(), index_.end(), std::pair(hash, std::size_t{0}));
    for (; it != index_.end() && it->first == hash; ++it) {
        if (NameMatches(NameOf(sections_[it->second]), utf8Name)) {
            return it->second;
        }
    }
    return kNone;
}

IniDocument::Line IniDocument::FindKey(const SectionSpan &section, std::string_view utf8Key) const {
    utf8Key = Trimmed(utf8Key);
    if (!utf8Key.empty()) {
        const std::string_view text = bytes_;
        // No letter folds between ASCII and the rest, so only a line that starts with an ASCII
        // key, in any case, and ends the name there can name it; the others are skipped
        // without being split up. Reading a table of twelve keys stays twelve short scans.
        const bool asciiKey = std::all_of(utf8Key.begin(), utf8Key.end(), [](char c) {
            return static_cast<unsigned char>(c) < 0x80;
        });
        const auto startsWithKey = [&](std::size_t first) {
            if (text.size() - first < utf8Key.size()) {
                return false;
            }
            for (std::size_t k = 0; k < utf8Key.size(); ++k) {
                if (FoldedIniLetter(static_cast<unsigned char>(text[first + k])) !=
                    FoldedIniLetter(static_cast<unsigned char>(utf8Key[k]))) {
                    return false;
                }
            }
            const std::size_t after = first + utf8Key.size();
            return after == text.size() || text[after] == '=' || text[after] == '\n' ||
                   IsBlank(text[after]);
        };
        for (std::size_t pos = section.body; pos < section.end;) {
            std::size_t first = pos;
            while (asciiKey && first < section.end && IsBlank(text[first])) {
                ++first;
            }
            if (asciiKey && !startsWithKey(first)) {
                const std::size_t newline = text.find('\n', first);
                pos = newline == std::string_view::npos ? text.size() : newline + 1;
                continue;
            }
            const Line line = ParseLine(pos);
            if (line.kind == LineKind::Entry && NameMatches(NameOf(line), utf8Key)) {
                return line;
            }
            pos = line.next;
        }
    }
    return Line{kNone, kNone, kNone, LineKind::Blank, 0, 0, 0, 0};
}

void IniDocument::Replace(std::size_t section, std::size_t pos, std::size_t length,
                          std::string_view text) {
    if (std::string_view(bytes_).substr(pos, length) == text) {
        return;
    }
    bytes_.replace(pos, length, text);
    edited_ = true;
    const std::size_t delta = text.size() - length; // wraps for a shrink, as intended
    // The header line itself may have changed: renamed, or given the line ending it lacked
    // at the end of the file.
    SectionSpan &edited = sections_[section];
    const Line header = ParseLine(edited.header);
    edited.nameBegin = header.nameBegin;
    edited.nameEnd = header.nameEnd;
    edited.body = header.next;
    edited.end += delta;
    for (std::size_t i = section + 1; i < sections_.size(); ++i) {
        SectionSpan &span = sections_[i];
        span.header += delta;
        span.nameBegin += delta;
        span.nameEnd += delta;
        span.body += delta;
        span.end += delta;
    }
}

std::string IniDocument::LineEnding() const {
    const std::size_t newline = bytes_.find('\n');
    if (newline != std::string::npos && newline > 0 && bytes_[newline - 1] == '\r') {
        return "\r\n";
    }
    return "\n";
}

std::string IniDocument::Value(std::string_view section, std::string_view key) const {
    const std::size_t found = FindSection(section);
    if (found == kNone) {
        return {};
    }
    const Line line = FindKey(sections_[found], key);
    return line.begin != kNone ? ValueOf(line) : std::string();
}

bool IniDocument::HasSection(std::string_view section) const {
    return FindSection(section) != kNone;
}

IniDocument::EditResult IniDocument::SetValue(std::string_view section, std::string_view key,
                                              std::string_view value) {
    section = Trimmed(section);
    key = Trimmed(key);
    if (section.empty() || key.empty()) {
        return {false, "A section or key name is empty, so nothing was written."};
    }
    if (!FitsOnOneLine(section) || !FitsOnOneLine(key) || !FitsOnOneLine(value)) {
        return {false, "A period name or an entry holds a line break, which the settings file "
                       "cannot store; nothing was written."};
    }
    if (key.find('=') != std::string_view::npos || key.front() == '[') {
        return {false, "The key \"" + std::string(key) +
                           "\" cannot be stored in the settings "
                           "file; nothing was written."};
    }
    EncodedText encoded[3] = {FromUtf8(section, encoding_), FromUtf8(key, encoding_),
                              FromUtf8(value, encoding_)};
    for (const EncodedText &text : encoded) {
        if (text.problem) {
            return {false, *text.problem + " Nothing was written."};
        }
    }
    const std::string &fileSection = encoded[0].bytes;
    const std::string &fileKey = encoded[1].bytes;
    const std::string &fileValue = encoded[2].bytes;
    const std::string eol = LineEnding();
    const std::string entryLine = fileKey + "=" + fileValue;

    const std::size_t found = FindSection(section);
    if (found != kNone) {
        const SectionSpan &span = sections_[found];
        if (const Line line = FindKey(span, key); line.begin != kNone) {
            // Keep indentation, the key's spelling and the line's own ending.
            std::size_t replaceEnd = line.end;
            if (replaceEnd > line.begin && bytes_[replaceEnd - 1] == '\r') {
                --replaceEnd;
            }
            Replace(found, line.nameEnd, replaceEnd - line.nameEnd, "=" + fileValue);
        } else {
            Line after = ParseLine(span.header);
            for (std::size_t pos = span.body; pos < span.end;) {
                const Line candidate = ParseLine(pos);
                if (candidate.kind != LineKind::Blank) {
                    after = candidate;
                }
                pos = candidate.next;
            }
            if (after.next == after.end) { // last line of the file, without an ending
                Replace(found, after.next, 0, eol + entryLine);
            } else {
                Replace(found, after.next, 0, entryLine + eol);
            }
        }
        return {};
    }

    // Whether the file holds anything but blanks, and whether its last line is blank.
    const std::size_t start = bytes_.starts_with(kByteOrderMark) ? kByteOrderMark.size() : 0;
    const std::size_t lastFilled = bytes_.find_last_not_of(" \t\r\v\f\n");
    const bool hasContent = lastFilled != std::string::npos && lastFilled >= start;
    if (hasContent) {
        if (bytes_.back() != '\n') {
            bytes_ += eol;
        }
        // The last line is blank exactly when a line break follows the last filled byte's line.
        const std::size_t lineBreak = bytes_.find('\n', lastFilled);
        if (lineBreak + 1 == bytes_.size()) {
            bytes_ += eol;
        }
    } else if (bytes_.size() > start && bytes_.back() != '\n') {
        bytes_ += eol; // a file of blanks keeps its last line as it was, the header on its own
    }
    bytes_.append(1, '[').append(fileSection).append(1, ']');
    bytes_.append(eol).append(entryLine).append(eol);
    edited_ = true;
    Parse();
    return {};
}

bool IniDocument::RemoveKey(std::string_view section, std::string_view key) {
    const std::size_t found = FindSection(section);
    key = Trimmed(key);
    if (found == kNone || key.empty()) {
        return false;
    }
    std::vector<std::pair<std::size_t, std::size_t>> doomed; // begin, length
    for (std::size_t pos = sections_[found].body; pos < sections_[found].end;) {
        const Line line = ParseLine(pos);
        if (line.kind == LineKind::Entry && NameMatches(NameOf(line), key)) {
            doomed.emplace_back(line.begin, line.next - line.begin);
        }
        pos = line.next;
    }
    for (auto it = doomed.rbegin(); it != doomed.rend(); ++it) {
        Replace(found, it->first, it->second, {});
    }
    return !doomed.empty();
}

bool IniDocument::RenameSection(std::string_view from, std::string_view to) {
    to = Trimmed(to);
    if (to.empty() || !FitsOnOneLine(to) || to.find(']') != std::string_view::npos) {
        return false;
    }
    const std::size_t found = FindSection(from);
    if (found == kNone) {
        return false;
    }
    if (const std::size_t existing = FindSection(to); existing != kNone && existing != found) {
        return false;
    }
    const EncodedText encoded = FromUtf8(to, encoding_);
    if (encoded.problem) {
        return false;
    }
    const SectionSpan &span = sections_[found];
    Replace(found, span.nameBegin, span.nameEnd - span.nameBegin, encoded.bytes);
    BuildIndex();
    return true;
}

std::vector<IniDocument::Section> IniDocument::Sections() const {
    std::vector<Section> result;
    result.reserve(sections_.size());
    const std::string_view text = bytes_;
    const std::size_t start = text.starts_with(kByteOrderMark) ? kByteOrderMark.size() : 0;
    int lineNumber = 1;
    if (!sections_.empty()) {
        lineNumber += static_cast<int>(
            std::count(text.begin() + static_cast<std::ptrdiff_t>(start),
                       text.begin() + static_cast<std::ptrdiff_t>(sections_.front().header), '\n'));
    }
    for (const SectionSpan &span : sections_) {
        Section section{ToUtf8(NameOf(span), encoding_), lineNumber, {}};
        ++lineNumber;
        for (std::size_t pos = span.body; pos < span.end; ++lineNumber) {
            const Line line = ParseLine(pos);
            if (line.kind == LineKind::Entry) {
                section.entries.push_back(
                    {ToUtf8(NameOf(line), encoding_), ValueOf(line), lineNumber});
            }
            pos = line.next;
        }
        result.push_back(std::move(section));
    }
    return result;
}

} // namespace norvalis
