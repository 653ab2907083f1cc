// Fuzzes the compiler with arbitrary scripts, through the same path as the
// program: load from bytes, parse, resolve, build the config bytes in memory.
// Every script that compiles must give a config that the independent reader
// accepts: signature, version, counts, references, sums and the exact number
// of strings, with nothing after the last one.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "cnfBuilder.h"
#include "cnfReader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view script(reinterpret_cast<const char*>(data), size);
    cnfBuilder builder;
    try {
        builder.loadScriptFromBytes(script);
        builder.parseScript();
    } catch (const scriptError&) {
        return 0;  // a refused script; the error record is all it leaves
    }
    const std::string bytes = builder.cnfBytes();
    const cnfReadResult result = readCnf(bytes);
    if (!result.ok()) {
        std::fprintf(stderr, "compiled config refused: %s\n", result.message.c_str());
        std::abort();
    }
    return 0;
}
