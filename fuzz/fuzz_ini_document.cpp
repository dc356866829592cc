// The INI reader and editor: a file, then a sequence of value writes and key removals driven
// by the input, then a fresh read of the result. Every value written reads back, every key
// removed reads as empty, and every line no write or removal touched is still there, byte for
// byte and in order.
#include "core/ini_document.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fuzzer/FuzzedDataProvider.h>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace {

using norvalis::IniDocument;

std::string Folded(std::string_view name) {
    while (!name.empty() && (name.front() == ' ' || name.front() == '\t')) {
        name.remove_prefix(1);
    }
    while (!name.empty() && (name.back() == ' ' || name.back() == '\t' || name.back() == '\r')) {
        name.remove_suffix(1);
    }
    std::string folded(name);
    for (char &c : folded) {
        c = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    }
    return folded;
}

bool IsPlainAscii(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return c > ' ' && c < 0x7F; });
}

// Names made up here, or names the file already has (so that writes hit existing lines).
std::string PickName(FuzzedDataProvider &input, const std::vector<std::string> &existing) {
    if (!existing.empty() && input.ConsumeBool()) {
        return existing[input.ConsumeIntegralInRange<std::size_t>(0, existing.size() - 1)];
    }
    static constexpr std::string_view kLetters = "ABCabc_019 PpSsDd";
    std::string name(1, "ABCPSabc"[input.ConsumeIntegralInRange(0, 7)]);
    const int length = input.ConsumeIntegralInRange(0, 6);
    for (int i = 0; i < length; ++i) {
        name += kLetters[input.ConsumeIntegralInRange<std::size_t>(0, kLetters.size() - 1)];
    }
    while (name.back() == ' ') {
        name.pop_back();
    }
    return name;
}

// A value the reader gives back as written: printable, no blanks around it, not in quotes.
std::string PickValue(FuzzedDataProvider &input) {
    std::string value;
    const std::size_t length = input.ConsumeIntegralInRange<std::size_t>(0, 254);
    for (std::size_t i = 0; i < length && input.remaining_bytes() > 0; ++i) {
        value += static_cast<char>(input.ConsumeIntegralInRange(0x21, 0x7E));
        if (input.ConsumeIntegralInRange(0, 7) == 0 && !value.empty()) {
            value += ' ';
        }
    }
    if (value.size() > 254) {
        value.resize(254);
    }
    while (!value.empty() && value.back() == ' ') {
        value.pop_back();
    }
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        value.back() = 'x';
    }
    return value;
}

struct Line {
    std::string content; // without its '\n'
    bool ended = false;  // had a '\n'
};

std::vector<Line> Lines(const std::string &bytes) {
    std::vector<Line> lines;
    std::size_t begin = 0;
    while (begin < bytes.size()) {
        const std::size_t end = bytes.find('\n', begin);
        if (end == std::string::npos) {
            lines.push_back({bytes.substr(begin), false});
            break;
        }
        lines.push_back({bytes.substr(begin, end - begin), true});
        begin = end + 1;
    }
    return lines;
}

[[noreturn]] void Fail(const char *what, const std::string &detail) {
    std::fprintf(stderr, "%s: \"%s\"\n", what, detail.c_str());
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const std::string original = input.ConsumeRandomLengthString(4096);
    IniDocument document(original);
    const std::vector<IniDocument::Section> sections = document.Sections();

    std::vector<std::string> sectionNames;
    std::vector<std::string> keyNames;
    for (const IniDocument::Section &section : sections) {
        if (IsPlainAscii(section.name)) {
            sectionNames.push_back(section.name);
        }
        for (const IniDocument::Entry &entry : section.entries) {
            if (IsPlainAscii(entry.key)) {
                keyNames.push_back(entry.key);
            }
        }
    }

    // What each touched key must read as afterwards, and the original lines it may change.
    std::map<std::pair<std::string, std::string>, std::string> expected;
    std::set<int> touchedLines;
    const int operations = input.ConsumeIntegralInRange(0, 16);
    for (int i = 0; i < operations && input.remaining_bytes() > 0; ++i) {
        const std::string section = PickName(input, sectionNames);
        const std::string key = PickName(input, keyNames);
        const bool write = input.ConsumeBool();
        const std::string value = write ? PickValue(input) : std::string();
        if (write && !document.SetValue(section, key, value).ok) {
            continue; // refused: nothing changed
        }
        if (!write) {
            document.RemoveKey(section, key);
        }
        expected[{Folded(section), Folded(key)}] = value;
        const auto first = std::find_if(sections.begin(), sections.end(), [&](const auto &s) {
            return Folded(s.name) == Folded(section);
        });
        if (first != sections.end()) {
            for (const IniDocument::Entry &entry : first->entries) {
                if (Folded(entry.key) == Folded(key)) {
                    touchedLines.insert(entry.lineNumber);
                }
            }
        }
    }

    const IniDocument reread(document.Bytes());
    for (const auto &[name, value] : expected) {
        const std::string read = reread.Value(name.first, name.second);
        if (read != value) {
            Fail("a written or removed key reads back wrong",
                 name.first + "/" + name.second + " reads \"" + read + "\" instead of \"" + value);
        }
    }

    // A leading byte order mark belongs to the file, not to its first line: it must stay, and
    // a section added to a file that holds nothing else may follow it directly.
    constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
    std::string_view beforeText = original;
    std::string_view afterText = document.Bytes();
    if (beforeText.starts_with(kByteOrderMark)) {
        if (!afterText.starts_with(kByteOrderMark)) {
            Fail("the byte order mark was lost", std::string(afterText.substr(0, 16)));
        }
        beforeText.remove_prefix(kByteOrderMark.size());
        afterText.remove_prefix(kByteOrderMark.size());
    }
    std::vector<Line> before = Lines(std::string(beforeText));
    const std::vector<Line> after = Lines(std::string(afterText));
    if (before.size() == 1 && before.front().content.empty()) {
        before.clear(); // nothing but the mark
    }
    std::size_t next = 0;
    for (std::size_t i = 0; i < before.size(); ++i) {
        if (touchedLines.contains(static_cast<int>(i) + 1)) {
            continue;
        }
        const Line &kept = before[i];
        // The file's last line gains a line ending when something is added after it.
        const auto same = [&](const Line &line) {
            return line.content == kept.content ||
                   (!kept.ended && line.content == kept.content + "\r");
        };
        while (next < after.size() && !same(after[next])) {
            ++next;
        }
        if (next == after.size()) {
            Fail("an untouched line was changed or lost", kept.content);
        }
        ++next;
    }
    return 0;
}
