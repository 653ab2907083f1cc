#include "scan.h"

#include "utils.h"

std::string_view wordCut(std::string_view before, const lineText& after) {
    const std::string_view cut = before.substr(0, before.size() - std::min(before.size(), after.size()));
    return cut.substr(scan::kWordSkip.span(cut));
}

bool inTableIgnoringCase(std::string_view word, const std::string_view* table, std::uint32_t size) {
    for (std::uint32_t i = 0; i < size; ++i) {
        if (equalIgnoringCase(word, table[i])) return true;
    }
    return false;
}
