#pragma once

#include <string_view>

namespace norvalis {

// Whether two UTF-8 section or key names are the same name: letters compare without regard
// to case, for ASCII and for the Latin letters that both settings file encodings hold
// (À-Þ and à-þ except × and ÷, Š/š, Œ/œ, Ž/ž, Ÿ/ÿ). Blanks count; trim before comparing.
bool SameIniName(std::string_view a, std::string_view b);

// The lower-case form of a letter under the rule above; other characters are returned as
// they are.
char32_t FoldedIniLetter(char32_t c);

} // namespace norvalis
