#pragma once

#include <string>

namespace report {

enum class DoseKind { Rapid, Long, Reading };

// What the statistics need of one logbook entry. The three figures are those recorded with
// the entry; a blank figure is 0.
struct ReportEntry {
    DoseKind kind = DoseKind::Rapid;
    std::string period;
    double bloodSugar = 0; // a reading when above 0
    double carbs = 0;
    double correction = 0;
    double carbDose = 0;
    double weighting = 0;
    double taken = 0;
};

} // namespace report
