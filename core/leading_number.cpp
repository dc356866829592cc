#include "leading_number.h"

#include <charconv>
#include <cstdint>
#include <string>

namespace norvalis {

namespace {

bool IsSkipped(char c) {
    return c == ' ' || c == '\t' || c == '\n';
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool IsHexDigit(char c) {
    return IsDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

bool IsOctalDigit(char c) {
    return c >= '0' && c <= '7';
}

char Upper(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

// Walks a text the way the reader sees it: with blanks, tabs and line feeds left out.
class Cursor {
public:
    explicit Cursor(std::string_view text) : text_(text) { SkipBlanks(); }

    bool AtEnd() const { return pos_ >= text_.size(); }
    char Peek() const { return AtEnd() ? '\0' : text_[pos_]; }
    void Advance() {
        ++pos_;
        SkipBlanks();
    }

private:
    void SkipBlanks() {
        while (pos_ < text_.size() && IsSkipped(text_[pos_])) {
            ++pos_;
        }
    }

    std::string_view text_;
    std::size_t pos_ = 0;
};

std::optional<double> FromHexDigits(const std::string &digits) {
    if (digits.empty()) {
        return 0.0;
    }
    double value = 0.0;
    const auto [ptr, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value,
                                           std::chars_format::hex);
    if (ec == std::errc::result_out_of_range) {
        return std::nullopt;
    }
    if (ec != std::errc() || ptr != digits.data() + digits.size()) {
        return 0.0;
    }
    return value;
}

// Octal digits are regrouped into hexadecimal ones so that the conversion to double is
// rounded correctly however many digits there are.
std::optional<double> FromOctalDigits(const std::string &digits) {
    std::string bits;
    bits.reserve(digits.size() * 3 + 3);
    for (char c : digits) {
        const int d = c - '0';
        bits.push_back((d & 4) ? '1' : '0');
        bits.push_back((d & 2) ? '1' : '0');
        bits.push_back((d & 1) ? '1' : '0');
    }
    bits.insert(0, (4 - bits.size() % 4) % 4, '0');
    std::string hex;
    hex.reserve(bits.size() / 4);
    for (std::size_t i = 0; i < bits.size(); i += 4) {
        const int nibble = (bits[i] - '0') * 8 + (bits[i + 1] - '0') * 4 + (bits[i + 2] - '0') * 2 +
                           (bits[i + 3] - '0');
        hex.push_back("0123456789ABCDEF"[nibble]);
    }
    return FromHexDigits(hex);
}

std::optional<double> ReadRadixNumber(Cursor &cursor, int radix) {
    std::string digits;
    while (!cursor.AtEnd() &&
           (radix == 16 ? IsHexDigit(cursor.Peek()) : IsOctalDigit(cursor.Peek()))) {
        digits.push_back(cursor.Peek());
        cursor.Advance();
    }
    return radix == 16 ? FromHexDigits(digits) : FromOctalDigits(digits);
}

// Large enough that any exponent beyond it overflows or underflows whatever the digits are,
// small enough that adding the digit count cannot overflow.
constexpr std::int64_t kExponentLimit = 1'000'000'000;

std::optional<double> ReadDecimalNumber(Cursor &cursor) {
    std::string number; // sign, digits, '.', digits, 'e', sign, digits: what from_chars reads
    bool negative = false;
    if (cursor.Peek() == '+' || cursor.Peek() == '-') {
        negative = cursor.Peek() == '-';
        cursor.Advance();
    }
    if (negative) {
        number.push_back('-');
    }

    std::size_t mantissaDigits = 0;
    // Decimal position of the first significant digit, relative to the point; it tells an
    // overflow from an underflow when the value is out of range.
    std::int64_t leadingPosition = 0;
    bool seenSignificant = false;
    std::int64_t integerDigits = 0;
    while (IsDigit(cursor.Peek())) {
        if (cursor.Peek() != '0' && !seenSignificant) {
            seenSignificant = true;
        }
        if (seenSignificant) {
            ++integerDigits;
        }
        number.push_back(cursor.Peek());
        ++mantissaDigits;
        cursor.Advance();
    }
    leadingPosition = integerDigits;
    if (cursor.Peek() == '.') {
        number.push_back('.');
        cursor.Advance();
        std::int64_t zerosAfterPoint = 0;
        while (IsDigit(cursor.Peek())) {
            if (cursor.Peek() != '0') {
                seenSignificant = true;
            }
            if (!seenSignificant) {
                ++zerosAfterPoint;
            }
            number.push_back(cursor.Peek());
            ++mantissaDigits;
            cursor.Advance();
        }
        if (integerDigits == 0) {
            leadingPosition = -zerosAfterPoint;
        }
    }
    if (mantissaDigits == 0 || !seenSignificant) {
        return 0.0;
    }

    std::int64_t exponent = 0;
    const char marker = Upper(cursor.Peek());
    if (marker == 'E' || marker == 'D') {
        // The exponent only counts when digits follow; "1e" and "1e+" read as 1.
        Cursor probe = cursor;
        probe.Advance();
        bool negativeExponent = false;
        if (probe.Peek() == '+' || probe.Peek() == '-') {
            negativeExponent = probe.Peek() == '-';
            probe.Advance();
        }
        if (IsDigit(probe.Peek())) {
            while (IsDigit(probe.Peek())) {
                if (exponent < kExponentLimit) {
                    exponent = exponent * 10 + (probe.Peek() - '0');
                }
                probe.Advance();
            }
            if (negativeExponent) {
                exponent = -exponent;
            }
            number.push_back('e');
            number += std::to_string(exponent);
        }
    }

    double value = 0.0;
    const auto [ptr, ec] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (ec == std::errc::result_out_of_range) {
        if (leadingPosition + exponent > 0) {
            return std::nullopt;
        }
        return 0.0;
    }
    if (ec != std::errc()) {
        return 0.0;
    }
    return value;
}

// The common case, digits with at most a point and a minus sign and nothing to skip, read in
// place. Returns nullopt when the text needs the full reader.
std::optional<double> ReadPlainDecimal(std::string_view text) {
    const bool negative = !text.empty() && text.front() == '-';
    std::size_t end = negative ? 1 : 0;
    // Up to 15 digits the mantissa is exact as a double and so is the power of ten, so one
    // correctly rounded division gives the correctly rounded value.
    std::int64_t mantissa = 0;
    int significantDigits = 0;
    int fractionDigits = 0;
    bool digits = false;
    bool point = false;
    for (; end < text.size(); ++end) {
        const char c = text[end];
        if (IsDigit(c)) {
            digits = true;
            if (mantissa != 0 || c != '0') {
                ++significantDigits;
            }
            mantissa = significantDigits <= 15 ? mantissa * 10 + (c - '0') : mantissa;
            fractionDigits += point ? 1 : 0;
        } else if (c == '.' && !point) {
            point = true;
        } else if (IsSkipped(c) || Upper(c) == 'E' || Upper(c) == 'D') {
            return std::nullopt;
        } else {
            break;
        }
    }
    if (!digits) {
        return std::nullopt;
    }
    if (significantDigits > 15 || fractionDigits > 15) {
        double value = 0.0;
        const auto [ptr, ec] = std::from_chars(text.data(), text.data() + end, value);
        if (ec != std::errc() || ptr != text.data() + end) {
            return std::nullopt;
        }
        return value;
    }
    static constexpr double kPowersOfTen[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                              1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
    const double value = static_cast<double>(mantissa) / kPowersOfTen[fractionDigits];
    return negative ? -value : value;
}

} // namespace

bool StartsWithNumber(std::string_view text) {
    Cursor cursor(text);
    if (cursor.Peek() == '&') {
        cursor.Advance();
        const char radix = Upper(cursor.Peek());
        cursor.Advance();
        return (radix == 'H' && IsHexDigit(cursor.Peek())) ||
               (radix == 'O' && IsOctalDigit(cursor.Peek()));
    }
    if (cursor.Peek() == '+' || cursor.Peek() == '-') {
        cursor.Advance();
    }
    if (cursor.Peek() == '.') {
        cursor.Advance();
    }
    return IsDigit(cursor.Peek());
}

std::optional<double> LeadingNumber(std::string_view text) {
    if (const std::optional<double> plain = ReadPlainDecimal(text)) {
        return *plain == 0.0 ? 0.0 : *plain;
    }
    Cursor cursor(text);
    std::optional<double> value;
    if (cursor.Peek() == '&') {
        Cursor afterAmpersand = cursor;
        afterAmpersand.Advance();
        const char radix = Upper(afterAmpersand.Peek());
        if (radix != 'H' && radix != 'O') {
            return 0.0;
        }
        afterAmpersand.Advance();
        value = ReadRadixNumber(afterAmpersand, radix == 'H' ? 16 : 8);
    } else {
        value = ReadDecimalNumber(cursor);
    }
    // A typed "-0" is plain zero: it must not turn a later division into -infinity.
    if (value && *value == 0.0) {
        return 0.0;
    }
    return value;
}

} // namespace norvalis
