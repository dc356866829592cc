#pragma once

#include "core/glucose_options.h"
#include "report/stats/report_statistics.h"

#include <string>

namespace norvalis::cli {

// The report's statistics as one JSON object, unrounded; a value that is not there is null.
// from and to are the range's days as YYYY-MM-DD.
std::string ReportJson(const report::ReportStatistics &stats, const std::string &from,
                       const std::string &to, GlucoseUnits units);

} // namespace norvalis::cli
