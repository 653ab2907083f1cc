// Fuzzes the config reader with arbitrary bytes. A valid result also goes
// through both ccdump renderings, and the JSON text must stay plain ASCII
// without raw control bytes. A malformed result must name an offset inside the
// bytes (or just past them) in its message. A valid config that ccdump
// --script does not refuse must give a script that compiles to the same bytes.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "cnfDump.h"
#include "roundTrip.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    cnfReadResult result = readCnf(bytes);
    if (!result.ok()) {
        std::string prefix = "offset " + std::to_string(result.offset) + ": ";
        if (result.status != cnfReadStatus::malformed || result.offset > size ||
            result.message.compare(0, prefix.size(), prefix) != 0)
            std::abort();
        return 0;
    }
    std::string text = cnfDumpText(result.config);
    std::string json = cnfDumpJson(result.config);
    if (text.empty() || json.empty() || json.front() != '{') std::abort();
    for (char c : json) {
        unsigned char b = static_cast<unsigned char>(c);
        if ((b < 0x20 && c != '\n') || b >= 0x7F) std::abort();
    }
    if (cnfScript(result.config).ok()) {
        const std::string why = scriptRoundTripDifference(bytes);
        if (!why.empty()) {
            std::fprintf(stderr, "script round trip: %s\n", why.c_str());
            std::abort();
        }
    }
    return 0;
}
