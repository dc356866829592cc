#pragma once

#include "core/dose_settings.h"

#include <string>

namespace norvalis::benchmarks {

inline constexpr int kPeriods = 12;

// Twelve correction, twelve weighting and twelve carbohydrate entries with rising levels,
// shifted by variant so that two variants differ in every entry.
DoseSettings FullTables(int variant = 0);

// A settings file with twelve periods, each holding full tables.
std::string TwelvePeriodFile();

std::string PeriodName(int index);

} // namespace norvalis::benchmarks
