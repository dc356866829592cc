#pragma once

#include <optional>
#include <string_view>

namespace norvalis {

// Reads the number a text starts with, the way every input box and table entry is read:
// blanks, tabs and line feeds anywhere are skipped; then the longest prefix that forms a
// decimal number (sign, digits, at most one full stop, exponent E or D) is taken; &H and &O
// prefixes read hexadecimal and octal whole numbers; a text without a number reads as 0.
// The full stop is the decimal point in every locale. Returns nullopt only for a number
// beyond the double range (such as 1e999); a value too small to represent reads as 0.
std::optional<double> LeadingNumber(std::string_view text);

// Whether LeadingNumber finds a number at the start of the text, rather than reading "no
// number" as 0: a sign, digits with at most one full stop, or &H / &O followed by a digit of
// that base, with the blanks LeadingNumber skips left aside. "-", ".", "&H" and "abc" have none.
bool StartsWithNumber(std::string_view text);

} // namespace norvalis
