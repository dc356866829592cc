// CalculateDoses on random tables and box texts: never a crash, never a figure that is not a
// finite number, and the total is the sum of the three doses whenever it is shown.
#include "core/dose_calculation.h"
#include "core/leading_number.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fuzzer/FuzzedDataProvider.h>
#include <string>

namespace {

// Mostly number-like texts, so the walk gets past its first entries.
std::string EntryText(FuzzedDataProvider &input, bool withComma) {
    switch (input.ConsumeIntegralInRange(0, 3)) {
    case 0:
        return input.ConsumeRandomLengthString(24);
    case 1:
        return std::to_string(input.ConsumeIntegralInRange(-500, 500)) +
               (withComma ? "," + std::to_string(input.ConsumeIntegralInRange(-20, 20)) : "");
    default: {
        const std::string level = std::to_string(input.ConsumeFloatingPoint<double>());
        return withComma ? level + "," + input.ConsumeRandomLengthString(12) : level;
    }
    }
}

void CheckFigure(const char *label, const std::string &text) {
    if (text.empty()) {
        return;
    }
    const std::optional<double> value = norvalis::LeadingNumber(text);
    if (!value || !std::isfinite(*value) || text.find_first_of("nNiI") != std::string::npos) {
        std::fprintf(stderr, "%s shows \"%s\"\n", label, text.c_str());
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    norvalis::DoseSettings settings;
    norvalis::TableCounts &counts = settings.Counts;
    counts.CarbDoseCount = input.ConsumeIntegralInRange(0, norvalis::kTableSlots);
    counts.CorrectionCount = input.ConsumeIntegralInRange(0, norvalis::kTableSlots);
    counts.WeightingCount = input.ConsumeIntegralInRange(0, norvalis::kTableSlots);
    for (int i = 1; i <= norvalis::kTableSlots; ++i) {
        settings.CarbDoseTable[i] = EntryText(input, false);
        settings.CorrectionTable[i] = EntryText(input, true);
        settings.WeightingTable[i] = EntryText(input, true);
    }
    const std::string bloodSugar = EntryText(input, false);
    const std::string carbs = input.ConsumeRemainingBytesAsString();

    const norvalis::DoseLabels labels = norvalis::CalculateDoses(settings, bloodSugar, carbs);
    CheckFigure("Lab_bs2", labels.Lab_bs2);
    CheckFigure("Lab_cw2", labels.Lab_cw2);
    CheckFigure("Lab_cd2", labels.Lab_cd2);
    CheckFigure("Lab_tot2", labels.Lab_tot2);
    if (labels.total && !std::isfinite(*labels.total)) {
        std::abort();
    }
    if (labels.total.has_value() == labels.Lab_tot2.empty()) {
        std::fprintf(stderr, "the total is %s but shows \"%s\"\n",
                     labels.total ? "known" : "unknown", labels.Lab_tot2.c_str());
        std::abort();
    }
    return 0;
}
