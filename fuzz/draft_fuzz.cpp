// Fuzzes the drafting of scripts with arbitrary help texts: every draft must
// compile without an error or a warning, and its config's script (ccdump
// --script) must compile to the same bytes. A text the drafter refuses (no
// options) is no finding.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "draft.h"
#include "roundTrip.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const draftResult draft = draftFromHelp(text, "fuzz", {"--help"});
    if (!draft.ok()) return 0;
    const compileResult compiled = compileText(draft.script, "draft.sc");
    if (!compiled.ok()) {
        std::fprintf(stderr, "the draft does not compile: %s\n%s", compiled.error->message().c_str(),
                     draft.script.c_str());
        std::abort();
    }
    if (!compiled.warnings.empty()) {
        std::fprintf(stderr, "the draft draws a warning: %s\n%s", compiled.warnings.front().text.c_str(),
                     draft.script.c_str());
        std::abort();
    }
    const std::string why = scriptRoundTripDifference(compiled.config);
    if (!why.empty()) {
        std::fprintf(stderr, "script round trip: %s\n", why.c_str());
        std::abort();
    }
    return 0;
}
