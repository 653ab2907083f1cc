#include "cnfAnalysis.h"

#include <cstdint>
#include <vector>

configFindings analyseConfig(const cnfConfig& cfg) {
    std::vector<std::uint32_t> listSizes;
    std::vector<std::uint32_t> listKeys;
    for (const cnfList& list : cfg.lists) {
        listSizes.push_back(static_cast<std::uint32_t>(list.keys.size()));
        listKeys.insert(listKeys.end(), list.keys.begin(), list.keys.end());
    }
    std::vector<keyLinks> keys;
    for (const cnfKey& key : cfg.keys) keys.push_back({key.fileRef, key.margRef, key.listRef, key.order.byte});
    std::vector<std::uint32_t> fileFilters;
    for (const cnfFile& file : cfg.files) fileFilters.insert(fileFilters.end(), file.filters.begin(), file.filters.end());
    return analyseConfig({.defaultList = cfg.header.defListIndex,
                          .listSizes = listSizes,
                          .listKeys = listKeys,
                          .keys = keys,
                          .fileCount = cfg.files.size(),
                          .fileFilters = fileFilters,
                          .filterCount = cfg.filters.size(),
                          .margCount = cfg.margs.size()});
}

namespace {

// "NAME": [numbers of the items for which holds(index)], numbered from first.
template <typename test>
std::string numbers(const char* name, std::size_t count, std::size_t first, test holds) {
    std::string out = "\"" + std::string(name) + "\": [";
    bool any = false;
    for (std::size_t i = 0; i < count; ++i) {
        if (!holds(i)) continue;
        out += (any ? ", " : "") + num(i + first);
        any = true;
    }
    return out + "]";
}

}  // namespace

std::string cnfAnalysisJson(const cnfConfig& cfg) {
    const configFindings found = analyseConfig(cfg);
    const std::size_t lists = cfg.lists.size();
    const std::size_t keys = cfg.keys.size();
    const auto gaps = [&cfg](std::size_t k) {
        const cnfKey& key = cfg.keys[k];
        return gapsOf({key.fileRef, key.margRef, key.listRef, key.order.byte});
    };
    const std::string entries[] = {
        numbers("unreachableLists", lists, 1, [&](std::size_t j) { return found.listReached[j] == 0; }),
        numbers("listsWithoutKeys", lists, 1, [&](std::size_t j) { return cfg.lists[j].keys.empty(); }),
        numbers("keysInNoList", keys, 0, [&](std::size_t k) { return found.keyListed[k] == 0; }),
        numbers("keysOnlyInUnreachableLists", keys, 0,
                [&](std::size_t k) { return found.keyListed[k] != 0 && found.keyReached[k] == 0; }),
        numbers("pathsNeverInserted", keys, 0, [&](std::size_t k) { return gaps(k).pathNeverInserted; }),
        numbers("pathsWithoutFileItem", keys, 0, [&](std::size_t k) { return gaps(k).pathWithoutFile; }),
        numbers("valuesNeverInserted", keys, 0, [&](std::size_t k) { return gaps(k).valueNeverInserted; }),
        numbers("valuesWithoutMarg", keys, 0, [&](std::size_t k) { return gaps(k).valueWithoutMarg; }),
        numbers("unusedFileItems", cfg.files.size(), 1, [&](std::size_t f) { return found.fileUsed[f] == 0; }),
        numbers("unusedFilters", cfg.filters.size(), 0, [&](std::size_t t) { return found.filterUsed[t] == 0; }),
        numbers("unusedMargs", cfg.margs.size(), 1, [&](std::size_t m) { return found.margUsed[m] == 0; }),
    };
    std::string out = "{";
    for (const std::string& entry : entries) out += (out.size() == 1 ? "" : ",\n ") + entry;
    return out + "}\n";
}
