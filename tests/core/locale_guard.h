#pragma once

#include <clocale>
#include <locale>
#include <string>

namespace norvalis::testing {

// The comma-decimal locale the number tests also run under; CI must generate it.
inline constexpr const char *kCommaDecimalLocale = "de_DE.UTF-8";

// Switches the C and C++ global locales for one test and restores "C" afterwards.
class LocaleGuard {
public:
    // False when the locale is not installed on this machine.
    bool Use(const std::string &name) {
        if (std::setlocale(LC_ALL, name.c_str()) == nullptr) {
            return false;
        }
        try {
            std::locale::global(std::locale(name));
        } catch (const std::runtime_error &) {
            std::setlocale(LC_ALL, "C");
            return false;
        }
        return true;
    }
    ~LocaleGuard() {
        std::setlocale(LC_ALL, "C");
        std::locale::global(std::locale::classic());
    }
};

} // namespace norvalis::testing
