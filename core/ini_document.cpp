#include "ini_document.h"

#include <algorithm>

namespace norvalis {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
// The profile functions hand values over in a 255-byte buffer that ends with a NUL.
constexpr std::size_t kMaxValueBytes = 254;

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

char LowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameName(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return LowerAscii(x) == LowerAscii(y);
           });
}

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

bool FitsOnOneLine(std::string_view text) {
    return text.find_first_of(std::string_view("\r\n\0", 3)) == std::string_view::npos;
}

} // namespace

IniDocument::IniDocument(std::string bytes) : bytes_(std::move(bytes)) {
    Parse();
}

void IniDocument::Parse() {
    lines_.clear();
    sections_.clear();
    const std::string_view text = bytes_;
    std::size_t pos = text.starts_with(kByteOrderMark) ? kByteOrderMark.size() : 0;
    while (pos < text.size()) {
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
        if (line.kind == LineKind::Section) {
            if (!sections_.empty()) {
                sections_.back().endLine = lines_.size();
            }
            sections_.push_back({lines_.size(), 0});
        }
        lines_.push_back(line);
        pos = line.next;
    }
    if (!sections_.empty()) {
        sections_.back().endLine = lines_.size();
    }
}

std::string_view IniDocument::NameOf(const Line &line) const {
    return std::string_view(bytes_).substr(line.nameBegin, line.nameEnd - line.nameBegin);
}

std::string IniDocument::ValueOf(const Line &line) const {
    std::string_view value =
        std::string_view(bytes_).substr(line.valueBegin, line.valueEnd - line.valueBegin);
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        value = value.substr(1, value.size() - 2);
    }
    return std::string(value.substr(0, kMaxValueBytes));
}

const IniDocument::SectionSpan *IniDocument::FindSection(std::string_view name) const {
    name = Trimmed(name);
    for (const SectionSpan &section : sections_) {
        if (SameName(NameOf(lines_[section.header]), name)) {
            return &section;
        }
    }
    return nullptr;
}

const IniDocument::Line *IniDocument::FindKey(const SectionSpan &section,
                                              std::string_view key) const {
    key = Trimmed(key);
    if (key.empty()) {
        return nullptr;
    }
    for (std::size_t i = section.header + 1; i < section.endLine; ++i) {
        if (lines_[i].kind == LineKind::Entry && SameName(NameOf(lines_[i]), key)) {
            return &lines_[i];
        }
    }
    return nullptr;
}

std::string IniDocument::LineEnding() const {
    const std::size_t newline = bytes_.find('\n');
    if (newline != std::string::npos && newline > 0 && bytes_[newline - 1] == '\r') {
        return "\r\n";
    }
    return "\n";
}

std::string IniDocument::Value(std::string_view section, std::string_view key) const {
    const SectionSpan *found = FindSection(section);
    if (found == nullptr) {
        return {};
    }
    const Line *line = FindKey(*found, key);
    return line != nullptr ? ValueOf(*line) : std::string();
}

bool IniDocument::SetValue(std::string_view section, std::string_view key, std::string_view value) {
    section = Trimmed(section);
    key = Trimmed(key);
    if (section.empty() || key.empty() || !FitsOnOneLine(section) || !FitsOnOneLine(key) ||
        !FitsOnOneLine(value) || key.find('=') != std::string_view::npos || key.front() == '[') {
        return false;
    }
    const std::string eol = LineEnding();
    std::string entryLine(key);
    entryLine.append(1, '=').append(value);

    const SectionSpan *found = FindSection(section);
    if (found != nullptr) {
        if (const Line *line = FindKey(*found, key); line != nullptr) {
            // Keep indentation, the key's spelling and the line's own ending.
            std::size_t replaceEnd = line->end;
            if (replaceEnd > line->begin && bytes_[replaceEnd - 1] == '\r') {
                --replaceEnd;
            }
            std::string assignment(1, '=');
            assignment.append(value);
            bytes_.replace(line->nameEnd, replaceEnd - line->nameEnd, assignment);
        } else {
            std::size_t lastFilled = found->header;
            for (std::size_t i = found->header + 1; i < found->endLine; ++i) {
                if (lines_[i].kind != LineKind::Blank) {
                    lastFilled = i;
                }
            }
            const Line &after = lines_[lastFilled];
            if (after.next == after.end) { // last line of the file, without an ending
                bytes_.insert(after.next, eol + entryLine);
            } else {
                bytes_.insert(after.next, entryLine + eol);
            }
        }
    } else {
        const bool hasContent = std::any_of(lines_.begin(), lines_.end(), [](const Line &line) {
            return line.kind != LineKind::Blank;
        });
        if (hasContent && bytes_.back() != '\n') {
            bytes_ += eol;
        }
        if (hasContent && lines_.back().kind != LineKind::Blank) {
            bytes_ += eol;
        }
        bytes_.append(1, '[').append(section).append(1, ']');
        bytes_.append(eol).append(entryLine).append(eol);
    }
    Parse();
    return true;
}

bool IniDocument::RemoveKey(std::string_view section, std::string_view key) {
    const SectionSpan *found = FindSection(section);
    key = Trimmed(key);
    if (found == nullptr || key.empty()) {
        return false;
    }
    bool removed = false;
    for (std::size_t i = found->endLine; i-- > found->header + 1;) {
        const Line &line = lines_[i];
        if (line.kind == LineKind::Entry && SameName(NameOf(line), key)) {
            bytes_.erase(line.begin, line.next - line.begin);
            removed = true;
        }
    }
    if (removed) {
        Parse();
    }
    return removed;
}

std::vector<IniDocument::Section> IniDocument::Sections() const {
    std::vector<Section> result;
    result.reserve(sections_.size());
    for (const SectionSpan &span : sections_) {
        Section section{
            std::string(NameOf(lines_[span.header])), static_cast<int>(span.header + 1), {}};
        for (std::size_t i = span.header + 1; i < span.endLine; ++i) {
            if (lines_[i].kind == LineKind::Entry) {
                section.entries.push_back(
                    {std::string(NameOf(lines_[i])), ValueOf(lines_[i]), static_cast<int>(i + 1)});
            }
        }
        result.push_back(std::move(section));
    }
    return result;
}

} // namespace norvalis
