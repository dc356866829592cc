#include "json_text.h"

#include <cstdint>

namespace norvalis::cli {

namespace {

// Length of the valid UTF-8 sequence at the start of text, or 0 when it is not valid.
std::size_t Utf8SequenceLength(std::string_view text) {
    const auto byte = [&](std::size_t i) { return static_cast<std::uint8_t>(text[i]); };
    const auto continuation = [&](std::size_t i) {
        return i < text.size() && (byte(i) & 0xC0) == 0x80;
    };
    const std::uint8_t lead = byte(0);
    if (lead < 0x80) {
        return 1;
    }
    if (lead >= 0xC2 && lead <= 0xDF) {
        return continuation(1) ? 2 : 0;
    }
    if (lead >= 0xE0 && lead <= 0xEF) {
        if (!continuation(1) || !continuation(2)) {
            return 0;
        }
        if ((lead == 0xE0 && byte(1) < 0xA0) || (lead == 0xED && byte(1) > 0x9F)) {
            return 0; // overlong form or UTF-16 surrogate
        }
        return 3;
    }
    if (lead >= 0xF0 && lead <= 0xF4) {
        if (!continuation(1) || !continuation(2) || !continuation(3)) {
            return 0;
        }
        if ((lead == 0xF0 && byte(1) < 0x90) || (lead == 0xF4 && byte(1) > 0x8F)) {
            return 0; // overlong form or beyond U+10FFFF
        }
        return 4;
    }
    return 0;
}

} // namespace

std::string JsonString(std::string_view text) {
    static constexpr char kHex[] = "0123456789abcdef";
    std::string json = "\"";
    json.reserve(text.size() + 2);
    std::size_t i = 0;
    while (i < text.size()) {
        const auto c = static_cast<std::uint8_t>(text[i]);
        if (c == '"' || c == '\\') {
            json += '\\';
            json += static_cast<char>(c);
            ++i;
        } else if (c < 0x20) {
            json += "\\u00";
            json += kHex[c >> 4];
            json += kHex[c & 0xF];
            ++i;
        } else if (const std::size_t length = Utf8SequenceLength(text.substr(i)); length > 0) {
            json.append(text.substr(i, length));
            i += length;
        } else {
            json += "\\ufffd";
            ++i;
        }
    }
    json += '"';
    return json;
}

std::string JsonStringArray(const std::vector<std::string> &texts) {
    std::string json = "[";
    for (std::size_t i = 0; i < texts.size(); ++i) {
        if (i > 0) {
            json += ',';
        }
        json += JsonString(texts[i]);
    }
    json += ']';
    return json;
}

} // namespace norvalis::cli
