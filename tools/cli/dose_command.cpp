#include "commands.h"
#include "core/dose_calculation.h"
#include "core/dose_options.h"
#include "core/file_access.h"
#include "core/ini_document.h"
#include "core/number_text.h"
#include "core/settings_file.h"
#include "json_text.h"

#include <ostream>

namespace norvalis::cli {

namespace {

// The fixed captions beside the dose labels in the main window.
constexpr std::string_view kCorrectionCaption = "Blood sugar correction dose";
constexpr std::string_view kTotalCaption = "Total";

void PrintLine(std::ostream &out, std::string_view caption, const std::string &value) {
    // The rate caption ends in a full stop of its own; drop it before the colon.
    if (caption.ends_with('.')) {
        caption.remove_suffix(1);
    }
    out << caption << ": " << (value.empty() ? "(none)" : value) << "\n";
}

// The settings of [Options]; off when the file cannot be read (LoadOrReport said why).
DoseOptions ReadOptions(const std::string &settingsPath) {
    std::string bytes;
    if (!ReadWholeFile(settingsPath, bytes).ok) {
        return {};
    }
    return ReadDoseOptions(IniDocument(std::move(bytes)));
}

} // namespace

int RunDose(const CommandLine &commandLine, const std::string &settingsPath, std::ostream &out,
            std::ostream &err) {
    DoseSettings settings;
    if (!LoadOrReport(settings, "dosages", commandLine.period, settingsPath, err)) {
        return kExitFindings;
    }
    const DoseLabels labels = CalculateDoses(settings, commandLine.bloodSugar, commandLine.carbs);
    const DoseOptions options = ReadOptions(settingsPath);
    std::optional<double> penDose;
    if (options.penStep && labels.total) {
        penDose = PenDose(*labels.total, *options.penStep);
    }
    const bool aboveMax =
        options.maxDose && labels.total && AboveMaximum(*labels.total, *options.maxDose);
    if (commandLine.json) {
        out << "{\"period\":" << JsonString(commandLine.period)
            << ",\"correction_dose\":" << JsonString(labels.Lab_bs2)
            << ",\"weighting_dose\":" << JsonString(labels.Lab_cw2)
            << ",\"carb_dose\":" << JsonString(labels.Lab_cd2)
            << ",\"total_dose\":" << JsonString(labels.Lab_tot2)
            << ",\"carb_rate_text\":" << JsonString(labels.Lab_cd1)
            << ",\"carb_ratio_text\":" << JsonString(labels.Lab_cd3)
            << ",\"weighting_caption\":" << JsonString(labels.Lab_cw1);
        // Only with the settings, so readers of the older output see it unchanged.
        if (options.penStep) {
            out << ",\"pen_dose\":" << JsonString(NumberText(penDose));
        }
        if (options.maxDose) {
            out << ",\"above_max\":" << (aboveMax ? "true" : "false");
        }
        out << "}\n";
        return kExitSuccess;
    }
    out << "Period: " << commandLine.period << "\n";
    PrintLine(out, kCorrectionCaption, labels.Lab_bs2);
    PrintLine(out, labels.Lab_cd1, labels.Lab_cd2);
    PrintLine(out, labels.Lab_cw1, labels.Lab_cw2);
    PrintLine(out, kTotalCaption, labels.Lab_tot2);
    if (options.penStep) {
        PrintLine(out, "Pen dose", NumberText(penDose));
    }
    if (aboveMax) {
        out << AboveMaximumLine(*options.maxDose) << "\n";
    }
    out << labels.Lab_cd3 << "\n";
    return kExitSuccess;
}

} // namespace norvalis::cli
