#include "number_text.h"

#include "blank_text.h"
#include "leading_number.h"

#include <array>
#include <charconv>
#include <cmath>

namespace norvalis {

namespace {

constexpr int kSignificantDigits = 15;
// The largest number of 15 significant digits a double holds. Rounding a larger double to the
// nearest 15 digits gives 1.79769313486232E+308, a text no double can read back, so those few
// values are written rounded toward zero instead.
constexpr double kLargestWritable = 1.79769313486231e308;
constexpr const char *kLargestWritableText = "1.79769313486231E+308";

std::string_view Trimmed(std::string_view text) {
    return TrimmedOf(text, kNumberBlanks);
}

// Writes the 15-digit general form from the shortest digits that read back as the value.
// When those are 15 digits or fewer they are exactly what rounding to 15 digits gives (the
// value lies within half a unit of the 17th digit of them), so only the layout is left.
// Returns false when the shortest form needs more digits.
bool WriteFromShortestDigits(double value, std::string &text) {
    std::array<char, 32> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(),
                                      std::fabs(value), std::chars_format::scientific);
    const std::string_view scientific(buffer.data(),
                                      static_cast<std::size_t>(result.ptr - buffer.data()));
    const std::size_t e = scientific.find('e');
    std::string digits;
    digits += scientific[0];
    if (e > 2) {
        digits.append(scientific.substr(2, e - 2));
    }
    if (digits.size() > kSignificantDigits) {
        return false;
    }
    int exponent = 0;
    std::from_chars(scientific.data() + e + 1 + (scientific[e + 1] == '+' ? 1 : 0),
                    scientific.data() + scientific.size(), exponent);

    text.clear();
    if (value < 0) {
        text += '-';
    }
    const int count = static_cast<int>(digits.size());
    if (exponent < -4 || exponent >= kSignificantDigits) {
        text += digits[0];
        if (count > 1) {
            text += '.';
            text.append(digits, 1);
        }
        text += exponent < 0 ? "E-" : "E+";
        const int magnitude = exponent < 0 ? -exponent : exponent;
        if (magnitude < 10) {
            text += '0';
        }
        text += std::to_string(magnitude);
    } else if (exponent >= 0) {
        const int integerDigits = exponent + 1;
        if (count <= integerDigits) {
            text += digits;
            text.append(static_cast<std::size_t>(integerDigits - count), '0');
        } else {
            text.append(digits, 0, static_cast<std::size_t>(integerDigits));
            text += '.';
            text.append(digits, static_cast<std::size_t>(integerDigits));
        }
    } else {
        text += "0.";
        text.append(static_cast<std::size_t>(-exponent - 1), '0');
        text += digits;
    }
    return true;
}

} // namespace

std::string NumberText(double value) {
    if (!std::isfinite(value)) {
        return {};
    }
    if (value == 0.0) {
        return "0"; // also for negative zero
    }
    if (std::fabs(value) > kLargestWritable) {
        return (value < 0 ? "-" : "") + std::string(kLargestWritableText);
    }
    std::string text;
    if (WriteFromShortestDigits(value, text)) {
        return text;
    }
    // The general format with 15 digits drops trailing zeros and switches to the exponent
    // form exactly from 1E+15 up and below 0.0001, never looking at the locale.
    std::array<char, 64> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                      std::chars_format::general, kSignificantDigits);
    text.assign(buffer.data(), result.ptr);
    for (char &c : text) {
        if (c == 'e') {
            c = 'E';
        }
    }
    return text;
}

std::string NumberText(std::optional<double> value) {
    return value ? NumberText(*value) : std::string();
}

std::string NormalisedNumberText(std::string_view text) {
    const std::optional<double> value = LeadingNumber(text);
    if (!value) {
        return std::string(Trimmed(text));
    }
    return NumberText(*value);
}

} // namespace norvalis
