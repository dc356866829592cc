// The checker on any file: never a crash, every finding says what is wrong and what the
// program does, and the JSON form is one array.
#include "core/ini_document.h"
#include "settings_check.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    const norvalis::IniDocument document(std::string(reinterpret_cast<const char *>(data), size));
    const std::vector<norvalis::cli::Finding> findings = norvalis::cli::CheckSettings(document);
    for (const norvalis::cli::Finding &finding : findings) {
        if (finding.problem.empty() || finding.consequence.empty() || finding.line < 0) {
            std::abort();
        }
    }
    const std::string json = norvalis::cli::FindingsJson(findings);
    if (json.empty() || json.front() != '[' || json.back() != ']') {
        std::abort();
    }
    return 0;
}
