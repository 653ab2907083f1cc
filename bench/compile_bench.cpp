// Compile speed from memory: the largest script the limits allow, and single
// very long lines. Run: build/bench/compile_bench
#include <benchmark/benchmark.h>

#include <string>

#ifdef __GLIBC__
#include <malloc.h>
#endif

#include "cnfBuilder.h"

namespace {

const char* const kHeader = "# tool\n# 1\n# 2\n# 3\n# 4\n# 5\n";

// 50 lists, 500 keys, 100 files, 50 filters, 100 margs, long captions, padded
// with comment lines to the 5000 lines a script may have.
std::string largestScript() {
    const std::string caption(60, 'c');
    std::string s = kHeader;
    for (int l = 0; l < 50; ++l) {
        s += "list list" + std::to_string(l) + "\nname = " + caption + "\nitems = ";
        for (int k = 0; k < 10; ++k) s += (k ? ", key" : "key") + std::to_string(l * 10 + k);
        s += "\n";
    }
    for (int k = 0; k < 500; ++k) {
        const std::string n = std::to_string(k);
        s += "key key" + n + "\nname = " + caption + "\norder = keys path value\narg = --option-" + n +
             "\nnext = list" + std::to_string(k % 50) + "\nkmarg = marg" + std::to_string(k % 100) +
             "\nkfile = file" + std::to_string(k % 100) + "\n";
    }
    for (int f = 0; f < 100; ++f) {
        s += "file file" + std::to_string(f) + "\nname = " + caption +
             "\naction = load\nfilters = filter0, filter1, filter2, filter3, filter4\n";
    }
    for (int t = 0; t < 50; ++t) {
        s += "filter filter" + std::to_string(t) + "\nname = " + caption +
             "\nexten = a, b, c, d, e, f, g, h, i, j\n";
    }
    for (int m = 0; m < 100; ++m) {
        s += "marg marg" + std::to_string(m) + "\nname = " + caption + "\ninfo = " + caption + "<@" +
             caption + "\n";
    }
    s += "def list0\n";
    // 4999 line feeds make 5000 lines, the last one empty.
    std::size_t feeds = 0;
    for (char c : s) feeds += (c == '\n');
    for (; feeds < 4999; ++feeds) s += "; padding\n";
    return s;
}

std::string repeated(const std::string& unit, std::size_t bytes) {
    std::string s;
    s.reserve(bytes + unit.size());
    while (s.size() < bytes) s += unit;
    return s;
}

void compileAll(const std::string& script, benchmark::State& state) {
    for (auto _ : state) {
        cnfBuilder b;
        b.loadScriptFromBytes(script);
        b.parseScript();
        std::string bytes = b.cnfBytes();
        benchmark::DoNotOptimize(bytes.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(script.size()));
}

void BM_LargestScript(benchmark::State& state) {
    static const std::string script = largestScript();
    compileAll(script, state);
}
BENCHMARK(BM_LargestScript)->Unit(benchmark::kMicrosecond);

const std::string kTail =
    "key k\nname=K\norder=keys,disable\narg=a\nnext=disable\nkmarg=disable\nkfile=disable\n"
    "filter t\nname=T\nexten=x\nmarg m\nname=M\ninfo=i\ndef l\n";

// One "items" line of N bytes: many names, separators and spaces.
void BM_ItemsLine(benchmark::State& state) {
    const std::string script = std::string(kHeader) + "list l\nname=L\nitems = k" +
                               repeated(" ,  k", static_cast<std::size_t>(state.range(0))) + "\n" + kTail;
    compileAll(script, state);
}
BENCHMARK(BM_ItemsLine)->Arg(1 << 20)->Arg(4 << 20)->Arg(16 << 20)->Unit(benchmark::kMillisecond);

// One "exten" line of N bytes.
void BM_ExtenLine(benchmark::State& state) {
    const std::string script = std::string(kHeader) + "list l\nname=L\nitems=k\nfilter e\nname=E\nexten = x" +
                               repeated(" , y  z", static_cast<std::size_t>(state.range(0))) + "\n" + kTail;
    compileAll(script, state);
}
BENCHMARK(BM_ExtenLine)->Arg(1 << 20)->Arg(4 << 20)->Arg(16 << 20)->Unit(benchmark::kMillisecond);

// One tooltip of N bytes with many "<@" markers and spaces.
void BM_Tooltip(benchmark::State& state) {
    const std::string script = std::string(kHeader) + "list l\nname=L\nitems=k\nmarg n\nname=N\ninfo = " +
                               repeated("a <@ b<@", static_cast<std::size_t>(state.range(0))) + "\n" + kTail;
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
