#pragma once

#include "core/dose_settings.h"

#include <regex>
#include <sstream>
#include <string>

namespace norvalis::testing {

// Tables written on one line, "P=Breakfast|Lunch CD=10 BS=140,1|180,2 CW=60,1": each table
// with a non-zero count, its slots 1..count joined by '|'.
struct TableField {
    const char *label;
    TextTable DoseSettings::*table;
    int TableCounts::*count;
};
inline constexpr TableField kTableFields[] = {
    {"P", &DoseSettings::PeriodList, &TableCounts::PeriodCount},
    {"CD", &DoseSettings::CarbDoseTable, &TableCounts::CarbDoseCount},
    {"BS", &DoseSettings::CorrectionTable, &TableCounts::CorrectionCount},
    {"CW", &DoseSettings::WeightingTable, &TableCounts::WeightingCount},
};

inline DoseSettings TablesFrom(const std::string &text) {
    static const std::regex kTable(R"((P|CD|BS|CW)=(.*?)(?= (P|CD|BS|CW)=|$))");
    DoseSettings settings;
    for (std::sregex_iterator it(text.begin(), text.end(), kTable), end; it != end; ++it) {
        for (const TableField &field : kTableFields) {
            std::istringstream entries((*it)[1] == field.label ? (*it)[2].str() : "");
            for (std::string entry; std::getline(entries, entry, '|');) {
                (settings.*field.table)[++(settings.Counts.*field.count)] = entry;
            }
        }
    }
    return settings;
}

inline std::string TablesText(const DoseSettings &settings) {
    std::string text;
    for (const TableField &field : kTableFields) {
        for (int i = 1; i <= settings.Counts.*field.count; ++i) {
            if (i > 1) {
                text += '|';
            } else {
                text += text.empty() ? "" : " ";
                text.append(field.label).append("=");
            }
            text += (settings.*field.table)[i];
        }
    }
    return text;
}

} // namespace norvalis::testing
