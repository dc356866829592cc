#include "dose_options.h"

#include "blank_text.h"
#include "leading_number.h"
#include "number_text.h"

#include <algorithm>
#include <cctype>
#include <cmath>

namespace norvalis {

namespace {

std::string_view Trimmed(std::string_view text) {
    return TrimmedOf(text, kNumberBlanks);
}

std::optional<double> PositiveSetting(const IniDocument &file, std::string_view key) {
    const std::optional<double> value = NumberAtStart(file.Value(kOptionsSection, key));
    if (!value || !(*value > 0)) {
        return std::nullopt;
    }
    return value;
}

} // namespace

std::optional<double> NumberAtStart(std::string_view text) {
    if (!StartsWithNumber(text)) {
        return std::nullopt;
    }
    return LeadingNumber(text);
}

DoseOptions ReadDoseOptions(const IniDocument &file) {
    return {PositiveSetting(file, kPenStepKey), PositiveSetting(file, kMaxDoseKey)};
}

OptionText ReadOptionText(std::string_view text) {
    if (Trimmed(text).empty()) {
        return {};
    }
    if (!StartsWithNumber(text)) {
        return {OptionTextKind::NoNumber, 0, {}};
    }
    const std::optional<double> value = LeadingNumber(text);
    if (!value) {
        return {OptionTextKind::OutOfRange, 0, {}};
    }
    if (!(*value > 0)) {
        return {OptionTextKind::NotPositive, *value, {}};
    }
    return {OptionTextKind::Number, *value, NumberText(*value)};
}

std::optional<double> PenDose(double total, double step) {
    if (!(step > 0) || !std::isfinite(total) || !std::isfinite(step)) {
        return std::nullopt;
    }
    const double steps = total / step;
    if (!std::isfinite(steps)) {
        return std::nullopt;
    }
    const double below = std::floor(steps);
    const double fraction = steps - below;
    constexpr double kTieTolerance = 1e-9;
    const double count = fraction <= 0.5 + kTieTolerance ? below : below + 1;
    const double dose = count * step;
    // 23 * 0.1 is 2.3000000000000003; the window shows 15 significant digits, so give the
    // value those digits stand for.
    return LeadingNumber(NumberText(dose)).value_or(dose);
}

bool AboveMaximum(double total, double maxDose) {
    // Compare what the person sees: 0.1 + 0.2 shows as 0.3 and is not above a maximum of 0.3.
    const double shown = LeadingNumber(NumberText(total)).value_or(total);
    return shown > maxDose;
}

std::string PenDoseLine(double penDose) {
    return "Pen dose: " + NumberText(penDose);
}

std::string AboveMaximumLine(double maxDose) {
    return "Above your maximum of " + NumberText(maxDose) + " units \xE2\x80\x94 check the numbers";
}

bool IsReservedPeriodName(std::string_view name) {
    const std::string_view trimmed = Trimmed(name);
    return std::equal(trimmed.begin(), trimmed.end(), kOptionsSection.begin(),
                      kOptionsSection.end(), [](char a, char b) {
                          return std::tolower(static_cast<unsigned char>(a)) ==
                                 std::tolower(static_cast<unsigned char>(b));
                      });
}

int DropReservedPeriods(DoseSettings &settings) {
    const int count = std::clamp(settings.Counts.PeriodCount, 0, kTableSlots);
    int kept = 0;
    for (int i = 1; i <= count; ++i) {
        std::string &name = settings.PeriodList[static_cast<std::size_t>(i)];
        if (IsReservedPeriodName(name)) {
            continue;
        }
        ++kept;
        if (kept != i) {
            settings.PeriodList[static_cast<std::size_t>(kept)] = std::move(name);
        }
    }
    for (int i = kept + 1; i <= count; ++i) {
        settings.PeriodList[static_cast<std::size_t>(i)].clear();
    }
    settings.Counts.PeriodCount = kept;
    return count - kept;
}

} // namespace norvalis
