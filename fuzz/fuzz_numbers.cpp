// LeadingNumber, StartsWithNumber, NumberText and NormalisedNumberText: whatever a box or a file
// holds, the text written for a finite number reads back as that number, normalising twice
// changes nothing, and a text without a number at its start reads as 0.
#include "core/leading_number.h"
#include "core/number_text.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

namespace {

[[noreturn]] void Fail(const char *what, const std::string &text) {
    std::fprintf(stderr, "%s: \"%s\"\n", what, text.c_str());
    std::abort();
}

// The written text of a finite number reads back as a number that is written the same way.
void CheckRoundTrip(double value) {
    if (!std::isfinite(value)) {
        if (!norvalis::NumberText(value).empty()) {
            Fail("a value that is not finite has a text", norvalis::NumberText(value));
        }
        return;
    }
    const std::string text = norvalis::NumberText(value);
    const std::optional<double> back = norvalis::LeadingNumber(text);
    if (!back || !std::isfinite(*back)) {
        Fail("the text of a finite number does not read back", text);
    }
    if (norvalis::NumberText(*back) != text) {
        Fail("the text of a finite number reads back as another number", text);
    }
    // 15 significant digits: the number read back is the value to within its rounding.
    if (std::fabs(*back - value) > std::fabs(value) * 1e-14 + 1e-300) {
        Fail("the text of a finite number reads back far from it", text);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char *>(data), size);
    if (const std::optional<double> value = norvalis::LeadingNumber(text)) {
        CheckRoundTrip(*value);
    }
    // A text said to start with no number must read as the 0 that stands for none.
    if (!norvalis::StartsWithNumber(text) && norvalis::LeadingNumber(text) != 0.0) {
        Fail("a text without a number at its start reads as a number", std::string(text));
    }
    const std::string normalised = norvalis::NormalisedNumberText(text);
    if (norvalis::NormalisedNumberText(normalised) != normalised) {
        Fail("normalising twice changes the text", normalised);
    }
    if (size >= sizeof(double)) {
        double bits = 0;
        std::memcpy(&bits, data, sizeof bits);
        CheckRoundTrip(bits);
    }
    return 0;
}
