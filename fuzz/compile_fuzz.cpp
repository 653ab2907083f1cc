// Fuzzes the compiler with arbitrary scripts, through the same path as the
// program: load from bytes, parse, resolve, build the config bytes in memory.
// Every script that compiles must give a config that the independent reader
// accepts: signature, version, counts, references, sums and the exact number
// of strings, with nothing after the last one. And the script that ccdump
// --script makes of that config must exist, compile to the same bytes, and be
// made again from them (its shape is a fixed point).
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "roundTrip.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view script(reinterpret_cast<const char*>(data), size);
    const compileResult compiled = compileText(script, "fuzz.sc");
    if (!compiled.ok()) return 0;  // a refused script
    const cnfReadResult result = readCnf(compiled.config);
    if (!result.ok()) {
        std::fprintf(stderr, "compiled config refused: %s\n", result.message.c_str());
        std::abort();
    }
    const std::string why = scriptRoundTripDifference(compiled.config);
    if (!why.empty()) {
        std::fprintf(stderr, "script round trip: %s\n", why.c_str());
        std::abort();
    }
    return 0;
}
