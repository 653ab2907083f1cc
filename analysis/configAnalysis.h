// What a config offers that a person can never use, or that has no effect:
// lists that cannot be reached from the default list, keys in no list or only
// in lists that cannot be reached, file items, filters and margs that nothing
// names, lists without keys (listSizes tells), and the references a key's order never inserts
// or the positions it gives that no reference fills. The compiler warns about
// some of these, ccdump lists the keys in no list, and the preview page words
// them all for the script's author; each reads them from here.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

// A key's links, as its record in the config holds them.
struct keyLinks {
    std::uint16_t fileRef = 0;  // file item number from 1, 0 = none
    std::uint16_t margRef = 0;  // marg number from 1, 0 = none
    std::uint16_t listRef = 0;  // number from 1 of the list it leads to, 0 = none
    std::uint8_t order = 0;     // positions of path, keys, value in bits 0-1, 2-3, 4-5
};

// What a key's order and references leave undone.
struct insertionGaps {
    bool pathNeverInserted = false;   // it names a file item, but its order has no path
    bool pathWithoutFile = false;     // its order has a path, but it names no file item
    bool valueNeverInserted = false;  // it names a marg, but its order has no value
    bool valueWithoutMarg = false;    // its order has a value, but it names no marg
};

constexpr insertionGaps gapsOf(const keyLinks& key) {
    const bool path = (key.order & 3u) != 0;
    const bool value = ((key.order >> 4) & 3u) != 0;
    return {key.fileRef != 0 && !path, key.fileRef == 0 && path, key.margRef != 0 && !value,
            key.margRef == 0 && value};
}

// The links of a whole config, as views into the caller's tables. Numbers are
// the config's: keys and filters from 0, lists, file items and margs from 1.
// A number that names no item (possible only in tables made by hand) links
// to nothing.
struct configLinks {
    std::size_t defaultList = 0;                 // index of the default list, from 0
    std::span<const std::uint32_t> listSizes;    // how many keys each list holds
    std::span<const std::uint32_t> listKeys;     // their key numbers, list after list
    std::span<const keyLinks> keys;
    std::size_t fileCount = 0;
    std::span<const std::uint32_t> fileFilters;  // the filter numbers of all file items
    std::size_t filterCount = 0;
    std::size_t margCount = 0;
};

// The findings, one flag per item (1 or 0), indexed as the config's tables
// are: list, file item and marg number - 1; key and filter number. A key's
// insertion gaps are gapsOf its links.
struct configFindings {
    using flags = std::vector<std::uint8_t>;
    flags listReached;  // the default list, and every list a key of a reached list leads to
    flags keyListed;    // in at least one list
    flags keyReached;   // in at least one reached list
    flags fileUsed;     // named by a key
    flags filterUsed;   // named by a file item
    flags margUsed;     // named by a key
};

configFindings analyseConfig(const configLinks& links);
