// Compile speed from memory: the largest script the limits allow, and single
// very long lines. Run: build/bench/compile_bench
#include <benchmark/benchmark.h>

#include <string>

#ifdef __GLIBC__
#include <malloc.h>
#endif

#include "compileText.h"
#include "scripts.h"

namespace {

using namespace benchScripts;

void compileAll(const std::string& script, benchmark::State& state) {
    for (auto _ : state) {
        compileResult result = compileText(script, "bench.sc");
        benchmark::DoNotOptimize(result.config.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(script.size()));
}

void BM_LargestScript(benchmark::State& state) {
    static const std::string script = largestScript();
    compileAll(script, state);
}
BENCHMARK(BM_LargestScript)->Unit(benchmark::kMicrosecond);

// One "items" line of N bytes: many names, separators and spaces.
void BM_ItemsLine(benchmark::State& state) {
    const std::string script = itemsLineScript(static_cast<std::size_t>(state.range(0)));
    compileAll(script, state);
}
BENCHMARK(BM_ItemsLine)->Arg(1 << 20)->Arg(4 << 20)->Arg(16 << 20)->Unit(benchmark::kMillisecond);

// One "exten" line of N bytes.
void BM_ExtenLine(benchmark::State& state) {
    const std::string script = extenLineScript(static_cast<std::size_t>(state.range(0)));
    compileAll(script, state);
}
BENCHMARK(BM_ExtenLine)->Arg(1 << 20)->Arg(4 << 20)->Arg(16 << 20)->Unit(benchmark::kMillisecond);

// One tooltip of N bytes with many "<@" markers and spaces.
void BM_Tooltip(benchmark::State& state) {
    const std::string script = tooltipScript(static_cast<std::size_t>(state.range(0)));
    compileAll(script, state);
}
BENCHMARK(BM_Tooltip)->Arg(1 << 20)->Arg(4 << 20)->Arg(16 << 20)->Unit(benchmark::kMillisecond);

}  // namespace

// glibc hands blocks of many megabytes back to the system when they are freed, so
// every iteration of the largest cases would time the kernel mapping fresh pages
// rather than the compiler. Keeping freed memory in the process measures every
// size the same way: the compiler's own work in a warm process.
int main(int argc, char** argv) {
#ifdef __GLIBC__
    mallopt(M_MMAP_THRESHOLD, 1 << 30);
    mallopt(M_TRIM_THRESHOLD, 1 << 30);
#endif
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
