#include "core/settings_file.h"
#include "full_tables.h"
#include "tests/core/scratch_directory.h"

#include <benchmark/benchmark.h>
#include <string>

namespace norvalis::benchmarks {
namespace {

class ScratchFile {
public:
    ScratchFile() : path_(SettingsFilePath(directory_.Path().string())) {
        testing::WriteFile(path_, TwelvePeriodFile());
    }
    const std::string &Path() const { return path_; }

private:
    testing::ScratchDirectory directory_;
    std::string path_;
};

// The last period's section is the one found last.
void LoadDosagesTwelvePeriods(benchmark::State &state) {
    ScratchFile file;
    DoseSettings settings;
    const std::string period = PeriodName(kPeriods);
    for (auto _ : state) {
        const FileResult result = LoadSettings(settings, "dosages", period, file.Path());
        benchmark::DoNotOptimize(result);
    }
    if (settings.Counts.CorrectionCount != kTableSlots) {
        state.SkipWithError("the tables did not load");
    }
}
BENCHMARK(LoadDosagesTwelvePeriods);

void LoadPeriodsTwelvePeriods(benchmark::State &state) {
    ScratchFile file;
    DoseSettings settings;
    for (auto _ : state) {
        const FileResult result = LoadSettings(settings, "periods", "", file.Path());
        benchmark::DoNotOptimize(result);
    }
}
BENCHMARK(LoadPeriodsTwelvePeriods);

// Two table variants take turns so that every save changes all 36 entries and really
// replaces the file (temporary file, fsync, rename, directory fsync).
void SaveDosagesFullTables(benchmark::State &state) {
    ScratchFile file;
    const DoseSettings variants[] = {FullTables(1), FullTables(2)};
    const std::string period = PeriodName(kPeriods / 2);
    int turn = 0;
    for (auto _ : state) {
        const FileResult result = SaveSettings(variants[turn], "dosages", period, file.Path());
        if (!result.ok) {
            state.SkipWithError(result.error.c_str());
            break;
        }
        turn = 1 - turn;
    }
}
BENCHMARK(SaveDosagesFullTables)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace norvalis::benchmarks
