#include "core/dose_calculation.h"
#include "full_tables.h"

#include <benchmark/benchmark.h>

namespace norvalis::benchmarks {
namespace {

// A reading and an amount above every level: both walks read all twelve entries.
void CalculateDosesFullTables(benchmark::State &state) {
    const DoseSettings settings = FullTables();
    for (auto _ : state) {
        DoseLabels labels = CalculateDoses(settings, "400", "175");
        benchmark::DoNotOptimize(labels);
    }
}
BENCHMARK(CalculateDosesFullTables);

// A typical keystroke: the walks stop half-way.
void CalculateDosesTypicalInput(benchmark::State &state) {
    const DoseSettings settings = FullTables();
    for (auto _ : state) {
        DoseLabels labels = CalculateDoses(settings, "190", "75");
        benchmark::DoNotOptimize(labels);
    }
}
BENCHMARK(CalculateDosesTypicalInput);

} // namespace
} // namespace norvalis::benchmarks
