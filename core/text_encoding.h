#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace norvalis {

// The two encodings a settings file comes in: UTF-8, or the ANSI code page (Windows-1252)
// that the Windows version of the program writes.
enum class Encoding { Utf8, Windows1252 };

// "UTF-8" or "Windows-1252", for messages.
std::string_view EncodingName(Encoding encoding);

// Whether bytes are well-formed UTF-8 (no overlong forms, no surrogates, nothing above
// U+10FFFF).
bool IsValidUtf8(std::string_view bytes);

// Valid UTF-8 (a leading byte order mark included) is UTF-8; anything else is Windows-1252.
Encoding DetectEncoding(std::string_view bytes);

// Reads one character at pos and moves pos past it. A byte that does not start a well-formed
// UTF-8 sequence reads as U+DC00 plus the byte, so it never equals a real character.
char32_t NextCodePoint(std::string_view bytes, std::size_t &pos, Encoding encoding);

// Text of the given encoding as UTF-8. Windows-1252's five undefined bytes (0x81, 0x8D, 0x8F,
// 0x90, 0x9D) become U+0081 ... so that they come back unchanged.
std::string ToUtf8(std::string_view bytes, Encoding encoding);

// UTF-8 text in the given encoding, or a message naming the first character that the
// encoding cannot hold (or saying that the text is not UTF-8 at all).
struct EncodedText {
    std::string bytes;
    std::optional<std::string> problem;
};
EncodedText FromUtf8(std::string_view utf8, Encoding encoding);

} // namespace norvalis
