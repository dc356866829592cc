// A settings file gone wrong: 200,000 sections, about 44 MB. Reading it for one dose must
// stay linear in the file and hold at most about three times its size.
#include "core/ini_document.h"
#include "core/settings_file.h"
#include "tests/core/scratch_directory.h"

#include <benchmark/benchmark.h>
#include <filesystem>
#include <fstream>
#include <string>

namespace norvalis::benchmarks {
namespace {

constexpr int kSections = 200000;

std::string SectionName(int index) {
    return "Period " + std::to_string(index);
}

// Written section by section, so that generating the file leaves no large block behind
// in this process to blur the memory figures.
class LargeFile {
public:
    LargeFile() : path_(SettingsFilePath(directory_.Path().string())) {
        std::ofstream out(path_, std::ios::binary);
        out << "[Period]\r\n";
        for (int i = 1; i <= 12; ++i) {
            out << "P_" << i << "=" << SectionName(kSections - 12 + i) << "\r\n";
        }
        for (int i = 1; i <= kSections; ++i) {
            out << "\r\n[" << SectionName(i) << "]\r\n; tables from the clinic, reviewed "
                << "in spring with the diabetes "
                   "nurse\r\nCD_1=12\r\nBS_1=140,1\r\nBS_2=180,2\r\nBS_3=220,3\r\n"
                << "BS_4=260,4\r\nBS_5=300,5\r\nBS_6=340,6\r\nCW_1=60,1\r\nCW_2=100,2\r\n"
                << "CW_3=140,3\r\nCW_4=180,4\r\n";
        }
        out.close();
        size_ = static_cast<double>(std::filesystem::file_size(path_));
    }
    const std::string &Path() const { return path_; }
    double Size() const { return size_; }

private:
    testing::ScratchDirectory directory_;
    std::string path_;
    double size_ = 0;
};

const LargeFile &TheFile() {
    static const LargeFile file;
    return file;
}

// Reads a "VmRSS:" or "VmHWM:" line of /proc/self/status, in bytes (0 where there is none).
double StatusBytes(const std::string &field) {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.starts_with(field)) {
            return std::strtod(line.c_str() + field.size(), nullptr) * 1024.0;
        }
    }
    return 0;
}

// Resets the peak resident size of this process so that the next peak belongs to the
// measured step alone (Linux 4.0 and later).
void ResetPeak() {
    std::ofstream("/proc/self/clear_refs") << "5";
}

// One dose for the last period: the whole load, from reading the file to the three tables.
// peak_per_file is the most memory the load held at one time, over the file's size.
void LoadDosagesLargeFile(benchmark::State &state) {
    const LargeFile &file = TheFile();
    const std::string period = SectionName(kSections);
    DoseSettings settings;
    double peak = 0;
    for (auto _ : state) {
        state.PauseTiming();
        ResetPeak();
        const double before = StatusBytes("VmRSS:");
        state.ResumeTiming();
        const FileResult result = LoadSettings(settings, "dosages", period, file.Path());
        benchmark::DoNotOptimize(result);
        state.PauseTiming();
        peak = std::max(peak, StatusBytes("VmHWM:") - before);
        state.ResumeTiming();
    }
    if (settings.Counts.CorrectionCount != 6) {
        state.SkipWithError("the tables did not load");
    }
    state.counters["file_mb"] = file.Size() / 1e6;
    state.counters["peak_per_file"] = peak / file.Size();
}
BENCHMARK(LoadDosagesLargeFile)->Unit(benchmark::kMillisecond)->Iterations(3);

void ParseLargeFile(benchmark::State &state) {
    std::ifstream in(TheFile().Path(), std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    for (auto _ : state) {
        const IniDocument document(bytes);
        benchmark::DoNotOptimize(document.Bytes().data());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(bytes.size()));
}
BENCHMARK(ParseLargeFile)->Unit(benchmark::kMillisecond)->Iterations(3);

// A lookup in every section: linear overall only if each lookup is independent of the
// number of sections.
void ValueOfEverySection(benchmark::State &state) {
    std::ifstream in(TheFile().Path(), std::ios::binary);
    const IniDocument document(
        std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>()));
    for (auto _ : state) {
        std::size_t found = 0;
        for (int i = 1; i <= kSections; ++i) {
            found += document.Value(SectionName(i), "CW_4").size();
        }
        benchmark::DoNotOptimize(found);
    }
}
BENCHMARK(ValueOfEverySection)->Unit(benchmark::kMillisecond)->Iterations(3);

void SectionsOfLargeFile(benchmark::State &state) {
    std::ifstream in(TheFile().Path(), std::ios::binary);
    const IniDocument document(
        std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>()));
    for (auto _ : state) {
        const std::vector<IniDocument::Section> sections = document.Sections();
        benchmark::DoNotOptimize(sections.data());
    }
}
BENCHMARK(SectionsOfLargeFile)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
} // namespace norvalis::benchmarks
