#include "configAnalysis.h"

#include <algorithm>

configFindings analyseConfig(const configLinks& links) {
    const std::size_t listCount = links.listSizes.size();
    const std::size_t keyCount = links.keys.size();
    configFindings found;
    found.listReached.assign(listCount, 0);
    found.keyListed.assign(keyCount, 0);
    found.keyReached.assign(keyCount, 0);
    found.fileUsed.assign(links.fileCount, 0);
    found.filterUsed.assign(links.filterCount, 0);
    found.margUsed.assign(links.margCount, 0);

    // Where each list's keys begin among listKeys.
    std::vector<std::size_t> listStart(listCount + 1, 0);
    for (std::size_t j = 0; j < listCount; ++j) listStart[j + 1] = listStart[j] + links.listSizes[j];
    const std::size_t entries = std::min(listStart[listCount], links.listKeys.size());
    for (std::size_t e = 0; e < entries; ++e)
        if (links.listKeys[e] < keyCount) found.keyListed[links.listKeys[e]] = 1;
    for (const std::uint32_t filter : links.fileFilters)
        if (filter < links.filterCount) found.filterUsed[filter] = 1;
    for (const keyLinks& key : links.keys) {
        if (key.fileRef != 0 && key.fileRef <= links.fileCount) found.fileUsed[key.fileRef - 1] = 1;
        if (key.margRef != 0 && key.margRef <= links.margCount) found.margUsed[key.margRef - 1] = 1;
    }

    // The lists a person can reach: the default list and every next list of
    // the keys of a list reached.
    if (links.defaultList >= listCount) return found;
    std::vector<std::size_t> toVisit;
    toVisit.reserve(listCount);
    toVisit.push_back(links.defaultList);
    found.listReached[links.defaultList] = 1;
    while (!toVisit.empty()) {
        const std::size_t list = toVisit.back();
        toVisit.pop_back();
        const std::size_t end = std::min(listStart[list + 1], entries);
        for (std::size_t e = listStart[list]; e < end; ++e) {
            const std::uint32_t k = links.listKeys[e];
            if (k >= keyCount) continue;
            found.keyReached[k] = 1;
            const std::uint16_t next = links.keys[k].listRef;
            if (next != 0 && next <= listCount && !found.listReached[next - 1]) {
                found.listReached[next - 1] = 1;
                toVisit.push_back(next - 1);
            }
        }
    }
    return found;
}
