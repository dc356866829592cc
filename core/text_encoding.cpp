#include "text_encoding.h"

#include <array>
#include <cstdint>
#include <cstdio>

namespace norvalis {

namespace {

// Written out by hand: the standard library has no code page conversion, and iconv would
// tie the core to one platform. Bytes 0xA0-0xFF equal their code points.
constexpr std::array<char16_t, 32> kWindows1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

constexpr char32_t kInvalidByteBase = 0xDC00;

std::optional<unsigned char> Windows1252Byte(char32_t codePoint) {
    if (codePoint < 0x80 || (codePoint >= 0xA0 && codePoint <= 0xFF)) {
        return static_cast<unsigned char>(codePoint);
    }
    for (std::size_t i = 0; i < kWindows1252High.size(); ++i) {
        if (kWindows1252High[i] == codePoint) {
            return static_cast<unsigned char>(0x80 + i);
        }
    }
    return std::nullopt;
}

void AppendUtf8(std::string &out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// Decodes one well-formed UTF-8 sequence at pos; nullopt (pos unchanged) when there is none.
std::optional<char32_t> DecodeUtf8(std::string_view bytes, std::size_t &pos) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
    const unsigned char lead = byte(pos);
    if (lead < 0x80) {
        ++pos;
        return lead;
    }
    std::size_t length = 0;
    char32_t c = 0;
    char32_t lowest = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2, c = lead & 0x1F, lowest = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3, c = lead & 0x0F, lowest = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4, c = lead & 0x07, lowest = 0x10000;
    } else {
        return std::nullopt;
    }
    if (bytes.size() - pos < length) {
        return std::nullopt;
    }
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(pos + i) & 0xC0) != 0x80) {
            return std::nullopt;
        }
        c = (c << 6) | (byte(pos + i) & 0x3F);
    }
    if (c < lowest || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
        return std::nullopt;
    }
    pos += length;
    return c;
}

std::string Describe(char32_t c, std::string_view utf8) {
    std::array<char, 16> hex{};
    std::snprintf(hex.data(), hex.size(), "U+%04X", static_cast<unsigned>(c));
    return "\"" + std::string(utf8) + "\" (" + hex.data() + ")";
}

} // namespace

std::string_view EncodingName(Encoding encoding) {
    return encoding == Encoding::Utf8 ? "UTF-8" : "Windows-1252";
}

bool IsValidUtf8(std::string_view bytes) {
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        // Most of a settings file is ASCII: skip it eight bytes at a time.
        while (bytes.size() - pos >= 8) {
            std::uint64_t block = 0;
            for (std::size_t i = 0; i < 8; ++i) {
                block |= static_cast<std::uint64_t>(static_cast<unsigned char>(bytes[pos + i]))
                         << (8 * i);
            }
            if ((block & 0x8080808080808080ULL) != 0) {
                break;
            }
            pos += 8;
        }
        if (pos < bytes.size() && !DecodeUtf8(bytes, pos)) {
            return false;
        }
    }
    return true;
}

Encoding DetectEncoding(std::string_view bytes) {
    return IsValidUtf8(bytes) ? Encoding::Utf8 : Encoding::Windows1252;
}

char32_t NextCodePoint(std::string_view bytes, std::size_t &pos, Encoding encoding) {
    const unsigned char byte = static_cast<unsigned char>(bytes[pos]);
    if (encoding == Encoding::Windows1252) {
        ++pos;
        return (byte >= 0x80 && byte < 0xA0) ? kWindows1252High[byte - 0x80] : byte;
    }
    if (const std::optional<char32_t> c = DecodeUtf8(bytes, pos)) {
        return *c;
    }
    ++pos;
    return kInvalidByteBase + byte;
}

std::string ToUtf8(std::string_view bytes, Encoding encoding) {
    if (encoding == Encoding::Utf8) {
        return std::string(bytes);
    }
    std::string out;
    out.reserve(bytes.size());
    for (std::size_t pos = 0; pos < bytes.size();) {
        AppendUtf8(out, NextCodePoint(bytes, pos, encoding));
    }
    return out;
}

EncodedText FromUtf8(std::string_view utf8, Encoding encoding) {
    EncodedText result;
    if (encoding == Encoding::Utf8) {
        if (!IsValidUtf8(utf8)) {
            result.problem = "The text is not valid UTF-8, so it cannot be stored in this "
                             "settings file.";
        } else {
            result.bytes = utf8;
        }
        return result;
    }
    result.bytes.reserve(utf8.size());
    for (std::size_t pos = 0; pos < utf8.size();) {
        const std::size_t start = pos;
        const std::optional<char32_t> c = DecodeUtf8(utf8, pos);
        if (!c) {
            result.bytes.clear();
            result.problem = "The text is not valid UTF-8, so it cannot be stored in this "
                             "settings file.";
            return result;
        }
        const std::optional<unsigned char> byte = Windows1252Byte(*c);
        if (!byte) {
            result.bytes.clear();
            result.problem = Describe(*c, utf8.substr(start, pos - start)) +
                             " cannot be stored in this settings file, which is in the " +
                             std::string(EncodingName(encoding)) + " encoding.";
            return result;
        }
        result.bytes += static_cast<char>(*byte);
    }
    return result;
}

} // namespace norvalis
