#include "ini_name.h"

#include "text_encoding.h"

namespace norvalis {

char32_t FoldedIniLetter(char32_t c) {
    if ((c >= U'A' && c <= U'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7)) {
        return c + 0x20;
    }
    switch (c) {
    case 0x0160: // Š
    case 0x0152: // Œ
    case 0x017D: // Ž
        return c + 1;
    case 0x0178: // Ÿ
        return 0xFF;
    default:
        return c;
    }
}

bool SameIniName(std::string_view a, std::string_view b) {
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < a.size() && j < b.size()) {
        if (FoldedIniLetter(NextCodePoint(a, i, Encoding::Utf8)) !=
            FoldedIniLetter(NextCodePoint(b, j, Encoding::Utf8))) {
            return false;
        }
    }
    return i == a.size() && j == b.size();
}

} // namespace norvalis
