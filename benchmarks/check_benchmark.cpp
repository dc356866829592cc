#include "core/file_access.h"
#include "core/ini_document.h"
#include "settings_check.h"
#include "tests/core/scratch_directory.h"

#include <benchmark/benchmark.h>
#include <string>

namespace norvalis::benchmarks {
namespace {

// A hand-edited file gone wrong at scale: twelve listed periods and 200,000 sections of
// about 220 bytes each (44 MB), most of them unlisted and some with a comma too many, so the
// checker reports on every section. Written to a temporary folder, never committed.
constexpr int kSections = 200000;

std::string LargeFile() {
    std::string file = "[Period]\n";
    for (int i = 1; i <= 12; ++i) {
        file += "P_" + std::to_string(i) + "=Period " + std::to_string(i) + "\n";
    }
    for (int s = 1; s <= kSections; ++s) {
        file += "[Period " + std::to_string(s) +
                "]\n"
                "CD_1=10\nCD_2=12\nBS_1=140,1\nBS_2=180,2\nBS_3=220,3\nBS_4=260,4\n"
                "CW_1=60,1\nCW_2=100,2\nCW_3=140,3\n"
                "Note=a line kept by hand in the middle of the tables, to fill them out to size\n";
        file += s % 2 == 0 ? "BS_5=300,5,1\n" : "BS_5=300,5\n";
    }
    return file;
}

class LargeScratchFile {
public:
    LargeScratchFile() : path_(directory_.File("Norvalis.ini")) {
        const std::string bytes = LargeFile();
        size_ = bytes.size();
        testing::WriteFile(path_, bytes);
    }
    const std::string &Path() const { return path_; }
    std::size_t Size() const { return size_; }

private:
    testing::ScratchDirectory directory_;
    std::string path_;
    std::size_t size_ = 0;
};

// What `norvalis-cli check` does with the file: read, parse, check. Must stay linear in the
// file's size: well under 2 s for this file.
void CheckLargeFile(benchmark::State &state) {
    const LargeScratchFile file;
    std::size_t findings = 0;
    for (auto _ : state) {
        std::string bytes;
        ReadWholeFile(file.Path(), bytes);
        findings = cli::CheckSettings(IniDocument(std::move(bytes))).size();
        benchmark::DoNotOptimize(findings);
    }
    state.counters["findings"] = static_cast<double>(findings);
    state.counters["file_MB"] = static_cast<double>(file.Size()) / 1e6;
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(file.Size()));
}
BENCHMARK(CheckLargeFile)->Unit(benchmark::kMillisecond)->Iterations(2);

} // namespace
} // namespace norvalis::benchmarks
