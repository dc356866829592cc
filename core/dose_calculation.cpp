#include "dose_calculation.h"

#include "leading_number.h"
#include "number_text.h"
#include "table_entry.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>

namespace norvalis {

namespace {

// A dose as one calculation sees it: no value (no entry applies), a number, or unknown
// (a number it needed could not be read or worked out).
struct Dose {
    std::optional<double> value;
    bool unknown = false;

    static Dose Unknown() { return {std::nullopt, true}; }
    double OrZero() const { return value.value_or(0.0); }
};

std::string TextOf(const Dose &dose) {
    return dose.unknown ? std::string() : NumberText(dose.value);
}

// Walks entries in slot order while the input is strictly greater than the entry's level;
// the last entry passed gives the dose. The first level not below the input ends the walk.
Dose WalkTable(const TextTable &table, int count, const std::optional<double> &input) {
    std::string_view chosenDose;
    bool chosen = false;
    for (int i = 1; i <= count; ++i) {
        const EntryParts parts = SplitEntry(table[i]);
        const std::optional<double> level = LeadingNumber(parts.level);
        if (!input || !level) {
            return Dose::Unknown();
        }
        if (!(*input > *level)) {
            break;
        }
        chosenDose = parts.dose;
        chosen = true;
    }
    if (!chosen) {
        return {};
    }
    const std::optional<double> dose = LeadingNumber(chosenDose);
    return dose ? Dose{dose, false} : Dose::Unknown();
}

// gramsPerUnit is empty both when the table is empty and when its number cannot be read.
Dose CarbohydrateDose(const std::optional<double> &carbohydrate,
                      const std::optional<double> &gramsPerUnit) {
    if (!carbohydrate) {
        return Dose::Unknown();
    }
    if (*carbohydrate == 0.0) {
        return {0.0, false}; // nothing eaten, nothing to cover, whatever the table holds
    }
    // A negative amount (a typo such as "-50") or ratio would lower the total: no dose then.
    if (*carbohydrate < 0.0 || !gramsPerUnit || !(*gramsPerUnit > 0.0)) {
        return Dose::Unknown();
    }
    const double quotient = *carbohydrate / *gramsPerUnit;
    if (!std::isfinite(quotient)) {
        return Dose::Unknown();
    }
    return {RoundToHundredths(quotient), false};
}

constexpr double kTwoToThe52 = 4503599627370496.0;

} // namespace

double RoundToHundredths(double value) {
    // From 2^52 up every double is a whole number already.
    if (!std::isfinite(value) || std::fabs(value) >= kTwoToThe52) {
        return value;
    }
    // The fixed format rounds the exact binary value, a tie going to the even digit.
    std::array<char, 64> buffer{};
    const auto written = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                       std::chars_format::fixed, 2);
    double rounded = value;
    std::from_chars(buffer.data(), written.ptr, rounded);
    return rounded;
}

std::string WeightingCaption(std::string_view firstLevelText) {
    const std::optional<double> level = LeadingNumber(firstLevelText);
    if (!level) {
        return kWeightingCaptionDesign;
    }
    return "Weighting if over " + NumberText(*level) + " grams";
}

DoseLabels CalculateDoses(const DoseSettings &settings, std::string_view bloodSugarText,
                          std::string_view carbText) {
    const std::optional<double> reading = LeadingNumber(bloodSugarText);
    const std::optional<double> carbohydrate = LeadingNumber(carbText);
    const TableCounts &counts = settings.Counts;
    const int correctionCount = std::min(counts.CorrectionCount, kTableSlots);
    const int weightingCount = std::min(counts.WeightingCount, kTableSlots);
    const int carbDoseCount = std::min(counts.CarbDoseCount, kTableSlots);

    DoseLabels labels;
    const Dose correction = WalkTable(settings.CorrectionTable, correctionCount, reading);
    const Dose weighting = WalkTable(settings.WeightingTable, weightingCount, carbohydrate);
    labels.Lab_cw1 = weightingCount >= 1
                         ? WeightingCaption(SplitEntry(settings.WeightingTable[1]).level)
                         : std::string(kWeightingCaptionDesign);

    // The last entry of the carbohydrate table wins.
    std::optional<double> gramsPerUnit;
    if (carbDoseCount >= 1) {
        gramsPerUnit = LeadingNumber(settings.CarbDoseTable[carbDoseCount]);
    }
    const Dose carbDose = CarbohydrateDose(carbohydrate, gramsPerUnit);

    Dose total;
    if (correction.unknown || weighting.unknown || carbDose.unknown) {
        total = Dose::Unknown();
    } else {
        const double sum = (carbDose.OrZero() + correction.OrZero()) + weighting.OrZero();
        total = std::isfinite(sum) ? Dose{sum, false} : Dose::Unknown();
    }

    const std::string gramsText = NumberText(gramsPerUnit);
    labels.Lab_cw2 = TextOf(weighting);
    labels.Lab_bs2 = TextOf(correction);
    labels.Lab_cd1 = "Dose for carbohydrate @ 1 unit per " + gramsText + " grams.";
    labels.Lab_cd2 = TextOf(carbDose);
    labels.Lab_cd3 = "1 Unit Insulin per " + gramsText + " grms Carbohydrate";
    labels.Lab_tot2 = TextOf(total);
    labels.total = total.value;
    return labels;
}

} // namespace norvalis
